// The refused rows saved as a sheet the import reads again.
#include "import/import_report.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

importing::ImportReport report()
{
    using Kind = importing::ReportLine::Kind;
    importing::ImportReport r;
    r.stored = 5;
    r.refused = 2;
    r.lines = {
        {Kind::Refused,
         4,
         {"3273000000000001", "Siti, \"Ami\"", "5000000", "x", "1", "2", "3"},
         "3273000000000001",
         "Siti, \"Ami\"",
         "NIK sudah ada di pengajuan"},
        {Kind::Refused,
         9,
         {"327", "Budi", "1", "2", "3", "4", "5"},
         "327",
         "Budi",
         "NIK harus 16 digit angka"},
        {Kind::Check, 11, {}, "3273000000000011", "Cici", "BPJS 4% ..."},
    };
    return r;
}

TEST(ImportReport, SummaryAndKind)
{
    importing::ImportReport r = report();
    EXPECT_EQ(importing::reportSummary(r),
              "5 baris tersimpan, 2 baris tidak tersimpan. 1 nominal BPJS perlu dicek.");
    EXPECT_FALSE(r.isWarning());
    r.stored = 0;
    EXPECT_TRUE(r.isWarning());
}

TEST(ImportReport, RefusedRowsSavedAsCsvAndReadBackAsXlsx)
{
    QTemporaryDir dir;
    const QString csv = dir.filePath("ditolak.csv");
    ASSERT_TRUE(importing::saveRefusedRows(report(), csv));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(),
              "3273000000000001,\"Siti, \"\"Ami\"\"\",5000000,x,1,2,3,4,NIK sudah ada di pengajuan\r\n"
              "327,Budi,1,2,3,4,5,9,NIK harus 16 digit angka\r\n");

    const QString xlsx = dir.filePath("ditolak.xlsx");
    ASSERT_TRUE(importing::saveRefusedRows(report(), xlsx));
    importing::ReadResult read = importing::readImportTable(xlsx);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.table.rows, (importing::Table{report().lines[0].cells, report().lines[1].cells}));
    EXPECT_EQ(read.table.kinds[0].numbers, 0) << "every cell is text, a NIK keeps its digits";

    EXPECT_FALSE(importing::saveRefusedRows(report(), dir.filePath("tidak/ada/folder.csv")));
}

} // namespace
