// Reads the used range of the first worksheet of an .xls (BIFF8) or .xlsx file
// as typed cells. Knows nothing of the database, of widgets or of what the
// cells mean: callers word the failures and turn cells into their own values.
#pragma once

#include <QList>
#include <QString>
#include <climits>
#include <cstdint>
#include <optional>
#include <vector>

namespace sheets {

enum class CellKind : uint8_t { Empty, Text, Number, Boolean };

// A number's display format as the file names it: its number (the built-in
// formats are numbered below 164) and its code ("General", "#,##0",
// "d/m/yyyy"). The code is empty for a built-in format the file format leaves
// to the locale (27 to 36 and 50 to 58, East Asian dates).
struct NumberFormat {
    uint32_t id = 0;
    QString code = QStringLiteral("General");
    bool operator==(const NumberFormat &) const = default;
};

struct Cell {
    CellKind kind = CellKind::Empty;
    uint16_t format = 0; // a Number's format: an index into Sheet::formats
    double number = 0;   // a Number's value; a Boolean's 1 or 0
    QString text;        // a Text's characters
};

struct Sheet {
    // The used range's top-left cell in the sheet, zero-based ("B3" is row 2, column 1).
    uint32_t firstRow = 0;
    uint32_t firstColumn = 0;
    // The used range's full width, whatever the rows were cut to.
    int usedColumns = 1;
    bool singleCell = true;
    // Row r, column c of the used range; every row has the same number of cells.
    QList<QList<Cell>> rows;
    std::vector<NumberFormat> formats{NumberFormat{}};

    const NumberFormat &formatOf(const Cell &cell) const { return formats[cell.format]; }
};

enum class FailureKind {
    CannotOpen,  // detail: the file name
    TooLarge,    // the file, a part of it, or its cells are beyond what is read
    Damaged,     // damaged or truncated
    NotExcel,    // a file of another kind
    OldVersion,  // Excel 95 or older
    Encrypted,   // protected by a password
    NoWorksheet, // a workbook without a worksheet
    ErrorCell,   // cell: its name; detail: its error code ("#N/A")
    CellTooLong, // cell: its name; a text beyond maxCellText characters
};

struct Failure {
    FailureKind kind;
    QString cell;
    QString detail;
    bool operator==(const Failure &) const = default;
};

struct ReadResult {
    // On an ErrorCell or CellTooLong failure it still gives the range's shape
    // (origin, usedColumns, singleCell), without rows.
    Sheet sheet;
    std::optional<Failure> failure;
    bool ok() const { return !failure; }
};

// What a cell of the spreadsheet format may hold.
inline constexpr qsizetype maxCellText = 32767;

// The used range: the rectangle from the first to the last row and column
// holding a value (a formatted empty cell does not count), cut to its first
// `columns` columns; an error cell inside those fails the read (the first in
// column order). A sheet without any value gives one empty cell. The format is
// taken from the file's first bytes, not its name.
ReadResult readFirstSheet(const QString &fileName, int columns = INT_MAX);

// "A1" style name of a zero-based cell position.
QString cellName(uint32_t row, uint32_t col);

} // namespace sheets
