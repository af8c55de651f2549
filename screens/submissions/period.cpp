#include "screens/submissions/period.h"

const QStringList &monthNames()
{
    static const QStringList names = {"Januari", "Februari", "Maret",     "April",   "Mei",      "Juni",
                                      "Juli",    "Agustus",  "September", "Oktober", "November", "Desember"};
    return names;
}

QString periodCode(const QString &year, int monthIndex)
{
    if (monthIndex < 0)
        return {};
    return year + QStringLiteral("%1").arg(monthIndex + 1, 2, 10, QLatin1Char('0'));
}

QString shownPeriod(const QString &code)
{
    return code.mid(4, 2) + QLatin1Char('-') + code.left(4);
}
