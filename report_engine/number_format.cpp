#include "report_engine/number_format.h"

#include <QRegularExpression>
#include <QStringList>

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

QString formatNumber(double value, int decimals, bool grouped, const DisplayFormat &format)
{
    QString text = QString::number(std::fabs(value), 'f', decimals);
    const bool negative = value < 0 && text.contains(QRegularExpression(QStringLiteral("[1-9]")));
    QString whole = text.section(QLatin1Char('.'), 0, 0);
    const QString fraction = text.section(QLatin1Char('.'), 1);
    if (grouped)
        whole = groupDigits(whole, format.thousandSeparator);
    if (!fraction.isEmpty())
        whole += format.decimalSeparator + fraction;
    return negative ? QLatin1Char('-') + whole : whole;
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

bool parseNumber(const QString &text, double &value)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        value = 0;
        return true;
    }
    bool ok = false;
    value = trimmed.toDouble(&ok);
    return ok && std::isfinite(value);
}

QString applyDisplayFormat(const QString &value, const DisplayFormat &format)
{
    if (format.pattern.isEmpty() || value.trimmed().isEmpty())
        return value;
    static const QRegularExpression spec(QStringLiteral("^%(?:\\d*)(?:\\.(\\d+))?([nfd])$"));
    const QRegularExpressionMatch m = spec.match(format.pattern);
    double number = 0;
    if (!m.hasMatch() || !parseNumber(value, number))
        return value;
    const QChar kind = m.captured(2).at(0);
    const int decimals = kind == QLatin1Char('d') ? 0 : m.captured(1).isEmpty() ? 2 : m.captured(1).toInt();
    // The width digits are accepted but do not pad: cells align their text themselves.
    return formatNumber(number, decimals, kind == QLatin1Char('n'), format);
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
