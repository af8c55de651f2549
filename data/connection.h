// The one connection to the database server. Closing it closes every query on it.
#pragma once

#include "data/connection_settings.h"

#include <QByteArray>
#include <functional>
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

    // Told true before and false after every connect and statement, so the client
    // can show that it is waiting.
    void setBusyHook(std::function<void(bool)> hook) { busyHook_ = std::move(hook); }

    st_mysql *handle();
    // Appends text escaped for a quoted literal on this connection (it must be open).
    void appendEscaped(QByteArray &out, QStringView text);

private:
    friend class Query;
    class Busy {
    public:
        explicit Busy(const Connection &connection) : hook_(connection.busyHook_) { notify(true); }
        ~Busy() { notify(false); }
        Busy(const Busy &) = delete;
        Busy &operator=(const Busy &) = delete;

    private:
        void notify(bool busy) const
        {
            if (hook_)
                hook_(busy);
        }
        const std::function<void(bool)> &hook_;
    };

    void attach(Query *query) { queries_.push_back(query); }
    void detach(Query *query);

    ConnectionSettings settings_;
    st_mysql *mysql_ = nullptr;
    std::vector<Query *> queries_;
    std::function<void(bool)> busyHook_;
};
