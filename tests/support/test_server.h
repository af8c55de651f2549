// A fresh database per test, loaded from server/ by scripts/db-load, with its own
// account holding the application's grants. Dropped again when the test ends.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

struct st_mysql;

struct SqlError : std::runtime_error {
    SqlError(const std::string &what, unsigned code, std::string serverText = {})
        : std::runtime_error(what), code(code), serverText(std::move(serverText))
    {
    }
    unsigned code;
    std::string serverText; // the server's own message, without the statement
};

// Connections over TCP verify the server against the authority of this
// checkout (var/tls/ca.pem), as the client does against its compiled-in copy.
void verifyServerWithTestAuthority(st_mysql *mysql);

using Row = std::vector<std::optional<std::string>>;
using Rows = std::vector<Row>;

// One Connector/C connection for test set-up and assertions (never the code under test).
class SqlSession {
public:
    SqlSession(const std::string &socketOrHost, unsigned port, const std::string &user,
               const std::string &password, const std::string &database);
    ~SqlSession();
    SqlSession(SqlSession &&other) noexcept;
    SqlSession(const SqlSession &) = delete;
    SqlSession &operator=(const SqlSession &) = delete;

    // First result set (empty when the statement gives none); every later result is drained.
    Rows query(const std::string &sql);
    void exec(const std::string &sql);
    // First column of the first row; "" when there is none or it is NULL.
    std::string scalar(const std::string &sql);
    unsigned long long affectedRows() const { return affected_; }
    unsigned warningCount() const { return warnings_; }
    // A quoted, escaped SQL literal.
    std::string quote(const std::string &text);

private:
    st_mysql *mysql_ = nullptr;
    unsigned long long affected_ = 0;
    unsigned warnings_ = 0;
};

class TestServer {
public:
    explicit TestServer(bool demo = false);
    ~TestServer();
    TestServer(const TestServer &) = delete;
    TestServer &operator=(const TestServer &) = delete;

    const std::string &database() const { return database_; }
    const std::string &user() const { return user_; }
    const std::string &password() const { return password_; }
    std::string host() const { return "127.0.0.1"; }
    unsigned port() const { return port_; }

    // The server's administrator over the socket, in this database.
    SqlSession admin() const;
    // The application account over TCP, in this database.
    SqlSession app() const;
    // Drops the procedure the statement creates, then creates it.
    void replaceProcedure(const std::string &createProcedureSql) const;
    // From now on the application account cannot connect: a step's connection fails.
    void refuseConnections() const;

    // A TCP port on 127.0.0.1 where nothing listens.
    static unsigned closedPort();

private:
    std::string socket_;
    unsigned port_ = 0;
    std::string database_;
    std::string user_;
    std::string password_ = "test-Password-16";
};
