// The layout features the shipped attachment relies on, in one small template:
// text past the printable width, group headings, multi-line headings, signature
// blocks with empty lines and padding, bold totals and a Times footer.
#include "fixtures.h"

#include <gtest/gtest.h>

using namespace report_engine;

namespace {

const char attachment[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<report version="1" title="Lampiran">
<page name="R1" width="210" height="330" orientation="landscape" margin-left="15" margin-top="10" margin-right="15" margin-bottom="10">
  <band kind="title" name="Title" height="17">
    <text x="0" y="0" width="310" height="7" size="13" halign="center">DAFTAR PERHITUNGAN</text>
    <text x="0" y="7" width="65" height="10" size="12">PERANGKAT DAERAH 
BULAN                         </text>
    <text x="65" y="7" width="245" height="10" size="12">: [people."name"]
: Mei 2024</text>
  </band>
  <band kind="column-header" name="Head" height="27">
    <text x="0" y="0" width="50" height="12" size="11" frame="ltrb" halign="center" valign="center">Iuran BPJS dari Gaji</text>
    <text x="0" y="12" width="25" height="9" size="11" frame="ltrb" halign="center" valign="center">PPU (1 %)</text>
    <text x="25" y="12" width="25" height="9" size="11" frame="ltrb" halign="center" valign="center">PK (4 %)</text>
    <text x="50" y="0" width="27" height="21" size="11" frame="ltrb" halign="center" valign="center">Dasar
Pengenaan
Iuran</text>
    <text x="0" y="21" width="25" height="6" size="11" frame="ltrb" halign="center" valign="center">5</text>
  </band>
  <band kind="data" name="MasterData12" height="7" dataset="people">
    <text x="0" y="0" width="25" height="7" size="11" frame="ltrb" halign="right" padding="1.3 0 1.3 0" format="%2.0n" decimal="." thousands=".">[people."amount"]</text>
  </band>
  <band kind="summary" name="Total" height="52">
    <text x="0" y="0" width="25" height="11" size="11" bold="true" frame="ltrb" halign="right" padding="1.3 0 1.3 0" format="%2.0n" decimal="." thousands=".">[SUM(&lt;people."amount"&gt;,MasterData12)]</text>
    <text x="0" y="11" width="163" height="41" size="11" padding="39.7 5.3 0 0">Mengetahui
Kuasa Pengguna Anggaran,




dr. SITI AMINAH
Pembina, IV/a
NIP. 19700101 200001 2 001</text>
    <text x="163" y="11" width="147" height="41" size="11" padding="39.7 5.3 0 0">Talvirana,      
Bendahara Pengeluaran,</text>
  </band>
  <band kind="page-footer" name="Foot" height="5">
    <text x="0" y="0" width="299" height="5" font="Times New Roman" size="11" halign="right">Halaman [Page#] dari [TotalPages#]</text>
  </band>
</page>
</report>
)";

// The box of the last word `text` on the page.
QRectF wordBox(const QList<fixtures::PdfWord> &words, const QString &text)
{
    for (auto it = words.crbegin(); it != words.crend(); ++it)
        if (it->text == text)
            return it->box;
    ADD_FAILURE() << "no word " << text.toStdString();
    return {};
}

class AttachmentLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        data = fixtures::people(3);
        report.registerDataset(data.get());
        ASSERT_TRUE(report.loadFromXml(attachment));
        ASSERT_TRUE(report.prepare()) << report.lastError().toStdString();
        const QString pdf = dir.filePath(QStringLiteral("lampiran.pdf"));
        ASSERT_TRUE(report.exportPdf(pdf));
        boxes = fixtures::pdfWords(pdf);
        layoutText =
            fixtures::run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        fonts = fixtures::run(QStringLiteral("pdffonts"), {pdf});
    }

    QTemporaryDir dir;
    std::unique_ptr<TableDataset> data;
    Report report;
    QList<fixtures::PdfWord> boxes;
    QString layoutText, fonts;
};

TEST_F(AttachmentLayout, TitleCentredOverItsWholeWidthReachingIntoTheMargin)
{
    const QRectF title = wordBox(boxes, QStringLiteral("DAFTAR"));
    const QRectF end = wordBox(boxes, QStringLiteral("PERHITUNGAN"));
    EXPECT_NEAR((title.left() + end.right()) / 2, 15 + 310 / 2.0, 0.5);
    EXPECT_TRUE(layoutText.contains(QStringLiteral(": P1")));
    EXPECT_TRUE(layoutText.contains(QStringLiteral(": Mei 2024")));
}

TEST_F(AttachmentLayout, HeadingLinesStackAndCentre)
{
    const QRectF dasar = wordBox(boxes, QStringLiteral("Dasar"));
    const QRectF pengenaan = wordBox(boxes, QStringLiteral("Pengenaan"));
    const QRectF iuran = wordBox(boxes, QStringLiteral("Iuran"));
    EXPECT_LT(dasar.top(), pengenaan.top());
    EXPECT_NEAR(pengenaan.top() - dasar.top(), iuran.top() - pengenaan.top(), 0.1);
    EXPECT_NEAR((pengenaan.left() + pengenaan.right()) / 2, 15 + 50 + 27 / 2.0, 0.3);
    // Vertically centred in the 21 mm heading that starts below the 17 mm title.
    EXPECT_NEAR((dasar.top() + iuran.top()) / 2, 10 + 17 + 21 / 2.0 - 1.5, 1.5);
}

TEST_F(AttachmentLayout, SignatureBlocksKeepEmptyLinesAndPadding)
{
    const QRectF mengetahui = wordBox(boxes, QStringLiteral("Mengetahui"));
    const QRectF name = wordBox(boxes, QStringLiteral("AMINAH"));
    const QRectF place = wordBox(boxes, QStringLiteral("Talvirana,"));
    const QRectF kuasa = wordBox(boxes, QStringLiteral("Kuasa"));
    EXPECT_NEAR(mengetahui.left(), 15 + 39.7, 0.3);
    EXPECT_NEAR(place.left(), 15 + 163 + 39.7, 0.3);
    const double line = kuasa.top() - mengetahui.top();
    EXPECT_NEAR(name.top() - mengetahui.top(), 6 * line, 0.2) << "four empty lines between";
    EXPECT_TRUE(layoutText.contains(QStringLiteral("NIP. 19700101 200001 2 001")));
}

TEST_F(AttachmentLayout, BoldTotalAndTimesFooter)
{
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationMono-Bold")));
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationSerif")));
    const QRectF total = wordBox(boxes, QStringLiteral("6.000"));
    EXPECT_NEAR(total.right(), 15 + 25 - 1.3, 0.3);
    EXPECT_NEAR(wordBox(boxes, QStringLiteral("dari")).right(), 15 + 299 - 2, 1)
        << "right-aligned, then \"1\"";
    EXPECT_TRUE(layoutText.contains(QStringLiteral("Halaman 1 dari 1")));
}

} // namespace
