#include "import/import_table.h"

#include "import/cell_text.h"
#include "import/number_format_kind.h"

#include <QLocale>

namespace importing {

namespace {

QString tooNarrowMessage(int columnsFound, bool singleCell)
{
    QString found =
        singleCell ? QStringLiteral("Sheet pertama hanya berisi satu sel!")
                   : QStringLiteral("Data pada sheet pertama hanya terdiri dari %1 kolom!").arg(columnsFound);
    return found + QStringLiteral("\rFile excel harus berisi data 7 kolom tanpa kolom judul:\r"
                                  "- Kolom 1 NIK\r- Kolom 2 Nama Lengkap\r- Kolom 3 Nominal Gaji\r"
                                  "- Kolom 4 Nominal 4% BPJS dari Gaji\r- Kolom 5 Nominal 1% BPJS dari Gaji\r"
                                  "- Kolom 6 Nominal Remunerasi\r- Kolom 7 Nominal Insentif");
}

} // namespace

QString failureMessage(const sheets::Failure &failure)
{
    using sheets::FailureKind;
    switch (failure.kind) {
    case FailureKind::CannotOpen:
        return QStringLiteral("File tidak bisa dibuka!\r%1").arg(failure.detail);
    case FailureKind::TooLarge:
        return QStringLiteral("File Excel terlalu besar untuk dibaca!");
    case FailureKind::Damaged:
        return QStringLiteral("File Excel rusak atau tidak lengkap!");
    case FailureKind::NotExcel:
        return QStringLiteral("File ini bukan file Excel (.xls atau .xlsx)!");
    case FailureKind::OldVersion:
        return QStringLiteral("File Excel versi lama (Excel 95 atau sebelumnya) tidak didukung!\r"
                              "Simpan ulang file sebagai Excel 97-2003 (.xls) atau Excel (.xlsx).");
    case FailureKind::Encrypted:
        return QStringLiteral("File Excel dilindungi kata sandi!\r"
                              "Simpan ulang file tanpa kata sandi lalu ulangi.");
    case FailureKind::NoWorksheet:
        return QStringLiteral("File Excel tidak memiliki worksheet!");
    case FailureKind::ErrorCell:
        return QStringLiteral("Sel %1 berisi nilai kesalahan %2 dan tidak bisa dibaca!\r"
                              "Perbaiki sel tersebut lalu ulangi.")
            .arg(failure.cell, failure.detail);
    case FailureKind::CellTooLong:
        return QStringLiteral("Sel %1 berisi teks lebih dari 32767 karakter dan tidak bisa dibaca!\r"
                              "Perbaiki sel tersebut lalu ulangi.")
            .arg(failure.cell);
    }
    return {};
}

ReadResult readImportTable(const QString &fileName)
{
    sheets::ReadResult read = sheets::readFirstSheet(fileName, columns);
    const sheets::Sheet &sheet = read.sheet;
    bool cellFailed = read.failure && (read.failure->kind == sheets::FailureKind::ErrorCell ||
                                       read.failure->kind == sheets::FailureKind::CellTooLong);
    if ((read.ok() || cellFailed) && sheet.usedColumns < columns)
        return {{}, tooNarrowMessage(sheet.usedColumns, sheet.singleCell)};
    if (!read.ok())
        return {{}, failureMessage(*read.failure)};

    ReadResult result;
    ImportTable &table = result.table;
    table.firstRow = sheet.firstRow + 1;
    table.rows.reserve(sheet.rows.size());
    table.kinds.reserve(sheet.rows.size());
    const QChar decimalPoint = QLocale::system().decimalPoint().front();
    std::vector<int8_t> dateFormat(sheet.formats.size(), -1);
    for (const QList<sheets::Cell> &cells : sheet.rows) {
        QStringList &row = table.rows.emplace_back();
        row.reserve(columns);
        RowKinds &kinds = table.kinds.emplace_back();
        for (int c = 0; c < columns; ++c) {
            const sheets::Cell &cell = cells[c];
            row << cellText(cell, decimalPoint);
            if (cell.kind != sheets::CellKind::Number)
                continue;
            kinds.numbers |= uint8_t(1u << c);
            int8_t &isDate = dateFormat[cell.format];
            if (isDate < 0)
                isDate = isDateOrTime(sheet.formatOf(cell));
            kinds.dates |= uint8_t(isDate << c);
        }
    }
    return result;
}

} // namespace importing
