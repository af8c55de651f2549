// The shipped bank transfer order, as a treasurer sends it to the bank.
#include "data/tdm.h"
#include "reports/report_data.h"
#include "tests/reports/report_fixture.h"

#include "tests/report_engine/fixtures.h"

#include <gtest/gtest.h>

using namespace report_engine;

namespace {

class BankOrder : public ::testing::Test {
protected:
    BankOrder() : dm(ConnectionSettings::builtIn()), report(dm, context)
    {
        context.nama_skpd = "UPTD RSUD Pada Dinas Kesehatan Kota Talvirana";
        report.officials = {"dr. Hendra Wijaya, M.Kes.", "197505152000031004", "Pembina Utama Muda, IV/c",
                            "Maria Ulfa, S.E., M.M.",    "198108082005012005", "Penata Tk. I, III/d"};
        report.keepRun(processedRows(2), "Mei 2024");
        EXPECT_TRUE(report.fr.loadFromFile(SARVELA_TEMPLATE_DIR "/nasn_pemindahbukuan_bank.fr3"));
        EXPECT_TRUE(report.fr.prepare()) << report.fr.lastError().toStdString();
    }

    const PreparedText *text(const QString &content) const
    {
        for (const PreparedText &t : report.fr.prepared().pages.at(0).texts)
            if (t.text == content)
                return &t;
        ADD_FAILURE() << "no text \"" << content.toStdString() << "\"";
        return nullptr;
    }

    OperatorContext context;
    Tdm dm;
    ReportData report;
};

TEST_F(BankOrder, LetterheadNumberSubjectAccountsAndTheAmountInFiguresAndWords)
{
    ASSERT_EQ(report.fr.prepared().pages.size(), 1);
    const QStringList texts = fixtures::pageTexts(report.fr.prepared(), 0);
    for (const char *expected :
         {"PEMERINTAH KOTA TALVIRANA\nDINAS KESEHATAN\nUPTD RUMAH SAKIT UMUM DAERAH", "Nomor", "Lampiran",
          "1 (satu) berkas", "Perihal",
          "Pemindahbukuan Iuran BPJS Kesehatan Remunerasi Non ASN Bulan Mei 2024", "Dari rekening",
          "UPTD RSUD Pada Dinas Kesehatan Kota Talvirana", "Ke rekening", "BPJS Kesehatan"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(expected))) << expected;
    // netto_1 and netto_4 of the two rows: 3 034 003 and 3 036 003.
    EXPECT_TRUE(texts.contains("3.034.003"));
    EXPECT_TRUE(texts.contains("3.036.003"));
    EXPECT_TRUE(texts.contains("6.070.006"));
    EXPECT_TRUE(texts.contains("Terbilang : enam juta tujuh puluh ribu enam rupiah"));

    // What a hospital fills in, under the names the deployment notes give.
    QStringList names;
    for (const Band &band : report.fr.design().pages.at(0).bands)
        for (const TextObject &object : band.texts)
            names << object.name;
    for (const char *name : {"KopSurat", "AlamatKop", "Nomor", "Kepada", "RekeningDebet", "RekeningBPJS",
                             "Bank", "TandaTanganKiri", "TandaTanganKanan"})
        EXPECT_TRUE(names.contains(QLatin1String(name))) << name;
}

TEST_F(BankOrder, SignatureBlocksStandOnOneLineWithTheAttachmentsTitlesAndGroupedNips)
{
    const std::pair<QString, QString> lines[] = {
        {"Mengetahui,\nKuasa Pengguna Anggaran,", "Talvirana, ....................\nBendahara Pengeluaran,"},
        {"dr. Hendra Wijaya, M.Kes.", "Maria Ulfa, S.E., M.M."},
        {"Pembina Utama Muda, IV/c", "Penata Tk. I, III/d"},
        {"NIP. 19750515 200003 1 004", "NIP. 19810808 200501 2 005"},
    };
    double previousTop = 0;
    for (const auto &[left, right] : lines) {
        const PreparedText *a = text(left), *b = text(right);
        if (!a || !b)
            continue;
        EXPECT_EQ(a->rect.top(), b->rect.top()) << left.toStdString();
        EXPECT_GE(b->rect.left(), a->rect.right()) << "side by side";
        EXPECT_GT(a->rect.top(), previousTop);
        previousTop = a->rect.top();
    }
}

} // namespace
