#pragma once

#include <QLineEdit>

// A password edit that shows each character as `shown`.
QLineEdit *maskedEdit(QChar shown);
