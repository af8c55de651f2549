#pragma once

#include <QString>

// "Mei 2024" for the period code "202405"; `current` when the code's month is not 01 to 12.
QString periodLabel(const QString &periodCode, const QString &current);
