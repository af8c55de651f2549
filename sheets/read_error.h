// Readers stop by throwing ReadError; the public calls turn it into a failed
// ReadResult. The messages are the ones the operator sees.
#pragma once

#include <QString>

namespace sheets {

struct ReadError {
    QString message;
};

[[noreturn]] void throwDamaged();
[[noreturn]] void throwNotExcel();
[[noreturn]] void throwOldVersion();
[[noreturn]] void throwEncrypted();
[[noreturn]] void throwNoWorksheet();
[[noreturn]] void throwTooLarge();

QString cannotOpenMessage(const QString &fileName);
QString tooLargeMessage();
QString errorCellMessage(const QString &cell, const QString &code);
QString tooNarrowMessage(int columns, bool singleCell);

} // namespace sheets
