// "Riwayat Proses": the runs of the open submission as the server kept them, each
// printable again with its own rows, officials and label, and savable as a
// workbook. Reading a kept run changes nothing, so no guard is asked.
#pragma once

#include "data/services.h"
#include "reports/processing_actions.h"
#include "ui/string_grid.h"

#include <QDialog>
#include <QPushButton>

class RunHistoryDialog : public QDialog {
    Q_OBJECT
public:
    RunHistoryDialog(Services services, ProcessingActions &printing, QWidget *parent);

    // Lists the runs and shows the dialog; with no run, says so instead.
    void btRiwayatProsesClick();
    void btRiwayatCetakClick();
    void btRiwayatCetakBankClick();
    void btRiwayatExcelClick();

    StringGrid *sg_riwayat;
    QPushButton *btRiwayatCetak;
    QPushButton *btRiwayatCetakBank;
    QPushButton *btRiwayatExcel;
    QPushButton *btRiwayatTutup;

private:
    // The selected run's rows and variables; false after a failure box.
    bool loadSelectedRun(ProcessedRun &run);
    void printSelected(const QString &fileName);

    Services s_;
    ProcessingActions &printing_;
};
