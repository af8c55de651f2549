// Collects the cells a reader finds and lays out the used range as text.
#pragma once

#include "sheets.h"

#include <cstdint>
#include <vector>

namespace sheets {

// Far beyond any real contribution list, well below what would exhaust memory;
// it bounds the cells and the shared strings a file may bring.
inline constexpr size_t maxCells = 4'000'000;

class SheetBuilder {
public:
    void text(uint32_t row, uint32_t col, QString text) { add(row, col, Kind::Text, 0, std::move(text)); }
    void number(uint32_t row, uint32_t col, double value);
    void boolean(uint32_t row, uint32_t col, bool value) { add(row, col, Kind::Boolean, value, {}); }
    void error(uint32_t row, uint32_t col, QString code) { add(row, col, Kind::Error, 0, std::move(code)); }

    // The used range, cut to its first maxColumns columns. Throws on an error
    // cell inside them, and when the table would be unreasonably large.
    Table table(int maxColumns) const;
    // The used range's width and whether it is one single cell.
    int usedColumns() const;
    bool singleCell() const;

private:
    enum class Kind : uint8_t { Text, Number, Boolean, Error };
    struct Cell {
        uint32_t row;
        uint32_t col;
        Kind kind;
        double number;
        QString text;
        bool holdsValue() const { return kind != Kind::Text || !text.isEmpty(); }
    };
    struct Range {
        uint32_t top = UINT32_MAX, left = UINT32_MAX, bottom = 0, right = 0;
        bool empty() const { return top == UINT32_MAX; }
    };

    void add(uint32_t row, uint32_t col, Kind kind, double number, QString text);
    Range usedRange() const;

    std::vector<Cell> cells_;
};

} // namespace sheets
