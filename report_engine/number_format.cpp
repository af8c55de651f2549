#include "report_engine/number_format.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace report_engine {

namespace {

QString groupDigits(const QString &digits, const QString &separator)
{
    QString out;
    out.reserve(digits.size() + digits.size() / 3 * separator.size());
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return out;
}

const char *const units[] = {"",     "satu", "dua",   "tiga",    "empat",
                             "lima", "enam", "tujuh", "delapan", "sembilan"};

// 0..999 in words, empty for 0.
QStringList hundredsInWords(int n)
{
    QStringList words;
    const int hundreds = n / 100, rest = n % 100;
    if (hundreds == 1)
        words << QStringLiteral("seratus");
    else if (hundreds > 1)
        words << QLatin1String(units[hundreds]) << QStringLiteral("ratus");
    if (rest == 10)
        words << QStringLiteral("sepuluh");
    else if (rest == 11)
        words << QStringLiteral("sebelas");
    else if (rest > 11 && rest < 20)
        words << QLatin1String(units[rest - 10]) << QStringLiteral("belas");
    else {
        if (rest >= 20)
            words << QLatin1String(units[rest / 10]) << QStringLiteral("puluh");
        if (rest % 10)
            words << QLatin1String(units[rest % 10]);
    }
    return words;
}

} // namespace

// Plain whole numbers, the common case for amounts, without the cost of a
// general conversion: an optional minus sign and up to 15 digits.
bool parseWholeNumber(QStringView text, double &value)
{
    const bool negative = text.startsWith(QLatin1Char('-'));
    const QStringView digits = negative ? text.mid(1) : text;
    if (digits.isEmpty() || digits.size() > 15)
        return false;
    qint64 n = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        n = n * 10 + (c.unicode() - '0');
    }
    value = double(negative ? -n : n);
    return true;
}

bool parseNumber(const QString &text, double &value)
{
    const QStringView trimmed = QStringView(text).trimmed();
    if (trimmed.isEmpty()) {
        value = 0;
        return true;
    }
    if (parseWholeNumber(trimmed, value))
        return true;
    bool ok = false;
    value = trimmed.toDouble(&ok);
    return ok && std::isfinite(value);
}

NumberFormatter::NumberFormatter(const DisplayFormat &format) : format_(format)
{
    static const QRegularExpression pattern(QStringLiteral("^%\\d*(?:\\.(\\d+))?([nfd])$"));
    const QRegularExpressionMatch m = pattern.match(format.pattern);
    if (!m.hasMatch())
        return;
    active_ = true;
    const QChar kind = m.captured(2).at(0);
    grouped_ = kind == QLatin1Char('n');
    decimals_ = kind == QLatin1Char('d') ? 0 : m.captured(1).isEmpty() ? 2 : m.captured(1).toInt();
}

QString NumberFormatter::apply(const QString &value) const
{
    double number = 0;
    if (!active_ || value.trimmed().isEmpty() || !parseNumber(value, number))
        return value;
    const QString text = QString::number(std::fabs(number), 'f', decimals_);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? text : text.left(point);
    QString out = grouped_ ? groupDigits(whole, format_.thousandSeparator) : whole;
    if (point >= 0)
        out += format_.decimalSeparator + text.mid(point + 1);
    const bool negative = number < 0 && std::any_of(text.begin(), text.end(), [](QChar c) {
                              return c >= QLatin1Char('1') && c <= QLatin1Char('9');
                          });
    return negative ? QLatin1Char('-') + out : out;
}

QString terbilang(double amount)
{
    auto n = static_cast<long long>(std::llround(std::trunc(std::fabs(amount))));
    if (n == 0)
        return QStringLiteral("nol");
    static const char *const scales[] = {"", "ribu", "juta", "miliar", "triliun", "kuadriliun", "kuintiliun"};
    QStringList groups;
    for (int scale = 0; n > 0; ++scale, n /= 1000) {
        const int group = int(n % 1000);
        if (group == 0)
            continue;
        QStringList words;
        if (scale == 1 && group == 1)
            words << QStringLiteral("seribu");
        else {
            words = hundredsInWords(group);
            if (scale > 0)
                words << QLatin1String(scales[scale]);
        }
        groups.prepend(words.join(QLatin1Char(' ')));
    }
    QString text = groups.join(QLatin1Char(' '));
    return amount <= -1 ? QStringLiteral("minus ") + text : text;
}

} // namespace report_engine
