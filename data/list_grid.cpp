#include "data/list_grid.h"

#include "data/query.h"

void emptyListGrid(StringGrid &grid)
{
    grid.clearCells();
    grid.setColCount(2);
    grid.setRowCount(2);
    grid.setFixedCols(1);
    grid.setFixedRows(1);
}

void fillListGrid(StringGrid &grid, Query &query, const std::vector<ListColumn> &columns, int fixedCols,
                  int numberWidth)
{
    const int colCount = static_cast<int>(columns.size()) + 2;
    grid.setColCount(colCount);
    grid.setRowCount(query.rowCount() + 1);
    grid.setFixedCols(fixedCols);
    grid.setFixedRows(1);
    grid.setColWidth(0, 0);
    grid.setColWidth(1, numberWidth);
    grid.setCell(0, 0, QString());
    grid.setCell(1, 0, QStringLiteral("No."));
    for (int c = 2; c < colCount; ++c) {
        const ListColumn &column = columns[static_cast<size_t>(c - 2)];
        grid.setColWidth(c, column.width);
        grid.setCell(c, 0, column.title);
    }
    // Each field's place, looked up at its first cell rather than at every
    // cell; a missing field fails there, with the row filled up to it.
    auto text = [&query](int &place, const QString &field) {
        if (place < 0)
            place = query.fieldIndex(field);
        return query.fieldAt(place);
    };
    int idPlace = -1;
    std::vector<int> places(columns.size(), -1);
    for (query.first(); !query.eof(); query.next()) {
        const int row = query.recNo();
        grid.setCell(0, row, text(idPlace, QStringLiteral("id")));
        grid.setCell(1, row, QString::number(row));
        for (int c = 2; c < colCount; ++c) {
            const ListColumn &column = columns[static_cast<size_t>(c - 2)];
            const QString value = text(places[static_cast<size_t>(c - 2)], column.field);
            grid.setCell(c, row, column.shown ? column.shown(value) : value);
        }
    }
}
