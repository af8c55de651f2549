#include "data/guards.h"
#include "screens/recipients/import_statement.h"
#include "tests/screens/recipients/recipients_fixture.h"
#include "tests/support/sheet_writer.h"

#include <QTemporaryDir>

namespace {

const QString criteria =
    "Pastikan file excel memenuhi kriteria berikut :\r- Data terdiri dari 7 kolom\r"
    "- Tanpa kolom judul\r- Semua kolom berformat general\r- Kolom 1 NIK\r"
    "- Kolom 2 Nama Lengkap\r- Kolom 3 Nominal Gaji\r- Kolom 4 Nominal 4% BPJS dari Gaji\r"
    "- Kolom 5 Nominal 1% BPJS dari Gaji\r- Kolom 6 Nominal Remunerasi\r"
    "- Kolom 7 Nominal Insentif";
const Box criteriaBox{MessageKind::Information, criteria};
const Box confirmBox{MessageKind::Confirm, "Tambahkan semua data yang ada di file excel ini?"};
const Box doneBox{MessageKind::Information, "Data berhasil diproses!"};

} // namespace

class ImportTest : public RecipientsFixture {
protected:
    QString sheet(const std::vector<QStringList> &rows)
    {
        const QString path = dir.filePath(QString("sheet%1.xlsx").arg(sheets++));
        writeRecipientSheet(path, rows);
        return path;
    }
    // Runs the import from the button with the dialog and the confirmation answered.
    Boxes import(const QString &file, bool yes = true)
    {
        files.answer("  " + file + " ");
        messages.answer(yes);
        page().tabPengajuanProsesTambahAll->click();
        return messages.take();
    }

    QTemporaryDir dir;
    int sheets = 0;
};

TEST_F(ImportTest, AWholeSheetInOneStatementThenTheListReloads)
{
    ASSERT_EQ(rowCount(), "12");
    EXPECT_EQ(import(sheet(recipientRows(3))), (Boxes{criteriaBox, confirmBox, doneBox}));
    EXPECT_EQ(rowCount(), "15");
    EXPECT_EQ(count(), "15");
    const FileDialogRequest &dialog = files.requests.at(0);
    EXPECT_EQ(dialog.filters, (QStringList{"Excel Worksheet berisi Data Jasa Medis *.xls (*.xls)",
                                           "Excel Worksheet berisi Data Jasa Medis *.xlsx (*.xlsx)"}));
    EXPECT_EQ(dialog.selectedFilter, dialog.filters[0]);
    EXPECT_EQ(dialog.defaultSuffix, "xls");
    EXPECT_EQ(
        server.admin().scalar("SELECT CONCAT_WS('|', nama_lengkap, gapok, gapok_4, gapok_1, remunerasi, "
                              "insentif) FROM nasn_pengajuan_detail WHERE nik = '3273000000000002'"),
        "Penerima 2|3000002|120000|30000|2000002|500000");
}

TEST_F(ImportTest, RowsTheServerSkipsAreNamedAfterTheSuccess)
{
    std::vector<QStringList> rows = recipientRows(6);
    rows[1][0] = "327300000000002";      // 15 digits
    rows[2][2] = "abc";                  // not an amount
    rows[3][0] = "3273000000000001";     // the same NIK again
    rows[4][1] = "  O'Brien\\ ";         // stored, prepared
    rows[5][3] = "1'); DROP TABLE x;--"; // an apostrophe in an amount cannot break the statement
    const Boxes boxes = import(sheet(rows));
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[2], doneBox);
    EXPECT_EQ(boxes[3],
              (Box{MessageKind::Warning,
                   "4 dari 6 baris data di file excel tidak tersimpan: NIK sudah ada di pengajuan atau "
                   "ganda, atau NIK/nominal tidak sesuai format.\rBaris data ke: 2, 3, 4, 6"}));
    EXPECT_EQ(rowCount(), "14");
    EXPECT_EQ(server.admin().scalar(
                  "SELECT nama_lengkap FROM nasn_pengajuan_detail WHERE nik = '3273000000000005'"),
              "O`Brien\\");
}

TEST_F(ImportTest, TheSameSheetTwiceStoresEachRowOnce)
{
    const QString file = sheet(recipientRows(2));
    import(file);
    const Boxes second = import(file);
    ASSERT_EQ(second.size(), 4u);
    EXPECT_EQ(second[2], doneBox);
    EXPECT_TRUE(second[3].text.startsWith("2 dari 2 baris"));
    EXPECT_TRUE(second[3].text.endsWith("Baris data ke: 1, 2"));
    EXPECT_EQ(rowCount(), "14");
}

TEST_F(ImportTest, NoInsertsNothingAndCancelReadsNothing)
{
    EXPECT_EQ(import(sheet(recipientRows(2)), false), (Boxes{criteriaBox, confirmBox}));
    EXPECT_EQ(rowCount(), "12");
    EXPECT_EQ(count(), "12") << "reloaded";
    files.answer("");
    fmain->tabPengajuanProses->MenuItem7->trigger();
    EXPECT_EQ(messages.take(), Boxes{criteriaBox});
    EXPECT_EQ(rowCount(), "12");
}

TEST_F(ImportTest, AFileThatIsNoSevenColumnSheetIsRefusedBeforeTheConfirmation)
{
    std::vector<QStringList> rows = recipientRows(2);
    for (QStringList &row : rows)
        row.removeLast();
    files.answer(sheet(rows));
    page().tabPengajuanProsesTambahAll->click();
    const Boxes boxes = messages.take();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].kind, MessageKind::Error);
    EXPECT_FALSE(boxes[1].text.isEmpty());
    EXPECT_EQ(rowCount(), "12");
}

TEST_F(ImportTest, GuardsAndTheRowCountStopTheImport)
{
    struct Case {
        const char *procedure;
        Box box;
    };
    const std::vector<Case> cases = {
        {"CREATE PROCEDURE nasn_waktu_input_cek() SELECT '1' AS nilai, '0' AS restricted",
         {MessageKind::Warning, inputWindowRefusal}},
        {"CREATE PROCEDURE nasn_waktu_input_cek() SIGNAL SQLSTATE '45000'",
         {MessageKind::Warning, "Gagal mengambil data! err: 01"}},
        {"CREATE PROCEDURE nasn_cek_status_pengajuan(var_id TEXT) SELECT 'F' AS status",
         {MessageKind::Error, "Pengajuan tidak bisa ditambah data!\r\rStatus : `Locked by Administrator` "}},
        {"CREATE PROCEDURE nasn_cek_status_pengajuan(var_id TEXT) SELECT 1 AS other",
         {MessageKind::Warning, "Gagal mengambil data! err: 02"}},
        {"CREATE PROCEDURE nasn_pengajuan_detail_cek_jumlah_pegawai_masuk(var_id TEXT) SELECT 'dua' AS "
         "jumlah",
         {MessageKind::Warning, "Gagal mengambil data! err: 01"}},
    };
    for (const Case &c : cases) {
        TestServer fresh(true);
        fresh.replaceProcedure(c.procedure);
        Tdm freshDm(settingsFor(fresh));
        Tfmain window(freshDm, messages, files);
        logIn(window, demoOperator);
        window.context = fmain->context;
        window.tabPengajuanProses->tabPengajuanProsesTambahAll->click();
        EXPECT_EQ(messages.take(), Boxes{c.box}) << c.procedure;
    }
    EXPECT_TRUE(files.requests.empty());
}

TEST_F(ImportTest, TheStatementOfAOneRowSheetIsTwoLines)
{
    dm.fdremunerasi.open();
    const QByteArray sql =
        importStatement("7", {{"3273000000000001", " Siti 'Aminah' ", "1", "2", "3", "4", "5"}},
                        [this](const QString &t) { return dm.fdremunerasi.escape(t); });
    EXPECT_EQ(sql, "insert ignore into nasn_pengajuan_detail (`id_pengajuan`,`nik`,`nama_lengkap`,`gapok`,"
                   "`gapok_4`,`gapok_1`,`remunerasi`,`insentif`) values \n"
                   "('7','3273000000000001','Siti `Aminah`','1','2','3','4','5');");
    dm.fdremunerasi.close();
}
