// A grid of text cells addressed as cell(col, row). Row 0 is the title row when the
// grid has a fixed row; the first fixedCols columns stay in place when it scrolls
// sideways. A model, not one widget item per cell, so large lists load fast.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <vector>

class StringGridModel : public QAbstractTableModel {
public:
    int colCount() const { return cols_; }
    int rowCount() const { return rows_; }
    int fixedRows() const { return fixedRows_; }
    void resize(int cols, int rows);
    void setFixedRows(int rows);
    const QString &cell(int col, int row) const;
    void setCell(int col, int row, const QString &text);
    void clearCells();

    int rowCount(const QModelIndex &parent) const override;
    int columnCount(const QModelIndex &parent) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // Where the cell is stored; throws std::out_of_range outside the grid.
    size_t offset(int col, int row) const;
    void scheduleReset();

    int cols_ = 0;
    int rows_ = 0;
    int fixedRows_ = 0;
    std::vector<QString> cells_;
    bool resetPending_ = false;
};

class StringGrid : public QTableView {
    Q_OBJECT
public:
    explicit StringGrid(QWidget *parent = nullptr);

    int colCount() const { return model_.colCount(); }
    void setColCount(int cols);
    int rowCount() const { return model_.rowCount(); }
    void setRowCount(int rows);
    int fixedCols() const { return fixedCols_; }
    void setFixedCols(int cols);
    int fixedRows() const { return model_.fixedRows(); }
    void setFixedRows(int rows);
    int colWidth(int col) const;
    void setColWidth(int col, int width);
    int defaultRowHeight() const { return defaultRowHeight_; }
    void setDefaultRowHeight(int height);

    // Throws std::out_of_range outside the grid.
    const QString &cell(int col, int row) const { return model_.cell(col, row); }
    void setCell(int col, int row, const QString &text) { model_.setCell(col, row, text); }
    void clearCells() { model_.clearCells(); }

    // The grid row of the current cell (0 when there is no data row).
    int currentRow() const;
    // The text in that row's column; empty when the row or column is not in the grid.
    QString selectedCell(int col) const;
    void setCurrentRow(int row);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void updateGeometries() override;

private:
    void applyColumns();
    void placeFrozenView();

    StringGridModel model_;
    QTableView *frozen_;
    std::vector<int> widths_;
    int fixedCols_ = 0;
    int defaultRowHeight_ = 24;
};
