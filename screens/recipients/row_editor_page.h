// The recipient row editor tabPNSEdit, and the "Tambah", "Ubah" and "Hapus" actions
// of the recipient list that lead to it.
#pragma once

#include "data/services.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <array>

// Drops every typed character but the digits 0 to 9. Keys without a character
// (Backspace, arrows, Delete, Enter, shortcuts) pass, and so does text that arrives
// another way (pasted, dropped): it reaches the edit unchanged and the server judges it.
class DigitKeysOnly : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
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
    DigitKeysOnly *tabPNSEditGapokKeyPress;

private:
    // NIK, name and the five amounts, in the order they are checked and sent.
    std::array<QLineEdit *, 7> edits() const;
    void setNikWritable(bool writable);
    bool nikIsNew();
    void showList();

    Services s_;
    ListHooks list_;
};
