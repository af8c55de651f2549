// Qt 6 has no converter for the Windows ANSI code page, so we carry its table.
#pragma once

#include <QByteArray>
#include <QString>

namespace report_engine {

// Characters the code page lacks become '?'.
QByteArray toWindows1252(const QString &text);

} // namespace report_engine
