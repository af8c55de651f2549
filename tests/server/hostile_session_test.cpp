// A client holding the application password, talking to the server directly:
// its own session settings, its own transactions, calls without a login.
#include "tests/server/server_fixture.h"

#include <mysql.h>

namespace {

const RecipientRow good{"3273000000000001", "Agus", "4000000", "160000", "40000", "1000000", "500000"};

std::string importOf(const std::string &submission, const std::vector<RecipientRow> &rows)
{
    std::string sql = "insert ignore into nasn_pengajuan_detail (`id_pengajuan`,`nik`,`nama_lengkap`,`gapok`,"
                      "`gapok_4`,`gapok_1`,`remunerasi`,`insentif`) values ";
    for (size_t i = 0; i < rows.size(); ++i) {
        const RecipientRow &r = rows[i];
        sql += (i ? ",('" : "('") + submission + "','" + r.nik + "','" + r.nama + "','" + r.gapok + "','" +
               r.gapok4 + "','" + r.gapok1 + "','" + r.remunerasi + "','" + r.insentif + "')";
    }
    return sql;
}

RecipientRow withNik(RecipientRow row, const std::string &nik)
{
    row.nik = nik;
    return row;
}

class HostileSessionTest : public ServerTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(logIn(app, operatorNip));
        submission = newSubmission();
    }

    std::string submission;
};

using serverHostileSession = HostileSessionTest;

// Each setting would have moved a decision, a stored value or a key; a call
// made under it is refused and records nothing, and the next clean login of
// every operator still works.
TEST_F(serverHostileSession, LoginUnderASettingOfTheSessionIsRefusedAndRecordsNothing)
{
    const std::vector<std::string> settings = {
        "START TRANSACTION",
        "SET autocommit = 0",
        "SET time_zone = '+13:00'",
        "SET check_constraint_checks = 0",
        "SET foreign_key_checks = 0",
        "SET unique_checks = 0",
        "SET insert_id = 18446744073709551614",
        "SET auto_increment_increment = 65535",
        "SET auto_increment_offset = 7",
        "SET div_precision_increment = 0",
        "SET max_sort_length = 8",
        "SET SESSION TRANSACTION ISOLATION LEVEL READ UNCOMMITTED",
        "SET max_statement_time = 1000",
    };
    const std::string attempts = count("nasn_login_attempt");
    const std::string entries = count("nasn_log");
    for (const std::string &setting : settings) {
        SqlSession hostile = server.app();
        hostile.exec(setting);
        EXPECT_THROW(hostile.query("CALL nasn_login_cek(" + q(operatorNip) + ", 'tebakan')"), SqlError)
            << setting;
        hostile.exec(setting); // a refusal may have rolled the transaction back
        EXPECT_THROW(hostile.query("CALL nasn_pengajuan_tampildata('2024', 'JM')"), SqlError) << setting;
        hostile.exec("ROLLBACK");
        EXPECT_EQ(count("nasn_login_attempt"), attempts) << setting;
        EXPECT_EQ(count("nasn_log"), entries) << setting;
    }
    EXPECT_TRUE(logIn(app, operatorNip));
    EXPECT_TRUE(logIn(app, adminNip));
    EXPECT_EQ(count("nasn_login_attempt"), std::to_string(std::stoi(attempts) + 2));
}

// Guessing inside a transaction and rolling back used to leave no attempt, so
// the lockout never came.
TEST_F(serverHostileSession, RolledBackGuessesCannotDodgeTheLockout)
{
    SqlSession hostile = server.app();
    for (int i = 0; i < 5; ++i) {
        hostile.exec("START TRANSACTION");
        EXPECT_THROW(hostile.query("CALL nasn_login_cek(" + q(adminNip) + ", 'tebakan')"), SqlError);
        hostile.exec("ROLLBACK");
        EXPECT_FALSE(logIn(hostile, adminNip, "tebakan"));
        hostile.exec("ROLLBACK");
    }
    EXPECT_FALSE(logIn(hostile, adminNip)) << "the right password, once the lockout has come";
    EXPECT_EQ(count("nasn_login_attempt", "nip = '199001012020011001' AND NOT berhasil"), "5");
}

// A refusal and its log entry are committed before the client can undo them.
TEST_F(serverHostileSession, ARefusalStaysLoggedWhateverTheClientRollsBack)
{
    ASSERT_TRUE(logIn(app, readOnlyNip));
    const std::string refusals = "aksi = 'hapus pengajuan' AND keterangan LIKE 'Ditolak:%'";
    expectRefused("CALL nasn_pengajuan_hapus(" + q(submission) + ", " + q(readOnlyNip) + ")");
    app.exec("ROLLBACK");
    EXPECT_EQ(count("nasn_log", refusals), "1");

    app.exec("START TRANSACTION");
    expectRefused("CALL nasn_pengajuan_hapus(" + q(submission) + ", " + q(operatorNip) + ")");
    app.exec("ROLLBACK");
    EXPECT_EQ(count("nasn_pengajuan"), "1");
}

TEST_F(serverHostileSession, AnImportUnderChangedSettingsStoresNothing)
{
    struct Attack {
        const char *setting;
        RecipientRow row;
        std::string submission;
    };
    RecipientRow badNik = withNik(good, "3.2E+15");
    RecipientRow badAmounts = good;
    badAmounts.gapok = "1e7";
    badAmounts.gapok4 = "12.5";
    badAmounts.gapok1 = "-5";
    badAmounts.remunerasi = " 7";
    const std::vector<Attack> attacks = {
        {"SET check_constraint_checks = 0", badNik, submission},
        {"SET check_constraint_checks = 0", badAmounts, submission},
        {"SET foreign_key_checks = 0", good, std::to_string(std::stoi(submission) + 1)},
        {"SET unique_checks = 0", good, submission},
        {"SET insert_id = 18446744073709551614", good, submission},
        {"SET time_zone = '+13:00'", good, submission},
    };
    for (const Attack &attack : attacks) {
        SqlSession hostile = server.app();
        // A clean import first, so the guard's memory of this second is warm.
        hostile.exec(importOf(submission, {withNik(good, "3273000000000009")}));
        hostile.exec(attack.setting);
        EXPECT_THROW(hostile.exec(importOf(attack.submission, {attack.row})), SqlError) << attack.setting;
    }
    newSubmission("202406");
    EXPECT_EQ(count("nasn_pengajuan_detail"), "1") << "only the clean row";
    EXPECT_EQ(count("nasn_pengajuan_detail", "id > 1000000"), "0");
    app.exec(importOf(submission, {good}));
    EXPECT_EQ(count("nasn_pengajuan_detail"), "2") << "the next import is not blocked by a planted key";
}

// The import's log entry owes nothing to the session: its user variables, its
// clock, or a rollback of an earlier statement.
TEST_F(serverHostileSession, EveryStoredImportRowIsCoveredByALogEntry)
{
    SqlSession hostile = server.app();
    hostile.exec("SET @util_import_at = @@timestamp, @util_import_id = " + submission);
    hostile.exec("SET timestamp = UNIX_TIMESTAMP('2020-01-01 00:00:00')");
    hostile.exec("START TRANSACTION");
    hostile.exec(importOf(submission, {good}));
    hostile.exec("ROLLBACK");
    hostile.exec(
        importOf(submission, {withNik(good, "3273000000000002"), withNik(good, "3273000000000003")}));
    hostile.exec(importOf(submission, {withNik(good, "3273000000000004")}));

    EXPECT_EQ(count("nasn_pengajuan_detail"), "3");
    EXPECT_EQ(count("nasn_pengajuan_detail", "diubah < '2021-01-01'"), "0") << "the session's clock";
    Rows entries = root.query("SELECT nip, keterangan, tanggal_aksi > '2021-01-01' FROM nasn_log "
                              "WHERE aksi = 'impor' ORDER BY id");
    ASSERT_GE(entries.size(), 1u);
    ASSERT_LE(entries.size(), 2u) << "one entry per second, not per statement";
    for (const Row &entry : entries) {
        EXPECT_EQ(entry[0], operatorNip);
        EXPECT_EQ(entry[1], "Impor data Excel ke pengajuan " + submission +
                                " (NIP dari login terakhir di komputer ini)");
        EXPECT_EQ(entry[2], "1");
    }
}

// Nobody logged in from this host: every list and every change is refused, and
// the refusal is logged.
TEST_F(serverHostileSession, WithoutALoginFromThisHostNothingIsAnswered)
{
    addRow(submission, good);
    const std::string row = root.scalar("SELECT MIN(id) FROM nasn_pengajuan_detail");
    app.exec("CALL nasn_logout(" + q(operatorNip) + ")");
    const std::vector<std::string> calls = {
        "CALL nasn_pengajuan_detail_hapus(" + q(row) + ")",
        "CALL nasn_pejabat_insert('199202022020012002', '199202022020012002')",
        "CALL nasn_pengajuan_tambah('202407', '288', '-', '2024-07-01', 'Juli', 'JM')",
        importOf(submission, {withNik(good, "3273000000000002")}),
        "CALL nasn_pengajuan_detail_tampildata(" + q(submission) + ", 0)",
        "CALL nasn_pengajuan_detail_ubah_ambil_data(" + q(row) + ")",
        "CALL nasn_user_tampildata()",
        "CALL nasn_log_tampildata('2000-01-01', '2100-01-01')",
        "CALL nasn_pengajuan_tampildata('2024', 'JM')",
        "CALL nasn_cek_waktu_input()",
        "CALL nasn_cek_status_pengajuan(" + q(submission) + ")",
        "CALL nasn_load_profil(" + q(operatorNip) + ")",
        "CALL nasn_select_nama_lengkap(" + q(operatorNip) + ")",
        "CALL nasn_pengajuan_hapus(" + q(submission) + ", " + q(operatorNip) + ")",
    };
    for (const std::string &call : calls)
        expectRefused(call);
    EXPECT_EQ(count("nasn_pengajuan"), "1");
    EXPECT_EQ(count("nasn_pengajuan_detail"), "1");
    EXPECT_EQ(count("tpp_pejabat"), "0");
    EXPECT_GE(std::stoi(count("nasn_log", "keterangan LIKE 'Ditolak:%'")), 10);
    EXPECT_NO_THROW(app.query("CALL nasn_version_check('4')"));
    EXPECT_NO_THROW(app.query("CALL nasn_informasi()"));
}

// Every procedure the application account may call, not only those listed
// above: one added later without the login check fails here.
TEST_F(serverHostileSession, EveryGrantedProcedureButTheOpenThreeNeedsALogin)
{
    app.exec("CALL nasn_logout(" + q(operatorNip) + ")");
    const Rows procedures =
        root.query("SELECT r.ROUTINE_NAME, COUNT(p.PARAMETER_NAME) FROM information_schema.ROUTINES r "
                   "LEFT JOIN information_schema.PARAMETERS p ON p.SPECIFIC_SCHEMA = r.ROUTINE_SCHEMA "
                   "AND p.SPECIFIC_NAME = r.ROUTINE_NAME AND p.ROUTINE_TYPE = 'PROCEDURE' "
                   "WHERE r.ROUTINE_SCHEMA = DATABASE() AND r.ROUTINE_TYPE = 'PROCEDURE' AND r.ROUTINE_NAME "
                   "LIKE 'nasn\\_%' "
                   "AND r.ROUTINE_NAME NOT IN ('nasn_version_check', 'nasn_informasi', 'nasn_login_cek') "
                   "GROUP BY r.ROUTINE_NAME");
    EXPECT_GE(procedures.size(), 30u);
    for (const Row &procedure : procedures) {
        std::string call = "CALL " + *procedure[0] + "(";
        for (int i = 0; i < std::stoi(*procedure[1]); ++i)
            call += i ? ", NULL" : "NULL";
        const std::string reason = refusalOf([&] { app.exec(call + ")"); });
        EXPECT_TRUE(reason == "Belum ada yang login dari komputer ini" ||
                    reason == "NIP pemroses belum login dari komputer ini")
            << call << "): " << reason;
    }
}

// A call without a NIP acts as the host's latest login: logged with that NIP,
// and refused when that login may only read.
TEST_F(serverHostileSession, ACallWithoutANipActsAsTheHostsLatestLogin)
{
    addRow(submission, good);
    app.exec("CALL nasn_pejabat_insert('199202022020012002', '199001012020011001')");
    EXPECT_EQ(root.query("SELECT nip, keterangan FROM nasn_log WHERE aksi = 'pejabat'"),
              (Rows{{operatorNip, "Pejabat disimpan: PA 199202022020012002, BP 199001012020011001 (NIP dari "
                                  "login terakhir di komputer ini)"}}));

    ASSERT_TRUE(logIn(app, readOnlyNip));
    expectRefused("CALL nasn_pejabat_update('199001012020011001', '199001012020011001')");
    expectRefused("CALL nasn_pengajuan_detail_hapus(" +
                  q(root.scalar("SELECT MIN(id) FROM nasn_pengajuan_detail")) + ")");
    expectRefused(importOf(submission, {withNik(good, "3273000000000002")}));
    EXPECT_EQ(app.query("CALL nasn_pengajuan_detail_tampildata(" + q(submission) + ", 0)").size(), 1u)
        << "reading is the read-only level's right";
    EXPECT_EQ(root.scalar("SELECT pa FROM tpp_pejabat"), "199202022020012002");
    EXPECT_EQ(count("nasn_pengajuan_detail"), "1");

    app.exec("CALL nasn_logout(" + q(readOnlyNip) + ")");
    app.exec("CALL nasn_pengajuan_detail_hapus(" +
             q(root.scalar("SELECT MIN(id) FROM nasn_pengajuan_detail")) + ")");
    EXPECT_EQ(count("nasn_pengajuan_detail"), "0") << "the operator's session is the latest again";
}

// The application account over TCP without TLS, as `mariadb --skip-ssl` would
// come: refused before any procedure runs.
TEST_F(serverHostileSession, TheApplicationAccountWithoutTlsIsRefused)
{
    MYSQL *plain = mysql_init(nullptr);
    EXPECT_EQ(mysql_real_connect(plain, server.host().c_str(), server.user().c_str(),
                                 server.password().c_str(), server.database().c_str(), server.port(), nullptr,
                                 0),
              nullptr);
    EXPECT_EQ(mysql_errno(plain), 1045u) << mysql_error(plain);
    mysql_close(plain);
    EXPECT_NO_THROW(server.app().query("CALL nasn_version_check('4')")) << "the same account over TLS";
}

} // namespace
