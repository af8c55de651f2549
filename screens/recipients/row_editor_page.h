// The recipient row editor tabPNSEdit, and the "Tambah", "Ubah" and "Hapus" actions
// of the recipient list that lead to it.
#pragma once

#include "data/services.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <QWidget>
#include <array>

// Lets only the digits 0 to 9 into an edit, whether typed, pasted or dropped.
class DigitsOnly : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

class RowEditorPage : public QWidget {
    Q_OBJECT
public:
    struct ListHooks {
        std::function<QString()> selectedRowId; // of the recipient list
        std::function<void()> refresh;          // the recipient list's "Tampilkan Data"
        std::function<QString()> periodHeader;  // the header that opening the submission set
    };
    RowEditorPage(Services services, ListHooks list, QWidget *parent = nullptr);

    void btProsesTambahClick();
    void btProsesUbahClick();
    void btProsesHapusClick();
    void tabPNSEditSimpanClick();
    void tabPNSEditBatalClick();

    QLineEdit *tabPNSEditNIK;
    QLabel *tabPNSEditNama;
    QLineEdit *tabPNSEditNamaLengkap;
    QLineEdit *tabPNSEditGapok;
    QLineEdit *tabPNSEdit4p;
    QLineEdit *tabPNSEdit1p;
    QLineEdit *tabPNSEditRemunerasi;
    QLineEdit *tabPNSEditInsentif;
    QPushButton *tabPNSEditSimpan;
    QPushButton *tabPNSEditBatal;
    // The typing filter of the five amount edits.
    DigitsOnly *tabPNSEditGapokKeyPress;

private:
    // NIK, name and the five amounts, in the order they are checked and sent.
    std::array<QLineEdit *, 7> edits() const;
    void setNikWritable(bool writable);
    bool nikIsNew();
    void showList();

    Services s_;
    ListHooks list_;
};
