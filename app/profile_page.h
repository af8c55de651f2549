// The operator's profile ("Dashboard") and the level rule of the menu.
#pragma once

#include "data/services.h"

#include <QLabel>
#include <QToolButton>
#include <QWidget>

class ProfilePage : public QWidget {
    Q_OBJECT
public:
    ProfilePage(Services services, std::function<void()> clearLoginEdits, QWidget *parent = nullptr);

    void loadProfil();

    QLabel *profilNama;
    QLabel *profilNIP;
    QLabel *profilHakAkses;
    QToolButton *SpeedButton2;

private:
    void applyLevelRule();

    Services s_;
    std::function<void()> clearLoginEdits_;
};
