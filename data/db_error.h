#pragma once

#include <stdexcept>
#include <string>
#include <utility>

// Any failure of a statement or of the connection; the screens show their own
// fixed texts, never this message, which is for logs and tests.
struct DbError : std::runtime_error {
    explicit DbError(const std::string &what, unsigned code = 0, std::string reason = {})
        : std::runtime_error(what), code(code), reason(std::move(reason))
    {
    }
    unsigned code;
    // The server's reason when it refused by one of our rules (SQLSTATE 45000 with a
    // text of ours); empty for every other failure. The only server text an operator sees.
    std::string reason;
};

// The reason a refusal carries; empty unless the state is 45000 and the server
// was given a text (a bare SIGNAL answers with a text of the server's own).
std::string refusalText(const char *sqlstate, const char *message);
