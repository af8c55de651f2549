#include "tests/support/test_server.h"

#include <mysql.h>

#include <atomic>
#include <cstdlib>
#include <netinet/in.h>
#include <regex>
#include <sys/socket.h>
#include <unistd.h>

namespace {

std::string requiredEnv(const char *name)
{
    const char *value = std::getenv(name);
    if (!value || !*value)
        throw std::runtime_error(std::string(name) + " is not set: run the tests through scripts/test");
    return value;
}

std::string shellQuote(const std::string &text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

[[noreturn]] void fail(st_mysql *mysql, const std::string &context)
{
    throw SqlError(context + ": " + mysql_error(mysql), mysql_errno(mysql), mysql_error(mysql));
}

} // namespace

void verifyServerWithTestAuthority(st_mysql *mysql)
{
    static const std::string authority = std::string(SARVELA_SOURCE_DIR) + "/var/tls/ca.pem";
    const my_bool on = 1;
    mysql_optionsv(mysql, MYSQL_OPT_SSL_CA, authority.c_str());
    mysql_optionsv(mysql, MYSQL_OPT_SSL_VERIFY_SERVER_CERT, &on);
    mysql_optionsv(mysql, MYSQL_OPT_SSL_ENFORCE, &on);
}

SqlSession::SqlSession(const std::string &socketOrHost, unsigned port, const std::string &user,
                       const std::string &password, const std::string &database)
    : mysql_(mysql_init(nullptr))
{
    mysql_optionsv(mysql_, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    const bool viaSocket = port == 0;
    if (!viaSocket)
        verifyServerWithTestAuthority(mysql_);
    if (!mysql_real_connect(mysql_, viaSocket ? "localhost" : socketOrHost.c_str(), user.c_str(),
                            password.c_str(), database.empty() ? nullptr : database.c_str(), port,
                            viaSocket ? socketOrHost.c_str() : nullptr, CLIENT_MULTI_RESULTS)) {
        std::string message = std::string("connect: ") + mysql_error(mysql_);
        unsigned code = mysql_errno(mysql_);
        mysql_close(mysql_);
        throw SqlError(message, code);
    }
}

SqlSession::~SqlSession()
{
    if (mysql_)
        mysql_close(mysql_);
}

SqlSession::SqlSession(SqlSession &&other) noexcept : mysql_(other.mysql_)
{
    other.mysql_ = nullptr;
}

Rows SqlSession::query(const std::string &sql)
{
    if (mysql_real_query(mysql_, sql.data(), sql.size()))
        fail(mysql_, sql);
    Rows rows;
    bool first = true;
    for (;;) {
        if (MYSQL_RES *result = mysql_store_result(mysql_)) {
            if (first) {
                unsigned columns = mysql_num_fields(result);
                while (MYSQL_ROW row = mysql_fetch_row(result)) {
                    unsigned long *lengths = mysql_fetch_lengths(result);
                    Row out;
                    for (unsigned c = 0; c < columns; ++c)
                        out.push_back(row[c] ? std::optional<std::string>(std::string(row[c], lengths[c]))
                                             : std::nullopt);
                    rows.push_back(std::move(out));
                }
                first = false;
            }
            mysql_free_result(result);
        } else if (mysql_field_count(mysql_) != 0) {
            fail(mysql_, sql);
        } else if (first) {
            affected_ = mysql_affected_rows(mysql_);
        }
        warnings_ = mysql_warning_count(mysql_);
        int next = mysql_next_result(mysql_);
        if (next > 0)
            fail(mysql_, sql);
        if (next < 0)
            break;
    }
    return rows;
}

void SqlSession::exec(const std::string &sql)
{
    query(sql);
}

std::string SqlSession::scalar(const std::string &sql)
{
    Rows rows = query(sql);
    if (rows.empty() || rows.front().empty() || !rows.front().front())
        return {};
    return *rows.front().front();
}

std::string SqlSession::quote(const std::string &text)
{
    std::string out(text.size() * 2 + 1, '\0');
    out.resize(mysql_real_escape_string(mysql_, out.data(), text.data(), text.size()));
    return "'" + out + "'";
}

TestServer::TestServer(bool demo)
    : socket_(requiredEnv("SARVELA_TEST_SOCKET")), port_(std::stoul(requiredEnv("SARVELA_TEST_PORT")))
{
    static std::atomic<int> counter{0};
    database_ = "t_" + std::to_string(getpid()) + "_" + std::to_string(counter++);
    user_ = database_;
    std::string command = shellQuote(std::string(SARVELA_SOURCE_DIR) + "/scripts/db-load") + " --socket " +
                          shellQuote(socket_) + " --database " + database_ + " --app-user " + user_ +
                          " --app-password " + shellQuote(password_) + " --fresh --no-registry" +
                          (demo ? " --demo" : "");
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("scripts/db-load failed for " + database_);
    // Cheap password hashes for the accounts the tests make; the demo's keep their own.
    admin().exec("UPDATE nasn_konfigurasi SET hash_cost = 10");
}

TestServer::~TestServer()
{
    try {
        SqlSession session(socket_, 0, "root", "", "");
        session.exec("DROP DATABASE IF EXISTS `" + database_ + "`");
        session.exec("DROP USER IF EXISTS '" + user_ + "'@'localhost', '" + user_ + "'@'127.0.0.1'");
    } catch (const std::exception &) {
        // The server may be gone already; the test's own result is what matters.
    }
}

SqlSession TestServer::admin() const
{
    return SqlSession(socket_, 0, "root", "", database_);
}

SqlSession TestServer::app() const
{
    return SqlSession("127.0.0.1", port_, user_, password_, database_);
}

void TestServer::replaceProcedure(const std::string &createProcedureSql) const
{
    static const std::regex name(R"(PROCEDURE\s+(`[^`]+`|\w+))", std::regex::icase);
    std::smatch match;
    if (!std::regex_search(createProcedureSql, match, name))
        throw std::invalid_argument("no procedure name in: " + createProcedureSql);
    SqlSession session = admin();
    const std::string procedure = match[1].str();
    session.exec("DROP PROCEDURE IF EXISTS " + procedure);
    session.exec(createProcedureSql);
    // Dropping a procedure drops its grants too.
    session.exec("GRANT EXECUTE ON PROCEDURE " + procedure + " TO '" + user_ + "'@'localhost', '" + user_ +
                 "'@'127.0.0.1'");
}

void TestServer::refuseConnections() const
{
    admin().exec("ALTER USER '" + user_ + "'@'localhost', '" + user_ + "'@'127.0.0.1' ACCOUNT LOCK");
}

unsigned TestServer::closedPort()
{
    // Bind an ephemeral port and release it: nothing listens there afterwards.
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}
