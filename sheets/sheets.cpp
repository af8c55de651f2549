#include "sheets.h"

#include "compound_file.h"
#include "read_error.h"
#include "sheet_reader.h"
#include "xls_reader.h"
#include "xlsx_reader.h"
#include "zip_package.h"

#include <QFile>

namespace sheets {

namespace {

constexpr qint64 maxFileSize = qint64(1) << 30;

bool isOldBiff(const QByteArray &bytes)
{
    // A BIFF2 to BIFF4 workbook is a bare record stream opening with its BOF.
    return bytes.size() >= 4 && bytes[0] == 0x09 &&
           (bytes[1] == 0x00 || bytes[1] == 0x02 || bytes[1] == 0x04);
}

ReadResult readFile(const QString &fileName, bool forImport)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, cannotOpenMessage(fileName)};
    if (file.size() > maxFileSize)
        return {{}, tooLargeMessage()};
    return tableOf(file.readAll(), readAnyFormat, forImport);
}

} // namespace

void readAnyFormat(const QByteArray &bytes, SheetBuilder &sheet)
{
    if (CompoundFile::hasSignature(bytes))
        readXls(bytes, sheet);
    else if (ZipPackage::hasSignature(bytes))
        readXlsx(bytes, sheet);
    else if (isOldBiff(bytes))
        throwOldVersion();
    else
        throwNotExcel();
}

ReadResult tableOf(const QByteArray &bytes, Reader reader, bool forImport)
{
    try {
        SheetBuilder sheet;
        reader(bytes, sheet);
        if (!forImport)
            return {sheet.table(INT32_MAX), {}};
        if (sheet.usedColumns() < importColumns)
            return {{}, tooNarrowMessage(sheet.usedColumns(), sheet.singleCell())};
        return {sheet.table(importColumns), {}};
    } catch (const ReadError &error) {
        return {{}, error.message};
    }
}

ReadResult readFirstSheet(const QString &fileName)
{
    return readFile(fileName, false);
}

ReadResult readImportTable(const QString &fileName)
{
    return readFile(fileName, true);
}

} // namespace sheets
