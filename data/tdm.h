// The data module: the one connection and the query objects every screen uses.
#pragma once

#include "data/connection.h"
#include "data/query.h"
#include "ui/busy_cursor.h"

class Tdm {
public:
    explicit Tdm(const ConnectionSettings &settings = ConnectionSettings::builtIn())
        : fdremunerasi(settings), fdsq1(fdremunerasi), qreport(fdremunerasi), qpejabat(fdremunerasi)
    {
        fdremunerasi.setBusyHook(&setBusyCursor);
    }

    Connection fdremunerasi;
    // Every statement of every screen, except the processing call.
    Query fdsq1;
    // The processing call and the report rows it returns.
    Query qreport;
    // The officials as report templates read them.
    Query qpejabat;
};
