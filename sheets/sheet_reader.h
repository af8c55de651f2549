// The steps behind the public calls, open to the fuzz targets: a reader of
// bytes and the table made of what it found.
#pragma once

#include "sheet_builder.h"

#include <QByteArray>

namespace sheets {

using Reader = void (*)(const QByteArray &bytes, SheetBuilder &sheet);

// Picks the reader by the first bytes.
void readAnyFormat(const QByteArray &bytes, SheetBuilder &sheet);

// The whole used range, or with forImport its first importColumns columns.
ReadResult tableOf(const QByteArray &bytes, Reader reader, bool forImport);

} // namespace sheets
