// The two signing officials: the budget user (PA) and the expenditure treasurer (BP).
#pragma once

#include "data/services.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

class OfficialsPage : public QWidget {
    Q_OBJECT
public:
    explicit OfficialsPage(Services services, QWidget *parent = nullptr);

    void loadPejabat();
    void btUpdatePejabatClick();

    QLineEdit *edPA;
    QLabel *lbPA;
    QLineEdit *edBP;
    QLabel *lbBP;
    QPushButton *btUpdatePejabat;

private:
    bool lookUpNames(QString &paName, QString &bpName);
    bool store(const QString &statement, const QString &failure);

    Services s_;
};
