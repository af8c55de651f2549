// Processing: the contribution formulas, the result's shape, concurrent runs.
#include "tests/server/server_fixture.h"

#include <algorithm>
#include <thread>

namespace {

const std::vector<std::string> reportColumns = {
    "idx",          "id_pengajuan",   "id",         "periode",       "nik",
    "nama_lengkap", "gapok",          "gapok_1",    "gapok_4",       "remunerasi",
    "insentif",     "gapok_bpjs",     "induk_id",   "thp",           "dpi_bruto",
    "bruto_1",      "bruto_4",        "netto_1",    "netto_4",       "remunerasi_1",
    "remunerasi_4", "insentif_1",     "insentif_4", "periode_label", "direktur",
    "bendahara",    "tanggal_proses", "nama_unit"};

size_t column(const std::string &name)
{
    return std::find(reportColumns.begin(), reportColumns.end(), name) - reportColumns.begin();
}

class ProcessingTest : public ServerTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(logIn(app, operatorNip));
        submission = newSubmission();
    }

    Rows process(SqlSession &session, const std::string &nip = operatorNip)
    {
        return session.query("CALL nasn_proses(" + q(submission) + ", " + q(nip) + ")");
    }

    std::string submission;
};

struct FormulaCase {
    const char *what;
    RecipientRow input;
    // gapok_bpjs thp dpi_bruto bruto_1 bruto_4 netto_1 netto_4 remunerasi_1 remunerasi_4 insentif_1
    // insentif_4
    std::vector<std::string> expected;
};

// Floor 3 000 000 and ceiling 12 000 000, as a fresh installation has them.
const std::vector<FormulaCase> formulaCases = {
    {"ordinary",
     {"3273000000000001", "A", "4000000", "160000", "40000", "3000000", "1000000"},
     {"4000000", "8000000", "8000000", "80000", "320000", "40000", "160000", "30000", "120000", "10000",
      "40000"}},
    {"below the floor",
     {"3273000000000002", "B", "2000000", "80000", "20000", "500000", "300000"},
     {"3000000", "2800000", "3000000", "30000", "120000", "10000", "40000", "6250", "25000", "3750",
      "15000"}},
    {"above the ceiling, salary contribution above the total",
     {"3273000000000003", "C", "13000000", "520000", "130000", "2000000", "1000000"},
     {"12000000", "16000000", "12000000", "120000", "480000", "0", "0", "0", "0", "0", "0"}},
    {"no remuneration and no incentive",
     {"3273000000000004", "D", "5000000", "150000", "40000", "0", "0"},
     {"5000000", "5000000", "5000000", "50000", "200000", "10000", "50000", "0", "0", "0", "0"}},
    {"parts in thirds round to whole rupiah and add up",
     {"3273000000000005", "E", "4000000", "240000", "59999", "1000000", "2000000"},
     {"4000000", "7000000", "7000000", "70000", "280000", "10001", "40000", "3334", "13333", "6667",
      "26667"}},
    {"a half rupiah of the part rounds up",
     {"3273000000000006", "F", "3000000", "119999", "29999", "1", "1"},
     {"3000000", "3000002", "3000002", "30000", "120000", "1", "1", "1", "1", "0", "0"}},
    {"a half rupiah of the 1 % rounds up",
     {"3273000000000007", "G", "3000000", "120000", "30000", "50", "0"},
     {"3000000", "3000050", "3000050", "30001", "120002", "1", "2", "1", "2", "0", "0"}},
    {"the ceiling exactly",
     {"3273000000000008", "H", "12000000", "480000", "100000", "0", "0"},
     {"12000000", "12000000", "12000000", "120000", "480000", "20000", "0", "0", "0", "0", "0"}},
};

// Named for the suite so that `scripts/test -R server` selects it.
using serverProcessing = ProcessingTest;

TEST_F(serverProcessing, ComputesEveryAmountByTheFormulas)
{
    for (const FormulaCase &c : formulaCases)
        addRow(submission, c.input);
    Rows rows = process(app);
    ASSERT_EQ(rows.size(), formulaCases.size());

    const std::vector<std::string> computed = {"gapok_bpjs",   "thp",        "dpi_bruto", "bruto_1",
                                               "bruto_4",      "netto_1",    "netto_4",   "remunerasi_1",
                                               "remunerasi_4", "insentif_1", "insentif_4"};
    for (const FormulaCase &c : formulaCases) {
        SCOPED_TRACE(c.what);
        auto row = std::find_if(rows.begin(), rows.end(),
                                [&](const Row &r) { return r[column("nik")] == c.input.nik; });
        ASSERT_NE(row, rows.end());
        for (size_t i = 0; i < computed.size(); ++i)
            EXPECT_EQ((*row)[column(computed[i])], c.expected[i]) << computed[i];
        EXPECT_EQ((*row)[column("gapok_1")], c.input.gapok1) << "stored amounts are passed through";
    }
}

TEST_F(serverProcessing, FloorAndCeilingComeFromTheSettings)
{
    root.exec("CALL adm_floor_set('4500000')");
    root.exec("CALL adm_ceiling_set('6000000')");
    addRow(submission, {"3273000000000001", "A", "4000000", "0", "0", "1000000", "0"});
    addRow(submission, {"3273000000000002", "B", "7000000", "0", "0", "0", "0"});
    Rows rows = process(app);
    EXPECT_EQ(rows[0][column("gapok_bpjs")], "4500000");
    EXPECT_EQ(rows[0][column("dpi_bruto")], "5000000");
    EXPECT_EQ(rows[1][column("gapok_bpjs")], "6000000");
    EXPECT_EQ(rows[1][column("dpi_bruto")], "6000000");
}

TEST_F(serverProcessing, ResultHasTheReportColumnsInOrderSortedByNameThenNik)
{
    root.exec("CALL adm_person_set('197505152000031004', 'dr. Hendra Wijaya', 'Pembina (IV/a)')");
    root.exec("INSERT INTO tpp_pejabat VALUES ('288', '197505152000031004', '199202022020012002')");
    addRow(submission, {"3273000000000003", "Citra", "1", "0", "0", "0", "0"});
    addRow(submission, {"3273000000000001", "Dewi", "1", "0", "0", "0", "0"});
    addRow(submission, {"3273000000000002", "Citra", "1", "0", "0", "0", "0"});

    EXPECT_EQ(*resultColumns("CALL nasn_proses(" + q(submission) + ", '199202022020012002')"), reportColumns);
    Rows rows = process(app);
    ASSERT_EQ(rows.size(), 3u);
    std::vector<std::string> order;
    for (const Row &row : rows)
        order.push_back(*row[column("idx")] + ":" + *row[column("nama_lengkap")] + ":" +
                        row[column("nik")]->substr(15));
    EXPECT_EQ(order, (std::vector<std::string>{"1:Citra:2", "2:Citra:3", "3:Dewi:1"}));
    EXPECT_EQ(rows[0][column("periode_label")], "Mei 2024");
    EXPECT_EQ(rows[0][column("direktur")], "dr. Hendra Wijaya");
    EXPECT_EQ(rows[0][column("bendahara")], "Dedi Firmansyah");
    EXPECT_EQ(rows[0][column("induk_id")], "288");
    EXPECT_EQ(rows[0][column("nama_unit")], "Rumah Sakit Umum Daerah pada Dinas Kesehatan");
    EXPECT_EQ(rows[0][column("tanggal_proses")]->size(), 19u) << "a DATETIME";
}

TEST_F(serverProcessing, UnitNameBefore2022CarriesThePrefix)
{
    submission = newSubmission("202112");
    addRow(submission, {"3273000000000001", "A", "1", "0", "0", "0", "0"});
    Rows rows = process(app);
    EXPECT_EQ(rows[0][column("nama_unit")], "UPT Rumah Sakit Umum Daerah pada Dinas Kesehatan");
    EXPECT_EQ(rows[0][column("periode_label")], "Desember 2021");
}

TEST_F(serverProcessing, EmptySubmissionGivesAnEmptyResultSet)
{
    EXPECT_EQ(*resultColumns("CALL nasn_proses(" + q(submission) + ", '199202022020012002')"), reportColumns);
    EXPECT_TRUE(process(app).empty());
}

TEST_F(serverProcessing, TwoRunsAtOnceEachReturnTheirOwnRows)
{
    for (int i = 1; i <= 300; ++i)
        addRow(submission, {"32730000000" + std::to_string(10000 + i), "P" + std::to_string(i), "3000000",
                            "0", "0", "100", "0"});
    SqlSession second = server.app();
    ASSERT_TRUE(logIn(second, adminNip));

    Rows first, other;
    std::thread a([&] { first = process(app); });
    std::thread b([&] { other = process(second, adminNip); });
    a.join();
    b.join();
    EXPECT_EQ(first.size(), 300u);
    EXPECT_EQ(other.size(), 300u);
    EXPECT_EQ(count("nasn_process_history"), "600");
    EXPECT_EQ(count("nasn_process_run"), "2");
}

TEST_F(serverProcessing, UnknownSubmissionOrOperatorIsRefused)
{
    ASSERT_TRUE(logIn(app, adminNip));
    expectRefused("CALL nasn_proses('999999', '199001012020011001')");
    expectRefused("CALL nasn_proses(" + q(submission) + ", '199001012020011009')");
}

} // namespace
