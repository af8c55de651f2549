#pragma once

#include <stdexcept>
#include <string>

// Any failure of a statement or of the connection; the screens show their own
// fixed texts, never this message, which is for logs and tests.
struct DbError : std::runtime_error {
    explicit DbError(const std::string &what, unsigned errorCode = 0)
        : std::runtime_error(what), code(errorCode)
    {
    }
    unsigned code;
};
