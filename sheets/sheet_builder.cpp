#include "sheet_builder.h"

#include "read_error.h"

#include <cmath>

namespace sheets {

const QString &SheetBuilder::tooLong()
{
    // Never a cell's text: no reader hands out a lone low surrogate.
    static const QString marker(1, QChar(0xDC00));
    return marker;
}

void SheetBuilder::text(uint32_t row, uint32_t col, QString text)
{
    if (text.size() > maxCellText || text.isSharedWith(tooLong()))
        add(row, col, tooLong_, 0, 0, {});
    else
        add(row, col, CellKind::Text, 0, 0, std::move(text));
}

void SheetBuilder::number(uint32_t row, uint32_t col, double value, uint16_t format)
{
    if (std::isfinite(value))
        add(row, col, CellKind::Number, format, value, {});
    else
        add(row, col, error_, 0, 0, QStringLiteral("#NUM!"));
}

uint16_t SheetBuilder::addFormat(NumberFormat format)
{
    if (formats_.size() > UINT16_MAX)
        throwTooLarge();
    formats_.push_back(std::move(format));
    return uint16_t(formats_.size() - 1);
}

void SheetBuilder::add(uint32_t row, uint32_t col, CellKind kind, uint16_t format, double number,
                       QString text)
{
    if (cells_.size() >= maxCells)
        throwTooLarge();
    cells_.push_back({row, col, {kind, format, number, std::move(text)}});
}

SheetBuilder::Range SheetBuilder::usedRange() const
{
    Range range;
    for (const Placed &placed : cells_) {
        if (!placed.holdsValue())
            continue;
        range.top = std::min(range.top, placed.row);
        range.left = std::min(range.left, placed.col);
        range.bottom = std::max(range.bottom, placed.row);
        range.right = std::max(range.right, placed.col);
    }
    return range;
}

ReadResult SheetBuilder::result(int maxColumns)
{
    ReadResult result;
    Sheet &sheet = result.sheet;
    Range range = usedRange();
    if (range.empty()) {
        sheet.rows = {QList<Cell>(1)};
        return result;
    }
    sheet.firstRow = range.top;
    sheet.firstColumn = range.left;
    uint64_t width = uint64_t(range.right) - range.left + 1;
    sheet.usedColumns = int(std::min<uint64_t>(width, INT_MAX));
    sheet.singleCell = range.top == range.bottom && width == 1;
    uint64_t rows = uint64_t(range.bottom) - range.top + 1;
    uint64_t cols = std::min<uint64_t>(width, uint64_t(maxColumns));
    if (rows * cols > maxCells)
        throwTooLarge();

    // The first failing cell in the order the cells are converted: column by column.
    const Placed *firstFailure = nullptr;
    for (const Placed &placed : cells_) {
        if ((placed.cell.kind != error_ && placed.cell.kind != tooLong_) || placed.col - range.left >= cols)
            continue;
        if (!firstFailure ||
            std::pair(placed.col, placed.row) < std::pair(firstFailure->col, firstFailure->row))
            firstFailure = &placed;
    }
    if (firstFailure) {
        QString name = cellName(firstFailure->row, firstFailure->col);
        if (firstFailure->cell.kind == error_)
            result.failure = Failure{FailureKind::ErrorCell, name, firstFailure->cell.text};
        else
            result.failure = Failure{FailureKind::CellTooLong, name, {}};
        return result;
    }

    // Each row a list of its own from the start, not a shared one detached cell by cell.
    sheet.rows.reserve(qsizetype(rows));
    for (uint64_t r = 0; r < rows; ++r)
        sheet.rows.emplace_back(qsizetype(cols));
    for (Placed &placed : cells_) {
        if (placed.row < range.top || placed.row > range.bottom || placed.col < range.left ||
            placed.col - range.left >= cols || !placed.holdsValue())
            continue;
        sheet.rows[placed.row - range.top][placed.col - range.left] = std::move(placed.cell);
    }
    cells_.clear();
    sheet.formats = std::move(formats_);
    return result;
}

QString cellName(uint32_t row, uint32_t col)
{
    QString letters;
    for (uint64_t n = uint64_t(col) + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QLatin1Char(char('A' + (n - 1) % 26)));
    return letters + QString::number(uint64_t(row) + 1);
}

} // namespace sheets
