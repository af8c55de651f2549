#include "read_error.h"

namespace sheets {

void throwDamaged()
{
    throw ReadError{QStringLiteral("File Excel rusak atau tidak lengkap!")};
}

void throwNotExcel()
{
    throw ReadError{QStringLiteral("File ini bukan file Excel (.xls atau .xlsx)!")};
}

void throwOldVersion()
{
    throw ReadError{QStringLiteral("File Excel versi lama (Excel 95 atau sebelumnya) tidak didukung!\r"
                                   "Simpan ulang file sebagai Excel 97-2003 (.xls) atau Excel (.xlsx).")};
}

void throwEncrypted()
{
    throw ReadError{QStringLiteral("File Excel dilindungi kata sandi!\r"
                                   "Simpan ulang file tanpa kata sandi lalu ulangi.")};
}

void throwNoWorksheet()
{
    throw ReadError{QStringLiteral("File Excel tidak memiliki worksheet!")};
}

void throwTooLarge()
{
    throw ReadError{tooLargeMessage()};
}

QString tooLargeMessage()
{
    return QStringLiteral("File Excel terlalu besar untuk dibaca!");
}

QString cannotOpenMessage(const QString &fileName)
{
    return QStringLiteral("File tidak bisa dibuka!\r%1").arg(fileName);
}

QString errorCellMessage(const QString &cell, const QString &code)
{
    return QStringLiteral("Sel %1 berisi nilai kesalahan %2 dan tidak bisa dibaca!\r"
                          "Perbaiki sel tersebut lalu ulangi.")
        .arg(cell, code);
}

QString tooNarrowMessage(int columns, bool singleCell)
{
    QString found = singleCell
                        ? QStringLiteral("Sheet pertama hanya berisi satu sel!")
                        : QStringLiteral("Data pada sheet pertama hanya terdiri dari %1 kolom!").arg(columns);
    return found + QStringLiteral("\rFile excel harus berisi data 7 kolom tanpa kolom judul:\r"
                                  "- Kolom 1 NIK\r- Kolom 2 Nama Lengkap\r- Kolom 3 Nominal Gaji\r"
                                  "- Kolom 4 Nominal 4% BPJS dari Gaji\r- Kolom 5 Nominal 1% BPJS dari Gaji\r"
                                  "- Kolom 6 Nominal Remunerasi\r- Kolom 7 Nominal Insentif");
}

} // namespace sheets
