// A month's work through the main window's buttons, from the login to the
// attachment exported as PDF.
#include "tests/support/app_fixture.h"
#include "tests/support/preview_driver.h"
#include "tests/support/sheet_writer.h"

#include <QAction>
#include <QProcess>
#include <QTemporaryDir>

using WholeMonthTest = AppFixture;

TEST_F(WholeMonthTest, LogInCreateOpenImportProcessPrintAndExport)
{
    QTemporaryDir dir;
    fmain->processing->templateDir = QStringLiteral(SARVELA_TEMPLATE_DIR);

    fmain->tabLogin->leNIP->setText(demoOperator.nip);
    fmain->tabLogin->lePassword->setText(demoOperator.password);
    fmain->tabLogin->btnlogin->click();
    ASSERT_EQ(fmain->currentPage(), Page::tabProfil);

    fmain->sbPengajuan->click();
    fmain->tabJM->btJMTambah->click();
    fmain->tabPengajuanEdit->cbBulanPengajuan->setCurrentIndex(2);
    fmain->tabPengajuanEdit->edKeteranganPengajuan->setText("Iuran BPJS Maret");
    fmain->tabPengajuanEdit->btPengajuanEditSimpan->click();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Information, "Sukses!"}}));

    StringGrid &submissions = *fmain->tabJM->sg_jm_pengajuan;
    int row = 0;
    for (int r = 1; r < submissions.rowCount(); ++r)
        if (submissions.cell(5, r) == "Iuran BPJS Maret")
            row = r;
    ASSERT_GT(row, 0);
    submissions.setCurrentRow(row);
    fmain->tabJM->btJMProsesPengajuan->click();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Information, "Tidak ada data dengan periode ini!"}}));

    const QString sheet = dir.filePath("maret.xlsx");
    writeRecipientSheet(sheet, recipientRows(25));
    files.answer(sheet);
    messages.answer(true);
    fmain->tabPengajuanProses->tabPengajuanProsesTambahAll->click();
    EXPECT_EQ(messages.take().back(), (Box{MessageKind::Information, "Data berhasil diproses!"}));
    EXPECT_EQ(fmain->tabPengajuanProses->tabPengajuanProsesJumlah->text(), "25");

    fmain->tabPengajuanProses->btProsesCetak->click();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Information, "Pemrosesan data selesai, siap dicetak!"}}));

    const QString pdf = dir.filePath("lampiran.pdf");
    whenPreviewShows([&](report_engine::PreviewWindow &preview) {
        files.answer(pdf);
        preview.findChild<QAction *>("exportPdf")->trigger();
    });
    fmain->tabPengajuanProses->btCetak->click();
    EXPECT_TRUE(messages.take().empty());

    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(pdftotext.waitForFinished());
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_TRUE(text.contains("DAFTAR PERHITUNGAN BPJS KESEHATAN REMUNERASI NON ASN"));
    EXPECT_TRUE(text.contains(": Maret " + QString::number(QDate::currentDate().year())));
    EXPECT_TRUE(text.contains("Penerima 25"));
    EXPECT_TRUE(text.contains("a.n. Penerima 1"));
    // Salaries 3 000 001 .. 3 000 025 add up to 75 000 325.
    EXPECT_TRUE(text.contains("75.000.325")) << text.toStdString();
    EXPECT_TRUE(text.contains("Halaman 1 dari"));
}
