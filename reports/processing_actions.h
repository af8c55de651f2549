// "Proses Cetakan" and the two print buttons of the recipient page.
#pragma once

#include "data/services.h"
#include "reports/preview_host_adapter.h"
#include "reports/report_data.h"

#include <QPushButton>

inline const QString attachmentTemplate = QStringLiteral("nasn_lampiran.fr3");
inline const QString bankOrderTemplate = QStringLiteral("nasn_pemindahbukuan_bank.fr3");

class ProcessingActions {
public:
    struct PrintButtons {
        QPushButton *btCetak;
        QPushButton *btCetakBank;
    };
    // Templates are read from `templateFolder` ("report" beside the executable).
    ProcessingActions(Services services, ReportData &report, PrintButtons buttons, QString templateFolder);

    void btProsesCetakClick();
    void btCetakClick();
    void btCetakBankClick();
    // Shows the template named `fileName` over `run`; never calls the server.
    void print(const QString &fileName, const ProcessedRun &run);

    QString templateDir;

private:
    bool fetchOfficial(const QString &statement, QString &nama, QString &nip, QString &pangkat);
    void process();

    Services s_;
    ReportData &report_;
    PrintButtons buttons_;
    PreviewHostAdapter previewHost_;
};
