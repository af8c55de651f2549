// The login page: NIP and password, "Login", "App Info", and the announcements.
#pragma once

#include "data/services.h"
#include "ui/string_grid.h"

#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

class LoginPage : public QWidget {
    Q_OBJECT
public:
    LoginPage(Services services, std::function<void()> loadProfil, std::function<void()> loadPejabat,
              QWidget *parent = nullptr);

    void btnloginClick();
    void BitBtn2Click();
    void loadInformasi();
    void clearEdits();

    QLineEdit *leNIP;
    QLineEdit *lePassword;
    QPushButton *btnlogin;
    QPushButton *BitBtn2;
    StringGrid *sg_informasi;

private:
    Services s_;
    std::function<void()> loadProfil_;
    std::function<void()> loadPejabat_;
};

// The text of the "App Info" box.
QString appInfoText();
