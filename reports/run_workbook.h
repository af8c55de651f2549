// A processing run saved as a workbook: the period and the officials at the top,
// one line per recipient with the amounts as numbers, and a total line.
#pragma once

#include "reports/report_data.h"

// False when the file cannot be written.
bool saveRunWorkbook(const ProcessedRun &run, const QString &path);
