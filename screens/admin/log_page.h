// The server's activity log for a chosen range.
#pragma once

#include "data/services.h"
#include "ui/string_grid.h"

#include <QDateTimeEdit>
#include <QPushButton>
#include <QWidget>

class LogPage : public QWidget {
    Q_OBJECT
public:
    explicit LogPage(Services services, QWidget *parent = nullptr);

    void sbLogClick();
    void btLog_tampilDataClick();

    QDateTimeEdit *dt_log_start;
    QDateTimeEdit *dt_log_end;
    QPushButton *btLog_tampilData;
    StringGrid *sg_log;

private:
    Services s_;
};
