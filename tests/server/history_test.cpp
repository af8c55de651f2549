// Processing runs kept whole and read back: the list of a submission's runs, a
// run's rows and its report variables.
#include "tests/server/server_fixture.h"

#include <fstream>
#include <sstream>

namespace {

const RecipientRow ani{"3273000000000001", "Ani", "4000000", "160000", "40000", "3000000", "1000000"};
const RecipientRow budi{"3273000000000002", "Budi", "2000000", "80000", "20000", "500000", "300000"};

class HistoryTest : public ServerTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(logIn(app, operatorNip));
        app.exec("CALL nasn_pejabat_insert(" + q(adminNip) + ", " + q(operatorNip) + ")");
        submission = newSubmission("202403");
        addRow(submission, ani);
        addRow(submission, budi);
    }

    Rows process() { return app.query("CALL nasn_proses(" + q(submission) + ", " + q(operatorNip) + ")"); }
    Rows runs()
    {
        return app.query("CALL nasn_proses_riwayat_tampildata(" + q(submission) + ", " + q(operatorNip) +
                         ")");
    }
    Rows rowsOf(const std::string &run)
    {
        return app.query("CALL nasn_proses_riwayat_baris(" + q(run) + ", " + q(operatorNip) + ")");
    }
    Rows variablesOf(const std::string &run)
    {
        return app.query("CALL nasn_proses_riwayat_variabel(" + q(run) + ", " + q(operatorNip) + ")");
    }

    std::string submission;
};

} // namespace

TEST_F(HistoryTest, EachRunKeepsItsRowsOfficialsAndLabelNewestListedFirst)
{
    const Rows first = process();
    app.exec("CALL nasn_pejabat_update(" + q(readOnlyNip) + ", " + q(adminNip) + ")");
    app.exec("CALL nasn_pengajuan_detail_hapus(" +
             q(root.scalar("SELECT id FROM nasn_pengajuan_detail WHERE nik = '" + budi.nik + "'")) + ")");
    const Rows second = process();

    const Rows listed = runs();
    ASSERT_EQ(listed.size(), 2u);
    const std::string firstRun = root.scalar("SELECT MIN(id) FROM nasn_process_run");
    EXPECT_EQ(*listed[1][0], firstRun);
    // id, time, operator NIP and name, rows, total of bruto_1 + bruto_4: 80 000 + 320 000 + 30 000 + 120 000
    EXPECT_EQ(listed[1][2], operatorNip);
    EXPECT_EQ(listed[1][3], "Dedi Firmansyah");
    EXPECT_EQ(listed[1][4], "2");
    EXPECT_EQ(listed[1][5], "550.000");
    EXPECT_EQ(listed[0][4], "1");
    EXPECT_EQ(listed[0][5], "400.000");

    EXPECT_EQ(rowsOf(firstRun), first);
    EXPECT_EQ(rowsOf(*listed[0][0]), second);
    EXPECT_EQ(variablesOf(firstRun), (Rows{{"Rina Kartikasari", adminNip, "Penata (III/c)", "Dedi Firmansyah",
                                            operatorNip, "Penata Muda (III/a)", "Maret 2024"}}));
    EXPECT_EQ(variablesOf(*listed[0][0]),
              (Rows{{"Sri Wahyuni", readOnlyNip, "Penata Muda (III/a)", "Rina Kartikasari", adminNip,
                     "Penata (III/c)", "Maret 2024"}}));
}

TEST_F(HistoryTest, TheAnswersCarryTheColumnsTheClientReads)
{
    process();
    const std::string run = root.scalar("SELECT MAX(id) FROM nasn_process_run");
    ASSERT_TRUE(logIn(app, operatorNip)); // resultColumns connects anew, from the same host
    EXPECT_EQ(
        resultColumns("CALL nasn_proses_riwayat_tampildata(" + q(submission) + ", " + q(operatorNip) + ")"),
        (std::vector<std::string>{"id", "tanggal_proses", "nip", "nama_lengkap", "jumlah_pegawai",
                                  "total_iuran"}));
    EXPECT_EQ(resultColumns("CALL nasn_proses_riwayat_variabel(" + q(run) + ", " + q(operatorNip) + ")"),
              (std::vector<std::string>{"pa_nama", "pa_nip", "pa_pangkat", "bp_nama", "bp_nip", "bp_pangkat",
                                        "periode_tpp_label"}));
    const auto rowColumns =
        resultColumns("CALL nasn_proses_riwayat_baris(" + q(run) + ", " + q(operatorNip) + ")");
    ASSERT_TRUE(rowColumns);
    EXPECT_EQ(rowColumns->size(), 28u);
    EXPECT_EQ(rowColumns->back(), "nama_unit");
}

// Reading changes nothing: a locked month, a closed window, maintenance and the
// read-only level all read; nothing is written but the runs processing made.
TEST_F(HistoryTest, ReadingRunsNoGuardAndWritesNothing)
{
    process();
    const std::string run = root.scalar("SELECT MAX(id) FROM nasn_process_run");
    root.exec("CALL adm_submission_lock(" + q(submission) + ")");
    root.exec("CALL adm_maintenance_start(NOW() + INTERVAL 1 HOUR)");
    root.exec("DELETE FROM nasn_waktu_input");
    ASSERT_TRUE(logIn(app, readOnlyNip));
    ASSERT_TRUE(logIn(app, adminNip));
    const std::string logBefore = count("nasn_log");
    for (const char *nip : {operatorNip, readOnlyNip, adminNip}) {
        EXPECT_EQ(
            app.query("CALL nasn_proses_riwayat_tampildata(" + q(submission) + ", " + q(nip) + ")").size(),
            1u)
            << nip;
        EXPECT_EQ(app.query("CALL nasn_proses_riwayat_baris(" + q(run) + ", " + q(nip) + ")").size(), 2u)
            << nip;
        EXPECT_EQ(app.query("CALL nasn_proses_riwayat_variabel(" + q(run) + ", " + q(nip) + ")").size(), 1u)
            << nip;
    }
    EXPECT_EQ(count("nasn_log"), logBefore);
    EXPECT_EQ(count("nasn_process_run"), "1");
}

// The NIP in the call is only a claim: one that never logged in from this host
// reads nothing, whatever the session sets.
TEST_F(HistoryTest, ANipThatDidNotLogInFromThisHostReadsNothing)
{
    process();
    const std::string run = root.scalar("SELECT MAX(id) FROM nasn_process_run");
    SqlSession stranger = server.app();
    stranger.exec("SET SESSION timestamp = UNIX_TIMESTAMP('2030-01-01')");
    for (const std::string &call :
         {"nasn_proses_riwayat_tampildata(" + q(submission) + ", " + q(adminNip) + ")",
          "nasn_proses_riwayat_baris(" + q(run) + ", " + q(adminNip) + ")",
          "nasn_proses_riwayat_variabel(" + q(run) + ", '')"})
        EXPECT_THROW(stranger.exec("CALL " + call), SqlError) << call;
    EXPECT_THROW(stranger.query("SELECT * FROM nasn_process_run_variabel"), SqlError);
    EXPECT_THROW(stranger.query("SELECT * FROM nasn_process_history"), SqlError);
}

TEST_F(HistoryTest, AnEmptyRunAndAnUnknownRunAnswerNoRows)
{
    const std::string empty = newSubmission("202412");
    app.exec("CALL nasn_proses(" + q(empty) + ", " + q(operatorNip) + ")");
    const Rows listed =
        app.query("CALL nasn_proses_riwayat_tampildata(" + q(empty) + ", " + q(operatorNip) + ")");
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0][4], "0");
    EXPECT_EQ(listed[0][5], "0");
    EXPECT_EQ(rowsOf(*listed[0][0]), Rows{});
    EXPECT_EQ(variablesOf(*listed[0][0])[0][6], "Desember 2024");
    for (const char *unknown : {"999", "x", ""}) {
        EXPECT_EQ(rowsOf(unknown), Rows{}) << unknown;
        EXPECT_EQ(variablesOf(unknown), Rows{}) << unknown;
    }
}

// An existing database gains the table; runs made before keep their label and
// officials' names from their rows.
TEST_F(HistoryTest, TheMigrationKeepsTheRunsMadeBeforeIt)
{
    process();
    const std::string empty = newSubmission("202412");
    app.exec("CALL nasn_proses(" + q(empty) + ", " + q(operatorNip) + ")");
    root.exec("DROP TABLE nasn_process_run_variabel");

    std::ifstream file(SARVELA_MIGRATIONS_DIR "/deploy/process-run-variabel.sql");
    ASSERT_TRUE(file);
    std::stringstream text;
    text << file.rdbuf();
    std::string statement;
    while (std::getline(text, statement, ';'))
        if (statement.find_first_not_of(" \n") != std::string::npos)
            root.exec(statement);

    EXPECT_EQ(root.query("SELECT periode_label, pa_nama, pa_nip, bp_nama, bp_pangkat FROM "
                         "nasn_process_run_variabel ORDER BY run_id"),
              (Rows{{"Maret 2024", "Rina Kartikasari", "", "Dedi Firmansyah", ""}, {"", "", "", "", ""}}));
    process();
    EXPECT_EQ(count("nasn_process_run_variabel", "pa_nip = " + q(adminNip)), "1");
}
