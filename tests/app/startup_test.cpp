#include "app/style.h"
#include "tests/support/app_fixture.h"

#include <stdexcept>

using StartupTest = AppFixture;

TEST_F(StartupTest, WindowBeforeLogin)
{
    EXPECT_EQ(fmain->windowTitle(), "Sarvela - RSUD Kota Talvirana");
    EXPECT_EQ(fmain->header(), "Informasi");
    EXPECT_EQ(fmain->currentPage(), Page::tabLogin);
    EXPECT_FALSE(fmain->pMenu->isVisibleTo(fmain.get()));
    EXPECT_EQ(fmain->pg->loginTabCaption(), "App Remunerasi RSUD");
    EXPECT_EQ(fmain->StatusBar1[2]->text(), "v 4");
    EXPECT_EQ(fmain->StatusBar1[0]->text(), "");
}

TEST_F(StartupTest, VersionCheckStatuses)
{
    const QString mandatory = "Ada update aplikasi versi 5 yang WAJIB diinstall!\r\rCatatan :\r"
                              "Silahkan download installer aplikasi versi 5 di website.";
    const QString optional =
        "Ada update aplikasi versi 5 yang bisa diinstall.\r\rCatatan :\r"
        "Update versi ini tidak wajib diinstall tapi mungkin ada fitur baru yang bermanfaat.\r\r"
        "Silahkan lihat perubahan di bagian 'change log-pada website Belunta' download installer aplikasi "
        "versi 5 "
        "di website.";
    struct Case {
        const char *status;
        Boxes boxes;
        bool quits;
    };
    for (const Case &c : std::vector<Case>{{"Up-Wajib", {{MessageKind::Information, mandatory}}, true},
                                           {"Up-GakWajib", {{MessageKind::Information, optional}}, false},
                                           {"up-wajib", {}, false},
                                           {"UP-GAKWAJIB", {}, false},
                                           {"OK", {}, false}}) {
        server.replaceProcedure(std::string("CREATE PROCEDURE nasn_version_check(var_app TEXT) SELECT '") +
                                c.status + "' AS status, '5' AS versi");
        Tfmain window(dm, messages, files);
        window.FormShow();
        EXPECT_EQ(messages.take(), c.boxes) << c.status;
        EXPECT_EQ(window.quitRequested(), c.quits) << c.status;
        EXPECT_EQ(window.StatusBar1[2]->text(), "App. v 4");
        EXPECT_EQ(window.tabLogin->sg_informasi->rowCount(), 4) << "the three demo announcements";
        EXPECT_FALSE(dm.fdremunerasi.isOpen());
    }
}

TEST_F(StartupTest, VersionCheckFailingAfterConnectingLoadsNoAnnouncements)
{
    server.replaceProcedure("CREATE PROCEDURE nasn_version_check(var_app TEXT) SELECT 'OK' AS status");
    fmain->FormShow();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal menampilkan informasi!"}}));
    EXPECT_EQ(fmain->tabLogin->sg_informasi->rowCount(), 0);
    EXPECT_EQ(fmain->StatusBar1[2]->text(), "v 4");
    EXPECT_FALSE(dm.fdremunerasi.isOpen());
}

TEST_F(StartupTest, ConnectedShowsTheServerInTheOnlyTab)
{
    fmain->FormShow();
    EXPECT_EQ(fmain->pg->loginTabCaption(), "Connected on server : 127.0.0.1");
    EXPECT_EQ(fmain->pg->tabBar()->count(), 1);
}

TEST_F(StartupTest, TheAlternativeHostIsShownByItsPublicName)
{
    ConnectionSettings settings = settingsFor(server);
    settings.altHost = "127.0.0.1";
    settings.altHostPublic = "db.rsud.example";
    Tdm alternative(settings);
    Tfmain window(alternative, messages, files);
    window.FormShow();
    EXPECT_EQ(window.pg->loginTabCaption(), "Connected on server : db.rsud.example");
}

// Pages are found by key, not by position: each key shows the page it names.
TEST_F(StartupTest, EachKeyShowsItsOwnPage)
{
    const std::vector<std::pair<Page, QWidget *>> pages = {
        {Page::tabLogin, fmain->tabLogin},     {Page::tabPengajuanEdit, fmain->tabPengajuanEdit},
        {Page::tabProfil, fmain->tabProfil},   {Page::tabPengajuanProses, fmain->tabPengajuanProses},
        {Page::tabPejabat, fmain->tabPejabat}, {Page::tabJM, fmain->tabJM},
        {Page::tabPNSEdit, fmain->tabPNSEdit}, {Page::tabPassEdit, fmain->tabPassEdit},
        {Page::tabUser, fmain->tabUser},       {Page::tabLog, fmain->tabLog},
        {Page::tabUserNew, fmain->tabUserNew},
    };
    ASSERT_EQ(pages.size(), static_cast<size_t>(Page::count));
    for (const auto &[key, page] : pages) {
        fmain->showPage(key);
        EXPECT_EQ(fmain->pg->activeWidget(), page) << static_cast<int>(key);
        EXPECT_EQ(fmain->currentPage(), key);
    }
}

TEST(PageControlTest, EveryKeyNamesExactlyOnePage)
{
    PageControl pages;
    QWidget login, profile;
    pages.addPage(Page::tabLogin, &login);
    EXPECT_THROW(pages.addPage(Page::tabLogin, &profile), std::logic_error) << "a key given twice";
    EXPECT_THROW(pages.addPage(Page::tabProfil, &login), std::logic_error) << "a page under two keys";
    EXPECT_THROW(pages.checkEveryKeyRegistered(), std::logic_error) << "keys without a page";
}

TEST(StartupUnreachableTest, OneWarningAndTheLoginPageStaysUsable)
{
    ConnectionSettings settings = ConnectionSettings::builtIn();
    settings.port = TestServer::closedPort();
    Tdm dm(settings);
    MessageRecorder messages;
    FileChooserRecorder files;
    Tfmain window(dm, messages, files);
    window.FormShow();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal terhubung ke database Belunta!"}}));
    EXPECT_EQ(window.pg->loginTabCaption(), "App Remunerasi RSUD");
    EXPECT_EQ(window.StatusBar1[2]->text(), "v 4");
    EXPECT_TRUE(window.tabLogin->btnlogin->isEnabled());
    window.tabLogin->btnloginClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal terhubung ke database Belunta!"}}));
}

TEST(AppInfoTest, ThirteenLines)
{
    const QStringList lines = appInfoText().split('\r');
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines[0], "About App");
    EXPECT_EQ(lines[1], QString(67, ' '));
    EXPECT_EQ(lines[3], "Sarvela" + QString(57, ' ') + "<<<");
    EXPECT_EQ(lines[4], "RSUD Kota Talvirana");
    EXPECT_EQ(lines[6], "Developed by :");
    EXPECT_EQ(lines[10], "Februari 2023");
    EXPECT_EQ(lines[12], "");
    EXPECT_FALSE(appInfoText().contains('\n'));
}

TEST(StyleTest, FoundByNameWithoutRegardToCase)
{
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    EXPECT_TRUE(applyStyle(*app, "smokey quartz KAMRI"));
    EXPECT_FALSE(app->styleSheet().isEmpty());
    EXPECT_FALSE(applyStyle(*app, "Smokey Quartz"));
    app->setStyleSheet({});
}
