// Submissions, the input window and the lock, on every path that changes data.
#include "tests/server/server_fixture.h"

namespace {

const RecipientRow agus{"3273000000000001", "Agus", "4000000", "160000", "40000", "1000000", "500000"};
const std::string outsideWindow = "Di luar jadwal input atau sedang maintenance";
const RecipientRow budi{"3273000000000002", "Budi", "5000000", "200000", "50000", "0", "0"};

std::string importOf(const std::string &submission, const RecipientRow &row)
{
    return "insert ignore into nasn_pengajuan_detail (`id_pengajuan`,`nik`,`nama_lengkap`,`gapok`,`gapok_4`,"
           "`gapok_1`,`remunerasi`,`insentif`) values \n('" +
           submission + "','" + row.nik + "','" + row.nama + "','" + row.gapok + "','" + row.gapok4 + "','" +
           row.gapok1 + "','" + row.remunerasi + "','" + row.insentif + "');";
}

class SubmissionsTest : public ServerTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(logIn(app, operatorNip));
        ASSERT_TRUE(logIn(app, adminNip));
        submission = newSubmission();
        addRow(submission, agus);
    }

    Row inputAnswer(const std::string &procedure) { return app.query("CALL " + procedure + "()").at(0); }

    // Every change a client can attempt on the submission; each must be refused with the reason.
    void expectEveryChangeRefused(const std::string &reason)
    {
        expectRefused("CALL nasn_pengajuan_detail_tambah(" + q(submission) +
                          ", '3273000000000002', 'Budi', '1', '1', '1', '1', '1', '199202022020012002')",
                      reason);
        expectRefused("CALL nasn_pengajuan_detail_ubah(" + q(submission) +
                          ", '3273000000000001', 'Agus', '9', '9', '9', '9', '9', '199202022020012002')",
                      reason);
        expectRefused("CALL nasn_pengajuan_detail_hapus(" +
                          q(root.scalar("SELECT MIN(id) FROM nasn_pengajuan_detail")) + ")",
                      reason);
        expectRefused(importOf(submission, budi), reason);
        expectRefused("CALL nasn_pengajuan_hapus(" + q(submission) + ", '199202022020012002')", reason);
        expectRefused("CALL nasn_proses(" + q(submission) + ", '199202022020012002')", reason);
        EXPECT_EQ(root.query("SELECT nik, gapok FROM nasn_pengajuan_detail"), (Rows{{agus.nik, agus.gapok}}));
        EXPECT_EQ(count("nasn_pengajuan"), "1");
    }

    std::string submission;
};

// Named for the suite so that `scripts/test -R server` selects it.
using serverSubmissions = SubmissionsTest;

TEST_F(serverSubmissions, InputWindowAnswersFollowTheSchedule)
{
    for (const char *procedure : {"nasn_cek_waktu_input", "nasn_waktu_input_cek"}) {
        SCOPED_TRACE(procedure);
        root.exec("DELETE FROM nasn_waktu_input");
        root.exec("DELETE FROM nasn_maintenance");
        EXPECT_EQ(inputAnswer(procedure), (Row{"1", "0"})) << "no period at all";
        root.exec("CALL adm_input_period_open(NOW() + INTERVAL 1 DAY, NOW() + INTERVAL 2 DAY)");
        EXPECT_EQ(inputAnswer(procedure), (Row{"1", "0"})) << "only a later period";
        root.exec("CALL adm_input_period_open(NOW() - INTERVAL 1 DAY, NOW() + INTERVAL 1 DAY)");
        EXPECT_EQ(inputAnswer(procedure), (Row{"0", "0"}));
        root.exec("CALL adm_maintenance_start(NOW() + INTERVAL 1 HOUR)");
        EXPECT_EQ(inputAnswer(procedure), (Row{"0", "1"}));
        root.exec("CALL adm_maintenance_end()");
        EXPECT_EQ(inputAnswer(procedure), (Row{"0", "0"}));
    }
}

TEST_F(serverSubmissions, OutsideTheInputWindowOnlyAnAdministratorProcesses)
{
    root.exec("DELETE FROM nasn_waktu_input");
    expectRefused("CALL nasn_pengajuan_tambah('202406', '288', '-', '2024-06-01', 'Juni', 'JM')",
                  outsideWindow);
    expectEveryChangeRefused(outsideWindow);
    EXPECT_EQ(app.query("CALL nasn_proses(" + q(submission) + ", '199001012020011001')").size(), 1u);
}

TEST_F(serverSubmissions, MaintenanceRefusesChangesLikeAClosedWindow)
{
    root.exec("CALL adm_maintenance_start(NOW() + INTERVAL 1 HOUR)");
    expectEveryChangeRefused(outsideWindow);
}

TEST_F(serverSubmissions, LockedSubmissionRefusesEveryChangeUntilUnlocked)
{
    root.exec("CALL adm_submission_lock(" + q(submission) + ")");
    EXPECT_EQ(app.scalar("CALL nasn_cek_status_pengajuan(" + q(submission) + ")"), "F");
    expectEveryChangeRefused("Pengajuan dikunci oleh Administrator");
    EXPECT_EQ(app.query("CALL nasn_proses(" + q(submission) + ", '199001012020011001')").size(), 1u)
        << "an Administrator still processes a locked submission";

    root.exec("CALL adm_submission_unlock(" + q(submission) + ")");
    EXPECT_EQ(app.scalar("CALL nasn_cek_status_pengajuan(" + q(submission) + ")"), "D");
    addRow(submission, budi);
    EXPECT_EQ(count("nasn_pengajuan_detail"), "2");
}

// The import's guard remembers, per submission, the second it found it open.
// Every import in that second would pass on that memory alone (the client's own
// clock, held here, is not the one it reads): each change must make it look again.
TEST_F(serverSubmissions, ImportGuardForgetsAnOpenVerdictWhenTheLockOrScheduleChanges)
{
    app.exec("SET timestamp = " + root.scalar("SELECT UNIX_TIMESTAMP() + 60"));
    auto nik = [](int n) {
        return RecipientRow{"327300000000010" + std::to_string(n), "Baris", "1", "1", "1", "1", "1"};
    };
    app.exec(importOf(submission, nik(1)));

    root.exec("CALL adm_submission_lock(" + q(submission) + ")");
    expectRefused(importOf(submission, nik(2)));
    root.exec("CALL adm_submission_unlock(" + q(submission) + ")");
    app.exec(importOf(submission, nik(2)));

    root.exec("CALL adm_maintenance_start(NOW() + INTERVAL 1 HOUR)");
    expectRefused(importOf(submission, nik(3)));
    root.exec("CALL adm_maintenance_end()");
    app.exec(importOf(submission, nik(3)));

    root.exec("DELETE FROM nasn_waktu_input");
    expectRefused(importOf(submission, nik(4)));
    EXPECT_EQ(count("nasn_pengajuan_detail"), "4") << "the SetUp row and the three allowed imports";
}

TEST_F(serverSubmissions, ListShowsAYearsSubmissionsOfOneTypeWithTheSixValues)
{
    app.exec("CALL nasn_pengajuan_tambah('202312', '288', '-', '2023-12-20', 'Desember lalu', 'JM')");
    app.exec("CALL nasn_pengajuan_tambah('202401', '288', '-', '2024-01-15', 'Jenis lain', 'XX')");
    app.exec("CALL nasn_pengajuan_tambah('202401', '288', '-', '2024-01-15', 'Januari', 'JM')");

    Rows rows = app.query("CALL nasn_pengajuan_tampildata('2024', 'JM')");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (Row{rows[0][0], "202401", "2024-01-15", "288", "Januari",
                            "UPTD RSUD Pada Dinas Kesehatan Kota Talvirana", "D"}));
    EXPECT_EQ(rows[1][1], "202405");
    EXPECT_EQ(root.query("SELECT nomor, jenis FROM nasn_pengajuan WHERE id = " + rows[0][0].value()),
              (Rows{{"-", "JM"}}));
    std::vector<std::string> columns = *resultColumns("CALL nasn_pengajuan_tampildata('2024', 'JM')");
    EXPECT_EQ(std::vector<std::string>(columns.begin(), columns.begin() + 6),
              (std::vector<std::string>{"id", "periode", "tanggal_pengajuan", "unit_id", "keterangan",
                                        "nama_unit"}));
    EXPECT_TRUE(app.query("CALL nasn_pengajuan_tampildata('202', 'JM')").empty());
}

TEST_F(serverSubmissions, DeletingRemovesTheSubmissionWithAllItsRows)
{
    addRow(submission, budi);
    std::string other = newSubmission("202406");
    addRow(other, agus);

    app.exec("CALL nasn_pengajuan_hapus(" + q(submission) + ", '199202022020012002')");
    EXPECT_EQ(count("nasn_pengajuan"), "1");
    EXPECT_EQ(root.query("SELECT id_pengajuan FROM nasn_pengajuan_detail"), (Rows{{other}}));
}

TEST_F(serverSubmissions, DeletingIsOneTransaction)
{
    root.exec("CREATE TRIGGER refuse_submission_delete BEFORE DELETE ON nasn_pengajuan FOR EACH ROW "
              "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'late failure'");
    expectRefused("CALL nasn_pengajuan_hapus(" + q(submission) + ", '199202022020012002')");
    EXPECT_EQ(count("nasn_pengajuan_detail"), "1") << "rows deleted before the failure came back";
}

} // namespace
