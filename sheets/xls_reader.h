// The .xls reader: BIFF8 records of the "Workbook" stream of a compound file.
#pragma once

#include "sheet_builder.h"

#include <QByteArray>

namespace sheets {

// Feeds the first worksheet's cells to the builder; throws ReadError.
void readXls(const QByteArray &file, SheetBuilder &sheet);

} // namespace sheets
