// Version check, officials, announcements, the activity log, grants and the
// administrator's procedures.
#include "tests/server/server_fixture.h"

namespace {

class AdministrationTest : public ServerTest {
protected:
    void SetUp() override { ASSERT_TRUE(logIn(app, adminNip)); }
};

struct VersionCase {
    const char *client, *status;
};

// Named for the suite so that `scripts/test -R server` selects it.
using serverAdministration = AdministrationTest;

TEST_F(serverAdministration, VersionsCompareAsNumbers)
{
    root.exec("CALL adm_version_set('10', '9')");
    for (VersionCase c : {VersionCase{"8", "Up-Wajib"}, VersionCase{"9", "Up-GakWajib"},
                          VersionCase{"9.9", "Up-GakWajib"}, VersionCase{"10", "OK"}, VersionCase{"11", "OK"},
                          VersionCase{"abc", "Up-Wajib"}, VersionCase{"", "Up-Wajib"}}) {
        Rows rows = app.query("CALL nasn_version_check(" + q(c.client) + ")");
        EXPECT_EQ(rows, (Rows{{c.status, "10"}})) << "client " << c.client;
    }
    root.exec("CALL adm_version_set('4.10', '4.9')");
    EXPECT_EQ(app.scalar("CALL nasn_version_check('4.9')"), "Up-GakWajib");
    EXPECT_EQ(app.scalar("CALL nasn_version_check('4.10')"), "OK");
}

TEST_F(serverAdministration, BadAdministratorArgumentsChangeNothing)
{
    for (const char *call :
         {"adm_version_set('5', '6')", "adm_version_set('v5', '4')", "adm_floor_set('12.5')",
          "adm_floor_set('13000000')", "adm_ceiling_set('100')", "adm_person_set('123', 'X', '')",
          "adm_account_set('199001012020011001', 'Boss', 'x')",
          "adm_account_set('199909092020011009', 'Admin_skpd', 'x')", "adm_submission_lock('77')",
          "adm_input_period_open('2025-02-01', '2025-01-01')", "adm_announcement_add('  ')"})
        EXPECT_THROW(root.exec(std::string("CALL ") + call), SqlError) << call;
    EXPECT_EQ(
        root.query("SELECT versi_terbaru, versi_minimum, batas_bawah, batas_atas FROM nasn_konfigurasi"),
        (Rows{{"4", "4", "3000000", "12000000"}}));
    EXPECT_EQ(count("nasn_user"), "3");
    EXPECT_EQ(count("nasn_waktu_input"), "1");
    EXPECT_EQ(root.query("CALL adm_floor_set('3500000')"), (Rows{{"Batas bawah (UMR) 3.500.000"}}));
}

TEST_F(serverAdministration, OfficialsAreOnePairNamedFromTheStaffRegister)
{
    root.exec("CALL adm_person_set('197505152000031004', 'dr. Hendra Wijaya', 'Pembina Utama Muda (IV/c)')");
    EXPECT_TRUE(app.query("CALL nasn_pejabat_loaddata()").empty());
    expectRefused("CALL nasn_pejabat_update('197505152000031004', '199202022020012002')",
                  "Belum ada pasangan pejabat, gunakan insert");

    app.exec("CALL nasn_pejabat_insert('197505152000031004', '199202022020012002')");
    expectRefused("CALL nasn_pejabat_insert('197505152000031004', '199202022020012002')",
                  "Pasangan pejabat sudah ada, gunakan update");
    EXPECT_EQ(app.query("CALL nasn_pejabat_loaddata()"),
              (Rows{{"197505152000031004", "199202022020012002", "288"}}));
    EXPECT_EQ(app.query("CALL nasn_pejabat_specimen_select_pa('288')"),
              (Rows{{"dr. Hendra Wijaya", "197505152000031004", "Pembina Utama Muda (IV/c)"}}));
    EXPECT_EQ(app.query("CALL nasn_pejabat_specimen_select_bp('288')"),
              (Rows{{"Dedi Firmansyah", "199202022020012002", "Penata Muda (III/a)"}}));
    EXPECT_TRUE(app.query("CALL nasn_pejabat_specimen_select_pa('75')").empty());

    app.exec("CALL nasn_pejabat_update('199303032020011003', '197505152000031004')");
    EXPECT_EQ(app.scalar("CALL nasn_pejabat_specimen_select_pa('288')"), "Sri Wahyuni");
    EXPECT_EQ(app.scalar("CALL nasn_select_nama_lengkap ('199303032020011003')"), "Sri Wahyuni");
    EXPECT_TRUE(app.query("CALL nasn_select_nama_lengkap ('000')").empty());
}

// The documents print the officials' names from the staff register, so a NIP
// missing there is refused, by insert and update alike, and nothing changes.
TEST_F(serverAdministration, OfficialsMustBeInTheStaffRegister)
{
    const std::string pa = "NIP Pengguna Anggaran tidak ada di data pegawai";
    const std::string bp = "NIP Bendahara Pengeluaran tidak ada di data pegawai";
    for (const char *call : {"nasn_pejabat_insert", "nasn_pejabat_update"}) {
        SCOPED_TRACE(call);
        const std::string c = std::string("CALL ") + call;
        expectRefused(c + "('199909092020011009', '199202022020012002')", pa);
        expectRefused(c + "('199202022020012002', '199909092020011009')", bp);
        expectRefused(c + "('', '')", pa);
        expectRefused(c + "('0', '0')", pa);
        expectRefused(c + "(NULL, '199202022020012002')", pa);
        if (std::string(call) == "nasn_pejabat_insert")
            app.exec("CALL nasn_pejabat_insert('199001012020011001', '199202022020012002')");
    }
    EXPECT_EQ(app.query("CALL nasn_pejabat_loaddata()"),
              (Rows{{"199001012020011001", "199202022020012002", "288"}}));
    EXPECT_EQ(count("nasn_log", "aksi = 'pejabat' AND keterangan = 'Ditolak: " + bp + "'"), "2");
}

TEST_F(serverAdministration, ProfileAndAnnouncements)
{
    ASSERT_TRUE(logIn(app, operatorNip));
    EXPECT_EQ(app.query("CALL nasn_load_profil('199202022020012002')"),
              (Rows{{"Dedi Firmansyah", operatorNip}}));
    EXPECT_TRUE(app.query("CALL nasn_load_profil('199909092020011009')").empty());

    EXPECT_TRUE(app.query("CALL nasn_informasi()").empty());
    root.exec("CALL adm_announcement_add('Satu')");
    root.exec("CALL adm_announcement_add('Dua')");
    EXPECT_EQ(app.query("CALL nasn_informasi()"), (Rows{{"Satu"}, {"Dua"}}));
    root.exec("CALL adm_announcement_remove(" + q(root.scalar("SELECT MIN(id) FROM nasn_informasi")) + ")");
    EXPECT_EQ(app.query("CALL nasn_informasi()"), (Rows{{"Dua"}}));
}

// The range is by calendar day: whatever the times of day, both whole days count.
TEST_F(serverAdministration, LogListsARangeOfDaysNewestFirst)
{
    root.exec("INSERT INTO nasn_log (nip, host, tanggal_aksi, aksi, keterangan) VALUES "
              "('', '10.0.0.6', '2024-02-29 23:59:59', 'z', 'sebelum'), "
              "('199202022020012002', '10.0.0.5', '2024-03-01 00:00:00', 'a', 'pertama'), "
              "('', '10.0.0.6', '2024-03-01 09:30:00', 'b', 'kedua'), "
              "('199202022020012002', '10.0.0.5', '2024-03-02 23:59:59', 'c', 'ketiga'), "
              "('', '10.0.0.6', '2024-03-03 00:00:00', 'd', 'sesudah')");
    EXPECT_EQ(*resultColumns("CALL nasn_log_tampildata('2024-03-01', '2024-03-02')"),
              (std::vector<std::string>{"id", "nip", "nama_lengkap", "tanggal_aksi", "aksi", "keterangan"}));

    Rows rows = app.query("CALL nasn_log_tampildata('2024-03-01 08:00:00', '2024-03-02 10:00:00')");
    ASSERT_EQ(rows.size(), 3u) << "the start day's early hours and the end day's evening included";
    EXPECT_EQ(rows[0], (Row{rows[0][0], operatorNip, "Dedi Firmansyah", "2024-03-02 23:59:59", "c",
                            "ketiga [10.0.0.5]"}));
    EXPECT_EQ(rows[1][2], "");
    EXPECT_EQ(rows[2][5], "pertama [10.0.0.5]");
    EXPECT_EQ(app.query("CALL nasn_log_tampildata('2024-03-01 23:59:59', '2024-03-01 00:00:00')").size(), 2u)
        << "one day, whatever the order of the times";
    EXPECT_EQ(app.query("CALL nasn_log_tampildata('2024-03-03', '2024-03-03')").size(), 1u);
    EXPECT_TRUE(app.query("CALL nasn_log_tampildata('2024-03-02', '2024-03-01')").empty());
}

TEST_F(serverAdministration, ApplicationAccountReachesDataOnlyThroughTheProcedures)
{
    EXPECT_NO_THROW(app.query("CALL nasn_version_check('4')"));
    EXPECT_NO_THROW(app.query("SELECT * FROM cache_pns"));
    EXPECT_NO_THROW(app.query("SELECT * FROM tpp_pejabat"));
    for (const char *refused : {"SELECT * FROM nasn_user", "SELECT password_hash FROM nasn_user",
                                "SELECT * FROM nasn_pengajuan_detail", "SELECT * FROM nasn_process_history",
                                "SELECT * FROM nasn_log", "UPDATE cache_pns SET pangkat = ''",
                                "DELETE FROM nasn_pengajuan_detail", "UPDATE nasn_pengajuan SET status = 'D'",
                                "INSERT INTO nasn_pengajuan_detail (id_pengajuan, nik, nama_lengkap, gapok, "
                                "gapok_4, gapok_1, remunerasi, "
                                "insentif, nip_operator) VALUES (1, '3273000000000001', 'A', '1', '1', '1', "
                                "'1', '1', '199001012020011001')",
                                "CALL adm_submission_unlock('1')",
                                "CALL adm_account_set('199202022020012002', 'Administrator', 'x')",
                                "CALL util_account_store('199202022020012002', 'Administrator', 'x')"})
        EXPECT_THROW(app.exec(refused), SqlError) << refused;
    EXPECT_EQ(root.scalar("SELECT user_level FROM nasn_user WHERE nip = '199202022020012002'"), "Admin_skpd");
}

} // namespace
