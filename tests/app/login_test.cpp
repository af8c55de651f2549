#include "tests/support/app_fixture.h"

#include <QApplication>

using LoginTest = AppFixture;

TEST_F(LoginTest, SuccessfulLoginShowsTheProfileAndTheMenu)
{
    logIn(demoOperator);
    EXPECT_EQ(fmain->context.nipLogin, demoOperator.nip);
    EXPECT_EQ(fmain->context.levelUser, "Admin_skpd");
    EXPECT_EQ(fmain->context.induk_id, "288");
    EXPECT_EQ(fmain->context.nama_skpd, "UPTD RSUD Pada Dinas Kesehatan Kota Talvirana");
    EXPECT_EQ(fmain->header(), "Dashboard");
    EXPECT_EQ(fmain->currentPage(), Page::tabProfil);
    EXPECT_TRUE(fmain->pMenu->isVisibleTo(fmain.get()));
    EXPECT_EQ(fmain->tabProfil->profilNIP->text(), demoOperator.nip);
    EXPECT_FALSE(fmain->tabProfil->profilNama->text().isEmpty());
    EXPECT_EQ(fmain->tabProfil->profilHakAkses->text(), fmain->context.levelDescription);
    EXPECT_EQ(fmain->tabLogin->leNIP->text(), "");
    EXPECT_EQ(fmain->tabLogin->lePassword->text(), "");
    EXPECT_FALSE(fmain->tabPejabat->edPA->text().isEmpty()) << "the officials load ran";
    EXPECT_FALSE(dm.fdremunerasi.isOpen());
}

TEST_F(LoginTest, RefusedLoginKeepsTheNipAndEmptiesThePassword)
{
    fmain->tabLogin->leNIP->setText(demoOperator.nip);
    fmain->tabLogin->lePassword->setText("wrong");
    fmain->tabLogin->btnloginClick();
    EXPECT_EQ(messages.take(),
              (Boxes{{MessageKind::Warning,
                      "Login gagal, cek apakah anda sudah diusulkan sebagai admin aplikasi ini !"}}));
    EXPECT_EQ(fmain->tabLogin->leNIP->text(), demoOperator.nip);
    EXPECT_EQ(fmain->tabLogin->lePassword->text(), "");
    EXPECT_EQ(fmain->currentPage(), Page::tabLogin);
    EXPECT_TRUE(fmain->context.nipLogin.isEmpty());
}

TEST_F(LoginTest, EnterInEitherEditLogsIn)
{
    fmain->tabLogin->leNIP->setText(demoOperator.nip);
    fmain->tabLogin->lePassword->setText(demoOperator.password);
    press(fmain->tabLogin->leNIP, Qt::Key_Return);
    EXPECT_EQ(fmain->currentPage(), Page::tabProfil);
    messages.take();
    fmain->sblogoutClick();
    fmain->tabLogin->leNIP->setText(demoOperator.nip);
    fmain->tabLogin->lePassword->setText(demoOperator.password);
    press(fmain->tabLogin->lePassword, Qt::Key_A);
    EXPECT_EQ(fmain->currentPage(), Page::tabLogin) << "other keys do nothing";
    press(fmain->tabLogin->lePassword, Qt::Key_Enter);
    EXPECT_EQ(messages.take(),
              (Boxes{{MessageKind::Warning,
                      "Login gagal, cek apakah anda sudah diusulkan sebagai admin aplikasi ini !"}}))
        << "the typed 'a' made the password wrong, and Enter sent it";
}

TEST_F(LoginTest, NipEditTakesAtMostEighteenCharacters)
{
    fmain->tabLogin->leNIP->setText("1234567890123456789");
    EXPECT_EQ(fmain->tabLogin->leNIP->text(), "123456789012345678");
}

TEST_F(LoginTest, LevelRuleAcrossLogins)
{
    // The level comes from the server; this one answers whatever the password names.
    // It opens the session a login opens, so the profile load that follows is answered.
    server.replaceProcedure("CREATE PROCEDURE nasn_login_cek(nip TEXT, pass TEXT) BEGIN "
                            "INSERT INTO nasn_sesi (nip, host, mulai) VALUES (nip, util_client_host(), "
                            "SYSDATE(6)) ON DUPLICATE KEY UPDATE mulai = VALUES(mulai); "
                            "SELECT nip AS nip, pass AS level, 'Keterangan' AS levelDescription; END");
    auto logInWithLevel = [this](const char *level) {
        fmain->tabLogin->leNIP->setText(demoOperator.nip);
        fmain->tabLogin->lePassword->setText(level);
        fmain->tabLogin->btnloginClick();
        messages.take();
        return std::pair{fmain->sbPengajuan->isEnabled(), fmain->sbPejabat->isEnabled()};
    };
    EXPECT_EQ(logInWithLevel("admin_pembangunan"), std::pair(false, false));
    fmain->sblogoutClick();
    EXPECT_FALSE(fmain->pMenu->isVisibleTo(fmain.get()));
    EXPECT_EQ(logInWithLevel("Administrator"), std::pair(true, true));
    EXPECT_EQ(logInWithLevel("admin_pembangunan"), std::pair(false, false));
    EXPECT_EQ(logInWithLevel("administrator"), std::pair(false, false));
    EXPECT_EQ(logInWithLevel("Admin_skpd"), std::pair(true, true));
    EXPECT_TRUE(fmain->sbUser->isEnabled() && fmain->sbLog->isEnabled() && fmain->sblogout->isEnabled());
}

TEST_F(LoginTest, AProfileWithoutRowsStillCompletesTheLogin)
{
    server.replaceProcedure("CREATE PROCEDURE nasn_load_profil(nip TEXT) "
                            "SELECT 'x' AS nama_lengkap, 'y' AS nip FROM DUAL WHERE FALSE");
    logIn(demoOperator);
    EXPECT_EQ(fmain->currentPage(), Page::tabProfil);
    EXPECT_EQ(fmain->tabProfil->profilNama->text(), "");
    EXPECT_EQ(fmain->tabProfil->profilNIP->text(), "");
}

TEST_F(LoginTest, AFailingProfileLeavesTheWindowButTheOfficialsStillLoad)
{
    server.replaceProcedure("CREATE PROCEDURE nasn_load_profil(nip TEXT) SELECT 'x' AS nama_lengkap");
    fmain->tabLogin->leNIP->setText(demoOperator.nip);
    fmain->tabLogin->lePassword->setText(demoOperator.password);
    fmain->tabLogin->btnloginClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal mengambil data!"}}));
    EXPECT_EQ(fmain->context.nipLogin, demoOperator.nip);
    EXPECT_EQ(fmain->currentPage(), Page::tabLogin);
    EXPECT_FALSE(fmain->pMenu->isVisibleTo(fmain.get()));
    EXPECT_FALSE(fmain->tabPejabat->edPA->text().isEmpty());
}

TEST_F(LoginTest, AFailingLoginStatementClosesTheConnectionAndStops)
{
    server.replaceProcedure("CREATE PROCEDURE nasn_login_cek(nip TEXT, pass TEXT) SIGNAL SQLSTATE '45000'");
    fmain->tabLogin->leNIP->setText(demoOperator.nip);
    fmain->tabLogin->btnloginClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal ambil data di server Belunta!"}}));
    EXPECT_FALSE(dm.fdremunerasi.isOpen());
    EXPECT_EQ(fmain->header(), "Informasi");
    EXPECT_TRUE(fmain->tabPejabat->edPA->text().isEmpty()) << "no nested load ran";
}

TEST_F(LoginTest, QuotesBackslashesAndSqlReachTheServerVerbatim)
{
    SqlSession admin = server.admin();
    admin.exec("CREATE TABLE seen (nip TEXT, pass TEXT)");
    const std::string before =
        admin.scalar("SELECT COUNT(*) FROM information_schema.tables WHERE table_schema = "
                     "DATABASE()");
    server.replaceProcedure(
        "CREATE PROCEDURE nasn_login_cek(nip TEXT, pass TEXT) BEGIN "
        "INSERT INTO seen VALUES (nip, pass); SELECT 1 AS nip FROM DUAL WHERE FALSE; END");
    const QString nip = "1' OR '1'='1\\";
    const QString pass = "x'); DROP TABLE seen; -- \\' \"";
    fmain->tabLogin->leNIP->setText(nip);
    fmain->tabLogin->lePassword->setText(pass);
    fmain->tabLogin->btnloginClick();
    messages.take();
    const Rows seen = admin.query("SELECT nip, pass FROM seen");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(QString::fromStdString(*seen[0][0]), nip);
    EXPECT_EQ(QString::fromStdString(*seen[0][1]), pass);
    EXPECT_EQ(admin.scalar("SELECT COUNT(*) FROM information_schema.tables WHERE table_schema = DATABASE()"),
              before);
}

// LogOut ends the operator's session on the server, so nothing more is answered
// for it from this computer; when the server refuses, the window logs out alike
// and shows nothing.
TEST_F(LoginTest, LogOutEndsTheSessionOnTheServerAndShowsNoFailure)
{
    const std::string sessions =
        "SELECT COUNT(*) FROM nasn_sesi WHERE nip = '" + std::string(demoOperator.nip) + "'";
    logIn(demoOperator);
    EXPECT_EQ(server.admin().scalar(sessions), "1");
    fmain->sblogoutClick();
    EXPECT_EQ(server.admin().scalar(sessions), "0");
    EXPECT_EQ(server.admin().scalar("SELECT aksi FROM nasn_log ORDER BY id DESC LIMIT 1"), "logout");
    EXPECT_EQ(messages.take(), Boxes{});

    logIn(demoOperator);
    server.replaceProcedure("CREATE PROCEDURE nasn_logout(var_nip TEXT) SIGNAL SQLSTATE '45000'");
    fmain->sblogoutClick();
    EXPECT_EQ(messages.take(), Boxes{});
    EXPECT_EQ(fmain->currentPage(), Page::tabLogin);
    EXPECT_FALSE(fmain->pMenu->isVisibleTo(fmain.get()));
    EXPECT_FALSE(dm.fdremunerasi.isOpen());
}
