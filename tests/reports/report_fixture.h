// Processing results made in the test, in the shape nasn_proses returns.
#pragma once

#include "data/query.h"

// `count` recipients "Penerima 1".. with NIK 32730000000000nn; every amount column c (its place among
// the fields) has values of its own, 1 000 000 n + 1 000 c + n in row n.
QueryResult processedRows(int count, const QStringList &fields = {});
