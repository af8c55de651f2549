// Login, lockout, the acting-NIP rule, own password change and account management.
#include "tests/server/server_fixture.h"

namespace {

class AccountsTest : public ServerTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(logIn(app, adminNip));
        submission = newSubmission();
    }

    // A row change that carries an acting NIP, to see whether the NIP is accepted.
    void addRowAs(const std::string &actor)
    {
        addRow(submission, {"3273000000000001", "Agus", "4000000", "160000", "40000", "0", "0"}, actor);
    }
    void backdateLogins(const std::string &interval)
    {
        root.exec("UPDATE nasn_login_attempt SET attempted_at = attempted_at - INTERVAL " + interval);
        root.exec("UPDATE nasn_sesi SET mulai = mulai - INTERVAL " + interval);
    }

    std::string submission;
};

// Named for the suite so that `scripts/test -R server` selects it.
using serverAccounts = AccountsTest;

TEST_F(serverAccounts, LoginAnswersOneRowOnlyForAnActiveAccountWithThatPassword)
{
    Rows rows = app.query("CALL nasn_login_cek('199202022020012002', " + q(password) + ")");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], "199202022020012002");
    EXPECT_EQ(rows[0][1], "Admin_skpd");
    EXPECT_EQ(rows[0][2], "Operator Unit (input dan proses data)");
    EXPECT_EQ(*resultColumns("CALL nasn_login_cek('x', 'y')"),
              (std::vector<std::string>{"nip", "level", "levelDescription"}));

    EXPECT_FALSE(logIn(app, operatorNip, "Rahasia-123"));
    EXPECT_FALSE(logIn(app, operatorNip, ""));
    EXPECT_FALSE(logIn(app, "199202022020012009", password));
    root.exec("UPDATE nasn_user SET aktif = FALSE WHERE nip = '199202022020012002'");
    EXPECT_FALSE(logIn(app, operatorNip));
}

TEST_F(serverAccounts, PasswordsAreStoredAsSaltedSlowHashesOnly)
{
    Rows rows =
        root.query("SELECT salt, password_hash, hash_cost, password_hash = util_password_hash(salt, " +
                   q(password) + ", hash_cost), password_hash = SHA2(CONCAT(salt, " + q(password) +
                   "), 256) FROM nasn_user ORDER BY nip");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_NE(rows[0][0], rows[1][0]) << "same password, same salt";
    EXPECT_NE(rows[0][1], rows[1][1]) << "same password, same hash";
    for (const Row &row : rows)
        EXPECT_EQ(row[2].value() + row[3].value() + row[4].value(), "1010")
            << "the configured cost, not one round";
    EXPECT_EQ(count("nasn_user", "LOCATE(" + q(password) + ", CONCAT(salt, password_hash)) > 0"), "0");
    EXPECT_EQ(*resultColumns("CALL nasn_user_tampildata()"),
              (std::vector<std::string>{"id", "nip", "nama_lengkap", "user_level", "register_date"}));
}

// A hash of the old kind (one SHA-256) or of a lower cost is replaced at the
// account's next successful login, and only then.
TEST_F(serverAccounts, ACheaperStoredHashIsReplacedAtTheNextSuccessfulLogin)
{
    root.exec("UPDATE nasn_user SET hash_cost = 0, password_hash = SHA2(CONCAT(salt, " + q(password) +
              "), 256) WHERE nip = '199202022020012002'");
    const std::string stored = "SELECT CONCAT(hash_cost, ' ', password_hash = util_password_hash(salt, " +
                               q(password) + ", hash_cost)) FROM nasn_user WHERE nip = '199202022020012002'";
    EXPECT_FALSE(logIn(app, operatorNip, "wrong"));
    EXPECT_EQ(root.scalar(stored), "0 1") << "a failed login changes nothing";
    EXPECT_TRUE(logIn(app, operatorNip));
    EXPECT_EQ(root.scalar(stored), "10 1");

    root.exec("UPDATE nasn_konfigurasi SET hash_cost = 25");
    EXPECT_TRUE(logIn(app, operatorNip));
    EXPECT_EQ(root.scalar(stored), "25 1") << "a raised cost reaches the account at its next login";
    EXPECT_TRUE(logIn(app, operatorNip));
}

TEST_F(serverAccounts, FiveFailuresLockThatNipOnThatHostForFifteenMinutes)
{
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(logIn(app, operatorNip, "wrong"));
    EXPECT_TRUE(logIn(app, operatorNip)) << "four failures do not lock";

    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(logIn(app, operatorNip, "wrong"));
    EXPECT_FALSE(logIn(app, operatorNip)) << "the right password is refused while locked";
    EXPECT_TRUE(logIn(root, operatorNip)) << "another host is not locked";
    EXPECT_TRUE(logIn(app, adminNip)) << "another NIP is not locked";
    EXPECT_EQ(root.query("CALL adm_lockout_list()").size(), 1u);

    root.exec("UPDATE nasn_login_lockout SET locked_until = NOW(6) - INTERVAL 1 SECOND");
    backdateLogins("15 MINUTE");
    EXPECT_TRUE(logIn(app, operatorNip)) << "the lock ends";
}

// The application account may set its session's clock (SET timestamp); no
// decision of the server follows it.
TEST_F(serverAccounts, TheClientsClockMovesNoDecision)
{
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(logIn(app, operatorNip, "wrong"));
    app.exec("SET timestamp = UNIX_TIMESTAMP() + 3600");
    EXPECT_FALSE(logIn(app, operatorNip)) << "the lockout does not end an hour early";

    root.exec("DELETE FROM nasn_waktu_input");
    root.exec("INSERT INTO nasn_waktu_input (mulai, selesai) VALUES ('2021-01-01', '2021-12-31')");
    app.exec("SET timestamp = UNIX_TIMESTAMP('2021-06-01 10:00:00')");
    EXPECT_EQ(app.scalar("CALL nasn_cek_waktu_input()"), "1") << "a closed window stays closed";
    expectRefused("CALL nasn_pengajuan_tambah('202106', '288', '-', '2021-06-01', 'Juni', 'JM')");
}

TEST_F(serverAccounts, OnlyFailuresWithinFifteenMinutesCount)
{
    for (int i = 0; i < 4; ++i)
        logIn(app, operatorNip, "wrong");
    backdateLogins("16 MINUTE");
    logIn(app, operatorNip, "wrong");
    EXPECT_TRUE(logIn(app, operatorNip));
}

TEST_F(serverAccounts, ActingNipCountsOnlyAfterALoginFromThisHostWithinTwelveHours)
{
    expectRefused("CALL nasn_pengajuan_hapus(" + q(submission) + ", '199202022020012002')");
    logIn(root, operatorNip);
    expectRefused("CALL nasn_pengajuan_hapus(" + q(submission) + ", '199202022020012002')");

    logIn(app, operatorNip);
    backdateLogins("11 HOUR");
    addRowAs(operatorNip);
    EXPECT_EQ(count("nasn_pengajuan_detail"), "1");

    backdateLogins("2 HOUR");
    expectRefused("CALL nasn_pengajuan_hapus(" + q(submission) + ", '199202022020012002')");
    EXPECT_EQ(count("nasn_pengajuan"), "1");
}

TEST_F(serverAccounts, ReadOnlyLevelChangesNothing)
{
    ASSERT_TRUE(logIn(app, readOnlyNip));
    EXPECT_THROW(addRowAs(readOnlyNip), SqlError);
    expectRefused("CALL nasn_proses(" + q(submission) + ", '199303032020011003')");
    expectRefused("CALL nasn_pengajuan_hapus(" + q(submission) + ", '199303032020011003')");
    EXPECT_EQ(count("nasn_pengajuan"), "1");
    EXPECT_EQ(count("nasn_process_history"), "0");
}

TEST_F(serverAccounts, OwnPasswordChangesOnlyWithinTenMinutesOfConfirmingTheOldOne)
{
    expectRefused("CALL nasn_login_update('199202022020012002', 'baru')");

    ASSERT_TRUE(logIn(app, operatorNip));
    std::string oldSalt = root.scalar("SELECT salt FROM nasn_user WHERE nip = '199202022020012002'");
    app.exec("CALL nasn_login_update('199202022020012002', '')");
    EXPECT_NE(root.scalar("SELECT salt FROM nasn_user WHERE nip = '199202022020012002'"), oldSalt);
    EXPECT_TRUE(logIn(app, operatorNip, "")) << "an empty new password is the client's choice";
    EXPECT_FALSE(logIn(app, operatorNip));

    backdateLogins("11 MINUTE");
    expectRefused("CALL nasn_login_update('199202022020012002', 'lagi')");
}

TEST_F(serverAccounts, AdministratorAddsChangesAndDeletesAccounts)
{
    root.exec("CALL adm_person_set('199404042020011004', 'Budi Santoso', 'Pengatur (II/c)')");
    ASSERT_TRUE(logIn(app, adminNip));

    app.exec("CALL nasn_user_tambah('199404042020011004', 'rahasia-baru', '199001012020011001')");
    EXPECT_EQ(root.query("SELECT nama_lengkap, user_level FROM nasn_user WHERE nip = '199404042020011004'"),
              (Rows{{"Budi Santoso", "Admin_skpd"}}));
    EXPECT_TRUE(logIn(app, "199404042020011004", "rahasia-baru"));
    expectRefused("CALL nasn_user_tambah('199404042020011004', 'lain', '199001012020011001')");
    expectRefused("CALL nasn_user_tambah('199505052020011005', 'rahasia', '199001012020011001')");

    app.exec("CALL nasn_user_ubah('199404042020011004', 'diganti-1', '199001012020011001')");
    EXPECT_TRUE(logIn(app, "199404042020011004", "diganti-1"));

    app.exec("CALL nasn_user_hapus('199404042020011004', '199001012020011001')");
    EXPECT_EQ(count("nasn_user", "nip = '199404042020011004'"), "0");
    expectRefused("CALL nasn_user_hapus('199001012020011001', '199001012020011001')");
}

TEST_F(serverAccounts, OnlyAnAdministratorManagesAccounts)
{
    root.exec("CALL adm_person_set('199404042020011004', 'Budi Santoso', '')");
    ASSERT_TRUE(logIn(app, operatorNip));
    expectRefused("CALL nasn_user_tambah('199404042020011004', 'rahasia-baru', '199202022020012002')");
    expectRefused("CALL nasn_user_ubah('199001012020011001', 'direbut-1', '199202022020012002')");
    expectRefused("CALL nasn_user_hapus('199001012020011001', '199202022020012002')");
    EXPECT_EQ(count("nasn_user"), "3");
    EXPECT_TRUE(logIn(app, adminNip));
}

TEST_F(serverAccounts, LoginsAndChangesAreLoggedWithoutPasswords)
{
    logIn(app, operatorNip, "salah-sekali");
    logIn(app, operatorNip);
    addRowAs(operatorNip);

    Rows rows = app.query("CALL nasn_log_tampildata('2000-01-01 00:00:00', '2100-01-01 00:00:00')");
    ASSERT_GE(rows.size(), 4u); // the submission, two logins, the row
    EXPECT_EQ(rows[0][1], operatorNip);
    EXPECT_EQ(rows[0][2], "Dedi Firmansyah");
    EXPECT_EQ(rows[0][4], "tambah pegawai");
    EXPECT_EQ(count("nasn_log", "aksi = 'login' AND nip = '199202022020012002'"), "2");
    EXPECT_EQ(count("nasn_log", "keterangan LIKE '%salah-sekali%' OR keterangan LIKE '%rahasia-123%'"), "0");
}

} // namespace
