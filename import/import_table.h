// The table the import sends: the first seven columns of every row of the
// first worksheet's used range, as text, beside what the reader said of each
// cell's kind. Also the Indonesian words for every way a read fails.
#pragma once

#include "sheets/sheets.h"

#include <QList>
#include <QStringList>

namespace importing {

// The import takes this many columns, in this order: NIK, full name, salary,
// the 4 % and 1 % amounts, remuneration, incentive.
inline constexpr int columns = 7;
enum Column { nik, name, salary, bpjs4, bpjs1, remuneration, incentive };

// Rows of text cells; the used range's top-left cell is row 0, column 0.
using Table = QList<QStringList>;

// Bit c stands for column c of a row.
struct RowKinds {
    uint8_t numbers = 0; // the cell held a number
    uint8_t dates = 0;   // ... formatted as a date or a time
};

struct ImportTable {
    Table rows;
    QList<RowKinds> kinds; // beside each row
    uint32_t firstRow = 1; // the spreadsheet's own number of rows[0]
    qsizetype sheetRow(qsizetype r) const { return qsizetype(firstRow) + r; }
};

struct ReadResult {
    ImportTable table;
    QString error; // the failure's message, for the operator; empty when the read succeeded
    bool ok() const { return error.isEmpty(); }
};

// Cell to text: empty gives "", text its text, a number its general form with
// at most 15 significant digits and QLocale::system()'s decimal separator
// ("5000000", "0.5", "3.20123456789012E+15"), a boolean "TRUE" or "FALSE".
// Fails when the used range is narrower than seven columns or is one single
// cell, and on every failure of the reader; only error cells inside the seven
// columns fail the read.
ReadResult readImportTable(const QString &fileName);

// The operator's words for a failed read.
QString failureMessage(const sheets::Failure &failure);

} // namespace importing
