// What the engine needs of a data source. The host keeps ownership; the
// engine opens a closed source when a report needs it and leaves it open.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace report_engine {

class Dataset {
public:
    virtual ~Dataset() = default;

    // The name templates use: [Orders."amount"].
    virtual QString userName() const = 0;
    // Valid once open.
    virtual QStringList fieldNames() const = 0;
    virtual bool isOpen() const = 0;
    // Returns false when the source cannot be opened; the report then fails with openError().
    virtual bool open() = 0;
    virtual QString openError() const { return {}; }
    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;
    // Value of the current row; only asked for names fieldNames() lists.
    virtual QString value(const QString &field) const = 0;
};

// Rows held in memory: for the command-line renderer, tests and benchmarks.
class TableDataset : public Dataset {
public:
    TableDataset(QString userName, QStringList fields, QList<QStringList> rows = {});

    void appendRow(QStringList row) { rows_.append(std::move(row)); }

    QString userName() const override { return userName_; }
    QStringList fieldNames() const override { return fields_; }
    bool isOpen() const override { return open_; }
    bool open() override;
    void first() override { row_ = 0; }
    void next() override { ++row_; }
    bool eof() const override { return row_ >= rows_.size(); }
    QString value(const QString &field) const override;

private:
    QString userName_;
    QStringList fields_;
    QHash<QString, qsizetype> columns_;
    QList<QStringList> rows_;
    qsizetype row_ = 0;
    bool open_ = false;
};

} // namespace report_engine
