// The operator's own password change.
#pragma once

#include "data/services.h"

#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

class PasswordPage : public QWidget {
    Q_OBJECT
public:
    PasswordPage(Services services, std::function<void()> logOut, QWidget *parent = nullptr);

    void SpeedButton2Click();
    void BitBtn1Click();

    QLineEdit *tabPassEditLama;
    QLineEdit *tabPassEditBaru1;
    QLineEdit *tabPassEditBaru2;
    QPushButton *BitBtn1;

private:
    Services s_;
    std::function<void()> logOut_;
};
