// Number texts: the display formats of text objects and amounts in words.
#pragma once

#include "report_engine/design.h"

#include <QString>

namespace report_engine {

// A display format read once and applied to many values. A value that is not
// a number, and any value under an empty or unknown pattern, stays unchanged.
// The width digits of a pattern are accepted but do not pad: cells align
// their text themselves.
class NumberFormatter {
public:
    explicit NumberFormatter(const DisplayFormat &format);
    QString apply(const QString &value) const;

private:
    DisplayFormat format_;
    bool active_ = false;
    bool grouped_ = false;
    int decimals_ = 0;
};

inline QString applyDisplayFormat(const QString &value, const DisplayFormat &format)
{
    return NumberFormatter(format).apply(value);
}

// A whole rupiah amount in Indonesian words, lower case: 1250000 gives
// "satu juta dua ratus lima puluh ribu". Fractions are dropped.
QString terbilang(double amount);

// Parses a value the way expressions read numbers: C locale, blank is zero.
bool parseNumber(const QString &text, double &value);

} // namespace report_engine
