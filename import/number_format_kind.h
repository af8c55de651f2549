// Whether a number's format shows it as a date or a time: such a number is a
// day count (45306 is 15 January 2024), never an amount or a NIK.
#pragma once

#include "sheets/sheets.h"

namespace importing {

// One of the built-in date and time formats, or a code that still holds d, m,
// y, h or s once quoted text, backslash-escaped characters, the character
// after _ or *, and bracketed sections other than [h], [m] and [s] are dropped.
bool isDateOrTime(const sheets::NumberFormat &format);

} // namespace importing
