// Reads the first worksheet of an .xls (BIFF8) or .xlsx file as text cells.
// Knows nothing of the database or of widgets.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace sheets {

// Rows of text cells; the used range's top-left cell is row 0, column 0.
using Table = QList<QStringList>;

struct ReadResult {
    Table table;
    QString error; // the failure's message, in Indonesian; empty when the read succeeded
    bool ok() const { return error.isEmpty(); }
};

// The import takes this many columns, in this order: NIK, full name, salary,
// the 4 % and 1 % amounts, remuneration, incentive.
inline constexpr int importColumns = 7;

// Reads the used range of the first worksheet: the rectangle from the first to
// the last row and column holding a value (a formatted empty cell does not
// count). The format is taken from the file's first bytes, not its name.
// Cell to text: empty gives "", text its text, a number its general form with at
// most 15 significant digits and QLocale::system()'s decimal separator
// ("5000000", "0.5", "3.20123456789012E+15"), a boolean "TRUE" or "FALSE".
// Fails on an error cell (naming it, e.g. "C5"), on an older or encrypted
// workbook, on a file of another kind, and on a damaged or truncated file.
// A sheet without any value gives one empty cell.
ReadResult readFirstSheet(const QString &fileName);

// The table the import sends: the first importColumns columns of every row of
// the used range. Fails when the used range is narrower than importColumns or
// is one single cell; only error cells inside those columns fail the read.
ReadResult readImportTable(const QString &fileName);

} // namespace sheets
