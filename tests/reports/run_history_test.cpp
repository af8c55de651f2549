// "Riwayat Proses": a kept run prints again as it ran and saves as a workbook,
// without processing and without a guard.
#include "tests/report_engine/fixtures.h"
#include "tests/screens/recipients/recipients_fixture.h"
#include "tests/support/preview_driver.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

const Box processed{MessageKind::Information, "Pemrosesan data selesai, siap dicetak!"};
const Box gagal{MessageKind::Warning, "Gagal mengambil data!"};
const QString newOfficial = "Ir. Bambang Sutrisno";

// The cells of the workbook's sheet as openpyxl reads them, with the cached
// results of formulas: "type:value" per cell, tab-separated per row.
QStringList workbookCells(const QString &path)
{
    QProcess python;
    python.setProcessChannelMode(QProcess::MergedChannels);
    // Debian's interpreter, which has openpyxl, unlike one first on PATH.
    python.start(
        "/usr/bin/python3",
        {"-c",
         "import openpyxl, sys\n"
         "ws = openpyxl.load_workbook(sys.argv[1], data_only=True).active\n"
         "for row in ws.iter_rows():\n"
         "    print('\\t'.join(type(c.value).__name__ + ':' + str(c.value if c.value is not None else '')"
         " for c in row))\n",
         path});
    python.waitForFinished();
    return QString::fromUtf8(python.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class RunHistoryTest : public RecipientsFixture {
protected:
    RunHistoryTest() { fmain->processing->templateDir = QStringLiteral(SARVELA_TEMPLATE_DIR); }

    RunHistoryDialog &history() { return *fmain->runHistory; }
    StringGrid &runs() { return *fmain->runHistory->sg_riwayat; }
    void process()
    {
        page().btProsesCetak->click();
        ASSERT_EQ(messages.take(), Boxes{processed});
    }
    // A later month than the first run: another official, one recipient fewer.
    void changeOfficialAndRows() const
    {
        SqlSession admin = server.admin();
        admin.exec("CALL adm_person_set('196912122000031001', '" + newOfficial.toStdString() +
                   "', 'Pembina Utama Muda (IV/c)')");
        admin.exec("UPDATE tpp_pejabat SET pa = '196912122000031001'");
        admin.exec("DELETE FROM nasn_pengajuan_detail WHERE id_pengajuan = " + submissionId +
                   " AND nama_lengkap = 'Agus Setiawan'");
    }
    QString printed(QPushButton *button)
    {
        whenPreviewShows();
        button->click();
        return fixtures::pageTexts(fmain->reportData.fr.prepared(), 0).join('|');
    }
    std::string serverCount(const std::string &table) const
    {
        return server.admin().scalar("SELECT COUNT(*) FROM " + table);
    }
};

TEST_F(RunHistoryTest, ListsTheRunsNewestFirstAndPrintsTheChosenOneAsItRan)
{
    process();
    changeOfficialAndRows();
    process();

    page().btRiwayatProses->click();
    EXPECT_EQ(messages.take(), Boxes{});
    EXPECT_TRUE(history().isVisible());
    ASSERT_EQ(runs().rowCount(), 3);
    const QStringList titles = {"No.",           "Waktu Proses",   "NIP Operator",
                                "Nama Operator", "Jumlah Pegawai", "Total Iuran"};
    for (int col = 1; col <= titles.size(); ++col)
        EXPECT_EQ(runs().cell(col, 0), titles[col - 1]);
    EXPECT_EQ(runs().colWidth(0), 0);
    EXPECT_EQ(runs().cell(3, 1), demoOperator.nip);
    EXPECT_EQ(runs().cell(4, 1), "Dedi Firmansyah, S.E.");
    EXPECT_EQ(runs().cell(5, 1), "11");
    EXPECT_EQ(runs().cell(5, 2), "12");
    EXPECT_FALSE(runs().cell(2, 2).isEmpty());
    EXPECT_EQ(
        runs().cell(6, 2),
        QString::fromStdString(server.admin().scalar(
            "SELECT FORMAT(SUM(bruto_1 + bruto_4), 0, 'de_DE') FROM nasn_process_history WHERE run_id = "
            "(SELECT MIN(id) FROM nasn_process_run)")));

    const std::string runsBefore = serverCount("nasn_process_run");
    runs().setCurrentRow(2);
    const QString first = printed(history().btRiwayatCetak);
    EXPECT_TRUE(first.contains("Agus Setiawan")) << first.toStdString();
    const QString firstOrder = printed(history().btRiwayatCetakBank);
    EXPECT_TRUE(firstOrder.contains("dr. Hendra Wijaya")) << firstOrder.toStdString();
    EXPECT_TRUE(firstOrder.contains("Januari")) << firstOrder.toStdString();

    runs().setCurrentRow(1);
    EXPECT_FALSE(printed(history().btRiwayatCetak).contains("Agus Setiawan"));
    EXPECT_TRUE(printed(history().btRiwayatCetakBank).contains(newOfficial));
    EXPECT_EQ(messages.take(), Boxes{});
    EXPECT_EQ(serverCount("nasn_process_run"), runsBefore) << "printing processed nothing";

    runs().setCurrentRow(2);
    printed(history().btRiwayatCetakBank);
    EXPECT_TRUE(printed(page().btCetakBank).contains(newOfficial))
        << "the print buttons still show the last processing";
}

// Printing a kept run changes nothing, so neither guard is asked: the guards
// here would refuse or fail, and the program was started anew since the run.
TEST_F(RunHistoryTest, ALockedMonthOutsideTheInputWindowPrintsAfterARestart)
{
    process();
    SqlSession admin = server.admin();
    admin.exec("CALL adm_submission_lock(" + submissionId + ")");
    admin.exec("DELETE FROM nasn_waktu_input");
    server.replaceProcedure("CREATE PROCEDURE nasn_cek_waktu_input() SIGNAL SQLSTATE '45000'");
    server.replaceProcedure(
        "CREATE PROCEDURE nasn_cek_status_pengajuan(var_id TEXT) SIGNAL SQLSTATE '45000'");

    fmain = std::make_unique<Tfmain>(dm, messages, files, [this] { return clock; });
    fmain->processing->templateDir = QStringLiteral(SARVELA_TEMPLATE_DIR);
    logIn(demoOperator);
    fmain->sbPengajuan->click();
    fmain->tabJM->sg_jm_pengajuan->setCurrentRow(1);
    fmain->tabJM->btJMProsesPengajuanClick();
    messages.take();
    ASSERT_FALSE(page().btCetak->isEnabled());

    page().btRiwayatProses->click();
    ASSERT_EQ(runs().rowCount(), 2);
    const QString printedText = printed(history().btRiwayatCetak);
    EXPECT_TRUE(printedText.contains("Agus Setiawan"));
    EXPECT_TRUE(printed(history().btRiwayatCetakBank).contains("dr. Hendra Wijaya"));
    EXPECT_EQ(messages.take(), Boxes{});
    EXPECT_EQ(serverCount("nasn_process_run"), "1");
}

TEST_F(RunHistoryTest, ASubmissionNeverProcessedSaysSoAndShowsNoList)
{
    page().btRiwayatProses->click();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Information, "Pengajuan ini belum pernah diproses!"}}));
    EXPECT_FALSE(history().isVisible());
}

TEST_F(RunHistoryTest, FailuresShowTheStepsTextsAndNoPreview)
{
    process();
    server.replaceProcedure(
        "CREATE PROCEDURE nasn_proses_riwayat_variabel(var_run TEXT, var_nip TEXT) SIGNAL SQLSTATE '45000'");
    page().btRiwayatProses->click();
    ASSERT_EQ(runs().rowCount(), 2);
    ASSERT_EQ(fmain->reportData.fr.prepared().pages.size(), 0u);
    history().btRiwayatCetak->click();
    EXPECT_EQ(messages.take(), Boxes{gagal});
    EXPECT_EQ(fmain->reportData.fr.prepared().pages.size(), 0u);
    EXPECT_FALSE(dm.fdremunerasi.isOpen());

    server.replaceProcedure(
        "CREATE PROCEDURE nasn_proses_riwayat_tampildata(var_id TEXT, var_nip TEXT) SELECT 1 AS id");
    page().btRiwayatProses->click();
    EXPECT_EQ(messages.take(), Boxes{gagal});

    server.refuseConnections();
    page().btRiwayatProses->click();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal terhubung ke database Belunta!"}}));
}

TEST_F(RunHistoryTest, TheRunSavesAsAWorkbookWithNumbersAndATotal)
{
    process();
    page().btRiwayatProses->click();
    QTemporaryDir dir;
    const QString path = dir.filePath("riwayat.xlsx");
    files.answer(path);
    history().btRiwayatExcelClick();
    const int year = QDate::currentDate().year();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Information, "Data berhasil disimpan:\r" + path}}));
    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_TRUE(
        files.requests[0].defaultName.endsWith(QString("/Iuran BPJS Kesehatan Januari %1.xlsx").arg(year)))
        << files.requests[0].defaultName.toStdString();
    EXPECT_EQ(files.requests[0].defaultSuffix, "xlsx");

    const QStringList cells = workbookCells(path);
    ASSERT_EQ(cells.size(), 5 + 1 + 1 + 12 + 1) << cells.join('\n').toStdString();
    EXPECT_TRUE(cells[0].startsWith("str:DAFTAR PERHITUNGAN BPJS KESEHATAN REMUNERASI NON ASN"));
    EXPECT_TRUE(
        cells[1].startsWith("str:Perangkat Daerah\tstr:Rumah Sakit Umum Daerah pada Dinas Kesehatan"));
    EXPECT_TRUE(cells[2].startsWith(QString("str:Bulan\tstr:Januari %1").arg(year)));
    EXPECT_TRUE(cells[3].startsWith("str:Kuasa Pengguna Anggaran\tstr:dr. Hendra Wijaya, M.Kes.\t"
                                    "str:NIP. 197505152000031004\tstr:"));
    EXPECT_TRUE(cells[4].startsWith("str:Bendahara Pengeluaran\t")) << cells[4].toStdString();
    EXPECT_TRUE(cells[4].contains("\tstr:NIP. 198108082005012005\t")) << cells[4].toStdString();
    const QStringList heading = cells[6].split('\t');
    ASSERT_EQ(heading.size(), 19);
    EXPECT_EQ(heading[1], "str:NIK");
    EXPECT_EQ(heading[3], "str:Gaji Pokok");
    EXPECT_EQ(heading[18], "str:Iuran dari Insentif PK (4 %)");

    // Each line as the server computed it, the NIK as text, the amounts as numbers.
    const Rows rows = server.admin().query(
        "SELECT idx, nik, nama_lengkap, gapok, gapok_bpjs, gapok_1, gapok_4, remunerasi, insentif, thp, "
        "dpi_bruto, bruto_1, bruto_4, netto_1, netto_4, remunerasi_1, remunerasi_4, insentif_1, insentif_4 "
        "FROM nasn_process_history ORDER BY idx");
    ASSERT_EQ(rows.size(), 12u);
    std::vector<long long> sums(19, 0);
    for (size_t r = 0; r < rows.size(); ++r) {
        const QStringList line = cells[7 + int(r)].split('\t');
        ASSERT_EQ(line.size(), 19);
        EXPECT_EQ(line[0], "int:" + QString::fromStdString(*rows[r][0]));
        EXPECT_EQ(line[1], "str:" + QString::fromStdString(*rows[r][1]));
        EXPECT_EQ(line[2], "str:" + QString::fromStdString(*rows[r][2]));
        for (int c = 3; c < 19; ++c) {
            EXPECT_EQ(line[c], "int:" + QString::fromStdString(*rows[r][c])) << r << " " << c;
            sums[c] += std::stoll(*rows[r][c]);
        }
    }
    const QStringList total = cells.last().split('\t');
    ASSERT_EQ(total.size(), 19);
    EXPECT_EQ(total[2], "str:Jumlah");
    for (int c = 3; c < 19; ++c)
        EXPECT_EQ(total[c], "int:" + QString::number(sums[c])) << c;
}

TEST_F(RunHistoryTest, ACancelledOrUnwritableWorkbookSavesNothing)
{
    process();
    page().btRiwayatProses->click();
    files.answer("");
    history().btRiwayatExcelClick();
    EXPECT_EQ(messages.take(), Boxes{});

    const QString path = "/nonexistent-folder/riwayat.xlsx";
    files.answer(path);
    history().btRiwayatExcelClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal menyimpan file:\r" + path}}));
}
