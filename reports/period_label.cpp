#include "reports/period_label.h"

#include <QStringList>

QString periodLabel(const QString &periodCode, const QString &current)
{
    static const QStringList names = {"Januari ",   "Februari ", "Maret ",    "April ",
                                      "Mei ",       "Juni ",     "Juli ",     "Agustus ",
                                      "September ", "Oktober ",  "November ", "Desember "};
    const QString month = periodCode.mid(4, 2);
    for (int m = 1; m <= 12; ++m)
        if (month == QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0')))
            return names[m - 1] + periodCode.left(4);
    return current;
}
