// Reads and writes the template file format (docs/template-format.md).
#pragma once

#include "report_engine/design.h"

#include <QByteArray>
#include <QString>

namespace report_engine {

inline constexpr int templateFormatVersion = 1;

// Parses a template; on failure returns false, leaves `design` empty and says why in `error`.
bool readDesign(const QByteArray &xml, Design &design, QString *error = nullptr);
QByteArray writeDesign(const Design &design);

} // namespace report_engine
