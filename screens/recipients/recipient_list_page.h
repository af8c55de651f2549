// The recipient list tabPengajuanProses: the rows of the opened submission, their
// count, and the buttons that work on the submission. The import, processing and
// print actions attach to the public buttons.
#pragma once

#include "data/services.h"
#include "ui/combo_box.h"
#include "ui/string_grid.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QWidget>

class RecipientListPage : public QWidget {
    Q_OBJECT
public:
    explicit RecipientListPage(Services services, QWidget *parent = nullptr);

    void tabPengajuanProsesTampilDataClick();
    void tabPengajuanProsesSortChange();
    void RefreshData1Click();
    // Runs when another page is made current.
    void tabPengajuanProsesExit();

    // The page for a submission just opened: sort by NIP, nothing to print yet, loaded.
    void showOpenedSubmission();
    // The row id in the hidden column of the selected row.
    QString selectedRowId() const;
    void setPrintEnabled(bool enabled);

    ComboBox *tabPengajuanProsesSort;
    QPushButton *tabPengajuanProsesTampilData;
    QLabel *tabPengajuanProsesJumlah;
    QPushButton *btProsesCetak;
    QPushButton *btCetak;
    QPushButton *btCetakBank;
    QPushButton *btRiwayatProses;
    StringGrid *sg_pengajuanProses;
    QMenu *sg_pengajuan_proses_pm;
    QAction *MenuItem7; // "Tambah Data Se-SKPD"
    QPushButton *tabPengajuanProsesTambahAll;
    QPushButton *btProsesTambah;
    QPushButton *btProsesUbah;
    QPushButton *btProsesHapus;
    QPushButton *btProsesCek; // "Cek Nominal BPJS"

private:
    Services s_;
};
