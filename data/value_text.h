#pragma once

#include <QDate>
#include <QString>
#include <QTime>

// Dates and times from the server, as text in the system locale's short date and
// long time forms (without the time zone name).
QString localDateText(const QDate &date);
QString localDateTimeText(const QDate &date, const QTime &time);
