#include "data/connection_settings.h"

#include "builtin_values.h"

ConnectionSettings ConnectionSettings::builtIn()
{
    return {builtin::dbHost,     builtin::dbPort,  builtin::dbName,        builtin::dbUser,
            builtin::dbPassword, builtin::altHost, builtin::altHostPublic, builtin::dbAuthority};
}
