// The month names and the period code (YYYYMM) that names a submission's month.
#pragma once

#include <QStringList>

// "Januari" to "Desember".
const QStringList &monthNames();
// The year's text followed by the two-digit number of the month at position
// monthIndex (0 for January); empty when no month is chosen (monthIndex -1).
QString periodCode(const QString &year, int monthIndex);
// The code as lists show it, MM-YYYY, taken by character position without checks.
QString shownPeriod(const QString &code);
