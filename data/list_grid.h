// The common layout of the list grids: hidden id in column 0, "No." in column 1,
// the screen's columns after them, titles in row 0.
#pragma once

#include "ui/string_grid.h"

#include <functional>
#include <vector>

class Query;

struct ListColumn {
    QString title;
    int width;
    QString field;
    // How the field's text is shown; as it comes when empty.
    std::function<QString(const QString &)> shown = {};
};

// Clears every cell, then two columns by two rows with one fixed column and row.
void emptyListGrid(StringGrid &grid);

// Lays the grid out for the open query's rows and fills it from the first row on.
void fillListGrid(StringGrid &grid, Query &query, const std::vector<ListColumn> &columns, int fixedCols,
                  int numberWidth = 30);
