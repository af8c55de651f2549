// The steps behind readFirstSheet, open to the fuzz targets: a reader of bytes
// and the sheet made of what it found.
#pragma once

#include "sheet_builder.h"

#include <QByteArray>

namespace sheets {

using Reader = void (*)(const QByteArray &bytes, SheetBuilder &sheet);

// Picks the reader by the first bytes.
void readAnyFormat(const QByteArray &bytes, SheetBuilder &sheet);

ReadResult sheetOf(const QByteArray &bytes, Reader reader, int columns);

} // namespace sheets
