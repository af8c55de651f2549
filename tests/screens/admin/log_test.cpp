#include "tests/support/app_fixture.h"

class LogTest : public AppFixture {
protected:
    LogTest()
    {
        clock = QDateTime(QDate(2026, 3, 4), QTime(15, 16, 17));
        logIn(demoAdministrator);
    }
    LogPage &page() { return *fmain->tabLog; }
};

TEST_F(LogTest, EnteringSetsTheRangeAndLoadsNothing)
{
    fmain->sbLog->click();
    EXPECT_EQ(fmain->header(), "Pantauan Log");
    EXPECT_EQ(fmain->currentPage(), Page::tabLog);
    EXPECT_EQ(page().dt_log_start->dateTime(), QDateTime(QDate(2020, 1, 1), QTime(0, 0)));
    EXPECT_EQ(page().dt_log_end->dateTime(), clock);
    EXPECT_EQ(page().sg_log->rowCount(), 2);
    EXPECT_EQ(page().sg_log->cell(1, 0), "");
}

TEST_F(LogTest, TheRangeIsSentWithItsTimeOfDay)
{
    server.replaceProcedure("CREATE PROCEDURE nasn_log_tampildata(a DATETIME, b DATETIME) "
                            "SELECT 1 AS id, 'n' AS nip, 'x' AS nama_lengkap, a AS tanggal_aksi, b AS aksi, "
                            "'k' AS keterangan");
    fmain->sbLog->click();
    page().dt_log_end->setDate(QDate(2026, 2, 1));
    page().btLog_tampilDataClick();
    StringGrid &grid = *page().sg_log;
    ASSERT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.colCount(), 7);
    EXPECT_EQ(grid.fixedCols(), 1);
    EXPECT_EQ(grid.cell(4, 1), "1/1/20 12:00:00 AM");
    EXPECT_EQ(grid.cell(5, 1), "2/1/26 3:16:17 PM");
    const std::vector<std::pair<QString, int>> titles = {
        {"", 0},          {"No.", 30},   {"NIP", 120},       {"Nama Lengkap", 150},
        {"Tanggal", 150}, {"Aksi", 130}, {"Keterangan", 530}};
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(grid.cell(c, 0), titles[c].first);
        EXPECT_EQ(grid.colWidth(c), titles[c].second);
    }
}

TEST_F(LogTest, AnEmptyRangeGivesTheBareGridAndReturningKeepsIt)
{
    fmain->sbLog->click();
    page().dt_log_end->setDateTime(QDateTime::currentDateTime().addDays(1));
    page().btLog_tampilDataClick();
    ASSERT_GT(page().sg_log->rowCount(), 1) << "the login is logged";
    const QString first = page().sg_log->cell(5, 1);
    fmain->sbLog->click();
    EXPECT_EQ(page().sg_log->cell(5, 1), first) << "the menu resets the range, not the grid";
    page().dt_log_start->setDateTime(QDateTime(QDate(2020, 1, 1), QTime(0, 0)));
    page().dt_log_end->setDateTime(QDateTime(QDate(2020, 1, 2), QTime(0, 0)));
    page().btLog_tampilDataClick();
    EXPECT_EQ(page().sg_log->rowCount(), 2);
    EXPECT_EQ(page().sg_log->colCount(), 2);
    EXPECT_EQ(page().sg_log->cell(1, 0), "");
    EXPECT_TRUE(messages.take().empty());
}

TEST_F(LogTest, MoreThanFiveThousandEntriesAllShow)
{
    server.admin().exec("INSERT INTO nasn_log (nip, host, tanggal_aksi, aksi, keterangan) "
                        "SELECT '', 'h', TIMESTAMP '2021-06-01 08:00:00' + INTERVAL seq SECOND, 'uji', 'x' "
                        "FROM seq_1_to_6000");
    fmain->sbLog->click();
    page().dt_log_end->setDateTime(QDateTime(QDate(2021, 12, 31), QTime(0, 0)));
    page().btLog_tampilDataClick();
    EXPECT_EQ(page().sg_log->rowCount(), 6001);
    EXPECT_EQ(page().sg_log->cell(1, 6000), "6000");
}

// The range is by calendar day on the server: a client clock behind the server's
// still sees what happened today, up to the end of the end date.
TEST_F(LogTest, TodayShowsWhenTheClientsClockIsBehindTheServers)
{
    const QDate today =
        QDate::fromString(QString::fromStdString(server.admin().scalar("SELECT CURDATE()")), Qt::ISODate);
    clock = QDateTime(today, QTime(0, 0, 1));
    fmain->sbLog->click();
    page().dt_log_start->setDateTime(clock);
    page().btLog_tampilDataClick();
    EXPECT_TRUE(messages.take().empty());
    ASSERT_EQ(page().sg_log->rowCount(), 2) << "the login a moment ago, logged by the server's clock";
    EXPECT_EQ(page().sg_log->cell(2, 1), demoAdministrator.nip);
    EXPECT_EQ(page().sg_log->cell(5, 1), "login");
}
