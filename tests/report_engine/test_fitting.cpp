// What a text does when it does not fit its box: shrink, wrap, both, or be cut
// at the box; never ink on a neighbour.
#include "fixtures.h"

#include "report_engine/text_layout.h"

#include <gtest/gtest.h>

using namespace report_engine;
using fixtures::DrawnPage;

namespace {

const QString hundredCharacters = QStringLiteral("MUHAMMAD ABDURRAHMAN WAHYUDI SETIAWAN KUSUMANINGRAT "
                                                 "PRASETYO NUGROHO SAPUTRA WIJAYAKUSUMA HADIPUTRAN");
const QString longAmount = QStringLiteral("1.234.567.890.123.456.789.000");

// A 40 x 7 mm framed cell between two empty framed neighbours, 11 px type,
// 1.3 mm padding left and right; on the page it spans 25 to 65 mm across and
// 10 to 17 mm down.
QByteArray cellTemplate(const QString &attributes, const QString &text)
{
    return fixtures::templateWith(
        QStringLiteral("<band kind=\"title\" name=\"T\" height=\"30\">"
                       "<text x=\"0\" y=\"0\" width=\"15\" height=\"7\" size=\"11\" frame=\"ltrb\"></text>"
                       "<text name=\"Cell\" x=\"15\" y=\"0\" width=\"40\" height=\"7\" size=\"11\" "
                       "frame=\"ltrb\" padding=\"1.3 0 1.3 0\" %1>%2</text>"
                       "<text x=\"55\" y=\"0\" width=\"25\" height=\"7\" size=\"11\" frame=\"ltrb\"></text>"
                       "</band>")
            .arg(attributes, text.toHtmlEscaped()));
}

const PreparedText &prepareCell(Report &report, const QString &attributes, const QString &text)
{
    EXPECT_TRUE(report.loadFromXml(cellTemplate(attributes, text)));
    EXPECT_TRUE(report.prepare()) << report.lastError().toStdString();
    return report.prepared().pages.at(0).texts.at(1);
}

TEST(Fitting, ShrinkWrapOrCutAndNeverInkOnANeighbour)
{
    struct Case {
        const char *attributes;
        QString text;
        bool shrunk, clipped;
    };
    const Case cases[] = {
        {"halign=\"right\" shrink=\"true\"", longAmount, true, false},
        {"shrink=\"true\" wrap=\"true\"", hundredCharacters, true, false},
        {"wrap=\"true\"", QStringLiteral("MUHAMMAD ABDURRAHMAN WAHYUDI SETIAWAN"), false, false},
        {"wrap=\"true\"", hundredCharacters, false, true},
        {"halign=\"right\"", longAmount, false, true},
        {"", hundredCharacters, false, true},
        {"halign=\"center\"", longAmount, false, true},
    };
    for (const Case &c : cases) {
        const std::string what = std::string(c.attributes) + " " + c.text.toStdString();
        Report report;
        const PreparedText &cell = prepareCell(report, QLatin1String(c.attributes), c.text);
        EXPECT_EQ(cell.text, c.text) << what;
        EXPECT_EQ(report.prepared().styles[cell.style].fontPixelSize < 11, c.shrunk) << what;
        EXPECT_EQ(cell.clipped, c.clipped) << what;
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("cell.pdf"));
        ASSERT_TRUE(report.exportPdf(pdf)) << report.lastError().toStdString();
        for (const DrawnPage &page : {DrawnPage(report.prepared()), DrawnPage::ofPdf(pdf)}) {
            EXPECT_TRUE(page.inkIn(QRectF(26, 10.5, 38, 6))) << what;
            EXPECT_FALSE(page.inkIn(QRectF(10.5, 10.5, 14, 6))) << "left neighbour: " << what;
            EXPECT_FALSE(page.inkIn(QRectF(65.5, 10.5, 24, 6))) << "right neighbour: " << what;
            EXPECT_FALSE(page.inkIn(QRectF(10.5, 17.5, 79, 12))) << "below: " << what;
        }
    }
}

// Texts of one style are drawn together; cutting one at its box must not cut the others.
TEST(Fitting, ACutTextLeavesTheOtherTextsOfItsStyleWhole)
{
    Report report;
    ASSERT_TRUE(report.loadFromXml(fixtures::templateWith(
        QStringLiteral("<band kind=\"title\" name=\"T\" height=\"30\">"
                       "<text x=\"0\" y=\"0\" width=\"30\" height=\"7\" size=\"11\">WHOLE</text>"
                       "<text x=\"0\" y=\"10\" width=\"30\" height=\"7\" size=\"11\">%1</text>"
                       "</band>")
            .arg(hundredCharacters))));
    ASSERT_TRUE(report.prepare());
    const QList<PreparedText> &texts = report.prepared().pages.at(0).texts;
    ASSERT_EQ(texts.size(), 2);
    ASSERT_EQ(texts[0].style, texts[1].style);
    ASSERT_TRUE(texts[1].clipped);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("cut.pdf"));
    ASSERT_TRUE(report.exportPdf(pdf));
    for (const DrawnPage &page : {DrawnPage(report.prepared()), DrawnPage::ofPdf(pdf)}) {
        EXPECT_TRUE(page.inkIn(QRectF(10.5, 10.5, 10, 5))) << "the whole text";
        EXPECT_TRUE(page.inkIn(QRectF(10.5, 20.5, 10, 5))) << "the cut text inside its box";
        EXPECT_FALSE(page.inkIn(QRectF(40.5, 20, 45, 7))) << "the cut text beyond its box";
    }
}

TEST(Fitting, WrappingKeepsLeadingAndTrailingBlanks)
{
    TextStyle style;
    GlyphCache glyphs(style);
    const double wide = 1000;
    EXPECT_EQ(textLines(QStringLiteral("di\n    Talvirana "), true, glyphs, wide),
              (QStringList{QStringLiteral("di"), QStringLiteral("    Talvirana ")}));
    EXPECT_EQ(textLines(QStringLiteral("  ab cd"), true, glyphs, glyphs.width(QStringLiteral("  ab"))),
              (QStringList{QStringLiteral("  ab"), QStringLiteral("cd")}));
}

TEST(Fitting, ATextThatFitsIsDrawnAsWithoutFitting)
{
    Report plain, fitted;
    const PreparedText &a = prepareCell(plain, {}, QStringLiteral("SITI AMINAH"));
    const PreparedText &b =
        prepareCell(fitted, QStringLiteral("shrink=\"true\" wrap=\"true\""), QStringLiteral("SITI AMINAH"));
    EXPECT_FALSE(b.clipped);
    EXPECT_EQ(fitted.prepared().styles[b.style].fontPixelSize, 11);
    EXPECT_EQ(DrawnPage(plain.prepared()).image, DrawnPage(fitted.prepared()).image);
    EXPECT_FALSE(a.clipped);
}

TEST(Fitting, ShrunkTextsShareAStylePerSize)
{
    Report report;
    auto rows = fixtures::people(0);
    for (int i = 0; i < 50; ++i)
        rows->appendRow({longAmount, QStringLiteral("1")});
    report.registerDataset(rows.get());
    ASSERT_TRUE(report.loadFromXml(fixtures::templateWith(QStringLiteral(
        "<band kind=\"data\" name=\"Rows\" height=\"7\" dataset=\"people\">"
        "<text x=\"0\" y=\"0\" width=\"20\" height=\"7\" size=\"11\" shrink=\"true\">[people.\"name\"]</text>"
        "</band>"))));
    ASSERT_TRUE(report.prepare());
    EXPECT_EQ(report.prepared().styles.size(), 2) << "the template's and one shrunk size";
}

TEST(Fitting, APreparedReportSavedAndOpenedKeepsItsFit)
{
    Report report;
    prepareCell(report, QStringLiteral("halign=\"right\" shrink=\"true\""), longAmount);
    QTemporaryDir dir;
    ASSERT_TRUE(savePreparedReport(report.prepared(), dir.filePath(QStringLiteral("r.rpr"))));
    PreparedReport loaded;
    ASSERT_TRUE(loadPreparedReport(dir.filePath(QStringLiteral("r.rpr")), loaded));
    EXPECT_TRUE(loaded.styles == report.prepared().styles);
    EXPECT_EQ(DrawnPage(loaded).image, DrawnPage(report.prepared()).image);
}

} // namespace
