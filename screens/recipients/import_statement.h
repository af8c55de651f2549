// The import's one statement: every row of the sheet in one multi-row insert
// that skips the rows the table refuses.
#pragma once

#include "import/import_table.h"

#include <QByteArray>
#include <functional>

// `appendEscaped` appends a text made safe between apostrophes on the
// connection that runs the statement.
QByteArray importStatement(const QString &submissionId, const importing::Table &rows,
                           const std::function<void(QByteArray &, QStringView)> &appendEscaped);
