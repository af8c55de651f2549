#include "tests/support/app_fixture.h"

using AnnouncementsTest = AppFixture;

namespace {

std::string announcements(int count)
{
    return "CREATE PROCEDURE nasn_informasi() SELECT CONCAT('Pengumuman ', seq) AS pengumuman FROM "
           "seq_1_to_" +
           std::to_string(count);
}

} // namespace

TEST_F(AnnouncementsTest, GridLayoutAndReloadWithFewerRows)
{
    server.replaceProcedure(announcements(3));
    fmain->tabLogin->loadInformasi();
    StringGrid &grid = *fmain->tabLogin->sg_informasi;
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.colCount(), 2);
    EXPECT_EQ(grid.fixedCols(), 1);
    EXPECT_EQ(grid.fixedRows(), 1);
    EXPECT_EQ(grid.colWidth(0), 30);
    EXPECT_EQ(grid.colWidth(1), 1000);
    EXPECT_EQ(grid.cell(0, 0), "No.");
    EXPECT_EQ(grid.cell(1, 0), "Pengumuman");
    EXPECT_EQ(grid.cell(0, 3), "3");
    EXPECT_EQ(grid.cell(1, 3), "Pengumuman 3");

    server.replaceProcedure(announcements(1));
    fmain->tabLogin->loadInformasi();
    ASSERT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.cell(1, 1), "Pengumuman 1");
}

TEST_F(AnnouncementsTest, NoAnnouncementsLeaveTheTitleRow)
{
    server.replaceProcedure(
        "CREATE PROCEDURE nasn_informasi() SELECT 'x' AS pengumuman FROM DUAL WHERE FALSE");
    fmain->tabLogin->loadInformasi();
    EXPECT_EQ(fmain->tabLogin->sg_informasi->rowCount(), 1);
    EXPECT_EQ(fmain->tabLogin->sg_informasi->cell(1, 0), "Pengumuman");
}

TEST_F(AnnouncementsTest, AFailedLoadKeepsTheOldAnnouncements)
{
    server.replaceProcedure(announcements(2));
    fmain->tabLogin->loadInformasi();
    server.replaceProcedure("CREATE PROCEDURE nasn_informasi() SIGNAL SQLSTATE '45000'");
    fmain->tabLogin->loadInformasi();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal mengambil data!"}}));
    ASSERT_EQ(fmain->tabLogin->sg_informasi->rowCount(), 3);
    EXPECT_EQ(fmain->tabLogin->sg_informasi->cell(1, 2), "Pengumuman 2");
}

TEST_F(AnnouncementsTest, LogoutReloadsThemAndKeepsTheContext)
{
    logIn(demoOperator);
    server.replaceProcedure(announcements(5));
    fmain->sblogoutClick();
    EXPECT_EQ(fmain->tabLogin->sg_informasi->rowCount(), 6);
    EXPECT_EQ(fmain->currentPage(), Page::tabLogin);
    EXPECT_EQ(fmain->header(), "Dashboard");
    EXPECT_EQ(fmain->context.nipLogin, demoOperator.nip);
}
