#include "ui/string_grid.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTimer>
#include <stdexcept>

void StringGridModel::resize(int cols, int rows)
{
    cols = std::max(cols, 0);
    rows = std::max(rows, 0);
    if (cols == cols_ && rows == rows_)
        return;
    std::vector<QString> cells(static_cast<size_t>(cols) * rows);
    for (int r = 0; r < std::min(rows, rows_); ++r)
        for (int c = 0; c < std::min(cols, cols_); ++c)
            cells[static_cast<size_t>(r) * cols + c] = std::move(cells_[static_cast<size_t>(r) * cols_ + c]);
    beginResetModel();
    cells_ = std::move(cells);
    cols_ = cols;
    rows_ = rows;
    endResetModel();
}

void StringGridModel::setFixedRows(int rows)
{
    beginResetModel();
    fixedRows_ = std::clamp(rows, 0, 1);
    endResetModel();
}

size_t StringGridModel::offset(int col, int row) const
{
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_)
        throw std::out_of_range("grid cell outside the grid");
    return static_cast<size_t>(row) * cols_ + col;
}

const QString &StringGridModel::cell(int col, int row) const
{
    return cells_[offset(col, row)];
}

void StringGridModel::setCell(int col, int row, const QString &text)
{
    cells_[offset(col, row)] = text;
    scheduleReset();
}

void StringGridModel::clearCells()
{
    for (QString &text : cells_)
        text.clear();
    scheduleReset();
}

// A list fills thousands of cells in one handler: repaint once, after it.
void StringGridModel::scheduleReset()
{
    if (resetPending_)
        return;
    resetPending_ = true;
    QTimer::singleShot(0, this, [this] {
        resetPending_ = false;
        if (rows_ > fixedRows_ && cols_ > 0)
            emit dataChanged(index(0, 0), index(rows_ - fixedRows_ - 1, cols_ - 1));
        if (cols_ > 0)
            emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
    });
}

int StringGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : std::max(rows_ - fixedRows_, 0);
}

int StringGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : cols_;
}

QVariant StringGridModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return cell(index.column(), index.row() + fixedRows_);
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || fixedRows_ == 0 || section >= cols_ ||
        rows_ == 0)
        return {};
    return cell(section, 0);
}

StringGrid::StringGrid(QWidget *parent) : QTableView(parent), frozen_(new QTableView(this))
{
    setModel(&model_);
    setEditTriggers(NoEditTriggers);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setHorizontalScrollMode(ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(defaultRowHeight_);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setVisible(false);
    setWordWrap(false);

    frozen_->setModel(&model_);
    frozen_->setSelectionModel(selectionModel());
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->setEditTriggers(NoEditTriggers);
    frozen_->setSelectionBehavior(SelectRows);
    frozen_->verticalHeader()->hide();
    frozen_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->verticalHeader()->setDefaultSectionSize(defaultRowHeight_);
    frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->horizontalHeader()->setHighlightSections(false);
    frozen_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setStyleSheet("QTableView { border: none; }");
    frozen_->setWordWrap(false);
    frozen_->hide();
    connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int col, int, int size) {
        if (col < fixedCols_)
            frozen_->setColumnWidth(col, size);
        placeFrozenView();
    });
    connect(&model_, &QAbstractItemModel::modelReset, this, &StringGrid::applyColumns);
}

void StringGrid::setColCount(int cols)
{
    model_.resize(cols, model_.rowCount());
    widths_.resize(static_cast<size_t>(std::max(cols, 0)), 64);
    applyColumns();
}

void StringGrid::setRowCount(int rows)
{
    model_.resize(model_.colCount(), rows);
}

void StringGrid::setFixedCols(int cols)
{
    fixedCols_ = std::max(cols, 0);
    applyColumns();
}

void StringGrid::setFixedRows(int rows)
{
    model_.setFixedRows(rows);
}

int StringGrid::colWidth(int col) const
{
    return widths_.at(static_cast<size_t>(col));
}

void StringGrid::setColWidth(int col, int width)
{
    widths_.at(static_cast<size_t>(col)) = width;
    applyColumns();
}

void StringGrid::setDefaultRowHeight(int height)
{
    defaultRowHeight_ = height;
    verticalHeader()->setDefaultSectionSize(height);
    frozen_->verticalHeader()->setDefaultSectionSize(height);
}

int StringGrid::currentRow() const
{
    QModelIndex index = currentIndex();
    return index.isValid() ? index.row() + model_.fixedRows() : (model_.rowCount() > 1 ? 1 : 0);
}

QString StringGrid::selectedCell(int col) const
{
    const int row = currentRow();
    if (row < model_.fixedRows() || row >= model_.rowCount() || col < 0 || col >= model_.colCount())
        return {};
    return model_.cell(col, row);
}

void StringGrid::setCurrentRow(int row)
{
    setCurrentIndex(model_.index(row - model_.fixedRows(), std::min(fixedCols_, model_.colCount() - 1)));
}

// Hidden by width 0, shown at its width otherwise; fixed columns show in the overlay.
void StringGrid::applyColumns()
{
    horizontalHeader()->setVisible(model_.fixedRows() > 0);
    frozen_->horizontalHeader()->setVisible(model_.fixedRows() > 0);
    for (int c = 0; c < model_.colCount(); ++c) {
        int width = c < static_cast<int>(widths_.size()) ? widths_[static_cast<size_t>(c)] : 64;
        setColumnHidden(c, width == 0);
        frozen_->setColumnHidden(c, width == 0 || c >= fixedCols_);
        if (width > 0) {
            setColumnWidth(c, width);
            frozen_->setColumnWidth(c, width);
        }
    }
    frozen_->setVisible(fixedCols_ > 0 && model_.colCount() > 0);
    placeFrozenView();
}

void StringGrid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    placeFrozenView();
}

void StringGrid::updateGeometries()
{
    QTableView::updateGeometries();
    placeFrozenView();
}

void StringGrid::placeFrozenView()
{
    int width = 0;
    for (int c = 0; c < std::min(fixedCols_, model_.colCount()); ++c)
        if (!isColumnHidden(c))
            width += columnWidth(c);
    frozen_->setGeometry(frameWidth(), frameWidth(), width,
                         viewport()->height() +
                             (horizontalHeader()->isVisible() ? horizontalHeader()->height() : 0));
}
