// The submission list tabJM: a year's submissions of type "JM", deleting one and
// opening one for work on its recipient rows.
#pragma once

#include "data/services.h"
#include "ui/combo_box.h"
#include "ui/string_grid.h"

#include <QMenu>
#include <QPushButton>
#include <QWidget>
#include <vector>

class SubmissionListPage : public QWidget {
    Q_OBJECT
public:
    // openEditor prepares and shows the submission editor; openRecipients shows the
    // recipient page for the submission just opened and loads it.
    SubmissionListPage(Services services, std::function<void()> openEditor,
                       std::function<void()> openRecipients, QWidget *parent = nullptr);

    void sbPengajuanClick();
    void DataJMClick();
    void btJMLihatClick();
    void cbJMTahunChange();
    void btJMTambahClick();
    void btJMHapusClick();
    void btJMProsesPengajuanClick();

    // The list's header and page, without loading.
    void showListPage();
    // The recipient page's header for the submission of the selected row.
    QString recipientHeader() const;
    // Gives a grid this page's popup menu; its "Refresh Data" runs that grid's refresh.
    QMenu *attachPopup(StringGrid &grid, std::function<void()> refresh);

    ComboBox *cbJMTahun;
    QPushButton *btJMLihat;
    StringGrid *sg_jm_pengajuan;
    QPushButton *btJMTambah;
    QPushButton *btJMHapus;
    QPushButton *btJMProsesPengajuan;
    QMenu *sg_pengajuan_pm;

private:
    void setRowButtonsEnabled(bool enabled);

    Services s_;
    std::function<void()> openEditor_;
    std::function<void()> openRecipients_;
    // The period codes as received, by data row; the grid shows them as MM-YYYY.
    std::vector<QString> periodes_;
};
