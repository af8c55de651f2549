#include "data/value_text.h"
#include "tests/screens/submissions/submissions_fixture.h"

#include <QLineEdit>

namespace {

const Box noRows{MessageKind::Information, "Tidak ada data dengan periode ini!"};
const QString deleteQuestion =
    "Hapus data pengajuan?\r\rMenghapus pengajuan juga akan menghapus semua data PNS "
    "dari pengajuan.\r\rData akan dihapus secara permanen, lanjutkan?";
const QString lockRefusal =
    "Pengajuan Remunerasi tidak bisa ditambah data!\r\rStatus : `Locked by Administrator` ";

QStringList rowOf(const StringGrid &grid, int row)
{
    QStringList cells;
    for (int c = 0; c < grid.colCount(); ++c)
        cells << grid.cell(c, row);
    return cells;
}

std::vector<int> widthsOf(const StringGrid &grid)
{
    std::vector<int> widths;
    for (int c = 0; c < grid.colCount(); ++c)
        widths.push_back(grid.colWidth(c));
    return widths;
}

void expectBareGrid(const StringGrid &grid)
{
    EXPECT_EQ(grid.colCount(), 2);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.fixedCols(), 1);
    EXPECT_EQ(grid.fixedRows(), 1);
    EXPECT_EQ(rowOf(grid, 0), (QStringList{"", ""}));
    EXPECT_EQ(rowOf(grid, 1), (QStringList{"", ""}));
}

QStringList actionTexts(const QMenu &menu)
{
    QStringList texts;
    for (const QAction *action : menu.actions())
        texts << (action->isSeparator() ? "-" : action->text());
    return texts;
}

QAction *actionNamed(const QMenu &menu, const QString &text)
{
    for (QAction *action : menu.actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

} // namespace

using SubmissionListTest = SubmissionsFixture;

TEST_F(SubmissionListTest, TheSideMenuListsTheCurrentYear)
{
    EXPECT_EQ(messages.take(), Boxes{});
    EXPECT_EQ(fmain->currentPage(), Page::tabJM);
    EXPECT_EQ(fmain->header(), "Data Pengajuan Perhitungan Sarvela");
    ASSERT_EQ(list().cbJMTahun->count(), 21);
    EXPECT_EQ(list().cbJMTahun->itemText(0), "2020");
    EXPECT_EQ(list().cbJMTahun->itemText(20), "2040");
    EXPECT_EQ(list().cbJMTahun->currentText(), year());

    const StringGrid &g = grid();
    EXPECT_EQ(g.colCount(), 7);
    EXPECT_EQ(g.rowCount(), 3);
    EXPECT_EQ(g.fixedCols(), 2);
    EXPECT_EQ(g.fixedRows(), 1);
    EXPECT_EQ(widthsOf(g), (std::vector<int>{0, 30, 70, 120, 0, 450, 300}))
        << "level Admin_skpd shows the unit";
    EXPECT_EQ(rowOf(g, 0),
              (QStringList{"", "No.", "Periode", "Tanggal Pengajuan", "Nama OPD", "Keterangan", "Nama OPD"}));
    const Rows stored =
        server.admin().query("SELECT p.id, u.nama_unit FROM nasn_pengajuan p JOIN nasn_unit u "
                             "ON u.unit_id = p.unit_id ORDER BY p.periode");
    ASSERT_EQ(stored.size(), 2u);
    const int y = QDate::currentDate().year();
    EXPECT_EQ(rowOf(g, 1),
              (QStringList{QString::fromStdString(*stored[0][0]), "1", "01-" + year(),
                           localDateText(QDate(y, 1, 5)), "288", "Iuran BPJS Remunerasi Non ASN Januari",
                           QString::fromStdString(*stored[0][1])}));
    EXPECT_EQ(rowOf(g, 2)[1], "2");
    EXPECT_EQ(rowOf(g, 2)[2], "02-" + year());
    EXPECT_EQ(rowOf(g, 2)[3], localDateText(QDate(y, 2, 5)));
    EXPECT_TRUE(list().btJMHapus->isEnabled());
    EXPECT_TRUE(list().btJMProsesPengajuan->isEnabled());
    EXPECT_FALSE(dm.fdremunerasi.isOpen());
}

TEST_F(SubmissionListTest, TheUnitNameIsHiddenOnlyForTheExactLevelText)
{
    for (auto [level, width] :
         {std::pair{"admin_skpd", 0}, {"Admin_skpd", 300}, {"ADMIN_SKPD", 300}, {"", 300}}) {
        fmain->context.levelUser = level;
        list().btJMLihatClick();
        EXPECT_EQ(grid().colWidth(6), width) << level;
        EXPECT_EQ(grid().colWidth(4), 0) << level;
    }
}

TEST_F(SubmissionListTest, TheYearBoxAlwaysOffersTheClockYear)
{
    struct Case {
        int year;
        const char *first, *last;
    };
    for (const Case &c : {Case{2031, "2020", "2040"}, {2045, "2020", "2045"}, {2019, "2019", "2040"}}) {
        clock = QDateTime(QDate(c.year, 6, 1), QTime(9, 0));
        list().DataJMClick();
        messages.take();
        const ComboBox &box = *list().cbJMTahun;
        EXPECT_EQ(box.itemText(0), c.first) << c.year;
        EXPECT_EQ(box.itemText(box.count() - 1), c.last) << c.year;
        EXPECT_EQ(box.currentText(), QString::number(c.year));
        EXPECT_EQ(box.itemIndex(), box.findText(QString::number(c.year)));
    }
}

TEST_F(SubmissionListTest, TypingIntoTheYearBoxReloadsAfterEveryKeystroke)
{
    SqlSession admin = server.admin();
    admin.exec("CREATE TABLE seen (n INT AUTO_INCREMENT PRIMARY KEY, periode TEXT, jenis TEXT)");
    server.replaceProcedure(
        "CREATE PROCEDURE nasn_pengajuan_tampildata(var_periode TEXT, var_jenis TEXT) BEGIN "
        "INSERT INTO seen (periode, jenis) VALUES (var_periode, var_jenis); "
        "SELECT 7 AS id, '202501' AS periode, '' AS tanggal_pengajuan, '' AS unit_id, "
        "var_periode AS keterangan, '' AS nama_unit; END");
    QLineEdit *edit = list().cbJMTahun->lineEdit();
    edit->clear();
    press(edit, Qt::Key_2);
    press(edit, Qt::Key_0);
    EXPECT_EQ(messages.take(), Boxes{});
    EXPECT_EQ(admin.query("SELECT periode, jenis FROM seen ORDER BY n"),
              (Rows{{"", "JM"}, {"2", "JM"}, {"20", "JM"}}));
    EXPECT_EQ(grid().cell(5, 1), "20");
}

TEST_F(SubmissionListTest, AnEmptyYearLeavesABareGridAndDisablesTheRowButtons)
{
    list().cbJMTahun->setEditText("2019");
    EXPECT_EQ(messages.take(), Boxes{noRows});
    expectBareGrid(grid());
    EXPECT_FALSE(list().btJMHapus->isEnabled());
    EXPECT_FALSE(list().btJMProsesPengajuan->isEnabled());
    EXPECT_TRUE(list().btJMTambah->isEnabled());

    list().cbJMTahun->setEditText(year());
    fmain->sbDashboardClick();
    list().cbJMTahun->setEditText("2019");
    EXPECT_EQ(messages.take(), Boxes{}) << "no box while another page is on show";
    expectBareGrid(grid());
    EXPECT_TRUE(list().btJMHapus->isEnabled()) << "the buttons keep the state of the last load with rows";
}

TEST_F(SubmissionListTest, ListFailures)
{
    server.replaceProcedure("CREATE PROCEDURE nasn_pengajuan_tampildata(var_periode TEXT, var_jenis TEXT) "
                            "SELECT 1 AS id, '202501' AS periode, '' AS tanggal_pengajuan");
    list().btJMLihatClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal mengambil data!"}}));
    EXPECT_EQ(grid().cell(0, 1), "1") << "the grid is filled up to the missing column";
    EXPECT_EQ(grid().cell(2, 1), "01-2025");
    EXPECT_FALSE(dm.fdremunerasi.isOpen());

    server.replaceProcedure("CREATE PROCEDURE nasn_pengajuan_tampildata(var_periode TEXT, var_jenis TEXT) "
                            "SIGNAL SQLSTATE '45000'");
    fmain->sbPengajuan->click();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal mengambil data!"}}));
    expectBareGrid(grid());
    EXPECT_FALSE(list().btJMHapus->isEnabled()) << "the side menu disabled them and no load enabled them";
}

TEST_F(SubmissionListTest, AConnectionFailureKeepsTheRows)
{
    server.refuseConnections();
    list().btJMLihatClick();
    EXPECT_EQ(messages.take(),
              (Boxes{{MessageKind::Warning,
                      "Gagal terhubung ke database Korvani -> Iuran BPJS Remunerasi RSUD!"}}));
    EXPECT_EQ(grid().rowCount(), 3);
    EXPECT_EQ(grid().cell(2, 2), "02-" + year());
}

TEST_F(SubmissionListTest, ThePeriodColumnIsTakenByCharacterPosition)
{
    server.admin().exec(
        "INSERT INTO nasn_pengajuan (periode, unit_id, nomor, tanggal_pengajuan, keterangan, jenis) "
        "VALUES ('202403', '288', '-', '2024-03-01', 'a', 'JM'), "
        "('2024', '288', '-', '2024-03-02', 'b', 'JM'), ('202404', '288', '-', '2024-04-01', 'c', "
        "'KP')");
    list().cbJMTahun->setEditText("2024");
    ASSERT_EQ(grid().rowCount(), 3) << "type JM only";
    EXPECT_EQ(grid().cell(2, 1), "-2024");
    EXPECT_EQ(grid().cell(2, 2), "03-2024");
}

TEST_F(SubmissionListTest, DeletingTheSelectedSubmissionReloadsTheList)
{
    const std::string february =
        server.admin().scalar("SELECT id FROM nasn_pengajuan WHERE periode = CONCAT(YEAR(CURDATE()), '02')");
    grid().setCurrentRow(2);
    messages.answer(true);
    list().btJMHapusClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Confirm, deleteQuestion},
                                      {MessageKind::Information, "Pengajuan berhasil dihapus!"}}));
    SqlSession admin = server.admin();
    EXPECT_EQ(admin.scalar("SELECT COUNT(*) FROM nasn_pengajuan WHERE id = " + february), "0");
    EXPECT_EQ(admin.scalar("SELECT COUNT(*) FROM nasn_pengajuan_detail WHERE id_pengajuan = " + february),
              "0");
    EXPECT_EQ(grid().rowCount(), 2);
    EXPECT_EQ(grid().cell(2, 1), "01-" + year());
    EXPECT_FALSE(dm.fdremunerasi.isOpen());
}

TEST_F(SubmissionListTest, DeletingIsRefusedByEachGuardAndByNo)
{
    const Box outsideWindow{MessageKind::Warning, outsideInputWindow};
    SqlSession admin = server.admin();
    admin.exec("UPDATE nasn_pengajuan SET status = 'F' WHERE periode LIKE '%01'");
    grid().setCurrentRow(1);
    list().btJMHapusClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Error, lockRefusal}})) << "the selected row's submission";

    grid().setCurrentRow(2);
    messages.answer(false);
    list().btJMHapusClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Confirm, deleteQuestion}}));

    server.replaceProcedure("CREATE PROCEDURE nasn_cek_waktu_input() SELECT '1' AS nilai, '0' AS restricted");
    list().btJMHapusClick();
    EXPECT_EQ(messages.take(), Boxes{outsideWindow});

    server.replaceProcedure("CREATE PROCEDURE nasn_cek_waktu_input() SIGNAL SQLSTATE '45000'");
    list().btJMHapusClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal mengambil data!"}}));

    EXPECT_EQ(submissionCount(), "2");
    EXPECT_EQ(grid().rowCount(), 3);
}

TEST_F(SubmissionListTest, AFailedDeleteLeavesTheList)
{
    server.replaceProcedure("CREATE PROCEDURE nasn_pengajuan_hapus(var_id TEXT, var_nip_pemroses TEXT) "
                            "SIGNAL SQLSTATE '45000'");
    server.admin().exec("DELETE FROM nasn_pengajuan_detail");
    server.admin().exec("DELETE FROM nasn_pengajuan");
    messages.answer(true);
    list().btJMHapusClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Confirm, deleteQuestion},
                                      {MessageKind::Warning, "Gagal mengambil data!"}}));
    EXPECT_EQ(grid().rowCount(), 3) << "not reloaded";
    EXPECT_FALSE(dm.fdremunerasi.isOpen());
}

TEST_F(SubmissionListTest, WithNothingListedThereIsNothingToDeleteOrOpen)
{
    list().cbJMTahun->setEditText("2019");
    messages.take();
    const std::string logBefore = server.admin().scalar("SELECT COUNT(*) FROM nasn_log");
    list().btJMHapusClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Information, "Tidak ada data yang bisa dihapus!"}}));
    list().btJMProsesPengajuanClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Information, "Tidak ada data yang bisa diproses!"}}));
    EXPECT_EQ(fmain->currentPage(), Page::tabJM);
    EXPECT_TRUE(fmain->context.id_pengajuan.isEmpty());
    EXPECT_EQ(server.admin().scalar("SELECT COUNT(*) FROM nasn_log"), logBefore);
}

TEST_F(SubmissionListTest, OpeningASubmissionShowsItsRecipients)
{
    const std::string february =
        server.admin().scalar("SELECT id FROM nasn_pengajuan WHERE periode = CONCAT(YEAR(CURDATE()), '02')");
    RecipientListPage &recipients = *fmain->tabPengajuanProses;
    recipients.setPrintEnabled(true);
    recipients.tabPengajuanProsesSort->setItems({"x"}, 0);
    grid().setCurrentRow(2);
    list().btJMProsesPengajuanClick();
    EXPECT_EQ(messages.take(), Boxes{});
    EXPECT_EQ(fmain->context.id_pengajuan, QString::fromStdString(february));
    EXPECT_EQ(fmain->context.periode_pengajuan, year() + "02");
    EXPECT_EQ(fmain->context.jenisPengajuan, "JM");
    EXPECT_EQ(fmain->context.induk_id, "288") << "the operator's unit from the login";
    EXPECT_EQ(fmain->header(), "Proses Pengajuan Proses Data Iuran BPJS, Periode 02-" + year());
    EXPECT_EQ(fmain->currentPage(), Page::tabPengajuanProses);
    EXPECT_EQ(recipients.tabPengajuanProsesSort->count(), 2);
    EXPECT_EQ(recipients.tabPengajuanProsesSort->currentText(), "NIP");
    EXPECT_FALSE(recipients.btCetak->isEnabled());
    EXPECT_FALSE(recipients.btCetakBank->isEnabled());
    EXPECT_EQ(recipients.tabPengajuanProsesJumlah->text(), "12");
}

TEST_F(SubmissionListTest, ThePopupMenu)
{
    EXPECT_EQ(actionTexts(*list().sg_pengajuan_pm),
              (QStringList{"Refresh Data", "-", "Tambah", "Hapus", "-", "Proses Pengajuan"}));
    server.admin().exec(
        "INSERT INTO nasn_pengajuan (periode, unit_id, nomor, tanggal_pengajuan, keterangan, jenis) "
        "VALUES (CONCAT(YEAR(CURDATE()), '03'), '288', '-', CURDATE(), 'baru', 'JM')");
    actionNamed(*list().sg_pengajuan_pm, "Refresh Data")->trigger();
    EXPECT_EQ(grid().rowCount(), 4);

    StringGrid other;
    int refreshed = 0;
    QMenu *shared = list().attachPopup(other, [&refreshed] { ++refreshed; });
    EXPECT_EQ(other.contextMenuPolicy(), Qt::CustomContextMenu);
    EXPECT_EQ(actionTexts(*shared), actionTexts(*list().sg_pengajuan_pm));
    actionNamed(*shared, "Refresh Data")->trigger();
    EXPECT_EQ(refreshed, 1);
    actionNamed(*shared, "Hapus")->trigger();
    actionNamed(*shared, "Proses Pengajuan")->trigger();
    EXPECT_EQ(fmain->currentPage(), Page::tabJM) << "no action";
    actionNamed(*shared, "Tambah")->trigger();
    EXPECT_EQ(fmain->currentPage(), Page::tabPengajuanEdit);
    EXPECT_EQ(fmain->header(), "Tambah Data Pengajuan");
    EXPECT_EQ(messages.take(), Boxes{});
}
