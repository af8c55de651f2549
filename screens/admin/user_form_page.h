// The account form: a new account, or a new password for the selected one.
#pragma once

#include "data/services.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

class UserFormPage : public QWidget {
    Q_OBJECT
public:
    // After a successful save: reload the list and show it.
    UserFormPage(Services services, std::function<void()> backToList, QWidget *parent = nullptr);

    void prepareAdd();
    void prepareChange(const QString &nip, const QString &name);
    void tab_useradd_simpanClick();

    QLineEdit *tab_useradd_nip;
    QLineEdit *tab_useradd_password1;
    QLineEdit *tab_useradd_password2;
    QLabel *tab_useradd_nama;
    QPushButton *tab_useradd_simpan;

private:
    QString formFault() const;
    void setNipEditable(bool editable);

    Services s_;
    std::function<void()> backToList_;
};
