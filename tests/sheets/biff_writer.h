// Builds small .xls files record by record, for the BIFF cases no writer at
// hand produces (LABEL, a STRING split across CONTINUE, embedded charts ...).
#pragma once

#include <QByteArray>
#include <QList>

namespace biff {

QByteArray u16(int value);
QByteArray u32(uint32_t value);
QByteArray f64(double value);
QByteArray record(int type, const QByteArray &payload);
// A cell record's row, column and format index.
QByteArray cellHead(int row, int col);

// A workbook of one BIFF8 worksheet holding sheetRecords (between its BOF and
// EOF); globalRecords go into the globals before the sheet list.
QByteArray workbook(const QByteArray &sheetRecords, const QByteArray &globalRecords = {});

// The workbook stream inside a compound file of 512-byte sectors.
QByteArray compoundFile(QByteArray workbookStream);

} // namespace biff
