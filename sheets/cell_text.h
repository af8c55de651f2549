// The cell-to-text rules the import relies on.
#pragma once

#include <QString>

namespace sheets {

// General form with at most 15 significant digits: plain digits up to 15 before
// the separator and down to 0.00001, exponent form ("1.5E+20", "1E-6") beyond.
QString numberText(double value, QChar decimalPoint);

// "A1" style name of a zero-based cell position.
QString cellName(uint32_t row, uint32_t col);

} // namespace sheets
