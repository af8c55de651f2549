#include "tests/screens/recipients/recipients_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>

namespace {

const Box emptyField{MessageKind::Warning, "Ada kolom yang masih kosong!"};
const QString deleteQuestion = "Hapus data PNS dari pengajuan?";

} // namespace

class RowEditorTest : public RecipientsFixture {
protected:
    RowEditorPage &editor() { return *fmain->tabPNSEdit; }

    std::vector<QLineEdit *> edits()
    {
        RowEditorPage &e = editor();
        return {e.tabPNSEditNIK, e.tabPNSEditNamaLengkap, e.tabPNSEditGapok,   e.tabPNSEdit4p,
                e.tabPNSEdit1p,  e.tabPNSEditRemunerasi,  e.tabPNSEditInsentif};
    }
    std::vector<QLineEdit *> amountEdits()
    {
        const auto all = edits();
        return {all.begin() + 2, all.end()};
    }
    QStringList texts()
    {
        QStringList out;
        for (QLineEdit *edit : edits())
            out << edit->text();
        return out;
    }
    void fill(const QStringList &values)
    {
        const auto all = edits();
        for (size_t i = 0; i < all.size(); ++i)
            if (!all[i]->isReadOnly())
                all[i]->setText(values[static_cast<qsizetype>(i)]);
    }
    // The stored row of the open submission with this NIK.
    Rows stored(const std::string &nik)
    {
        return server.admin().query(
            "SELECT nik, nama_lengkap, gapok, gapok_4, gapok_1, remunerasi, insentif, "
            "nip_operator FROM nasn_pengajuan_detail WHERE id_pengajuan = " +
            submissionId + " AND nik = '" + nik + "'");
    }
    // Selects the list row of the demo recipient with this name.
    void selectRow(const QString &name)
    {
        for (int r = 1; r < grid().rowCount(); ++r)
            if (grid().cell(3, r) == name)
                grid().setCurrentRow(r);
    }
};

TEST_F(RowEditorTest, AddingStoresTheRowAndReloadsTheList)
{
    editor().tabPNSEditNama->setText("old");
    page().btProsesTambah->click();
    EXPECT_EQ(fmain->currentPage(), Page::tabPNSEdit);
    EXPECT_EQ(fmain->header(), "Tambah data Pegawai");
    EXPECT_EQ(fmain->context.tabpnseditjenis, "tambah");
    EXPECT_EQ(texts(), QStringList(7, ""));
    EXPECT_EQ(editor().tabPNSEditNama->text(), "");
    EXPECT_FALSE(editor().tabPNSEditNIK->isReadOnly());

    fill({"3273019999000001", "Rahmat Hidayat", "4000000", "160000", "40000", "2000000", "0"});
    editor().tabPNSEditSimpan->click();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Information, "Data berhasil ditambahkan!"}}));
    EXPECT_EQ(stored("3273019999000001"), (Rows{{"3273019999000001", "Rahmat Hidayat", "4000000", "160000",
                                                 "40000", "2000000", "0", demoOperator.nip}}));
    EXPECT_EQ(fmain->currentPage(), Page::tabPengajuanProses);
    EXPECT_EQ(count(), "13");
    EXPECT_EQ(fmain->header(), "Tambah data Pegawai") << "only Batal writes the period header";
    EXPECT_FALSE(dm.fdremunerasi.isOpen());
}

TEST_F(RowEditorTest, TheNikTestRunsWhenAddingOnly)
{
    const QString listedNik = grid().cell(2, 1);
    page().btProsesTambah->click();
    fill({listedNik, "Nama Lain", "1", "1", "1", "1", "1"});
    editor().tabPNSEditSimpanClick();
    EXPECT_EQ(messages.take(),
              (Boxes{{MessageKind::Warning, "NIK sudah masuk ke pengajuan di periode ini!\rSilahkan cek "
                                            "inputan NIK apakah sudah sesuai."}}));
    EXPECT_EQ(fmain->currentPage(), Page::tabPNSEdit);
    EXPECT_EQ(rowCount(), "12");

    server.replaceProcedure("CREATE PROCEDURE nasn_pengajuan_detail_cek_nik(var_id TEXT, var_nik TEXT) "
                            "SIGNAL SQLSTATE '45000'");
    editor().tabPNSEditSimpanClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal mengambil data!"}}));

    fmain->context.tabpnseditjenis = "ubah";
    editor().tabPNSEditSimpanClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Information, "Data berhasil diubah!"}}));
    EXPECT_EQ(*stored(listedNik.toStdString())[0][1], "Nama Lain");
}

TEST_F(RowEditorTest, EveryFieldMustHoldText)
{
    page().btProsesTambah->click();
    const QStringList filled = {"3273019999000001", "Rahmat", "1", "1", "1", "1", "1"};
    for (size_t i = 0; i < 7; ++i) {
        fill(filled);
        edits()[i]->clear();
        editor().tabPNSEditSimpanClick();
        EXPECT_EQ(messages.take(), Boxes{emptyField}) << i;
    }
    EXPECT_EQ(rowCount(), "12");
}

TEST_F(RowEditorTest, ABlankOnlyFieldIsFilledAndSentAsTyped)
{
    SqlSession admin = server.admin();
    admin.exec("CREATE TABLE seen (nik TEXT, nama TEXT, gapok TEXT, id TEXT, nip TEXT)");
    server.replaceProcedure(
        "CREATE PROCEDURE nasn_pengajuan_detail_tambah(var_id TEXT, var_nik TEXT, var_namalengkap TEXT, "
        "var_gapok TEXT, var_gapok4 TEXT, var_gapok1 TEXT, var_remunerasi TEXT, var_insentif TEXT, "
        "var_nip_operator TEXT) INSERT INTO seen VALUES (var_nik, var_namalengkap, var_gapok, var_id, "
        "var_nip_operator)");
    page().btProsesTambah->click();
    fill({" 3273 ", "   ", "5", "1", "1", "1", "1"});
    editor().tabPNSEditSimpanClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Information, "Data berhasil ditambahkan!"}}));
    EXPECT_EQ(admin.query("SELECT * FROM seen"),
              (Rows{{" 3273 ", "   ", "5", submissionId, demoOperator.nip}}));
}

TEST_F(RowEditorTest, ChangingLoadsTheRowAndStoresTheChange)
{
    selectRow("Citra Lestari");
    const std::string nik = grid().cell(2, grid().currentRow()).toStdString();
    page().btProsesUbah->click();
    EXPECT_EQ(messages.take(), Boxes{});
    EXPECT_EQ(fmain->currentPage(), Page::tabPNSEdit);
    EXPECT_EQ(fmain->header(), "Ubah data Pegawai");
    EXPECT_EQ(fmain->context.tabpnseditjenis, "ubah");
    const Row row = stored(nik)[0];
    QStringList expected;
    for (size_t i = 0; i < 7; ++i)
        expected << QString::fromStdString(*row[i]);
    EXPECT_EQ(texts(), expected);
    EXPECT_EQ(texts()[2], "3250000") << "raw amounts, not the list's formatted ones";
    EXPECT_TRUE(editor().tabPNSEditNIK->isReadOnly());

    editor().tabPNSEditRemunerasi->setText("2500000");
    editor().tabPNSEditSimpan->click();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Information, "Data berhasil diubah!"}}));
    EXPECT_EQ(*stored(nik)[0][5], "2500000");
    EXPECT_EQ(fmain->currentPage(), Page::tabPengajuanProses);
    EXPECT_EQ(count(), "12");

    page().btProsesTambah->click();
    EXPECT_FALSE(editor().tabPNSEditNIK->isReadOnly()) << "adding makes the NIK writable again";
}

TEST_F(RowEditorTest, TheServerRefusingAChangeKeepsTheEditorsValues)
{
    page().btProsesUbah->click();
    editor().tabPNSEditNamaLengkap->setText("Nama Baru");
    const QStringList typed = texts();
    server.admin().exec("UPDATE nasn_pengajuan SET status = 'F' WHERE id = " + submissionId);
    editor().tabPNSEditSimpanClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal melakukan update data!",
                                       "Pengajuan dikunci oleh Administrator"}}));
    EXPECT_EQ(fmain->currentPage(), Page::tabPNSEdit);
    EXPECT_EQ(texts(), typed);
    EXPECT_EQ(
        server.admin().scalar("SELECT COUNT(*) FROM nasn_pengajuan_detail WHERE nama_lengkap = 'Nama Baru'"),
        "0");
    EXPECT_FALSE(dm.fdremunerasi.isOpen());
}

TEST_F(RowEditorTest, AFailedAddKeepsTheEditorAndSaysWhy)
{
    page().btProsesTambah->click();
    fill({"12", "Rahmat", "1", "1", "1", "1", "1"});
    editor().tabPNSEditSimpanClick();
    EXPECT_EQ(messages.take(),
              (Boxes{{MessageKind::Warning, "Gagal menambahkan data!", "NIK harus 16 digit angka"}}));
    EXPECT_EQ(fmain->currentPage(), Page::tabPNSEdit);
    EXPECT_EQ(texts()[0], "12");

    // Any other failure shows the fixed text alone, never the server's own words.
    fill({"3273019999000001", "Rahmat", "1", "1", "1", "1", "1"});
    QApplication::clipboard()->setText("12,5");
    editor().tabPNSEditGapok->paste();
    server.replaceProcedure(
        "CREATE PROCEDURE nasn_pengajuan_detail_tambah(var_id TEXT, var_nik TEXT, var_namalengkap TEXT, "
        "var_gapok TEXT, var_gapok4 TEXT, var_gapok1 TEXT, var_remunerasi TEXT, var_insentif TEXT, "
        "var_nip_operator TEXT) INSERT INTO nasn_pengajuan_detail (id_pengajuan, nik, nama_lengkap, gapok, "
        "gapok_4, gapok_1, remunerasi, insentif) VALUES (var_id, var_nik, var_namalengkap, var_gapok, "
        "var_gapok4, var_gapok1, var_remunerasi, var_insentif)");
    editor().tabPNSEditSimpanClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal menambahkan data!"}}))
        << "a table check (4025) is no reason of ours";
    EXPECT_EQ(rowCount(), "12");
}

TEST_F(RowEditorTest, AFailedLoadForAChangeLeavesTheListInFront)
{
    server.replaceProcedure("CREATE PROCEDURE nasn_pengajuan_detail_ubah_ambil_data(var_id TEXT) "
                            "SELECT 'x' AS nik");
    editor().btProsesUbahClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal mengambil data!"}}));
    EXPECT_EQ(fmain->currentPage(), Page::tabPengajuanProses);
    EXPECT_EQ(fmain->header(), "Ubah data Pegawai");
    EXPECT_EQ(fmain->context.tabpnseditjenis, "ubah");
    EXPECT_EQ(count(), "12");

    server.refuseConnections();
    editor().btProsesUbahClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal terhubung ke database Belunta!"}}));
    EXPECT_EQ(fmain->currentPage(), Page::tabPengajuanProses);
}

TEST_F(RowEditorTest, ChangingInAnEmptySubmissionOpensAnEmptyEditor)
{
    fmain->context.id_pengajuan = QString::fromStdString(newSubmission());
    page().tabPengajuanProsesTampilDataClick();
    messages.take();
    page().btProsesTambah->click();
    fill({"1", "2", "3", "4", "5", "6", "7"});
    editor().btProsesUbahClick();
    EXPECT_EQ(messages.take(), Boxes{});
    EXPECT_EQ(texts(), QStringList(7, ""));
    EXPECT_TRUE(editor().tabPNSEditNIK->isReadOnly());
    editor().tabPNSEditSimpanClick();
    EXPECT_EQ(messages.take(), Boxes{emptyField});
}

TEST_F(RowEditorTest, DeletingTheSelectedRow)
{
    selectRow("Citra Lestari");
    const std::string id = grid().cell(0, grid().currentRow()).toStdString();
    messages.answer(true);
    page().btProsesHapus->click();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Confirm, deleteQuestion},
                                      {MessageKind::Information, "Data berhasil dihapus!"}}));
    EXPECT_EQ(server.admin().scalar("SELECT COUNT(*) FROM nasn_pengajuan_detail WHERE id = " + id), "0");
    EXPECT_EQ(count(), "11");
    for (int r = 1; r < grid().rowCount(); ++r)
        EXPECT_NE(grid().cell(3, r), "Citra Lestari");
}

TEST_F(RowEditorTest, NoToTheDeleteStillReloads)
{
    insertRecipient("3273000000000001", "Zaenal Arifin");
    messages.answer(false);
    editor().btProsesHapusClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Confirm, deleteQuestion}}));
    EXPECT_EQ(rowCount(), "13");
    EXPECT_EQ(count(), "13");
}

TEST_F(RowEditorTest, AFailedDeleteDoesNotReload)
{
    insertRecipient("3273000000000001", "Zaenal Arifin");
    server.admin().exec("UPDATE nasn_pengajuan SET status = 'F' WHERE id = " + submissionId);
    messages.answer(true);
    editor().btProsesHapusClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Confirm, deleteQuestion},
                                      {MessageKind::Warning, "Gagal menghapus data!",
                                       "Pengajuan dikunci oleh Administrator"}}));
    EXPECT_EQ(rowCount(), "13");
    EXPECT_EQ(count(), "12") << "not reloaded";
    EXPECT_FALSE(dm.fdremunerasi.isOpen());
}

TEST_F(RowEditorTest, CancelRestoresThePeriodHeaderAndReloads)
{
    page().btProsesTambah->click();
    fill({"3273019999000001", "Rahmat", "1", "1", "1", "1", "1"});
    insertRecipient("3273000000000001", "Zaenal Arifin");
    editor().tabPNSEditBatal->click();
    EXPECT_EQ(messages.take(), Boxes{});
    EXPECT_EQ(fmain->currentPage(), Page::tabPengajuanProses);
    EXPECT_EQ(fmain->header(), "Proses Pengajuan Proses Data Iuran BPJS, Periode 01-" +
                                   QString::number(QDate::currentDate().year()));
    EXPECT_EQ(count(), "13");
    EXPECT_EQ(stored("3273019999000001"), Rows{});
    EXPECT_EQ(texts()[1], "Rahmat") << "the edits are not cleared";
}

TEST_F(RowEditorTest, AmountEditsDropTypedCharactersButDigits)
{
    for (QLineEdit *edit : amountEdits()) {
        edit->clear();
        for (int key :
             {Qt::Key_1, Qt::Key_A, Qt::Key_Period, Qt::Key_2, Qt::Key_Minus, Qt::Key_Space, Qt::Key_3})
            press(edit, key);
        EXPECT_EQ(edit->text(), "123") << edit->objectName().toStdString();
        press(edit, Qt::Key_Backspace);
        press(edit, Qt::Key_Left);
        press(edit, Qt::Key_Delete);
        EXPECT_EQ(edit->text(), "1") << "keys without a character still work";
        EXPECT_EQ(edit->maxLength(), 18);
    }
    press(editor().tabPNSEditNIK, Qt::Key_A);
    EXPECT_EQ(editor().tabPNSEditNIK->text(), "a") << "the NIK edit has no filter";
}

// Only typing is filtered: pasted or dropped text reaches the edit unchanged, and
// the server refuses what is no whole rupiah, saying which field and why.
TEST_F(RowEditorTest, PastedAndDroppedAmountsAreSentUnchangedAndTheServerSaysWhy)
{
    page().btProsesTambah->click();
    fill({"3273019999000001", "Rahmat Hidayat", "", "160000", "40000", "2000000", "0"});
    QApplication::clipboard()->setText("1.250.000,50");
    editor().tabPNSEditGapok->paste();
    EXPECT_EQ(editor().tabPNSEditGapok->text(), "1.250.000,50");

    QMimeData dropped;
    dropped.setText("Rp 2,5jt");
    editor().tabPNSEditInsentif->clear();
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor().tabPNSEditInsentif, &enter);
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor().tabPNSEditInsentif, &drop);
    EXPECT_EQ(editor().tabPNSEditInsentif->text(), "Rp 2,5jt");

    editor().tabPNSEditSimpan->click();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal menambahkan data!",
                                       "Gaji harus angka rupiah bulat, 1 sampai 15 digit"}}));
    editor().tabPNSEditGapok->setText("1250000");
    editor().tabPNSEditSimpan->click();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal menambahkan data!",
                                       "Insentif harus angka rupiah bulat, 1 sampai 15 digit"}}));
    EXPECT_EQ(fmain->currentPage(), Page::tabPNSEdit);
    EXPECT_EQ(stored("3273019999000001"), Rows{}) << "nothing stored converted";
}

TEST_F(RowEditorTest, AddingFocusesTheNikAndEnterSaves)
{
    page().btProsesTambah->click();
    EXPECT_EQ(fmain->focusWidget(), editor().tabPNSEditNIK);
    press(editor().tabPNSEditNIK, Qt::Key_Return);
    EXPECT_EQ(messages.take(), Boxes{emptyField}) << "Enter in a field does what Simpan does";

    fill({"3273019999000001", "Rahmat", "1", "1", "1", "1", "1"});
    press(editor().tabPNSEditInsentif, Qt::Key_Enter);
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Information, "Data berhasil ditambahkan!"}}));
    EXPECT_EQ(stored("3273019999000001").size(), 1u);
}
