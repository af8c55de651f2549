#pragma once

#include "data/connection_settings.h"
#include "tests/support/test_server.h"

// The built-in settings pointed at a test database.
ConnectionSettings settingsFor(const TestServer &server);
