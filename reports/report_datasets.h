// The datasets a report template can read.
#pragma once

#include "data/query.h"
#include "report_engine/dataset.h"

// The 28 fields of a processing result, in their order.
extern const QStringList processedFieldNames;

// "frxReport": the rows of one processing run, kept apart from the query so that
// closing the connection does not discard them. The rows are the caller's.
class ProcessedRowsDataset : public report_engine::Dataset {
public:
    void use(const QueryResult &result);

    QString userName() const override { return QStringLiteral("frxReport"); }
    // The 28 fields the result carries; one it lacks is a field not found.
    QStringList fieldNames() const override { return fields_; }
    bool isOpen() const override { return true; }
    bool open() override { return true; }
    void first() override { row_ = 0; }
    void next() override { ++row_; }
    bool eof() const override { return !rows_ || row_ >= rows_->rows.size(); }
    QString value(const QString &field) const override;

private:
    const QueryResult *rows_ = nullptr;
    QStringList fields_;
    QHash<QString, int> columns_;
    size_t row_ = 0;
};

// A dataset over a query of the data module, opened (with the connection on
// demand) only when a template uses it, and left open.
class QueryDataset : public report_engine::Dataset {
public:
    QueryDataset(QString userName, Query &query, QString statement);

    QString userName() const override { return userName_; }
    QStringList fieldNames() const override { return query_.result().fieldNames; }
    bool isOpen() const override { return query_.isOpen(); }
    bool open() override;
    QString openError() const override { return error_; }
    void first() override { query_.first(); }
    void next() override { query_.next(); }
    bool eof() const override { return query_.eof(); }
    QString value(const QString &field) const override { return query_.field(field); }

private:
    QString userName_;
    Query &query_;
    QString statement_;
    QString error_;
};
