#include "data/tdm.h"
#include "reports/period_label.h"
#include "reports/report_data.h"
#include "tests/reports/report_fixture.h"

#include "tests/report_engine/fixtures.h"

#include <gtest/gtest.h>

class ReportDataTest : public ::testing::Test {
protected:
    ReportDataTest() : dm(ConnectionSettings::builtIn()), report(dm, context)
    {
        context.nama_skpd = "UPTD RSUD Pada Dinas Kesehatan Kota Talvirana";
    }
    QVariant value(const QString &name, const QVariant &start = {})
    {
        QVariant slot = start;
        report.frGetValue(name, slot);
        return slot;
    }
    bool prepareWith(const QString &text)
    {
        report.fr.loadFromXml("<report version=\"1\"><page name=\"P\"><band kind=\"title\" height=\"10\">"
                              "<text width=\"100\" height=\"10\">" +
                              text.toHtmlEscaped().toUtf8() + "</text></band></page></report>");
        return report.fr.prepare();
    }

    OperatorContext context;
    Tdm dm;
    ReportData report;
};

TEST_F(ReportDataTest, VariablesBeforeAnyProcessing)
{
    for (const char *name :
         {"pa_nama", "pa_nip", "pa_pangkat", "bp_nama", "bp_nip", "bp_pangkat", "periode_tpp_label"})
        EXPECT_EQ(value(name, "untouched"), QVariant(QString())) << name;
    EXPECT_EQ(value("nama_skpd").toString(), "UPTD RSUD Pada Dinas Kesehatan Kota Talvirana");
}

TEST_F(ReportDataTest, NamesMatchWithoutRegardToAsciiCaseOnly)
{
    report.officials.pa_nama = "Budi";
    report.keepRun({}, "Mei 2024");
    EXPECT_EQ(value("PA_NAMA").toString(), "Budi");
    EXPECT_EQ(value("Pa_NaMa").toString(), "Budi");
    EXPECT_EQ(value("PERIODE_tpp_label").toString(), "Mei 2024");
    EXPECT_EQ(value("pa_nama2", "untouched").toString(), "untouched");
    EXPECT_EQ(value("nama_\u017Fkpd", "untouched").toString(), "untouched")
        << "long s folds to s in Unicode only";
}

TEST_F(ReportDataTest, PrintsShowTheKeptRunNotLaterWorkingValues)
{
    report.officials.bp_nama = "Pertama";
    report.keepRun(processedRows(2), "Mei 2024");
    report.officials.bp_nama = "Kedua"; // a later processing that failed after fetching officials
    EXPECT_EQ(value("bp_nama").toString(), "Pertama");
    ASSERT_TRUE(prepareWith("[bp_nama] [periode_tpp_label]"));
    EXPECT_EQ(fixtures::pageTexts(report.fr.prepared(), 0), QStringList{"Pertama Mei 2024"});
}

TEST_F(ReportDataTest, TheDatasetShowsExactlyTheTwentyEightFields)
{
    QStringList fields = processedFieldNames;
    fields.removeAll("thp");
    fields << "extra";
    report.keepRun(processedRows(1, fields), "");
    ASSERT_TRUE(prepareWith("[frxReport.\"gapok\"]"));
    EXPECT_FALSE(prepareWith("[frxReport.\"extra\"]"));
    EXPECT_TRUE(report.fr.lastError().contains("extra"));
    EXPECT_FALSE(prepareWith("[frxReport.\"thp\"]"));
    EXPECT_TRUE(report.fr.lastError().contains("thp"));
}

TEST(PeriodLabelTest, MonthNamesAndInvalidCodes)
{
    const std::vector<std::pair<QString, QString>> cases = {{"202401", "Januari 2024"},
                                                            {"202405", "Mei 2024"},
                                                            {"202412", "Desember 2024"},
                                                            {"202413", "old"},
                                                            {"2024", "old"},
                                                            {"20241", "old"},
                                                            {"2024 5", "old"},
                                                            {"", "old"}};
    for (const auto &[code, label] : cases)
        EXPECT_EQ(periodLabel(code, "old"), label) << code.toStdString();
}
