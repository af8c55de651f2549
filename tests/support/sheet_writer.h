// Recipient sheets written in the test, as an operator's spreadsheet holds them.
#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

// Number format codes by zero-based (row, column).
using CellFormats = std::map<std::pair<int, int>, QString>;

// One .xlsx worksheet of text and number cells; a cell that reads as a whole
// number of up to 15 digits is written as a number, anything else as text. A
// cell given a format is written as a number in that format, whatever its length.
void writeRecipientSheet(const QString &path, const std::vector<QStringList> &rows,
                         const CellFormats &formats = {});

// `count` valid recipients: NIK 3273000000000001.., salary 3 000 000 + n, and
// its 4 % and 1 % rounded.
std::vector<QStringList> recipientRows(int count);
