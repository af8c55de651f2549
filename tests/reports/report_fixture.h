// Processing results made in the test, in the shape nasn_proses returns.
#pragma once

#include "data/query.h"

// `count` recipients "Penerima 1".. with salary 1 000 000 * n and the other amounts derived from it.
QueryResult processedRows(int count, const QStringList &fields = {});
