// The cell-to-text rules of the import.
#pragma once

#include "sheets/sheets.h"

#include <QString>

namespace importing {

// General form with at most 15 significant digits: plain digits up to 15 before
// the separator and down to 0.00001, exponent form ("1.5E+20", "1E-6") beyond.
QString numberText(double value, QChar decimalPoint);

// Empty gives "", text its text, a number numberText, a boolean "TRUE" or "FALSE".
QString cellText(const sheets::Cell &cell, QChar decimalPoint);

// The text without blanks and control characters at both ends.
QString trimmedOfBlanksAndControls(const QString &text);

// The name as the import stores it: apostrophes become backticks, blanks and
// control characters at both ends go.
QString preparedName(const QString &name);

} // namespace importing
