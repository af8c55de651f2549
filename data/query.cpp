#include "data/query.h"

#include "data/connection.h"
#include "data/db_error.h"
#include "data/value_text.h"

#include <memory>
#include <mysql.h>

namespace {

struct StatementCloser {
    void operator()(MYSQL_STMT *statement) const { mysql_stmt_close(statement); }
};
using StatementHandle = std::unique_ptr<MYSQL_STMT, StatementCloser>;

[[noreturn]] void failStatement(MYSQL_STMT *statement, const char *step)
{
    throw DbError(std::string(step) + ": " + mysql_stmt_error(statement), mysql_stmt_errno(statement),
                  refusalText(mysql_stmt_sqlstate(statement), mysql_stmt_error(statement)));
}

// Parameter values bound by position; the vectors are sized once so the binds' pointers stay valid.
class ParameterBinds {
public:
    ParameterBinds(const QStringList &names, const std::map<QString, QVariant> &values)
        : binds_(names.size()), texts_(names.size()), ints_(names.size()), times_(names.size()),
          lengths_(names.size())
    {
        for (qsizetype i = 0; i < names.size(); ++i) {
            auto found = values.find(names[i]);
            if (found == values.end())
                throw DbError("no value for parameter :" + names[i].toStdString());
            bind(static_cast<size_t>(i), found->second);
        }
    }
    MYSQL_BIND *data() { return binds_.empty() ? nullptr : binds_.data(); }

private:
    void bind(size_t i, const QVariant &value)
    {
        MYSQL_BIND &b = binds_[i];
        if (value.typeId() == QMetaType::LongLong) {
            ints_[i] = value.toLongLong();
            b.buffer_type = MYSQL_TYPE_LONGLONG;
            b.buffer = &ints_[i];
        } else if (value.typeId() == QMetaType::QDateTime) {
            const QDateTime moment = value.toDateTime();
            MYSQL_TIME &t = times_[i];
            t.year = moment.date().year();
            t.month = moment.date().month();
            t.day = moment.date().day();
            t.hour = moment.time().hour();
            t.minute = moment.time().minute();
            t.second = moment.time().second();
            t.time_type = MYSQL_TIMESTAMP_DATETIME;
            b.buffer_type = MYSQL_TYPE_DATETIME;
            b.buffer = &t;
        } else {
            texts_[i] = value.toString().toUtf8();
            lengths_[i] = static_cast<unsigned long>(texts_[i].size());
            b.buffer_type = MYSQL_TYPE_STRING;
            b.buffer = texts_[i].data();
            b.buffer_length = lengths_[i];
            b.length = &lengths_[i];
        }
    }

    std::vector<MYSQL_BIND> binds_;
    std::vector<QByteArray> texts_;
    std::vector<long long> ints_;
    std::vector<MYSQL_TIME> times_;
    std::vector<unsigned long> lengths_;
};

bool isTemporal(enum_field_types type)
{
    return type == MYSQL_TYPE_DATE || type == MYSQL_TYPE_DATETIME || type == MYSQL_TYPE_TIMESTAMP;
}

QString temporalText(enum_field_types type, const MYSQL_TIME &t)
{
    const QDate date(static_cast<int>(t.year), static_cast<int>(t.month), static_cast<int>(t.day));
    if (!date.isValid())
        return {};
    if (type == MYSQL_TYPE_DATE)
        return localDateText(date);
    return localDateTimeText(
        date, QTime(static_cast<int>(t.hour), static_cast<int>(t.minute), static_cast<int>(t.second)));
}

// Reads the statement's current result set whole, each value as text.
void storeResultSet(MYSQL_STMT *statement, QueryResult &out)
{
    if (mysql_stmt_store_result(statement))
        failStatement(statement, "store result");
    std::unique_ptr<MYSQL_RES, decltype(&mysql_free_result)> meta(mysql_stmt_result_metadata(statement),
                                                                  &mysql_free_result);
    if (!meta)
        failStatement(statement, "result metadata");
    const unsigned count = mysql_num_fields(meta.get());
    const MYSQL_FIELD *fields = mysql_fetch_fields(meta.get());

    std::vector<MYSQL_BIND> binds(count);
    std::vector<QByteArray> buffers(count);
    std::vector<MYSQL_TIME> times(count);
    std::vector<unsigned long> lengths(count);
    std::vector<my_bool> nulls(count), errors(count);
    for (unsigned c = 0; c < count; ++c) {
        out.fieldNames << QString::fromUtf8(fields[c].name, fields[c].name_length);
        MYSQL_BIND &b = binds[c];
        b.length = &lengths[c];
        b.is_null = &nulls[c];
        b.error = &errors[c];
        if (isTemporal(fields[c].type)) {
            b.buffer_type = fields[c].type;
            b.buffer = &times[c];
        } else {
            buffers[c].resize(static_cast<qsizetype>(std::max<unsigned long>(fields[c].max_length, 64) + 1));
            b.buffer_type = MYSQL_TYPE_STRING;
            b.buffer = buffers[c].data();
            b.buffer_length = static_cast<unsigned long>(buffers[c].size());
        }
    }
    if (count && mysql_stmt_bind_result(statement, binds.data()))
        failStatement(statement, "bind result");

    out.rows.reserve(static_cast<size_t>(mysql_stmt_num_rows(statement)));
    for (;;) {
        const int fetched = mysql_stmt_fetch(statement);
        if (fetched == MYSQL_NO_DATA)
            break;
        if (fetched == 1)
            failStatement(statement, "fetch");
        QStringList row;
        row.reserve(count);
        for (unsigned c = 0; c < count; ++c) {
            if (nulls[c]) {
                row << QString();
            } else if (isTemporal(fields[c].type)) {
                row << temporalText(fields[c].type, times[c]);
            } else if (errors[c]) {
                // Longer than the buffer: fetch the whole value.
                QByteArray whole(static_cast<qsizetype>(lengths[c]), '\0');
                MYSQL_BIND again{};
                again.buffer_type = MYSQL_TYPE_STRING;
                again.buffer = whole.data();
                again.buffer_length = lengths[c];
                if (mysql_stmt_fetch_column(statement, &again, c, 0))
                    failStatement(statement, "fetch column");
                row << QString::fromUtf8(whole);
            } else {
                row << QString::fromUtf8(buffers[c].constData(), static_cast<qsizetype>(lengths[c]));
            }
        }
        out.rows.push_back(std::move(row));
    }
    mysql_stmt_free_result(statement);
}

} // namespace

int QueryResult::indexOf(const QString &field) const
{
    return static_cast<int>(fieldNames.indexOf(field));
}

Query::Query(Connection &connection) : connection_(connection)
{
    connection_.attach(this);
}

Query::~Query()
{
    connection_.detach(this);
}

void Query::close()
{
    result_ = {};
    row_ = 0;
    affected_ = 0;
    open_ = false;
}

void Query::setSql(const QString &text)
{
    text_ = text;
    statement_ = StatementText::parse(text);
    values_.clear();
}

void Query::setText(const QString &name, const QString &value)
{
    values_[name] = value;
}

void Query::setInt(const QString &name, qint64 value)
{
    values_[name] = QVariant::fromValue<qlonglong>(value);
}

void Query::setDateTime(const QString &name, const QDateTime &value)
{
    values_[name] = value;
}

void Query::ensureConnected()
{
    if (!connection_.isOpen())
        connection_.open();
}

void Query::open()
{
    close();
    ensureConnected();
    run(true);
    open_ = true;
}

void Query::execute()
{
    close();
    ensureConnected();
    run(false);
}

void Query::executeDirect(const QByteArray &sql)
{
    close();
    text_.clear();
    statement_ = {};
    values_.clear();
    ensureConnected();
    runText(sql);
}

void Query::run(bool wantRows)
{
    Connection::Busy busy(connection_);
    StatementHandle statement(mysql_stmt_init(connection_.handle()));
    if (!statement)
        throw DbError("out of memory");
    MYSQL_STMT *st = statement.get();
    const my_bool updateMaxLength = 1;
    mysql_stmt_attr_set(st, STMT_ATTR_UPDATE_MAX_LENGTH, &updateMaxLength);
    if (mysql_stmt_prepare(st, statement_.sql.constData(), static_cast<unsigned long>(statement_.sql.size())))
        failStatement(st, "prepare");
    ParameterBinds binds(statement_.parameterNames, values_);
    if (!statement_.parameterNames.isEmpty() && mysql_stmt_bind_param(st, binds.data()))
        failStatement(st, "bind parameters");
    if (mysql_stmt_execute(st))
        failStatement(st, "execute");

    // Drain every result and the final status, so a late error is seen.
    bool stored = false;
    for (;;) {
        if (mysql_stmt_field_count(st) > 0) {
            if (stored) {
                QueryResult ignored;
                storeResultSet(st, ignored);
            } else {
                storeResultSet(st, result_);
                stored = true;
            }
        } else if (!stored) {
            affected_ = mysql_stmt_affected_rows(st);
        }
        const int next = mysql_stmt_next_result(st);
        if (next > 0)
            failStatement(st, "next result");
        if (next != 0)
            break;
    }
    if (wantRows && !stored)
        throw DbError("the statement returned no result set");
}

void Query::runText(const QByteArray &sql)
{
    Connection::Busy busy(connection_);
    MYSQL *mysql = connection_.handle();
    auto fail = [mysql](const char *step) {
        throw DbError(std::string(step) + ": " + mysql_error(mysql), mysql_errno(mysql),
                      refusalText(mysql_sqlstate(mysql), mysql_error(mysql)));
    };
    if (mysql_real_query(mysql, sql.constData(), static_cast<unsigned long>(sql.size())))
        fail("query");
    bool first = true;
    for (;;) {
        if (MYSQL_RES *result = mysql_store_result(mysql))
            mysql_free_result(result);
        else if (mysql_field_count(mysql) != 0)
            fail("store result");
        else if (first)
            affected_ = mysql_affected_rows(mysql);
        first = false;
        const int next = mysql_next_result(mysql);
        if (next > 0)
            fail("next result");
        if (next != 0)
            break;
    }
}

int Query::fieldIndex(const QString &name) const
{
    const int index = result_.indexOf(name);
    if (index < 0)
        throw DbError("field not found: " + name.toStdString());
    return index;
}

QString Query::field(const QString &name) const
{
    const int index = fieldIndex(name);
    return eof() ? QString() : result_.rows[static_cast<size_t>(row_)][index];
}

QString Query::fieldAt(int index) const
{
    if (index < 0 || index >= result_.fieldNames.size())
        throw DbError("no column at position " + std::to_string(index));
    return eof() ? QString() : result_.rows[static_cast<size_t>(row_)][index];
}
