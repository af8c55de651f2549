// A main window over a fresh test database, with recorded boxes and dialogs.
#pragma once

#include "app/tfmain.h"
#include "tests/support/message_recorder.h"
#include "tests/support/server_settings.h"
#include "tests/support/test_server.h"

#include <gtest/gtest.h>
#include <memory>

// The demo accounts that the demo data holds.
struct DemoAccount {
    const char *nip;
    const char *password;
};
inline constexpr DemoAccount demoAdministrator{"199001012020011001", "rahasia123"};
inline constexpr DemoAccount demoOperator{"199202022020012002", "operator123"};
inline constexpr DemoAccount demoReadOnly{"199303032020011003", "pantau123"};

class AppFixture : public ::testing::Test {
protected:
    explicit AppFixture(bool demo = true);

    // Logs in through the login page and drops the boxes it showed.
    void logIn(const DemoAccount &account) { logIn(*fmain, account); }
    void logIn(Tfmain &window, const DemoAccount &account);
    // Sends the key to the widget, as typing does.
    static void press(QWidget *widget, int key);

    TestServer server;
    Tdm dm;
    MessageRecorder messages;
    FileChooserRecorder files;
    QDateTime clock;
    std::unique_ptr<Tfmain> fmain;
};
