#include "cell_text.h"

#include <charconv>
#include <string_view>

namespace sheets {

QString numberText(double value, QChar decimalPoint)
{
    if (value == 0) // also -0
        return QStringLiteral("0");
    char buf[40];
    // d.dddddddddddddde±x: correctly rounded to 15 significant digits
    auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14).ptr;
    std::string_view text(buf, end - buf);
    bool negative = text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    size_t e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(), exponent);
    std::string digits;
    digits += text[0];
    digits.append(text.substr(2, e - 2));
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    QString out;
    if (negative)
        out += QLatin1Char('-');
    if (exponent < -5 || exponent >= 15) {
        out += QLatin1Char(digits[0]);
        if (digits.size() > 1) {
            out += decimalPoint;
            out += QLatin1StringView(digits.data() + 1, qsizetype(digits.size() - 1));
        }
        out += exponent < 0 ? QLatin1StringView("E-") : QLatin1StringView("E+");
        out += QString::number(std::abs(exponent));
    } else if (exponent < 0) {
        out += QLatin1Char('0');
        out += decimalPoint;
        out += QString(-exponent - 1, QLatin1Char('0'));
        out += QLatin1StringView(digits.data(), qsizetype(digits.size()));
    } else {
        size_t whole = size_t(exponent) + 1;
        if (digits.size() < whole)
            digits.append(whole - digits.size(), '0');
        out += QLatin1StringView(digits.data(), qsizetype(whole));
        if (digits.size() > whole) {
            out += decimalPoint;
            out += QLatin1StringView(digits.data() + whole, qsizetype(digits.size() - whole));
        }
    }
    return out;
}

QString cellName(uint32_t row, uint32_t col)
{
    QString letters;
    for (uint64_t n = uint64_t(col) + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QLatin1Char(char('A' + (n - 1) % 26)));
    return letters + QString::number(uint64_t(row) + 1);
}

} // namespace sheets
