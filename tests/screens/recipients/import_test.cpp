#include "screens/recipients/import_statement.h"
#include "tests/screens/recipients/recipients_fixture.h"
#include "tests/support/refused_rows.h"
#include "tests/support/sheet_writer.h"

#include <QFile>
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
const Box dataFailure{MessageKind::Warning, "Gagal mengambil data!"};
const Box databaseUnreachable{MessageKind::Warning, "Gagal terhubung ke database Belunta!"};

// Records each report instead of showing it, and presses its save button when told.
class ReportRecorder : public ImportReportView {
public:
    void show(const importing::ImportReport &report, const std::function<void()> &save) override
    {
        reports.push_back(report);
        if (pressSave)
            save();
    }
    std::vector<importing::ImportReport> reports;
    bool pressSave = false;
};

struct Line {
    importing::ReportLine::Kind kind;
    qsizetype row;
    QString nik, reason;
    bool operator==(const Line &) const = default;
};
void PrintTo(const Line &line, std::ostream *out)
{
    *out << importing::statusText(line.kind).toStdString() << " " << line.row << " " << line.nik.toStdString()
         << " " << line.reason.toStdString();
}

std::vector<Line> linesOf(const importing::ImportReport &report)
{
    std::vector<Line> lines;
    for (const importing::ReportLine &line : report.lines)
        lines.push_back({line.kind, line.row, line.nik, line.reason});
    return lines;
}

} // namespace

class ImportTest : public RecipientsFixture {
protected:
    ImportTest() { fmain->import->reportView = &reports; }

    QString sheet(const std::vector<QStringList> &rows, const CellFormats &formats = {})
    {
        const QString path = dir.filePath(QString("sheet%1.xlsx").arg(sheets++));
        writeRecipientSheet(path, rows, formats);
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

    std::string stored(const std::string &nik) const
    {
        return server.admin().scalar(
            "SELECT CONCAT_WS('|', nama_lengkap, gapok, gapok_4, gapok_1, remunerasi, "
            "insentif) FROM nasn_pengajuan_detail WHERE nik = '" +
            nik + "'");
    }

    QTemporaryDir dir;
    int sheets = 0;
    ReportRecorder reports;
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

TEST_F(ImportTest, EveryRefusedRowIsReportedWithItsReasonAndRowNumber)
{
    const RefusedRowsSheet refused = refusedRowsSheet();
    EXPECT_EQ(import(sheet(refused.rows, refused.formats)), (Boxes{criteriaBox, confirmBox}))
        << "no success box";
    ASSERT_EQ(reports.reports.size(), 1u);
    const importing::ImportReport &report = reports.reports[0];
    EXPECT_EQ(report.stored, 4);
    EXPECT_EQ(report.refused, 10);
    EXPECT_FALSE(report.isWarning());
    std::vector<Line> expected;
    for (qsizetype r = 0; r < refused.reasons.size(); ++r)
        if (!refused.reasons[r].isEmpty())
            expected.push_back({importing::ReportLine::Kind::Refused, r + 3, refused.rows[size_t(r) + 2][0],
                                refused.reasons[r]});
    expected[1].nik = "3.2730000000001E+15"; // the NIK held as a number, as read
    EXPECT_EQ(linesOf(report), expected);
    EXPECT_EQ(importing::reportSummary(report), "4 baris tersimpan, 10 baris tidak tersimpan.");
    EXPECT_EQ(report.lines[1].name, "Cici");

    EXPECT_EQ(rowCount(), "16");
    EXPECT_EQ(count(), "16") << "reloaded";
    EXPECT_EQ(stored("3273000000000105"), "Euis|4000000|160000|40000|750000|0") << "row 12, not row 7";
    EXPECT_EQ(stored("3273000000000101"), "Siti Aminah|5000000|200000|50000|750000|0");
    EXPECT_EQ(stored("3273000000000104"), "") << "a date is never sent";
}

TEST_F(ImportTest, TheRefusedRowsAreSavedToImportAgain)
{
    std::vector<QStringList> rows = recipientRows(3);
    rows[1][0] = "32730000000000020";
    rows[2][3] = "1'); DROP TABLE x;--"; // an apostrophe in an amount cannot break the statement
    rows[0][1] = "  O'Brien\\ ";
    reports.pressSave = true;
    const QString saved = dir.filePath("ditolak.csv");
    files.answer("  " + sheet(rows) + " ");
    files.answer(saved);
    messages.answer(true);
    page().tabPengajuanProsesTambahAll->click();
    EXPECT_EQ(messages.take(), (Boxes{criteriaBox, confirmBox}));
    const FileDialogRequest &dialog = files.requests.at(1);
    EXPECT_EQ(dialog.title, "Simpan Daftar Baris Ditolak");
    EXPECT_EQ(dialog.filters, (QStringList{"Excel Workbook (*.xlsx)", "CSV (*.csv)"}));
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(
        file.readAll().toStdString(),
        "32730000000000020,Penerima 2,3000002,120000,30000,2000002,500000,2,NIK harus 16 digit angka\r\n"
        "3273000000000003,Penerima 3,3000003,1'); DROP TABLE x;--,30000,2000003,500000,3,"
        "\"Nominal 4% BPJS harus angka bulat tanpa titik atau koma, paling banyak 15 digit\"\r\n");
    EXPECT_EQ(stored("3273000000000001"), "O`Brien\\|3000001|120000|30000|2000001|500000");
    EXPECT_EQ(rowCount(), "13");
}

TEST_F(ImportTest, TheSameSheetTwiceStoresNothingTheSecondTimeAndSaysSo)
{
    const QString file = sheet(recipientRows(2));
    import(file);
    insertRecipient("3273000000000999", "Di Belakang");
    EXPECT_EQ(import(file), (Boxes{criteriaBox, confirmBox}));
    ASSERT_EQ(reports.reports.size(), 1u);
    const importing::ImportReport &report = reports.reports[0];
    EXPECT_TRUE(report.isWarning());
    EXPECT_EQ(importing::reportSummary(report), "0 baris tersimpan, 2 baris tidak tersimpan.");
    EXPECT_EQ(linesOf(report), (std::vector<Line>{{importing::ReportLine::Kind::Refused, 1,
                                                   "3273000000000001", "NIK sudah ada di pengajuan"},
                                                  {importing::ReportLine::Kind::Refused, 2,
                                                   "3273000000000002", "NIK sudah ada di pengajuan"}}));
    EXPECT_EQ(count(), "14") << "nothing stored: the list is not reloaded";
    EXPECT_EQ(rowCount(), "15");
}

TEST_F(ImportTest, ImplausibleBpjsAmountsAreCheckLinesNeverRefusals)
{
    std::vector<QStringList> rows = recipientRows(3);
    rows[0][3] = "999";    // neither 4 % of the salary nor of the reported salary
    rows[2][3] = "220000"; // 4 % of salary, remuneration and incentive: plausible
    rows[2][4] = "7";
    EXPECT_EQ(import(sheet(rows)), (Boxes{criteriaBox, confirmBox, doneBox}));
    ASSERT_EQ(reports.reports.size(), 1u);
    const importing::ImportReport &report = reports.reports[0];
    EXPECT_EQ(report.stored, 3);
    using importing::ReportLine;
    EXPECT_EQ(
        linesOf(report),
        (std::vector<Line>{{ReportLine::Kind::Check, 1, "3273000000000001",
                            "BPJS 4% 999 bukan 4% dari gaji (120.000) maupun dari gaji dilaporkan (220.000)"},
                           {ReportLine::Kind::Check, 3, "3273000000000003",
                            "BPJS 1% 7 bukan 1% dari gaji (30.000) maupun dari gaji dilaporkan (55.000)"}}));
    EXPECT_EQ(importing::reportSummary(report),
              "3 baris tersimpan, 0 baris tidak tersimpan. 2 nominal BPJS perlu dicek.");
    EXPECT_EQ(rowCount(), "15");

    // On demand, over the whole submission, without row numbers.
    reports.reports.clear();
    page().btProsesCek->click();
    EXPECT_EQ(messages.take(), Boxes{});
    ASSERT_EQ(reports.reports.size(), 1u);
    std::vector<Line> ours;
    for (const Line &line : linesOf(reports.reports[0]))
        if (line.nik == "3273000000000001" || line.nik == "3273000000000003")
            ours.push_back(line);
    ASSERT_EQ(ours.size(), 2u);
    EXPECT_EQ(ours[0].row, 0);
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
         {MessageKind::Warning, outsideInputWindow}},
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

// Answers the file dialog, then shuts the server's door: the next connection fails.
class LockingFiles : public FileChooser {
public:
    LockingFiles(const TestServer &server, QString file) : server_(server), file_(std::move(file)) {}
    QString openFileName(const FileDialogRequest &) override
    {
        server_.refuseConnections();
        return file_;
    }
    QString saveFileName(const FileDialogRequest &) override { return {}; }

private:
    const TestServer &server_;
    QString file_;
};

// Each step's own failure box; an import that fails stores nothing and leaves
// the list as it was.
TEST_F(ImportTest, ConnectionAndInsertFailuresStopTheImport)
{
    const QString file = sheet(recipientRows(2));
    struct Case {
        const char *what;
        std::string procedure; // empty: no connection at all
        Boxes boxes;
    };
    const std::vector<Case> cases = {
        {"the guard cannot connect", "", {{MessageKind::Warning, "Gagal terhubung ke sistem!"}}},
        {"the row count cannot connect",
         // The lock answers "not locked" and then shuts its caller's account: the
         // next step, the row count, cannot connect.
         "CREATE PROCEDURE nasn_cek_status_pengajuan(var_id TEXT) BEGIN "
         "DECLARE caller VARCHAR(200) DEFAULT QUOTE(SUBSTRING_INDEX(USER(), '@', 1)); "
         "EXECUTE IMMEDIATE CONCAT('ALTER USER ', caller, '@''localhost'', ', caller, "
         "'@''127.0.0.1'' ACCOUNT LOCK'); "
         "SELECT 'A' AS status; END",
         {databaseUnreachable}},
        {"the insert cannot connect",
         "CREATE PROCEDURE nasn_pengajuan_detail_cek_jumlah_pegawai_masuk(var_id TEXT) SELECT 12 AS jumlah",
         {criteriaBox, confirmBox, databaseUnreachable}},
        {"the insert fails",
         "CREATE PROCEDURE nasn_pengajuan_detail_impor_baca(var_id TEXT) BEGIN "
         "UPDATE nasn_pengajuan SET status = 'F' WHERE id = var_id; "
         "SELECT nik, nama_lengkap, gapok, gapok_4, gapok_1, remunerasi, insentif FROM nasn_pengajuan_detail "
         "WHERE FALSE; END",
         {criteriaBox,
          confirmBox,
          {MessageKind::Warning, "Gagal mengambil data!", "Pengajuan dikunci oleh Administrator"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TestServer fresh(true);
        const bool locksAtTheDialog = std::string(c.what) == "the insert cannot connect";
        if (!c.procedure.empty())
            fresh.replaceProcedure(c.procedure);
        Tdm freshDm(settingsFor(fresh));
        LockingFiles lockingFiles(fresh, file);
        Tfmain window(freshDm, messages, locksAtTheDialog ? static_cast<FileChooser &>(lockingFiles) : files);
        logIn(window, demoOperator);
        window.context = fmain->context;
        window.import->reportView = &reports;
        window.showPage(Page::tabPengajuanProses);
        window.tabPengajuanProses->tabPengajuanProsesTampilDataClick();
        fresh.admin().exec(
            "INSERT INTO nasn_pengajuan_detail (id_pengajuan, nik, nama_lengkap, gapok, gapok_4, "
            "gapok_1, remunerasi, insentif, nip_operator) VALUES (" +
            submissionId + ", '3273000000000999', 'Di Belakang', '1', '1', '1', '1', '1', '" +
            demoOperator.nip + "')");
        if (c.procedure.empty())
            fresh.refuseConnections();
        const QString before = window.tabPengajuanProses->tabPengajuanProsesJumlah->text();
        messages.take();
        if (std::find(c.boxes.begin(), c.boxes.end(), confirmBox) != c.boxes.end()) {
            if (!locksAtTheDialog)
                files.answer(file);
            messages.answer(true);
        }
        window.tabPengajuanProses->tabPengajuanProsesTambahAll->click();
        EXPECT_EQ(messages.take(), c.boxes);
        EXPECT_EQ(fresh.admin().scalar("SELECT COUNT(*) FROM nasn_pengajuan_detail WHERE id_pengajuan = " +
                                       submissionId),
                  "13")
            << "nothing inserted";
        EXPECT_EQ(window.tabPengajuanProses->tabPengajuanProsesJumlah->text(), before) << "not reloaded";
    }
    EXPECT_TRUE(reports.reports.empty());
}

TEST_F(ImportTest, TheStatementOfAOneRowSheetIsTwoLines)
{
    dm.fdremunerasi.open();
    const QByteArray sql =
        importStatement("7", {{"3273000000000001", " Siti 'Aminah' ", "1", "2", "3", "4", "5"}},
                        [this](QByteArray &out, QStringView t) { dm.fdremunerasi.appendEscaped(out, t); });
    EXPECT_EQ(sql, "insert ignore into nasn_pengajuan_detail (`id_pengajuan`,`nik`,`nama_lengkap`,`gapok`,"
                   "`gapok_4`,`gapok_1`,`remunerasi`,`insentif`) values \n"
                   "('7','3273000000000001','Siti `Aminah`','1','2','3','4','5');");
    dm.fdremunerasi.close();
}

// Plain cells are copied as they are; every cell holding a character the
// escaping changes, each on its own, goes to the connection.
TEST_F(ImportTest, CellsThatNeedEscapingAreEscapedByTheConnection)
{
    dm.fdremunerasi.open();
    const QByteArray sql =
        importStatement("7",
                        {{"3273000000000001", "Dewi \"Ayu\"", "1\\", "\n2", "3\r", "4\x1a", "5"},
                         {"3273000000000002", "Nu\u00f1ez\tAyu", "1", "2", "3", "4", QString(1, QChar(0))}},
                        [this](QByteArray &out, QStringView t) { dm.fdremunerasi.appendEscaped(out, t); });
    EXPECT_EQ(sql.mid(sql.indexOf('\n')),
              "\n('7','3273000000000001','Dewi \\\"Ayu\\\"','1\\\\','\\n2','3\\r','4\\Z','5'),"
              "\n('7','3273000000000002','Nu\xc3\xb1"
              "ez\tAyu','1','2','3','4','\\0');");
    dm.fdremunerasi.close();
}
