#include "data/guards.h"
#include "tests/report_engine/fixtures.h"
#include "tests/screens/recipients/recipients_fixture.h"
#include "tests/support/preview_driver.h"

#include <QAction>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {
const Box processed{MessageKind::Information, "Pemrosesan data selesai, siap dicetak!"};
const Box gagal{MessageKind::Warning, "Gagal mengambil data!"};
const QString locked =
    "Pengajuan Remunerasi tidak bisa ditambah data!\r\rStatus : `Locked by Administrator` ";
} // namespace

class ProcessingTest : public RecipientsFixture {
protected:
    ProcessingTest() { fmain->processing->templateDir = QStringLiteral(SARVELA_TEMPLATE_DIR); }

    bool printEnabled() { return page().btCetak->isEnabled() && page().btCetakBank->isEnabled(); }
    QStringList printedFirstPage()
    {
        whenPreviewShows();
        page().btCetak->click();
        return fixtures::pageTexts(fmain->reportData.fr.prepared(), 0);
    }
    std::string historyRows() { return server.admin().scalar("SELECT COUNT(*) FROM nasn_process_history"); }
};

TEST_F(ProcessingTest, ProcessingEnablesPrintingAndSetsTheLabelAndOfficials)
{
    ASSERT_FALSE(printEnabled());
    page().btProsesCetak->click();
    EXPECT_EQ(messages.take(), Boxes{processed});
    EXPECT_TRUE(printEnabled());
    EXPECT_EQ(fmain->context.periode_tpp_label, "Januari " + QString::number(QDate::currentDate().year()));
    EXPECT_EQ(fmain->reportData.officials.pa_nama, "dr. Hendra Wijaya, M.Kes.");
    EXPECT_EQ(fmain->reportData.officials.bp_nip, "198108082005012005");
    EXPECT_EQ(historyRows(), "12");
    EXPECT_FALSE(dm.fdremunerasi.isOpen());
}

TEST_F(ProcessingTest, TheServersAdministratorLevelSkipsTheGuardsAndOnlyIt)
{
    server.replaceProcedure("CREATE PROCEDURE nasn_cek_waktu_input() SIGNAL SQLSTATE '45000'");
    for (const char *level : {"administrator", "ADMINISTRATOR", "Admin_skpd", ""}) {
        fmain->context.levelUser = level;
        page().btProsesCetak->click();
        EXPECT_EQ(messages.take(), Boxes{gagal}) << level;
    }
    EXPECT_FALSE(printEnabled());
    fmain->context.levelUser = "Administrator";
    page().btProsesCetak->click();
    EXPECT_EQ(messages.take(), Boxes{processed});
}

// The level the login hands out, against a submission the administrator locked.
TEST_F(ProcessingTest, TheAdministratorProcessesALockedSubmissionAndTheOperatorIsRefused)
{
    server.admin().exec("CALL adm_submission_lock(" + submissionId + ")");
    page().btProsesCetak->click();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Error, locked}}));

    logIn(demoAdministrator);
    ASSERT_EQ(fmain->context.levelUser, "Administrator");
    fmain->context.id_pengajuan = QString::fromStdString(submissionId);
    page().btProsesCetak->click();
    EXPECT_EQ(messages.take(), Boxes{processed});
    EXPECT_TRUE(printEnabled());
    EXPECT_EQ(historyRows(), "12");
}

TEST_F(ProcessingTest, RefusalsAndFailuresStopWithTheirTexts)
{
    struct Case {
        const char *procedure;
        Box box;
        bool labelSet;
    };
    const std::vector<Case> cases = {
        {"CREATE PROCEDURE nasn_cek_waktu_input() SELECT '0' AS nilai, '1' AS restricted",
         {MessageKind::Warning, outsideInputWindow},
         false},
        {"CREATE PROCEDURE nasn_cek_status_pengajuan(var_id TEXT) SELECT 'F' AS status",
         {MessageKind::Error, locked},
         false},
        {"CREATE PROCEDURE nasn_pejabat_specimen_select_bp(var_id TEXT) SELECT 'x' AS nama_lengkap", gagal,
         false},
        {"CREATE PROCEDURE nasn_proses(var_id TEXT, var_nip TEXT) SIGNAL SQLSTATE '45000'",
         {MessageKind::Warning, "Gagal mengambil data! Errorcode: 01"},
         true},
        {"CREATE PROCEDURE nasn_proses(var_id TEXT, var_nip TEXT) DO 0",
         {MessageKind::Warning, "Gagal mengambil data! Errorcode: 01"},
         true},
    };
    for (const Case &c : cases) {
        TestServer fresh(true);
        fresh.replaceProcedure(c.procedure);
        Tdm freshDm(settingsFor(fresh));
        Tfmain window(freshDm, messages, files);
        logIn(window, demoOperator);
        window.context = fmain->context;
        window.context.periode_tpp_label.clear();
        window.tabPengajuanProses->btProsesCetak->click();
        EXPECT_EQ(messages.take(), Boxes{c.box}) << c.procedure;
        EXPECT_FALSE(window.tabPengajuanProses->btCetak->isEnabled()) << c.procedure;
        EXPECT_EQ(window.context.periode_tpp_label.isEmpty(), !c.labelSet) << c.procedure;
    }
}

TEST_F(ProcessingTest, AnEmptySubmissionProcessesAndPrintsHeadingsAndZeroTotals)
{
    fmain->context.id_pengajuan = QString::fromStdString(newSubmission());
    page().btProsesCetak->click();
    EXPECT_EQ(messages.take(), Boxes{processed});
    EXPECT_TRUE(printEnabled());
    const QStringList texts = printedFirstPage();
    EXPECT_TRUE(texts.contains("Gaji Pokok"));
    EXPECT_TRUE(texts.contains("0"));
}

TEST_F(ProcessingTest, ARefusedSecondProcessingKeepsPrintingTheFirstRunWithoutTheServer)
{
    page().btProsesCetak->click();
    messages.take();
    server.replaceProcedure("CREATE PROCEDURE nasn_cek_status_pengajuan(var_id TEXT) SELECT 'F' AS status");
    page().btProsesCetak->click();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Error, locked}}));
    EXPECT_TRUE(printEnabled());

    server.replaceProcedure(
        "CREATE PROCEDURE nasn_proses(var_id TEXT, var_nip TEXT) SIGNAL SQLSTATE '45000'");
    const std::string before = historyRows();
    const QString first = printedFirstPage().join('|');
    EXPECT_TRUE(first.contains("Agus Setiawan"));
    EXPECT_TRUE(first.contains("Halaman 1 dari"));
    whenPreviewShows();
    page().btCetakBank->click();
    EXPECT_TRUE(
        fixtures::pageTexts(fmain->reportData.fr.prepared(), 0).join('|').contains("dr. Hendra Wijaya"));
    EXPECT_EQ(historyRows(), before);
    EXPECT_FALSE(dm.fdremunerasi.isOpen()) << "printing opened no connection";
}

TEST_F(ProcessingTest, AMissingTemplateIsNamedAndNoPreviewOpens)
{
    QTemporaryDir empty;
    fmain->processing->templateDir = empty.path();
    page().btProsesCetak->click();
    messages.take();
    page().btCetakBank->click();
    EXPECT_EQ(messages.take(),
              (Boxes{{MessageKind::Warning, "File template laporan tidak ditemukan:\r" +
                                                empty.filePath("nasn_pemindahbukuan_bank.fr3")}}));
}

TEST_F(ProcessingTest, ExportsAreNamedAfterTheDocumentAndMonthInTheFolderLastChosen)
{
    page().btProsesCetak->click();
    messages.take();
    QTemporaryDir chosen;
    const QString month = "Januari " + QString::number(QDate::currentDate().year());
    const auto exportAs = [](const char *command) {
        return [command](report_engine::PreviewWindow &preview) {
            preview.findChild<QAction *>(command)->trigger();
        };
    };
    files.answer(chosen.filePath("lampiran.pdf"));
    files.answer(chosen.filePath("lampiran.csv"));
    whenPreviewShows([&](report_engine::PreviewWindow &preview) {
        exportAs("exportPdf")(preview);
        exportAs("exportCsv")(preview);
    });
    page().btCetak->click();
    files.answer({});
    whenPreviewShows(exportAs("exportPdf"));
    page().btCetakBank->click();

    ASSERT_EQ(files.requests.size(), 3u);
    EXPECT_EQ(files.requests[0].defaultName,
              QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                  .filePath("Lampiran BPJS Kesehatan " + month + ".pdf"));
    EXPECT_EQ(files.requests[1].defaultName, chosen.filePath("report_tpp1.csv"));
    EXPECT_EQ(files.requests[2].defaultName, chosen.filePath("Pemindahbukuan Bank " + month + ".pdf"));
    EXPECT_TRUE(QFile::exists(chosen.filePath("lampiran.pdf")));
    EXPECT_TRUE(messages.take().empty());
}

TEST_F(ProcessingTest, AnUnreadableTemplateIsNamedWithTheReasonAndNoPreviewOpens)
{
    QTemporaryDir dir;
    QFile broken(dir.filePath("nasn_lampiran.fr3"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("<sheet/>");
    broken.close();
    fmain->processing->templateDir = dir.path();
    page().btProsesCetak->click();
    messages.take();
    page().btCetak->click();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning,
                                       "File template laporan tidak dapat dibaca:\r" + broken.fileName() +
                                           "\rCannot read template: line 1: not a report template"}}));
}
