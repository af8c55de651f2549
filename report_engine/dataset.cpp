#include "report_engine/dataset.h"

namespace report_engine {

TableDataset::TableDataset(QString userName, QStringList fields, QList<QStringList> rows)
    : userName_(std::move(userName)), fields_(std::move(fields)), rows_(std::move(rows))
{
    for (qsizetype i = 0; i < fields_.size(); ++i)
        columns_.insert(fields_[i], i);
}

bool TableDataset::open()
{
    open_ = true;
    row_ = 0;
    return true;
}

QString TableDataset::value(const QString &field) const
{
    const qsizetype column = columns_.value(field, -1);
    if (eof() || column < 0)
        return {};
    return rows_[row_].value(column);
}

} // namespace report_engine
