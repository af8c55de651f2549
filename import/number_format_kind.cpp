#include "import/number_format_kind.h"

namespace importing {

namespace {

// The built-in formats the file format leaves to the locale, all dates.
bool isLocaleDate(uint32_t id)
{
    return (id >= 27 && id <= 36) || (id >= 50 && id <= 58);
}

// [h], [mm], [ss]: elapsed time, the only brackets that are part of a date or time.
bool isElapsedTime(QStringView inside)
{
    return !inside.isEmpty() && (inside.count(inside.front()) == inside.size()) &&
           QStringView(u"hHmMsS").contains(inside.front());
}

} // namespace

bool isDateOrTime(const sheets::NumberFormat &format)
{
    if (format.code.isEmpty())
        return isLocaleDate(format.id);
    const QString &code = format.code;
    for (qsizetype i = 0; i < code.size(); ++i) {
        QChar c = code[i];
        if (c == u'"') {
            qsizetype close = code.indexOf(u'"', i + 1);
            i = close < 0 ? code.size() : close;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
        } else if (c == u'[') {
            qsizetype close = code.indexOf(u']', i + 1);
            if (close < 0)
                break;
            if (isElapsedTime(QStringView(code).mid(i + 1, close - i - 1)))
                return true;
            i = close;
        } else if (QStringView(u"dDmMyYhHsS").contains(c)) {
            return true;
        }
    }
    return false;
}

} // namespace importing
