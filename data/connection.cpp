#include "data/connection.h"

#include "data/db_error.h"
#include "data/query.h"

#include <QTemporaryFile>
#include <algorithm>
#include <mysql.h>

namespace {
constexpr unsigned connectTimeoutSeconds = 5;
constexpr unsigned readWriteTimeoutSeconds = 120;
// The import sends a whole sheet in one statement.
constexpr unsigned long maxPacketBytes = 1024UL * 1024 * 1024;
} // namespace

Connection::~Connection()
{
    close();
}

void Connection::open()
{
    close();
    Busy busy(*this);
    MYSQL *mysql = mysql_init(nullptr);
    if (!mysql)
        throw DbError("out of memory");
    mysql_optionsv(mysql, MYSQL_OPT_CONNECT_TIMEOUT, &connectTimeoutSeconds);
    mysql_optionsv(mysql, MYSQL_OPT_READ_TIMEOUT, &readWriteTimeoutSeconds);
    mysql_optionsv(mysql, MYSQL_OPT_WRITE_TIMEOUT, &readWriteTimeoutSeconds);
    mysql_optionsv(mysql, MYSQL_OPT_MAX_ALLOWED_PACKET, &maxPacketBytes);
    mysql_optionsv(mysql, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    // Connector/C takes the authority only as a file, so the compiled-in PEM is
    // written to a private temporary one (mode 0600) for the handshake. The
    // server must present a certificate that chains to it and names the host.
    QTemporaryFile authority;
    if (!authority.open() || authority.write(settings_.authority) != settings_.authority.size() ||
        !authority.flush()) {
        mysql_close(mysql);
        throw DbError("cannot write the certificate authority to a temporary file");
    }
    const QByteArray authorityPath = QFile::encodeName(authority.fileName());
    const my_bool verify = 1;
    mysql_optionsv(mysql, MYSQL_OPT_SSL_CA, authorityPath.constData());
    mysql_optionsv(mysql, MYSQL_OPT_SSL_VERIFY_SERVER_CERT, &verify);
    mysql_optionsv(mysql, MYSQL_OPT_SSL_ENFORCE, &verify);
    const QByteArray host = settings_.host.toUtf8(), user = settings_.user.toUtf8(),
                     password = settings_.password.toUtf8(), database = settings_.database.toUtf8();
    if (!mysql_real_connect(mysql, host.constData(), user.constData(), password.constData(),
                            database.constData(), settings_.port, nullptr, CLIENT_MULTI_RESULTS)) {
        DbError error(std::string("connect: ") + mysql_error(mysql), mysql_errno(mysql));
        mysql_close(mysql);
        throw error;
    }
    mysql_ = mysql;
}

void Connection::close()
{
    for (Query *query : queries_)
        query->close();
    if (mysql_) {
        mysql_close(mysql_);
        mysql_ = nullptr;
    }
}

st_mysql *Connection::handle()
{
    if (!mysql_)
        throw DbError("the connection is closed");
    return mysql_;
}

void Connection::appendEscaped(QByteArray &out, QStringView text)
{
    const qsizetype at = out.size();
    // Printable ASCII without a quote or a backslash is the same escaped, in
    // every mode and character set: most cells of an import, copied as they are.
    if (std::all_of(text.begin(), text.end(), [](QChar c) {
            return c >= u' ' && c <= u'~' && c != u'\'' && c != u'"' && c != u'\\';
        })) {
        out.resize(at + text.size());
        std::transform(text.begin(), text.end(), out.data() + at, [](QChar c) { return char(c.unicode()); });
        return;
    }
    const QByteArray raw = text.toUtf8();
    out.resize(at + raw.size() * 2 + 1);
    out.resize(at + static_cast<qsizetype>(
                        mysql_real_escape_string(handle(), out.data() + at, raw.constData(), raw.size())));
}

void Connection::detach(Query *query)
{
    queries_.erase(std::remove(queries_.begin(), queries_.end(), query), queries_.end());
}
