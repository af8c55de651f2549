// Collects the cells a reader finds and lays out the used range.
#pragma once

#include "sheets.h"

#include <algorithm>

namespace sheets {

// Far beyond any real contribution list, well below what would exhaust memory;
// it bounds the cells and the shared strings a file may bring.
inline constexpr size_t maxCells = 4'000'000;

class SheetBuilder {
public:
    // Stands for a text beyond maxCellText characters, which a reader does not keep.
    static const QString &tooLong();

    void text(uint32_t row, uint32_t col, QString text);
    // format: an index returned by addFormat, 0 for General.
    void number(uint32_t row, uint32_t col, double value, uint16_t format);
    void boolean(uint32_t row, uint32_t col, bool value) { add(row, col, CellKind::Boolean, 0, value, {}); }
    void error(uint32_t row, uint32_t col, QString code) { add(row, col, error_, 0, 0, std::move(code)); }

    // The index numbers of this format will carry.
    uint16_t addFormat(NumberFormat format);

    // Room for about this many cells, from the reader's guess by the size of
    // its data: growing a large vector step by step moves every cell each time.
    void expectCells(size_t cells) { cells_.reserve(std::min(cells, maxCells)); }

    // The used range, cut to its first maxColumns columns. An error cell or an
    // overlong text inside them fails it, with the range's shape still given.
    // Throws when the sheet would be unreasonably large.
    ReadResult result(int maxColumns);

private:
    // Error cells and overlong texts take kinds beyond CellKind's own.
    static constexpr CellKind error_ = CellKind(0x80);
    static constexpr CellKind tooLong_ = CellKind(0x81);
    struct Placed {
        uint32_t row;
        uint32_t col;
        Cell cell;
        bool holdsValue() const { return cell.kind != CellKind::Text || !cell.text.isEmpty(); }
    };
    struct Range {
        uint32_t top = UINT32_MAX, left = UINT32_MAX, bottom = 0, right = 0;
        bool empty() const { return top == UINT32_MAX; }
    };

    void add(uint32_t row, uint32_t col, CellKind kind, uint16_t format, double number, QString text);
    Range usedRange() const;

    std::vector<Placed> cells_;
    std::vector<NumberFormat> formats_{NumberFormat{}};
};

} // namespace sheets
