#pragma once

#include <QApplication>

// Applies the named stylesheet carried in the program's resources; names compare
// without regard to case. False when no style of that name exists.
bool applyStyle(QApplication &app, const QString &name);
