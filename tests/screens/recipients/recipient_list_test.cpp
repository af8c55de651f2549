#include "tests/screens/recipients/recipients_fixture.h"

namespace {

const Box noRows{MessageKind::Information, "Tidak ada data dengan periode ini!"};

QStringList rowOf(const StringGrid &grid, int row)
{
    QStringList cells;
    for (int c = 0; c < grid.colCount(); ++c)
        cells << grid.cell(c, row);
    return cells;
}

QStringList column(const StringGrid &grid, int col)
{
    QStringList cells;
    for (int r = 1; r < grid.rowCount(); ++r)
        cells << grid.cell(col, r);
    return cells;
}

} // namespace

using RecipientListTest = RecipientsFixture;

TEST_F(RecipientListTest, OpeningASubmissionListsItsRows)
{
    EXPECT_EQ(messages.take(), Boxes{});
    EXPECT_EQ(count(), "12");
    const StringGrid &g = grid();
    EXPECT_EQ(g.colCount(), 9);
    EXPECT_EQ(g.rowCount(), 13);
    EXPECT_EQ(g.fixedCols(), 3);
    EXPECT_EQ(g.fixedRows(), 1);
    std::vector<int> widths;
    for (int c = 0; c < g.colCount(); ++c)
        widths.push_back(g.colWidth(c));
    EXPECT_EQ(widths, (std::vector<int>{0, 40, 75, 320, 95, 95, 95, 95, 95}));
    EXPECT_EQ(g.defaultRowHeight(), 20);
    EXPECT_EQ(g.font().family(), "Courier New");
    EXPECT_EQ(g.font().pixelSize(), 12);
    EXPECT_EQ(rowOf(g, 0), (QStringList{"", "No.", "NIK", "Nama Lengkap", "Gaji Pokok", "BPJS 1% Gaji",
                                        "BPJS 4% Gaji", "Remunerasi", "Insentif"}));
    const Row first = server.admin().query("SELECT id, nik, nama_lengkap, gapok, gapok_1, gapok_4, "
                                           "remunerasi, insentif FROM nasn_pengajuan_detail "
                                           "WHERE id_pengajuan = " +
                                           submissionId + " ORDER BY nik LIMIT 1")[0];
    EXPECT_EQ(*first[3], "2950000");
    EXPECT_EQ(rowOf(g, 1),
              (QStringList{QString::fromStdString(*first[0]), "1", QString::fromStdString(*first[1]),
                           QString::fromStdString(*first[2]), "2.950.000", "29.500", "118.000",
                           *first[6] == "1850000" ? "1.850.000" : "1.750.000", "450.000"}));
    EXPECT_EQ(rowOf(g, 12)[1], "12");
    EXPECT_FALSE(dm.fdremunerasi.isOpen());
}

TEST_F(RecipientListTest, TheSortBoxReloadsWithThePositionOfItsItem)
{
    insertRecipient("3273000000000001", "Zaenal Arifin"); // first by NIK, last by name
    insertRecipient("9999999999999999", "Aan Suryana");   // last by NIK, first by name
    struct Case {
        const char *text;
        const char *first, *last; // names
    };
    for (const Case &c : {Case{"Nama", "Aan Suryana", "Zaenal Arifin"},
                          {"NIP", "Zaenal Arifin", "Aan Suryana"},
                          {"nama", "Agus Setiawan", "Aan Suryana"}}) { // -1: as entered
        page().tabPengajuanProsesSort->setEditText(c.text);
        EXPECT_EQ(count(), "14") << c.text;
        const QStringList names = column(grid(), 3);
        EXPECT_EQ(names.first(), c.first) << c.text;
        EXPECT_EQ(names.last(), c.last) << c.text;
    }
    EXPECT_EQ(messages.take(), Boxes{});
}

TEST_F(RecipientListTest, AnEmptySubmission)
{
    fmain->context.id_pengajuan = QString::fromStdString(newSubmission());
    page().setPrintEnabled(true);
    page().tabPengajuanProsesTampilDataClick();
    EXPECT_EQ(messages.take(), Boxes{noRows});
    EXPECT_EQ(count(), "0");
    EXPECT_EQ(grid().colCount(), 2);
    EXPECT_EQ(grid().rowCount(), 2);
    EXPECT_EQ(rowOf(grid(), 0), (QStringList{"", ""}));
    EXPECT_FALSE(page().btCetak->isEnabled()) << "nothing listed, nothing to print";
    EXPECT_FALSE(page().btCetakBank->isEnabled());

    fmain->tabJM->showListPage();
    page().tabPengajuanProsesTampilDataClick();
    EXPECT_EQ(messages.take(), Boxes{}) << "no box while another page is on show";
    EXPECT_EQ(count(), "0");
    EXPECT_EQ(grid().rowCount(), 2);
}

TEST_F(RecipientListTest, ALoadWithRowsWithdrawsPrinting)
{
    page().setPrintEnabled(true);
    page().tabPengajuanProsesTampilData->click();
    EXPECT_FALSE(page().btCetak->isEnabled());
    EXPECT_FALSE(page().btCetakBank->isEnabled());
    for (QPushButton *button :
         {page().btProsesCetak, page().tabPengajuanProsesTambahAll, page().btProsesTambah,
          page().btProsesUbah, page().btProsesHapus, page().tabPengajuanProsesTampilData})
        EXPECT_TRUE(button->isEnabled()) << button->text().toStdString();
}

TEST_F(RecipientListTest, FailuresLeaveAnEmptyGrid)
{
    server.replaceProcedure("CREATE PROCEDURE nasn_pengajuan_detail_tampildata(var_id TEXT, var_order INT) "
                            "SIGNAL SQLSTATE '45000'");
    page().tabPengajuanProsesTampilDataClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal mengambil data!"}}));
    EXPECT_EQ(grid().rowCount(), 2);
    EXPECT_EQ(count(), "12") << "the count of the last load";

    server.refuseConnections();
    page().tabPengajuanProsesTampilDataClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal terhubung ke database Belunta!"}}));
    EXPECT_EQ(grid().rowCount(), 2);
    EXPECT_EQ(grid().cell(0, 1), "");
    EXPECT_FALSE(dm.fdremunerasi.isOpen());
}

TEST_F(RecipientListTest, LeavingThePageClearsIt)
{
    fmain->sbDashboardClick();
    EXPECT_EQ(count(), "0");
    EXPECT_EQ(grid().colCount(), 1);
    EXPECT_EQ(grid().rowCount(), 1);
    EXPECT_EQ(grid().cell(0, 0), "");

    fmain->tabJM->btJMProsesPengajuanClick();
    EXPECT_EQ(count(), "12") << "reopened and loaded";
    page().btProsesTambah->click();
    EXPECT_EQ(fmain->currentPage(), Page::tabPNSEdit);
    EXPECT_EQ(count(), "0");
    fmain->tabPNSEdit->tabPNSEditBatal->click();
    EXPECT_EQ(count(), "12");

    fmain->tabJM->showListPage();
    page().tabPengajuanProsesTampilDataClick();
    fmain->sbDashboardClick();
    EXPECT_EQ(count(), "12") << "only leaving this page clears it";
    EXPECT_EQ(messages.take(), Boxes{});
}

TEST_F(RecipientListTest, ListsLongerThanOneFetchBlockShowEveryRow)
{
    const std::string id = newSubmission();
    server.admin().exec(
        "INSERT INTO nasn_pengajuan_detail (id_pengajuan, nik, nama_lengkap, gapok, gapok_4, gapok_1, "
        "remunerasi, insentif, nip_operator) SELECT " +
        id +
        ", CONCAT('9', LPAD(seq, 15, '0')), CONCAT('Pegawai ', seq), '1000', '40', '10', '0', '0', " +
        demoOperator.nip + " FROM seq_1_to_6000");
    fmain->context.id_pengajuan = QString::fromStdString(id);
    page().tabPengajuanProsesTampilDataClick();
    EXPECT_EQ(count(), "6000");
    ASSERT_EQ(grid().rowCount(), 6001);
    EXPECT_EQ(grid().cell(1, 6000), "6000");
    EXPECT_EQ(grid().cell(3, 6000), "Pegawai 6000");
}

TEST_F(RecipientListTest, ThePopupMenu)
{
    QStringList texts;
    for (const QAction *action : page().sg_pengajuan_proses_pm->actions())
        texts << (action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(texts, (QStringList{"Update Data Individu", "-", "Tambah Data Se-SKPD", "Hapus Data Individu",
                                  "-", "Refresh Data"}));
    EXPECT_EQ(page().MenuItem7->text(), "Tambah Data Se-SKPD");
    insertRecipient("3273000000000001", "Zaenal Arifin");
    page().sg_pengajuan_proses_pm->actions().last()->trigger();
    EXPECT_EQ(count(), "13");
    EXPECT_EQ(grid().contextMenuPolicy(), Qt::CustomContextMenu);
}
