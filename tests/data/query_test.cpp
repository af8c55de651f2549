#include "data/db_error.h"
#include "data/tdm.h"
#include "tests/support/app_fixture.h"

#include <gtest/gtest.h>

class QueryTest : public ::testing::Test {
protected:
    QueryTest() : server(false), dm(settingsFor(server)) {}

    TestServer server;
    Tdm dm;
};

TEST_F(QueryTest, BoundValuesReachTheServerVerbatim)
{
    server.replaceProcedure(
        "CREATE PROCEDURE echo_values(IN t TEXT, IN i BIGINT, IN d DATETIME) "
        "SELECT t AS t, LENGTH(t) AS n, i + 1 AS i, DATE_FORMAT(d, '%Y-%m-%d %H:%i:%s') AS d");
    const QString nasty = "O'Brien \\' \"x\" '); DROP TABLE t; -- é 🙂";
    Query &q = dm.fdsq1;
    q.setSql("CALL echo_values(:t, :i, :d)");
    q.setText("t", nasty);
    q.setInt("i", 41);
    q.setDateTime("d", QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58)));
    q.open();
    ASSERT_EQ(q.rowCount(), 1);
    q.first();
    EXPECT_EQ(q.field("t"), nasty);
    EXPECT_EQ(q.field("n").toInt(), nasty.toUtf8().size());
    EXPECT_EQ(q.field("i"), "42");
    EXPECT_EQ(q.field("d"), "2024-02-29 23:59:58");
}

TEST_F(QueryTest, StoresEveryRowAndWholeLongValues)
{
    server.replaceProcedure("CREATE PROCEDURE many_rows() "
                            "SELECT seq AS id, REPEAT('x', IF(seq = 3, 100000, 3)) AS v FROM seq_1_to_12000");
    Query &q = dm.fdsq1;
    q.setSql("CALL many_rows()");
    q.open();
    EXPECT_EQ(q.rowCount(), 12000);
    q.first();
    q.next();
    q.next();
    EXPECT_EQ(q.recNo(), 3);
    EXPECT_EQ(q.field("v").size(), 100000);
    int last = 0;
    for (q.first(); !q.eof(); q.next())
        last = q.field("id").toInt();
    EXPECT_EQ(last, 12000);
}

TEST_F(QueryTest, AnErrorAfterTheRowsFailsTheStatementAndLeavesTheConnectionUsable)
{
    server.replaceProcedure("CREATE PROCEDURE late_error() BEGIN SELECT 1 AS a; "
                            "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'late'; END");
    Query &q = dm.fdsq1;
    q.setSql("CALL late_error()");
    EXPECT_THROW(q.open(), DbError);
    q.setSql("CALL many()");
    server.replaceProcedure("CREATE PROCEDURE many() SELECT 7 AS a");
    q.open();
    q.first();
    EXPECT_EQ(q.field("a"), "7");
}

TEST_F(QueryTest, MissingColumnsAndMissingResultSetsAreErrors)
{
    server.replaceProcedure("CREATE PROCEDURE no_rows() SELECT 1 AS a FROM DUAL WHERE FALSE");
    server.replaceProcedure("CREATE PROCEDURE no_result() DO 1");
    Query &q = dm.fdsq1;
    q.setSql("CALL no_rows()");
    q.open();
    EXPECT_EQ(q.rowCount(), 0);
    EXPECT_EQ(q.field("a"), "");
    EXPECT_THROW(q.field("b"), DbError);
    q.setSql("CALL no_result()");
    EXPECT_THROW(q.open(), DbError);
    EXPECT_NO_THROW(q.execute());
}

TEST_F(QueryTest, OpensTheConnectionOnDemandAndClosingItDiscardsTheResult)
{
    server.replaceProcedure("CREATE PROCEDURE one() SELECT 'x' AS a");
    ASSERT_FALSE(dm.fdremunerasi.isOpen());
    dm.qreport.setSql("CALL one()");
    dm.qreport.open();
    EXPECT_TRUE(dm.fdremunerasi.isOpen());
    EXPECT_EQ(dm.qreport.rowCount(), 1);
    dm.fdremunerasi.close();
    EXPECT_FALSE(dm.qreport.isOpen());
    EXPECT_EQ(dm.qreport.rowCount(), 0);
}

TEST_F(QueryTest, DatesComeAsLocalText)
{
    server.replaceProcedure("CREATE PROCEDURE dates() SELECT DATE '2024-12-31' AS d, "
                            "TIMESTAMP '2024-12-31 13:02:03' AS t, CAST(NULL AS DATE) AS n");
    Query &q = dm.fdsq1;
    q.setSql("CALL dates()");
    q.open();
    q.first();
    EXPECT_EQ(q.field("d"), "12/31/24");
    EXPECT_EQ(q.field("t"), "12/31/24 1:02:03 PM");
    EXPECT_EQ(q.field("n"), "");
}

TEST(ConnectionTest, AClosedPortFailsToOpen)
{
    ConnectionSettings settings = ConnectionSettings::builtIn();
    settings.port = TestServer::closedPort();
    Connection connection(settings);
    EXPECT_THROW(connection.open(), DbError);
    EXPECT_FALSE(connection.isOpen());
}

// The window's busy pointer follows the hook: it must end as often as it starts,
// also when the statement or the connect fails.
TEST_F(QueryTest, TheBusyHookEndsEveryStartEvenOnFailure)
{
    std::vector<bool> calls;
    dm.fdremunerasi.setBusyHook([&](bool busy) { calls.push_back(busy); });
    Query &q = dm.fdsq1;
    q.setSql("CALL no_such_procedure()");
    EXPECT_THROW(q.open(), DbError);
    EXPECT_EQ(calls, (std::vector<bool>{true, false, true, false})) << "the connect, then the statement";

    calls.clear();
    ConnectionSettings settings = ConnectionSettings::builtIn();
    settings.port = TestServer::closedPort();
    Connection closed(settings);
    closed.setBusyHook([&](bool busy) { calls.push_back(busy); });
    EXPECT_THROW(closed.open(), DbError);
    EXPECT_EQ(calls, (std::vector<bool>{true, false}));
}

TEST(ConnectionSettingsTest, OnlyTheExactAlternativeHostIsShownUnderItsPublicName)
{
    ConnectionSettings settings = ConnectionSettings::builtIn();
    settings.altHost = "db-alt.rsud.local";
    settings.altHostPublic = "db.rsud.example";
    settings.host = "db-alt.rsud.local";
    EXPECT_EQ(settings.shownHost(), "db.rsud.example");
    settings.host = "DB-ALT.rsud.local";
    EXPECT_EQ(settings.shownHost(), "DB-ALT.rsud.local");
}
