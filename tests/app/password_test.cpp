#include "tests/support/app_fixture.h"

class PasswordTest : public AppFixture {
protected:
    void SetUp() override
    {
        logIn(demoOperator);
        fmain->tabProfil->SpeedButton2->click();
    }
    void change(const QString &old, const QString &new1, const QString &new2)
    {
        PasswordPage &page = *fmain->tabPassEdit;
        page.tabPassEditLama->setText(old);
        page.tabPassEditBaru1->setText(new1);
        page.tabPassEditBaru2->setText(new2);
        page.BitBtn1Click();
    }
    bool passwordWorks(const QString &password)
    {
        SqlSession app = server.app();
        return !app.query("CALL nasn_login_cek(" + app.quote(demoOperator.nip) + ", " +
                          app.quote(password.toStdString()) + ")")
                    .empty();
    }
};

TEST_F(PasswordTest, OpeningThePageEmptiesTheEdits)
{
    fmain->tabPassEdit->tabPassEditLama->setText("x");
    fmain->tabProfil->SpeedButton2->click();
    EXPECT_EQ(fmain->header(), "Ubah Password");
    EXPECT_EQ(fmain->currentPage(), Page::tabPassEdit);
    EXPECT_EQ(fmain->tabPassEdit->tabPassEditLama->text(), "");
}

TEST_F(PasswordTest, ChangeLogsOutAndTheNewPasswordWorks)
{
    change(demoOperator.password, "baru-123", "baru-123");
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Information, "Password berhasil diubah !"}}));
    EXPECT_EQ(fmain->currentPage(), Page::tabLogin);
    EXPECT_FALSE(fmain->pMenu->isVisibleTo(fmain.get()));
    EXPECT_GT(fmain->tabLogin->sg_informasi->rowCount(), 1);
    EXPECT_TRUE(passwordWorks("baru-123"));
    EXPECT_FALSE(passwordWorks(demoOperator.password));
}

TEST_F(PasswordTest, BothNewEntriesEmptySetAnEmptyPassword)
{
    change(demoOperator.password, "", "");
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Information, "Password berhasil diubah !"}}));
    EXPECT_TRUE(passwordWorks(""));
}

TEST_F(PasswordTest, RefusalsChangeNothing)
{
    const Box wrongOld{MessageKind::Warning, "Password lama tidak sesuai, proses dibatalkan !"};
    const Box differ{
        MessageKind::Warning,
        "Password baru tidak sesuai, pastikan menuliskan password baru di kolom 1 dan 2 sama persis !"};
    change("salah", "a", "b");
    EXPECT_EQ(messages.take(), Boxes{wrongOld});
    change(demoOperator.password, "Baru-123", "baru-123");
    EXPECT_EQ(messages.take(), Boxes{differ});
    EXPECT_EQ(fmain->currentPage(), Page::tabPassEdit);
    EXPECT_TRUE(passwordWorks(demoOperator.password));
}

TEST_F(PasswordTest, AFailingUpdateShowsTheStepWarning)
{
    server.replaceProcedure(
        "CREATE PROCEDURE nasn_login_update(nip TEXT, pass TEXT) SIGNAL SQLSTATE '45000'");
    change(demoOperator.password, "baru-123", "baru-123");
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal ambil data di server Belunta!"}}));
    EXPECT_EQ(fmain->currentPage(), Page::tabPassEdit);
    EXPECT_FALSE(dm.fdremunerasi.isOpen());
}
