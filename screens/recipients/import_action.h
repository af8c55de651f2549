// "Impor Data Excel": a whole worksheet of recipients into the opened submission
// in one statement, behind both guards.
#pragma once

#include "data/services.h"
#include "import/import_table.h"

class ImportAction {
public:
    struct ListAccess {
        std::function<void()> reload;            // the recipient list's own refresh
        std::function<QStringList()> listedNiks; // the NIKs the list shows now
    };
    ImportAction(Services services, ListAccess list);

    void tabPengajuanProsesTambahAllClick();
    void MenuItem7Click() { tabPengajuanProsesTambahAllClick(); }

    // The rows of the last sheet read; kept until the next file is chosen.
    importing::Table sg_jm_preload;

private:
    bool guardsAllow();
    bool countRows();
    bool chooseAndRead();
    void insertRows();
    void reportSkippedRows(unsigned long long stored, const QStringList &before);

    Services s_;
    ListAccess list_;
};
