// The import's one statement: every row of the sheet in one multi-row insert
// that skips the rows the table refuses.
#pragma once

#include "sheets/sheets.h"

#include <QByteArray>
#include <functional>

// `escape` makes a text safe between apostrophes on the connection that runs the statement.
QByteArray importStatement(const QString &submissionId, const sheets::Table &rows,
                           const std::function<QByteArray(const QString &)> &escape);

// The text without blanks and control characters at both ends.
QString trimmedOfBlanksAndControls(const QString &text);

// The name as the import stores it: apostrophes become backticks, blanks and
// control characters at both ends go.
QString preparedName(const QString &name);
