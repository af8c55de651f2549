// The import's row checks, through sheetdump --check on a sheet written here.
#include "import/import_table.h"
#include "tests/support/refused_rows.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct DumpRun {
    int exitCode;
    QString out, err;
};

DumpRun sheetdump(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(SHEETDUMP), args);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

TEST(SheetdumpCheck, OneVerdictPerRowWithTheSheetsRowNumber)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("periksa.xlsx");
    const RefusedRowsSheet sheet = refusedRowsSheet();
    writeRecipientSheet(file, sheet.rows, sheet.formats);
    QString expected;
    for (qsizetype r = 0; r < sheet.reasons.size(); ++r)
        expected +=
            QString::number(r + 3) +
            (sheet.reasons[r].isEmpty() ? QStringLiteral("\tok\n") : "\ttolak\t" + sheet.reasons[r] + "\n");
    const DumpRun run = sheetdump({"--check", file});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.toStdString(), expected.toStdString());
    EXPECT_EQ(run.err, "");
}

TEST(SheetdumpCheck, AFileThatCannotBeReadFailsAsWithoutCheck)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("enam.xlsx");
    writeRecipientSheet(file, {{"1", "2", "3", "4", "5", "6"}});
    const DumpRun run = sheetdump({"--check", file});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.startsWith("Data pada sheet pertama hanya terdiri dari 6 kolom!\n"))
        << run.err.toStdString();
    EXPECT_EQ(sheetdump({"--periksa", file}).exitCode, 2);
}

TEST(ImportTable, KnowsNumbersAndDatesBesideTheText)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("jenis.xlsx");
    const RefusedRowsSheet sheet = refusedRowsSheet();
    writeRecipientSheet(file, sheet.rows, sheet.formats);
    importing::ReadResult read = importing::readImportTable(file);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.table.firstRow, 3u);
    EXPECT_EQ(read.table.rows[3][2], "45306") << "the text stays what it was";
    EXPECT_EQ(read.table.kinds[3].dates, 1 << 2);
    EXPECT_EQ(read.table.kinds[2].numbers & 1, 1) << "a NIK held as a number";
    EXPECT_EQ(read.table.kinds[0].numbers, 0b0111100) << "the four amounts; \"0\" is written as text";
    EXPECT_EQ(read.table.kinds[10].dates, 0) << "#,##0;[Red]-#,##0";
    EXPECT_EQ(read.table.kinds[11].dates, 0) << "[$Rp-421]#,##0";
}

TEST(ImportTable, ACellBeyondTheLimitIsNamed)
{
    EXPECT_EQ(importing::failureMessage({sheets::FailureKind::CellTooLong, "B4", {}}),
              "Sel B4 berisi teks lebih dari 32767 karakter dan tidak bisa dibaca!\r"
              "Perbaiki sel tersebut lalu ulangi.");
}

} // namespace
