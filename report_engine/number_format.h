// Number texts: the display formats of text objects and amounts in words.
#pragma once

#include "report_engine/design.h"

#include <QString>

namespace report_engine {

// Applies a display format to one expression value. A value that is not a
// number, and any value under an empty pattern, is returned unchanged.
QString applyDisplayFormat(const QString &value, const DisplayFormat &format);

// A whole rupiah amount in Indonesian words, lower case: 1250000 gives
// "satu juta dua ratus lima puluh ribu". Fractions are dropped.
QString terbilang(double amount);

// Parses a value the way expressions read numbers: C locale, blank is zero.
bool parseNumber(const QString &text, double &value);

} // namespace report_engine
