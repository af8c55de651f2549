// The statement pattern every screen follows: close, set the text, set each named
// parameter, open (rows) or execute (none), then walk the stored result.
#pragma once

#include "data/statement_text.h"

#include <QDateTime>
#include <QStringList>
#include <QVariant>
#include <map>
#include <memory>
#include <vector>

class Connection;

// A whole result set, stored as text.
struct QueryResult {
    QStringList fieldNames;
    std::vector<QStringList> rows;
    int indexOf(const QString &field) const;
};

class Query {
public:
    explicit Query(Connection &connection);
    ~Query();
    Query(const Query &) = delete;
    Query &operator=(const Query &) = delete;

    void close();
    void setSql(const QString &text);
    const QString &sql() const { return text_; }
    void setText(const QString &name, const QString &value);
    void setInt(const QString &name, qint64 value);
    void setDateTime(const QString &name, const QDateTime &value);

    // Runs a statement that returns a result set; opens the connection when it is
    // closed. Throws DbError, also when the statement gives no result set.
    void open();
    // Runs a statement that returns no rows.
    void execute();
    // Runs one statement without parameters through the text protocol, as it
    // stands: the import's insert, whose values the caller escaped.
    void executeDirect(const QByteArray &sql);

    bool isOpen() const { return open_; }
    int rowCount() const { return static_cast<int>(result_.rows.size()); }
    unsigned long long rowsAffected() const { return affected_; }
    void first() { row_ = 0; }
    void next() { ++row_; }
    bool eof() const { return row_ >= rowCount(); }
    // 1-based number of the current row.
    int recNo() const { return row_ + 1; }
    // Throws DbError for a column the result lacks; empty text when past the rows.
    QString field(const QString &name) const;
    QString fieldAt(int index) const;
    // The column's place, for fieldAt; throws DbError for a column the result lacks.
    int fieldIndex(const QString &name) const;
    const QueryResult &result() const { return result_; }

private:
    void ensureConnected();
    void run(bool wantRows);
    void runText(const QByteArray &sql);

    Connection &connection_;
    QString text_;
    StatementText statement_;
    std::map<QString, QVariant> values_;
    QueryResult result_;
    unsigned long long affected_ = 0;
    int row_ = 0;
    bool open_ = false;
};
