// The one connection to the database server. Closing it closes every query on it.
#pragma once

#include "data/connection_settings.h"

#include <QByteArray>
#include <vector>

struct st_mysql;
class Query;

class Connection {
public:
    explicit Connection(ConnectionSettings settings) : settings_(std::move(settings)) {}
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    const ConnectionSettings &settings() const { return settings_; }
    bool isOpen() const { return mysql_ != nullptr; }
    // Throws DbError when the server cannot be reached or refuses the account.
    void open();
    void close();

    st_mysql *handle();
    // Text escaped for a quoted literal on this connection (it must be open).
    QByteArray escape(const QString &text);

private:
    friend class Query;
    void attach(Query *query) { queries_.push_back(query); }
    void detach(Query *query);

    ConnectionSettings settings_;
    st_mysql *mysql_ = nullptr;
    std::vector<Query *> queries_;
};
