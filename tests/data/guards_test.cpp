#include "data/guards.h"
#include "data/tdm.h"
#include "tests/support/app_fixture.h"

#include <gtest/gtest.h>

namespace {

class PlainHost : public ConnectionHost {
public:
    explicit PlainHost(Tdm &dm) : dm_(dm) {}
    void connectDB() override { dm_.fdremunerasi.open(); }
    void disconnectDB() override { dm_.fdremunerasi.close(); }

private:
    Tdm &dm_;
};

const InputWindowGuard inputGuard{"CALL `nasn_cek_waktu_input`() ", "conn", "call"};
const LockGuard lockGuard{"conn", "locked", "lockcall"};

struct Answer {
    const char *select; // the procedure's one statement
    Boxes boxes;        // empty: allowed
};

} // namespace

class GuardsTest : public ::testing::Test {
protected:
    GuardsTest() : server(false), dm(settingsFor(server)), host(dm) {}

    TestServer server;
    Tdm dm;
    PlainHost host;
    MessageRecorder messages;
};

TEST_F(GuardsTest, InputWindowAnswers)
{
    const Box refused{MessageKind::Warning, outsideInputWindow};
    const Box callFailed{MessageKind::Warning, "call"};
    const std::vector<Answer> answers = {
        {"SELECT '1' AS nilai, '0' AS restricted", {refused}},
        {"SELECT '1' AS nilai", {refused}}, // restricted is not read then
        {"SELECT '0' AS nilai, '1' AS restricted", {refused}},
        {"SELECT '' AS nilai, '1' AS restricted", {refused}},
        {"SELECT '0' AS nilai, '0' AS restricted", {}},
        {"SELECT '' AS nilai, '' AS restricted", {}},
        {"SELECT '01' AS nilai, ' 1' AS restricted", {}},
        {"SELECT 'true' AS nilai, 'true' AS restricted", {}},
        {"SELECT 1 AS nilai, 0 AS restricted", {refused}},
        {"SELECT '1' AS nilai, '1' AS restricted FROM DUAL WHERE FALSE", {}},
        {"SELECT '0' AS restricted", {callFailed}},
        {"SELECT '0' AS nilai", {callFailed}},
        {"SIGNAL SQLSTATE '45000'", {callFailed}},
    };
    for (const Answer &answer : answers) {
        server.replaceProcedure(std::string("CREATE PROCEDURE nasn_cek_waktu_input() ") + answer.select);
        const bool allowed = inputWindowAllows(dm, host, messages, inputGuard);
        EXPECT_EQ(allowed, answer.boxes.empty()) << answer.select;
        EXPECT_EQ(messages.take(), answer.boxes) << answer.select;
        EXPECT_FALSE(dm.fdremunerasi.isOpen());
    }
}

TEST_F(GuardsTest, LockAnswersForTheGivenSubmission)
{
    server.admin().exec("CREATE TABLE asked (id TEXT)");
    const Box locked{MessageKind::Error, "locked"};
    const std::vector<Answer> answers = {
        {"SELECT 'F' AS status", {locked}},
        {"SELECT 'f' AS status", {}},
        {"SELECT 'A' AS status", {}},
        {"SELECT '' AS status", {}},
        {"SELECT 'F' AS status FROM DUAL WHERE FALSE", {}},
        {"SELECT 'F' AS other", {{MessageKind::Warning, "lockcall"}}},
    };
    for (const Answer &answer : answers) {
        server.replaceProcedure(std::string("CREATE PROCEDURE nasn_cek_status_pengajuan(var_id TEXT) BEGIN "
                                            "INSERT INTO asked VALUES (var_id); ") +
                                answer.select + "; END");
        EXPECT_EQ(lockAllows(dm, host, messages, lockGuard, "17"), answer.boxes.empty()) << answer.select;
        EXPECT_EQ(messages.take(), answer.boxes) << answer.select;
    }
    EXPECT_EQ(server.admin().scalar("SELECT GROUP_CONCAT(DISTINCT id) FROM asked"), "17");
}

TEST(GuardsUnreachableTest, ConnectionFailureStops)
{
    ConnectionSettings settings = ConnectionSettings::builtIn();
    settings.port = TestServer::closedPort();
    Tdm dm(settings);
    PlainHost host(dm);
    MessageRecorder messages;
    EXPECT_FALSE(inputWindowAllows(dm, host, messages, inputGuard));
    EXPECT_FALSE(lockAllows(dm, host, messages, lockGuard, "1"));
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "conn"}, {MessageKind::Warning, "conn"}}));
}
