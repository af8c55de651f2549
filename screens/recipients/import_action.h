// "Impor Data Excel": a whole worksheet of recipients into the opened submission
// in one statement, behind both guards, then a report of every row the server
// did not store and of every stored amount worth a second look.
#pragma once

#include "data/services.h"
#include "import/import_report.h"
#include "import/import_table.h"
#include "screens/recipients/import_report_window.h"

class ImportAction {
public:
    struct ListAccess {
        std::function<void()> reload; // the recipient list's own refresh
    };
    ImportAction(Services services, ListAccess list);

    void tabPengajuanProsesTambahAllClick();
    void MenuItem7Click() { tabPengajuanProsesTambahAllClick(); }
    // "Cek Nominal BPJS": the plausibility check of the whole submission.
    void btProsesCekClick();

    // The rows of the last sheet read; kept until the next file is chosen.
    importing::ImportTable sg_jm_preload;
    // Where reports are shown; tests put their own view here.
    ImportReportView *reportView;

private:
    bool countRows();
    bool chooseAndRead();
    void insertRows();
    // The submission's rows as stored: NIK to the row's seven values, NIK first.
    QHash<QString, QStringList> storedRows();
    // Fills storedRowOfNik with the row number of each NIK stored.
    importing::ImportReport compare(const QStringList &refusals, const QHash<QString, QStringList> &before,
                                    const QHash<QString, QStringList> &after,
                                    QHash<QString, qsizetype> &storedRowOfNik) const;
    // The server's plausibility findings, limited to the given NIKs (row numbers
    // beside them) unless that is empty.
    QList<importing::ReportLine> plausibility(const QHash<QString, qsizetype> &rowOfNik);
    void showReport(const importing::ImportReport &report);

    Services s_;
    ListAccess list_;
    ImportReportWindow window_;
};
