#include "tests/support/server_settings.h"

ConnectionSettings settingsFor(const TestServer &server)
{
    ConnectionSettings settings = ConnectionSettings::builtIn();
    settings.host = QString::fromStdString(server.host());
    settings.port = server.port();
    settings.database = QString::fromStdString(server.database());
    settings.user = QString::fromStdString(server.user());
    settings.password = QString::fromStdString(server.password());
    return settings;
}
