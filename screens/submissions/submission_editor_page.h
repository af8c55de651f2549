// The submission editor tabPengajuanEdit: creates a submission for a month.
#pragma once

#include "data/services.h"
#include "ui/combo_box.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

class SubmissionEditorPage : public QWidget {
    Q_OBJECT
public:
    // showList shows the submission list page; loadList reloads that list.
    SubmissionEditorPage(Services services, std::function<void()> showList, std::function<void()> loadList,
                         QWidget *parent = nullptr);

    void btPengajuanTambahClick();
    void btPengajuanEditSimpanClick();
    void btPengajuanEditBatalClick();

    ComboBox *cbBulanPengajuan;
    ComboBox *cbTahunPengajuan;
    QLineEdit *edKeteranganPengajuan;
    // Never shown: the number is always "-" and the date is today's.
    QLineEdit *edNomorPengajuan;
    QDateEdit *dtPengajuan;
    QPushButton *btPengajuanEditSimpan;
    QPushButton *btPengajuanEditBatal;

private:
    Services s_;
    std::function<void()> showList_;
    std::function<void()> loadList_;
};
