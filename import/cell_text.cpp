#include "import/cell_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace importing {

namespace {

bool isBlankOrControl(QChar c)
{
    return c.isSpace() || c.category() == QChar::Other_Control;
}

} // namespace

QString trimmedOfBlanksAndControls(const QString &text)
{
    qsizetype start = 0, end = text.size();
    while (start < end && isBlankOrControl(text[start]))
        ++start;
    while (end > start && isBlankOrControl(text[end - 1]))
        --end;
    return text.mid(start, end - start);
}

QString preparedName(const QString &name)
{
    return trimmedOfBlanksAndControls(QString(name).replace(QLatin1Char('\''), QLatin1Char('`')));
}

QString numberText(double value, QChar decimalPoint)
{
    if (value == 0) // also -0
        return QStringLiteral("0");
    // Whole amounts, nearly every cell: their digits as they are.
    if (std::abs(value) < 1e15 && value == std::trunc(value)) {
        char whole[20];
        return QString::fromLatin1(whole,
                                   std::to_chars(whole, whole + sizeof whole, int64_t(value)).ptr - whole);
    }
    char buf[40];
    // d.ddde±x, first the shortest form that reads back as the value: when it
    // has 15 digits or fewer they are the correctly rounded 15 (a double holds
    // more than 15 decimal digits), and it costs far less than rounding.
    auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific).ptr;
    std::string_view text(buf, end - buf);
    size_t e = text.find('e');
    if (e > (text.front() == '-' ? 17 : 16)) {
        end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14).ptr;
        text = std::string_view(buf, end - buf);
        e = text.find('e');
    }
    bool negative = text.front() == '-';
    if (negative) {
        text.remove_prefix(1);
        --e;
    }
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(), exponent);
    char digits[16];
    size_t count = 0;
    digits[count++] = text[0];
    if (e > 1)
        for (char c : text.substr(2, e - 2))
            digits[count++] = c;
    while (count > 1 && digits[count - 1] == '0')
        --count;

    // Laid out in ASCII with '.', the separator put in at the end.
    char out[40];
    char *o = out;
    if (negative)
        *o++ = '-';
    if (exponent < -5 || exponent >= 15) {
        *o++ = digits[0];
        if (count > 1) {
            *o++ = '.';
            o = std::copy(digits + 1, digits + count, o);
        }
        *o++ = 'E';
        *o++ = exponent < 0 ? '-' : '+';
        o = std::to_chars(o, out + sizeof out, std::abs(exponent)).ptr;
    } else if (exponent < 0) {
        *o++ = '0';
        *o++ = '.';
        o = std::fill_n(o, -exponent - 1, '0');
        o = std::copy(digits, digits + count, o);
    } else {
        size_t whole = size_t(exponent) + 1;
        o = std::copy(digits, digits + std::min(count, whole), o);
        o = std::fill_n(o, whole > count ? whole - count : 0, '0');
        if (count > whole) {
            *o++ = '.';
            o = std::copy(digits + whole, digits + count, o);
        }
    }
    QString result = QString::fromLatin1(out, o - out);
    if (decimalPoint != QLatin1Char('.'))
        result.replace(QLatin1Char('.'), decimalPoint);
    return result;
}

QString cellText(const sheets::Cell &cell, QChar decimalPoint)
{
    switch (cell.kind) {
    case sheets::CellKind::Text:
        return cell.text;
    case sheets::CellKind::Number:
        return numberText(cell.number, decimalPoint);
    case sheets::CellKind::Boolean:
        return cell.number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case sheets::CellKind::Empty:
        break;
    }
    return {};
}

} // namespace importing
