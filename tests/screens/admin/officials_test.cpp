#include "tests/support/app_fixture.h"

namespace {
const char *director = "197505152000031004";
const char *treasurer = "198108082005012005";
const char *directorName = "dr. Hendra Wijaya, M.Kes.";
const char *treasurerName = "Maria Ulfa, S.E., M.M.";
} // namespace

class OfficialsTest : public AppFixture {
protected:
    OfficialsTest() { logIn(demoAdministrator); }
    OfficialsPage &page() { return *fmain->tabPejabat; }
    std::string storedPair()
    {
        return server.admin().scalar("SELECT GROUP_CONCAT(pa, '/', bp) FROM tpp_pejabat");
    }
};

TEST_F(OfficialsTest, MenuEntryShowsTheStoredPairWithNames)
{
    fmain->sbPejabat->click();
    EXPECT_EQ(fmain->header(), "Data Pejabat Penandatangan Dokumen");
    EXPECT_EQ(fmain->currentPage(), Page::tabPejabat);
    EXPECT_EQ(page().edPA->text(), director);
    EXPECT_EQ(page().lbPA->text(), directorName);
    EXPECT_EQ(page().edBP->text(), treasurer);
    EXPECT_EQ(page().lbBP->text(), treasurerName);
}

TEST_F(OfficialsTest, WithoutAStoredPairUpdateInserts)
{
    server.admin().exec("DELETE FROM tpp_pejabat");
    page().loadPejabat();
    EXPECT_EQ(page().edPA->text(), "0");
    EXPECT_EQ(page().edBP->text(), "0");
    EXPECT_EQ(page().lbPA->text(), "");
    messages.answer(true);
    page().btUpdatePejabatClick();
    EXPECT_EQ(messages.take(),
              (Boxes{{MessageKind::Confirm,
                      "Update data  sebagai Pengguna Anggaran dan  sebagai Bendahara Pengeluaran?"},
                     {MessageKind::Warning, "Gagal melakukan input data!",
                      "NIP Pengguna Anggaran tidak ada di data pegawai"}}))
        << "nobody of NIP 0 can sign";
    EXPECT_EQ(storedPair(), "");

    page().edPA->setText(director);
    page().edBP->setText(treasurer);
    messages.answer(true);
    page().btUpdatePejabatClick();
    EXPECT_EQ(messages.take(),
              (Boxes{{MessageKind::Confirm, QString("Update data ") + directorName +
                                                " sebagai Pengguna Anggaran dan " + treasurerName +
                                                " sebagai Bendahara Pengeluaran?"},
                     {MessageKind::Information, "Update data berhasil!"}}));
    EXPECT_EQ(storedPair(), std::string(director) + "/" + treasurer);
}

TEST_F(OfficialsTest, ANipOutsideTheStaffRegisterIsRefusedWithTheReason)
{
    page().loadPejabat();
    page().edBP->setText("199909092020011009");
    messages.answer(true);
    page().btUpdatePejabatClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Confirm,
                                       QString("Update data ") + directorName +
                                           " sebagai Pengguna Anggaran dan  sebagai Bendahara Pengeluaran?"},
                                      {MessageKind::Warning, "Gagal melakukan update data!",
                                       "NIP Bendahara Pengeluaran tidak ada di data pegawai"}}));
    EXPECT_EQ(page().edBP->text(), "199909092020011009") << "the typed NIP stays to be corrected";
    EXPECT_EQ(storedPair(), std::string(director) + "/" + treasurer);
}

TEST_F(OfficialsTest, AStoredPairIsUpdatedWithTheTypedNips)
{
    page().loadPejabat();
    page().edPA->setText(treasurer);
    page().edBP->setText(director);
    messages.answer(true);
    page().btUpdatePejabatClick();
    EXPECT_EQ(messages.take(),
              (Boxes{{MessageKind::Confirm, QString("Update data ") + treasurerName +
                                                " sebagai Pengguna Anggaran dan " + directorName +
                                                " sebagai Bendahara Pengeluaran?"},
                     {MessageKind::Information, "Update data berhasil!"}}));
    EXPECT_EQ(storedPair(), std::string(treasurer) + "/" + director);
    EXPECT_EQ(page().lbPA->text(), treasurerName) << "reloaded";
    EXPECT_EQ(server.admin().scalar("SELECT COUNT(*) FROM tpp_pejabat"), "1");
}

TEST_F(OfficialsTest, NoReloadsAndDiscardsTheTypedNips)
{
    page().loadPejabat();
    page().edPA->setText("123");
    messages.answer(false);
    page().btUpdatePejabatClick();
    EXPECT_EQ(messages.take().size(), 1u);
    EXPECT_EQ(page().edPA->text(), director);
    EXPECT_EQ(storedPair(), std::string(director) + "/" + treasurer);
}

TEST_F(OfficialsTest, ACountFailureShowsTheErrorBoxAndReloads)
{
    page().loadPejabat();
    server.replaceProcedure("CREATE PROCEDURE nasn_pejabat_loaddata() SIGNAL SQLSTATE '45000'");
    messages.answer(true);
    page().btUpdatePejabatClick();
    const Boxes boxes = messages.take();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1], (Box{MessageKind::Error, "Gagal Update Data!"}));
    EXPECT_EQ(boxes[2], (Box{MessageKind::Warning, "Gagal mengambil data!"})) << "the reload ran";
}

TEST_F(OfficialsTest, AFailedUpdateKeepsTheTypedNips)
{
    page().loadPejabat();
    server.replaceProcedure(
        "CREATE PROCEDURE nasn_pejabat_update(var_pa TEXT, var_bp TEXT) SIGNAL SQLSTATE '45000'");
    page().edPA->setText("999");
    messages.answer(true);
    page().btUpdatePejabatClick();
    const Boxes boxes = messages.take();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], (Box{MessageKind::Warning, "Gagal melakukan update data!"}));
    EXPECT_EQ(page().edPA->text(), "999");
}
