#pragma once

#include <QApplication>

// The busy pointer while the database core runs a statement; the core itself
// knows no widgets, so Tdm installs this as its connection's busy hook.
inline void setBusyCursor(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}
