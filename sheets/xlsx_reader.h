// The .xlsx reader: workbook, relationships, shared strings and the first
// worksheet's XML, out of the zip package.
#pragma once

#include "sheet_builder.h"

#include <QByteArray>

namespace sheets {

// Feeds the first worksheet's cells to the builder; throws ReadError.
void readXlsx(const QByteArray &file, SheetBuilder &sheet);

} // namespace sheets
