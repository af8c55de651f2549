// Logs in through the client, as a desk does, to a server that scripts/db-install
// set up: tests/scripts/db_install_test.sh starts that server and runs this
// program with its port and the application password it installed. Not a test
// of its own, so it is not registered with ctest.
#include "app/tfmain.h"
#include "tests/support/message_recorder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

QString required(const char *name)
{
    const char *value = std::getenv(name);
    if (!value || !*value)
        throw std::runtime_error(std::string(name) + " is not set: run by tests/scripts/db_install_test.sh");
    return QString::fromUtf8(value);
}

TEST(InstalledServer, AnAdministratorLogsInOverTheInstalledConnection)
{
    ConnectionSettings settings = ConnectionSettings::builtIn();
    settings.host = "127.0.0.1";
    settings.port = required("SARVELA_INSTALLED_PORT").toUInt();
    settings.password = required("SARVELA_INSTALLED_APP_PASSWORD");
    Tdm dm(settings);
    MessageRecorder messages;
    FileChooserRecorder files;
    Tfmain fmain(dm, messages, files);
    fmain.FormShow();
    EXPECT_EQ(messages.take(), Boxes{});
    fmain.tabLogin->leNIP->setText("199001012020011001");
    fmain.tabLogin->lePassword->setText("rahasia123");
    fmain.tabLogin->btnloginClick();
    messages.take();
    EXPECT_EQ(fmain.currentPage(), Page::tabProfil);
    EXPECT_EQ(fmain.context.levelUser, "Administrator");
}

} // namespace
