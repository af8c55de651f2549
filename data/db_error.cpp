#include "data/db_error.h"

#include <cstring>

std::string refusalText(const char *sqlstate, const char *message)
{
    // What the server says for SIGNAL SQLSTATE '45000' without a MESSAGE_TEXT.
    static const char unhandled[] = "Unhandled user-defined exception condition";
    if (std::strcmp(sqlstate, "45000") != 0 || std::strcmp(message, unhandled) == 0)
        return {};
    return message;
}
