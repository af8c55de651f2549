// The operator accounts: list, and the entries to add, re-password and delete one.
#pragma once

#include "data/services.h"
#include "ui/string_grid.h"

#include <QPushButton>
#include <QWidget>

class UserListPage : public QWidget {
    Q_OBJECT
public:
    // The form page's two preparations, handed over by the main window.
    struct FormEntries {
        std::function<void()> add;
        std::function<void(const QString &nip, const QString &name)> change;
    };
    UserListPage(Services services, FormEntries form, QWidget *parent = nullptr);

    void sbUserClick();
    void btUser_tampildataClick();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();

    QPushButton *btUser_tampildata;
    StringGrid *sg_user;
    QPushButton *BitBtn3;
    QPushButton *BitBtn4;
    QPushButton *BitBtn5;

private:
    Services s_;
    FormEntries form_;
};
