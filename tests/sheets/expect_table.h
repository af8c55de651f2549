// Compact expectations on tables and failures.
#pragma once

#include "import/cell_text.h"
#include "import/import_table.h"
#include "sheets/sheets.h"

#include <QLocale>
#include <gtest/gtest.h>

inline importing::Table rows(std::initializer_list<QStringList> list)
{
    return importing::Table(list);
}

// A read as the operator would see it: cells as the import's text, the
// failure in the import's words.
struct TextRead {
    importing::Table table;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

inline TextRead importRead(const QString &file)
{
    importing::ReadResult read = importing::readImportTable(file);
    return {read.table.rows, read.error};
}

inline TextRead sheetRead(const QString &file)
{
    sheets::ReadResult read = sheets::readFirstSheet(file);
    if (!read.ok())
        return {{}, importing::failureMessage(*read.failure)};
    TextRead text;
    for (const QList<sheets::Cell> &cells : read.sheet.rows) {
        QStringList &row = text.table.emplace_back();
        for (const sheets::Cell &cell : cells)
            row << importing::cellText(cell, QLocale::system().decimalPoint().front());
    }
    return text;
}

#define EXPECT_TABLE(result, expected)                                                                       \
    do {                                                                                                     \
        TextRead r_ = (result);                                                                              \
        ASSERT_TRUE(r_.ok()) << r_.error.toStdString();                                                      \
        EXPECT_EQ(r_.table, (expected));                                                                     \
    } while (0)

#define EXPECT_FAILURE(result, message)                                                                      \
    do {                                                                                                     \
        TextRead r_ = (result);                                                                              \
        EXPECT_FALSE(r_.ok());                                                                               \
        EXPECT_EQ(r_.error.toStdString(), QString(message).toStdString());                                   \
        EXPECT_TRUE(r_.table.isEmpty());                                                                     \
    } while (0)

inline const QString damaged = QStringLiteral("File Excel rusak atau tidak lengkap!");
inline const QString notExcel = QStringLiteral("File ini bukan file Excel (.xls atau .xlsx)!");
inline const QString oldVersion =
    QStringLiteral("File Excel versi lama (Excel 95 atau sebelumnya) tidak didukung!\r"
                   "Simpan ulang file sebagai Excel 97-2003 (.xls) atau Excel (.xlsx).");
inline const QString encrypted =
    QStringLiteral("File Excel dilindungi kata sandi!\rSimpan ulang file tanpa kata sandi lalu ulangi.");
inline const QString sevenColumns = QStringLiteral(
    "\rFile excel harus berisi data 7 kolom tanpa kolom judul:\r- Kolom 1 NIK\r- Kolom 2 Nama Lengkap\r"
    "- Kolom 3 Nominal Gaji\r- Kolom 4 Nominal 4% BPJS dari Gaji\r- Kolom 5 Nominal 1% BPJS dari Gaji\r"
    "- Kolom 6 Nominal Remunerasi\r- Kolom 7 Nominal Insentif");

inline QString errorCell(const char *cell, const char *code)
{
    return QStringLiteral(
               "Sel %1 berisi nilai kesalahan %2 dan tidak bisa dibaca!\rPerbaiki sel tersebut lalu ulangi.")
        .arg(QLatin1StringView(cell), QLatin1StringView(code));
}

// Readable failure output for text cells.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
