#include "sheet_builder.h"

#include "cell_text.h"
#include "read_error.h"

#include <QLocale>
#include <cmath>

namespace sheets {

namespace {

const QString trueText = QStringLiteral("TRUE");
const QString falseText = QStringLiteral("FALSE");

} // namespace

void SheetBuilder::number(uint32_t row, uint32_t col, double value)
{
    if (std::isfinite(value))
        add(row, col, Kind::Number, value, {});
    else
        add(row, col, Kind::Error, 0, QStringLiteral("#NUM!"));
}

void SheetBuilder::add(uint32_t row, uint32_t col, Kind kind, double number, QString text)
{
    if (cells_.size() >= maxCells)
        throwTooLarge();
    cells_.push_back({row, col, kind, number, std::move(text)});
}

SheetBuilder::Range SheetBuilder::usedRange() const
{
    Range range;
    for (const Cell &cell : cells_) {
        if (!cell.holdsValue())
            continue;
        range.top = std::min(range.top, cell.row);
        range.left = std::min(range.left, cell.col);
        range.bottom = std::max(range.bottom, cell.row);
        range.right = std::max(range.right, cell.col);
    }
    return range;
}

int SheetBuilder::usedColumns() const
{
    Range range = usedRange();
    return range.empty() ? 1 : int(std::min<uint64_t>(uint64_t(range.right) - range.left + 1, INT32_MAX));
}

bool SheetBuilder::singleCell() const
{
    Range range = usedRange();
    return range.empty() || (range.top == range.bottom && range.left == range.right);
}

Table SheetBuilder::table(int maxColumns) const
{
    Range range = usedRange();
    if (range.empty())
        return Table{QStringList{QString()}};
    uint64_t rows = uint64_t(range.bottom) - range.top + 1;
    uint64_t cols = std::min<uint64_t>(uint64_t(range.right) - range.left + 1, uint64_t(maxColumns));
    if (rows * cols > maxCells)
        throwTooLarge();

    // The first error in the order the cells are converted: column by column.
    const Cell *firstError = nullptr;
    for (const Cell &cell : cells_) {
        if (cell.kind != Kind::Error || cell.col - range.left >= cols)
            continue;
        if (!firstError || std::pair(cell.col, cell.row) < std::pair(firstError->col, firstError->row))
            firstError = &cell;
    }
    if (firstError)
        throw ReadError{errorCellMessage(cellName(firstError->row, firstError->col), firstError->text)};

    QChar decimalPoint = QLocale::system().decimalPoint().front();
    QStringList emptyRow;
    emptyRow.resize(qsizetype(cols));
    Table table(qsizetype(rows), emptyRow);
    for (const Cell &cell : cells_) {
        if (cell.row < range.top || cell.row > range.bottom || cell.col < range.left ||
            cell.col - range.left >= cols)
            continue;
        QString &out = table[cell.row - range.top][cell.col - range.left];
        switch (cell.kind) {
        case Kind::Text:
            out = cell.text;
            break;
        case Kind::Number:
            out = numberText(cell.number, decimalPoint);
            break;
        case Kind::Boolean:
            out = cell.number != 0 ? trueText : falseText;
            break;
        case Kind::Error:
            break;
        }
    }
    return table;
}

} // namespace sheets
