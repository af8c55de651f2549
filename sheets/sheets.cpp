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

ReadResult failed(FailureKind kind, QString detail = {})
{
    return {{}, Failure{kind, {}, std::move(detail)}};
}

} // namespace

ReadResult readFirstSheet(const QString &fileName, int columns)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return failed(FailureKind::CannotOpen, fileName);
    if (file.size() > maxFileSize)
        return failed(FailureKind::TooLarge);
    return sheetOf(file.readAll(), readAnyFormat, columns);
}

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

ReadResult sheetOf(const QByteArray &bytes, Reader reader, int columns)
{
    try {
        SheetBuilder builder;
        reader(bytes, builder);
        return builder.result(columns);
    } catch (const ReadError &error) {
        return {{}, error.failure};
    }
}

} // namespace sheets
