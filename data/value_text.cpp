#include "data/value_text.h"

#include <QLocale>

namespace {

// The long time form names the zone ("WIB"); the lists show times of the server's day.
QString longTimeFormatWithoutZone()
{
    const QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || c != QLatin1Char('t'))
            out += c;
    }
    return out.simplified();
}

} // namespace

QString localDateText(const QDate &date)
{
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

QString localDateTimeText(const QDate &date, const QTime &time)
{
    static const QString timeFormat = longTimeFormatWithoutZone();
    return localDateText(date) + QLatin1Char(' ') + QLocale::system().toString(time, timeFormat);
}
