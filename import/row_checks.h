// The rules the recipient table holds, checked on each row of the import
// table before it is sent, with the Indonesian reason the operator reads.
#pragma once

#include "import/import_table.h"

#include <QSet>

namespace importing {

// False for a row the server must not see: a number formatted as a date or
// time in the NIK or an amount column, since its day count would pass for
// digits.
bool isSent(const RowKinds &kinds);

// The reason each row would be refused ("" for a row that passes), several
// joined by "; ". A NIK is twice in the file only when an earlier row with it
// passes; alreadyIn holds the NIKs the submission has before the import.
QStringList rowRefusals(const ImportTable &table, const QSet<QString> &alreadyIn = {});

} // namespace importing
