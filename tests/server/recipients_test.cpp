// Recipient rows: what the table accepts, the import's insert, listing and editing.
#include "tests/server/server_fixture.h"

#include <algorithm>

namespace {

const RecipientRow good{"3273000000000001", "Agus Setiawan", "5000000", "200000", "50000",
                        "1500000",          "750000"};

class RecipientsTest : public ServerTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(logIn(app, operatorNip));
        submission = newSubmission();
    }

    std::string values(const RecipientRow &row)
    {
        return "('" + submission + "','" + row.nik + "','" + row.nama + "','" + row.gapok + "','" +
               row.gapok4 + "','" + row.gapok1 + "','" + row.remunerasi + "','" + row.insentif + "')";
    }
    std::string import(const std::vector<RecipientRow> &rows)
    {
        std::string sql =
            "insert ignore into nasn_pengajuan_detail (`id_pengajuan`,`nik`,`nama_lengkap`,`gapok`,"
            "`gapok_4`,`gapok_1`,`remunerasi`,`insentif`) values ";
        for (size_t i = 0; i < rows.size(); ++i)
            sql += "\n" + values(rows[i]) + (i + 1 < rows.size() ? "," : ";");
        return sql;
    }
    Rows stored()
    {
        return root.query("SELECT nik, nama_lengkap, gapok, gapok_4, gapok_1, remunerasi, insentif "
                          "FROM nasn_pengajuan_detail ORDER BY id");
    }

    std::string submission;
};

Row asRow(const RecipientRow &r)
{
    return {r.nik, r.nama, r.gapok, r.gapok4, r.gapok1, r.remunerasi, r.insentif};
}

RecipientRow with(RecipientRow row, std::string RecipientRow::*field, const std::string &value)
{
    row.*field = value;
    return row;
}

struct BadRow {
    const char *why;
    RecipientRow row;
    const char *reason; // the procedures' refusal
};

const char nikReason[] = "NIK harus 16 digit angka";
const char nameReason[] = "Nama Lengkap wajib diisi, paling banyak 100 karakter";
const char salaryReason[] = "Gaji harus angka rupiah bulat, 1 sampai 15 digit";

const std::vector<BadRow> badRows = {
    {"NIK of 15 digits", with(good, &RecipientRow::nik, "327300000000001"), nikReason},
    {"NIK of 17 digits", with(good, &RecipientRow::nik, "32730000000000011"), nikReason},
    {"NIK in exponent form", with(good, &RecipientRow::nik, "3.273E+15"), nikReason},
    {"NIK with a blank", with(good, &RecipientRow::nik, "327300000000001 "), nikReason},
    {"NIK longer than the column", with(good, &RecipientRow::nik, std::string(70, '1')), nikReason},
    {"NIK in other digits", with(good, &RecipientRow::nik, "\u0663273000000000001"), nikReason},
    {"empty name", with(good, &RecipientRow::nama, ""), nameReason},
    {"name of blanks", with(good, &RecipientRow::nama, "   "), nameReason},
    {"name of 101 characters", with(good, &RecipientRow::nama, std::string(101, 'a')), nameReason},
    {"salary 'abc'", with(good, &RecipientRow::gapok, "abc"), salaryReason},
    {"salary '12.5'", with(good, &RecipientRow::gapok, "12.5"), salaryReason},
    {"salary '1.250.000,50' as pasted", with(good, &RecipientRow::gapok, "1.250.000,50"), salaryReason},
    {"salary of 16 digits", with(good, &RecipientRow::gapok, "1000000000000000"), salaryReason},
    {"negative 4 %", with(good, &RecipientRow::gapok4, "-5"),
     "BPJS 4% dari Gaji harus angka rupiah bulat, 1 sampai 15 digit"},
    {"1 % in exponent form", with(good, &RecipientRow::gapok1, "5E+4"),
     "BPJS 1% dari Gaji harus angka rupiah bulat, 1 sampai 15 digit"},
    {"empty remuneration", with(good, &RecipientRow::remunerasi, ""),
     "Remunerasi harus angka rupiah bulat, 1 sampai 15 digit"},
    {"incentive with a blank", with(good, &RecipientRow::insentif, " 100"),
     "Insentif harus angka rupiah bulat, 1 sampai 15 digit"},
};

// Named for the suite so that `scripts/test -R server` selects it.
using serverRecipients = RecipientsTest;

TEST_F(serverRecipients, AddingRefusesEveryMalformedRowAndStoresAGoodOneAsSent)
{
    for (const BadRow &bad : badRows)
        EXPECT_EQ(refusalOf([&] { addRow(submission, bad.row); }), bad.reason) << bad.why;
    EXPECT_EQ(count("nasn_pengajuan_detail"), "0");
    EXPECT_EQ(
        count("nasn_log", "aksi = 'tambah pegawai' AND keterangan = 'Ditolak: NIK harus 16 digit angka'"),
        "6")
        << "each refusal is logged";

    addRow(submission, with(good, &RecipientRow::gapok, "999999999999999"));
    EXPECT_EQ(stored(), (Rows{asRow(with(good, &RecipientRow::gapok, "999999999999999"))}));
    EXPECT_EQ(refusalOf([&] { addRow(submission, good); }), "NIK sudah ada di pengajuan ini");
    ASSERT_TRUE(logIn(app, readOnlyNip));
    EXPECT_EQ(refusalOf([&] { addRow(submission, good, readOnlyNip); }),
              "Level user hanya boleh melihat data");
    root.exec("CALL adm_submission_lock(" + q(submission) + ")");
    EXPECT_EQ(refusalOf([&] { addRow(submission, with(good, &RecipientRow::nik, "3273000000000002")); }),
              "Pengajuan dikunci oleh Administrator");
}

TEST_F(serverRecipients, ImportSkipsRefusedRowsAndStoresTheGoodOneUnchanged)
{
    std::vector<RecipientRow> rows = {good, good};
    for (const BadRow &bad : badRows)
        rows.push_back(bad.row);
    rows.push_back({"", "", "", "", "", "", ""});

    app.exec(import(rows));
    EXPECT_GT(app.warningCount(), 0u);
    EXPECT_EQ(stored(), (Rows{asRow(good)}));
    // One entry per second of the statement, so a statement crossing a second boundary leaves two
    const std::string entries = count("nasn_log", "aksi = 'impor'");
    EXPECT_TRUE(entries == "1" || entries == "2") << entries << " entries: one per import, not per row";
}

TEST_F(serverRecipients, ImportIntoALockedSubmissionFailsAndStoresNothing)
{
    root.exec("CALL adm_submission_lock(" + q(submission) + ")");
    EXPECT_THROW(app.exec(import({good, with(good, &RecipientRow::nik, "3273000000000002")})), SqlError);
    EXPECT_EQ(count("nasn_pengajuan_detail"), "0");
}

TEST_F(serverRecipients, ListIsFormattedAndSortedByTheOrderValue)
{
    addRow(submission, {"3273000000000003", "Citra", "5000000", "0", "999", "999999999999999", "1000"});
    addRow(submission, {"3273000000000001", "Dewi", "12000000", "480000", "120000", "0", "0"});
    addRow(submission, {"3273000000000002", "Citra", "1", "0", "0", "0", "0"});

    std::vector<std::string> columns =
        *resultColumns("CALL nasn_pengajuan_detail_tampildata(" + q(submission) + ", 0)");
    EXPECT_EQ(std::vector<std::string>(columns.begin() + 1, columns.end()),
              (std::vector<std::string>{"nik", "nama_lengkap", "gapok_formatted", "gapok_1_formatted",
                                        "gapok_4_formatted", "remunerasi_formatted", "insentif_formatted"}));
    Rows byNik = app.query("CALL nasn_pengajuan_detail_tampildata(" + q(submission) + ", 0)");
    ASSERT_EQ(byNik.size(), 3u);
    EXPECT_EQ(byNik[0],
              (Row{byNik[0][0], "3273000000000001", "Dewi", "12.000.000", "120.000", "480.000", "0", "0"}));
    EXPECT_EQ(byNik[2], (Row{byNik[2][0], "3273000000000003", "Citra", "5.000.000", "999", "0",
                             "999.999.999.999.999", "1.000"}));

    auto niks = [&](int order) {
        std::vector<std::string> out;
        for (const Row &row : app.query("CALL nasn_pengajuan_detail_tampildata(" + q(submission) + ", " +
                                        std::to_string(order) + ")"))
            out.push_back(row[1].value().substr(15));
        return out;
    };
    EXPECT_EQ(niks(1), (std::vector<std::string>{"2", "3", "1"})) << "by name, then NIK";
    EXPECT_EQ(niks(-1), (std::vector<std::string>{"3", "1", "2"})) << "by entry";
    EXPECT_EQ(niks(7), niks(-1));
}

TEST_F(serverRecipients, RowIsChangedByNikAndLookedUpById)
{
    addRow(submission, good);
    std::string id = root.scalar("SELECT id FROM nasn_pengajuan_detail");

    app.exec("CALL nasn_pengajuan_detail_ubah(" + q(submission) + ", " + q(good.nik) +
             ", 'Agus S.', '6000000', '240000', '60000', '0', '1', '199202022020012002')");
    Rows fetched = app.query("CALL nasn_pengajuan_detail_ubah_ambil_data(" + q(id) + ")");
    ASSERT_EQ(fetched.size(), 1u);
    std::vector<std::string> columns =
        *resultColumns("CALL nasn_pengajuan_detail_ubah_ambil_data(" + q(id) + ")");
    std::vector<std::string> wanted = {"nik",     "nama_lengkap", "gapok",   "gapok_4",
                                       "gapok_1", "remunerasi",   "insentif"};
    for (size_t i = 0; i < wanted.size(); ++i) {
        auto at = std::find(columns.begin(), columns.end(), wanted[i]);
        ASSERT_NE(at, columns.end()) << wanted[i];
        EXPECT_EQ(fetched[0][at - columns.begin()],
                  (std::vector<std::string>{good.nik, "Agus S.", "6000000", "240000", "60000", "0", "1"})[i]);
    }

    for (const BadRow &bad : badRows) {
        if (bad.row.nik != good.nik)
            continue;
        const RecipientRow &r = bad.row;
        expectRefused("CALL nasn_pengajuan_detail_ubah(" + q(submission) + ", " + q(r.nik) + ", " +
                          q(r.nama) + ", " + q(r.gapok) + ", " + q(r.gapok4) + ", " + q(r.gapok1) + ", " +
                          q(r.remunerasi) + ", " + q(r.insentif) + ", '199202022020012002')",
                      bad.reason);
    }
    expectRefused("CALL nasn_pengajuan_detail_ubah(" + q(submission) +
                      ", '3273000000000009', 'Nobody', '1', '1', '1', '1', '1', '199202022020012002')",
                  "NIK tidak ada di pengajuan ini");
    EXPECT_EQ(root.scalar("SELECT gapok FROM nasn_pengajuan_detail"), "6000000");
    EXPECT_TRUE(app.query("CALL nasn_pengajuan_detail_ubah_ambil_data('')").empty());
}

TEST_F(serverRecipients, NikCheckCountAndDelete)
{
    addRow(submission, good);
    addRow(submission, with(good, &RecipientRow::nik, "3273000000000002"));
    std::string other = newSubmission("202406");

    EXPECT_EQ(
        app.query("CALL nasn_pengajuan_detail_cek_nik(" + q(submission) + ", " + q(good.nik) + ")").size(),
        1u);
    EXPECT_TRUE(
        app.query("CALL nasn_pengajuan_detail_cek_nik(" + q(other) + ", " + q(good.nik) + ")").empty());
    EXPECT_EQ(app.scalar("CALL nasn_pengajuan_detail_cek_jumlah_pegawai_masuk(" + q(submission) + ")"), "2");
    EXPECT_EQ(app.scalar("CALL nasn_pengajuan_detail_cek_jumlah_pegawai_masuk(" + q(other) + ")"), "0");

    app.exec("CALL nasn_pengajuan_detail_hapus(" +
             q(root.scalar("SELECT MIN(id) FROM nasn_pengajuan_detail")) + ")");
    EXPECT_EQ(app.scalar("CALL nasn_pengajuan_detail_cek_jumlah_pegawai_masuk(" + q(submission) + ")"), "1");
    expectRefused("CALL nasn_pengajuan_detail_hapus('999999')", "Data pegawai tidak ditemukan");
}

} // namespace
