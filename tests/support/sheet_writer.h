// Recipient sheets written in the test, as an operator's spreadsheet holds them.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// One .xlsx worksheet of text and number cells; a cell that reads as a whole
// number of up to 15 digits is written as a number, anything else as text.
void writeRecipientSheet(const QString &path, const std::vector<QStringList> &rows);

// `count` valid recipients: NIK 3273000000000001.., salary 3 000 000 + n.
std::vector<QStringList> recipientRows(int count);
