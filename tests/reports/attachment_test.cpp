#include "data/tdm.h"
#include "reports/report_data.h"
#include "tests/reports/report_fixture.h"

#include "tests/report_engine/fixtures.h"
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using report_engine::BandKind;

class AttachmentTest : public ::testing::Test {
protected:
    AttachmentTest() : dm(ConnectionSettings::builtIn()), report(dm, context) {}

    const report_engine::PreparedReport &prepare(int rows)
    {
        report.keepRun(processedRows(rows), "Mei 2024");
        EXPECT_TRUE(report.fr.prepare()) << report.fr.lastError().toStdString();
        return report.fr.prepared();
    }
    static QString joined(const report_engine::PreparedReport &prepared, int page)
    {
        return fixtures::pageTexts(prepared, page).join('|');
    }

    OperatorContext context;
    Tdm dm;
    ReportData report;
};

TEST_F(AttachmentTest, BuiltInDesignIsLandscapeWithTwoSections)
{
    const auto &design = report.fr.design();
    ASSERT_EQ(design.pages.size(), 2);
    EXPECT_EQ(design.pages[0].name, "R1");
    EXPECT_EQ(design.pages[1].name, "R2");
    EXPECT_EQ(design.pages[0].pageSize(), QSizeF(330, 210));
    EXPECT_EQ(design.pages[0].margins.left, 15);
    EXPECT_EQ(design.pages[0].margins.top, 10);
    EXPECT_TRUE(design.pages[0].band(BandKind::PageFooter));
    EXPECT_FALSE(design.pages[1].band(BandKind::PageFooter));
}

TEST_F(AttachmentTest, ASmallProcessingOnTwoPages)
{
    const auto &prepared = prepare(3);
    ASSERT_EQ(prepared.pages.size(), 2);
    const QString one = joined(prepared, 0);
    for (const QString &text :
         {"DAFTAR PERHITUNGAN BPJS KESEHATAN REMUNERASI NON ASN", "Gaji Pokok yang dilaporkan",
          "Iuran BPJS dari Gaji yang dilaporkan", "PPU (1 %)", "Total Take Home Pay", "Penerima 3",
          "Mengetahui", "Kuasa Pengguna Anggaran,", "Bendahara Pengeluaran,", "NIP. 19750515 200003 1 004"})
        EXPECT_TRUE(one.contains(text)) << text.toStdString();
    EXPECT_TRUE(one.contains(": Rumah Sakit Umum Daerah pada Dinas Kesehatan\n: Mei 2024"));
    // gapok, field 6, of row n is 1 000 000 n + 6 000 + n; the total is 6 018 006.
    EXPECT_TRUE(fixtures::pageTexts(prepared, 0).contains("2.006.002"));
    EXPECT_TRUE(fixtures::pageTexts(prepared, 0).contains("6.018.006"));
    EXPECT_TRUE(one.contains(" | Halaman 1 dari 2")) << one.toStdString();

    const QString two = joined(prepared, 1);
    EXPECT_TRUE(two.contains("a.n. Penerima 1"));
    EXPECT_TRUE(two.contains("KETERANGAN"));
    EXPECT_TRUE(two.contains("dikurangi Iuran dari Gaji"));
    EXPECT_FALSE(two.contains("Halaman")) << "section two has no footer";
    EXPECT_EQ(fixtures::pageTexts(prepared, 1).count("1"), 2) << "line 1 and the number row's 1";
}

TEST_F(AttachmentTest, AnEmptyProcessingPrintsHeadingsZeroTotalsAndSignatures)
{
    const auto &prepared = prepare(0);
    ASSERT_EQ(prepared.pages.size(), 2);
    for (int page = 0; page < 2; ++page) {
        const QStringList texts = fixtures::pageTexts(prepared, page);
        EXPECT_TRUE(texts.contains("0"));
        EXPECT_TRUE(texts.contains("No."));
        EXPECT_TRUE(joined(prepared, page).contains("Maria Ulfa, S.E., M.M."));
    }
}

TEST_F(AttachmentTest, LongListsRepeatTheHeadingAndNumberLinesPerSection)
{
    const auto &prepared = prepare(60);
    ASSERT_GT(prepared.pages.size(), 4);
    int sectionTwoStart = -1;
    for (int p = 0; p < prepared.pages.size(); ++p) {
        QStringList kinds;
        for (const auto &band : prepared.pages[p].bands)
            kinds << band.name;
        EXPECT_TRUE(kinds.contains("ColumnHeader1") || kinds.contains("ColumnHeader2")) << p;
        if (sectionTwoStart < 0 && kinds.contains("ColumnHeader2"))
            sectionTwoStart = p;
        EXPECT_EQ(kinds.contains("ReportTitle"), p == 0 || p == sectionTwoStart) << p;
    }
    ASSERT_GT(sectionTwoStart, 0);
    const QString total = QString::number(prepared.pages.size());
    EXPECT_TRUE(joined(prepared, 0).contains("Halaman 1 dari " + total));
    EXPECT_TRUE(joined(prepared, sectionTwoStart).contains("a.n. Penerima 1|"));
    EXPECT_TRUE(fixtures::pageTexts(prepared, sectionTwoStart).contains("1"));
}

TEST_F(AttachmentTest, ExportedPdfCarriesRowsTotalsAndFooter)
{
    prepare(3);
    QTemporaryDir dir;
    const QString path = dir.filePath("lampiran.pdf");
    ASSERT_TRUE(report.fr.exportPdf(path)) << report.fr.lastError().toStdString();
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", path, "-"});
    ASSERT_TRUE(pdftotext.waitForFinished());
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_TRUE(text.contains("DAFTAR PERHITUNGAN BPJS KESEHATAN REMUNERASI NON ASN"));
    EXPECT_TRUE(text.contains("Penerima 2"));
    EXPECT_TRUE(text.contains("6.018.006"));
    EXPECT_TRUE(text.contains("Halaman 1 dari 2"));
}
