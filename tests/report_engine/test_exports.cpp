#include "fixtures.h"

#include "report_engine/text_layout.h"
#include "report_engine/windows1252.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace report_engine;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// Fields of `pdfinfo` output by name.
QString infoField(const QString &info, const QString &name)
{
    const auto m =
        QRegularExpression(QStringLiteral("^%1:\\s*(.*)$").arg(name), QRegularExpression::MultilineOption)
            .match(info);
    return m.captured(1).trimmed();
}

class Exports : public ::testing::Test {
protected:
    void SetUp() override
    {
        data = fixtures::people(12);
        report.registerDataset(data.get());
    }

    void prepare(const QByteArray &xml)
    {
        ASSERT_TRUE(report.loadFromXml(xml));
        ASSERT_TRUE(report.prepare()) << report.lastError().toStdString();
    }

    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }

    QTemporaryDir dir;
    std::unique_ptr<TableDataset> data;
    Report report;
};

TEST_F(Exports, PdfCarriesTheSettingsAndTheTexts)
{
    prepare(fixtures::pagedTemplate());
    ASSERT_TRUE(report.exportPdf(path("out.pdf"))) << report.lastError().toStdString();
    const QString info = fixtures::run(QStringLiteral("pdfinfo"), {path("out.pdf")});
    EXPECT_EQ(infoField(info, QStringLiteral("Title")), QStringLiteral("Test report"));
    EXPECT_EQ(infoField(info, QStringLiteral("Author")), engineName);
    EXPECT_EQ(infoField(info, QStringLiteral("Creator")), engineName);
    EXPECT_TRUE(infoField(info, QStringLiteral("Subject")).startsWith(engineName));
    EXPECT_EQ(infoField(info, QStringLiteral("PDF version")), QStringLiteral("1.6"));
    EXPECT_EQ(infoField(info, QStringLiteral("Encrypted")), QStringLiteral("no"));
    EXPECT_EQ(infoField(info, QStringLiteral("Pages")), QStringLiteral("3"));
    EXPECT_TRUE(infoField(info, QStringLiteral("Page size")).startsWith(QStringLiteral("283 x 283")));

    const QByteArray bytes = readAll(path("out.pdf"));
    EXPECT_EQ(bytes.count("%%EOF"), 2) << "the metadata goes in as an incremental update";
    EXPECT_TRUE(bytes.contains("/Prev "));
    EXPECT_TRUE(bytes.contains("/PrintScaling /None"));
    EXPECT_TRUE(bytes.contains("/HideToolbar false /HideMenubar false /HideWindowUI false /FitWindow false "
                               "/CenterWindow false"));

    const QString text =
        fixtures::run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path("out.pdf"), "-"});
    const QStringList pages = text.split(QLatin1Char('\f'));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("TITLE")));
    EXPECT_FALSE(pages[1].contains(QStringLiteral("TITLE")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("6 P6")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("TOTAL 78.000")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("3/3")));
}

TEST_F(Exports, PdfFontsAndLayoutOfAlignedFramedCells)
{
    prepare(fixtures::templateWith(QStringLiteral(
        "<band kind=\"title\" name=\"T\" height=\"30\">"
        "<text x=\"-5\" y=\"0\" width=\"90\" height=\"7\" font=\"Courier New\" size=\"13\" halign=\"center\">"
        "CENTRED TITLE</text>"
        "<text x=\"0\" y=\"8\" width=\"80\" height=\"7\" font=\"Courier New\" size=\"11\" halign=\"right\" "
        "frame=\"ltrb\" padding=\"1.3 0 1.3 0\">RIGHT</text>"
        "<text x=\"0\" y=\"16\" width=\"80\" height=\"10\" font=\"Times New Roman\" size=\"11\" "
        "html=\"true\">"
        "&lt;b&gt;bold&lt;/b&gt; &lt;i&gt;it&lt;/i&gt; &lt;u&gt;un&lt;/u&gt;&lt;br&gt;&lt;font "
        "color=\"#ff0000\"&gt;"
        "red&lt;/font&gt;</text>"
        "<text x=\"0\" y=\"27\" width=\"15\" height=\"3\" size=\"11\" wrap=\"true\">wrapped into lines</text>"
        "</band>")));
    ASSERT_TRUE(report.exportPdf(path("fonts.pdf")));
    const QString fonts = fixtures::run(QStringLiteral("pdffonts"), {path("fonts.pdf")});
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationMono"))) << fonts.toStdString();
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationSerif-Bold"))) << fonts.toStdString();
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationSerif-Italic"))) << fonts.toStdString();

    // Word boxes in points: the right-aligned text ends 1.3 mm inside the frame's right edge (90 mm).
    const QString boxes =
        fixtures::run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path("fonts.pdf"), "-"});
    const auto right = QRegularExpression(QStringLiteral("xMax=\"([\\d.]+)\"[^>]*>RIGHT<")).match(boxes);
    ASSERT_TRUE(right.hasMatch()) << boxes.toStdString();
    EXPECT_NEAR(right.captured(1).toDouble() / 72 * 25.4, 90 - 1.3, 0.3);
    const auto title =
        QRegularExpression(QStringLiteral("xMin=\"([\\d.]+)\"[^>]*xMax=\"([\\d.]+)\"[^>]*>CENTRED<"))
            .match(boxes);
    ASSERT_TRUE(title.hasMatch());
    const double centredStart = title.captured(1).toDouble() / 72 * 25.4;
    EXPECT_NEAR(centredStart, 5 + (90 - 13 * 13 * 0.6 * 25.4 / 96) / 2, 0.5);
    EXPECT_TRUE(boxes.contains(QStringLiteral(">red<")));

    // 15 mm hold eight characters of 11 px Courier: each word gets its own line.
    const QString text =
        fixtures::run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path("fonts.pdf"), "-"});
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("wrapped\\s*\\n\\s*into\\s*\\n\\s*lines")).match(text).hasMatch())
        << text.toStdString();
}

// Search and copy find every character, and a long line ends where the layout
// ends it: the viewer advances glyphs by the font's widths, the layout by its own.
TEST_F(Exports, PdfTextIsFoundWholeAndWhereTheLayoutPutsIt)
{
    const QString line = QStringLiteral("RINCIAN 0123456789 PEMBAYARAN BULAN INI LUNAS");
    const QString accented = QStringLiteral("Rp 1.500 \u2014 \u00C9\u00F6\u00FC \u20AC5");
    prepare(fixtures::templateWith(
        QStringLiteral("<band kind=\"title\" name=\"T\" height=\"30\">"
                       "<text x=\"0\" y=\"0\" width=\"80\" height=\"7\" size=\"11\" halign=\"right\" "
                       "padding=\"1.3 0 1.3 0\">%1</text>"
                       "<text x=\"0\" y=\"10\" width=\"80\" height=\"7\" size=\"11\">%2</text>"
                       "</band>")
            .arg(line, accented)));
    ASSERT_TRUE(report.exportPdf(path("text.pdf")));
    const QList<fixtures::PdfWord> words = fixtures::pdfWords(path("text.pdf"));
    QStringList texts;
    for (const fixtures::PdfWord &word : words)
        texts.append(word.text);
    EXPECT_EQ(texts.join(QLatin1Char(' ')), line + QLatin1Char(' ') + accented);

    const TextStyle &style = report.prepared().styles.at(report.prepared().pages[0].texts[0].style);
    GlyphCache glyphs(style);
    const double right = 10 + 80 - 1.3, width = glyphs.width(line) / pxPerMm;
    EXPECT_NEAR(words.first().box.left(), right - width, 0.02);
    EXPECT_NEAR(words[5].box.right(), right, 0.02) << words[5].text.toStdString();
}

TEST_F(Exports, PrinterGetsEveryPageAtItsSize)
{
    prepare(fixtures::pagedTemplate());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path("printed.pdf"));
    QString error;
    ASSERT_TRUE(printReport(report.prepared(), printer, &error)) << error.toStdString();
    const QString info = fixtures::run(QStringLiteral("pdfinfo"), {path("printed.pdf")});
    EXPECT_EQ(infoField(info, QStringLiteral("Pages")), QStringLiteral("3"));
    const QString text = fixtures::run(QStringLiteral("pdftotext"), {path("printed.pdf"), "-"});
    EXPECT_TRUE(text.contains(QStringLiteral("TOTAL 78.000")));
}

TEST_F(Exports, HtmlKeepsPagesTextsAndMarkup)
{
    prepare(fixtures::pagedTemplate(QStringLiteral("[people.\"name\"] &lt; &amp;")));
    ASSERT_TRUE(report.exportHtml(path("out.html")));
    const QString html = QString::fromUtf8(readAll(path("out.html")));
    EXPECT_EQ(html.count(QStringLiteral("<section class=\"page\" style=\"width:100.00mm;height:100.00mm\">")),
              3);
    EXPECT_TRUE(html.contains(QStringLiteral("<span>P12 &lt; &amp;</span>")));
    EXPECT_TRUE(html.contains(QStringLiteral("left:10.00mm;top:20.00mm;width:80.00mm;height:10.00mm")));
    EXPECT_FALSE(html.contains(QStringLiteral("print()")));
    EXPECT_FALSE(html.contains(QStringLiteral("margin:auto")));

    prepare(fixtures::templateWith(
        QStringLiteral("<band kind=\"title\" name=\"T\" height=\"10\">"
                       "<text x=\"0\" y=\"0\" width=\"80\" height=\"10\" html=\"true\">"
                       "&lt;b&gt;[people.\"name\"]&lt;/b&gt;\n\nafter</text></band>"
                       "<band kind=\"data\" name=\"R\" height=\"1\" dataset=\"people\"/>")));
    ASSERT_TRUE(report.exportHtml(path("markup.html")));
    EXPECT_TRUE(
        QString::fromUtf8(readAll(path("markup.html"))).contains(QStringLiteral("<b>P1</b><br><br>after")));
}

TEST_F(Exports, CsvHasOneLinePerBandRowQuotedOnlyWhereNeeded)
{
    auto table = std::make_unique<TableDataset>(
        QStringLiteral("people"), QStringList{QStringLiteral("name"), QStringLiteral("amount")});
    const QStringList names{QStringLiteral("plain"), QStringLiteral("Budi, S.E."),
                            QStringLiteral("say \"hi\""), QStringLiteral("two\nlines"),
                            QStringLiteral("caf\u00e9 \u20ac5 \u0105")};
    for (const QString &name : names)
        table->appendRow({name, QStringLiteral("1")});
    report.registerDataset(table.get());
    prepare(fixtures::templateWith(
        QStringLiteral("<band kind=\"column-header\" name=\"H\" height=\"10\">"
                       "<text x=\"30\" y=\"0\" width=\"30\" height=\"5\">Name</text>"
                       "<text x=\"0\" y=\"0\" width=\"30\" height=\"5\">No.</text>"
                       "<text x=\"0\" y=\"5\" width=\"30\" height=\"5\">1</text>"
                       "<text x=\"30\" y=\"5\" width=\"30\" height=\"5\">2</text></band>"
                       "<band kind=\"data\" name=\"R\" height=\"10\" dataset=\"people\">"
                       "<text x=\"30\" y=\"0\" width=\"30\" height=\"10\">[people.\"name\"]</text>"
                       "<text x=\"0\" y=\"0\" width=\"30\" height=\"10\">[Line#]</text></band>")));
    ASSERT_TRUE(report.exportCsv(path(qPrintable(defaultCsvFileName))));
    EXPECT_EQ(defaultCsvFileName, QStringLiteral("report_tpp1.csv"));
    EXPECT_EQ(readAll(path("report_tpp1.csv")), QByteArray("No.,Name\r\n"
                                                           "1,2\r\n"
                                                           "1,plain\r\n"
                                                           "2,\"Budi, S.E.\"\r\n"
                                                           "3,\"say \"\"hi\"\"\"\r\n"
                                                           "4,\"two\nlines\"\r\n"
                                                           "5,caf\xE9 \x80"
                                                           "5 ?\r\n"));
}

TEST(Windows1252, MapsTheCodePageAndReplacesTheRest)
{
    EXPECT_EQ(toWindows1252(QStringLiteral("A\u00a0\u00ff\u20ac\u201c\u201d\u2026\u0160\u017e")),
              QByteArray("A\xA0\xFF\x80\x93\x94\x85\x8A\x9E"));
    EXPECT_EQ(toWindows1252(QStringLiteral("\u0081\u4e2d\U0001F600")), QByteArray("???"));
}

TEST_F(Exports, PreparedReportSurvivesSaveAndOpen)
{
    prepare(fixtures::pagedTemplate());
    ASSERT_TRUE(savePreparedReport(report.prepared(), path("saved.rpr")));
    PreparedReport loaded;
    ASSERT_TRUE(loadPreparedReport(path("saved.rpr"), loaded));
    ASSERT_EQ(loaded.pages.size(), 3);
    EXPECT_EQ(loaded.title, QStringLiteral("Test report"));
    EXPECT_EQ(fixtures::pageTexts(loaded, 2), fixtures::pageTexts(report.prepared(), 2));
    EXPECT_EQ(fixtures::bandNames(loaded.pages[1]), fixtures::bandNames(report.prepared().pages[1]));
    EXPECT_TRUE(loaded.styles == report.prepared().styles);

    QFile damaged(path("damaged.rpr"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(readAll(path("saved.rpr")).left(200));
    damaged.close();
    QString error;
    EXPECT_FALSE(loadPreparedReport(path("damaged.rpr"), loaded, &error));
    EXPECT_EQ(error, QStringLiteral("the prepared report is damaged"));
    EXPECT_EQ(loaded.pages.size(), 3) << "a failed open keeps what was there";
}

} // namespace

namespace {

using fixtures::DrawnPage;

TEST(PagePainting, FramesDrawOnlyTheirSides)
{
    Report report;
    ASSERT_TRUE(report.loadFromXml(fixtures::templateWith(
        QStringLiteral("<band kind=\"title\" name=\"T\" height=\"40\">"
                       "<text x=\"0\" y=\"0\" width=\"20\" height=\"10\" frame=\"lb\"></text>"
                       "<text x=\"20\" y=\"0\" width=\"20\" height=\"10\" frame=\"ltrb\"></text>"
                       "<text x=\"40\" y=\"0\" width=\"20\" height=\"10\" frame=\"ltrb\"></text>"
                       "<line x1=\"0\" y1=\"30\" x2=\"60\" y2=\"20\"/></band>"))));
    ASSERT_TRUE(report.prepare());
    const DrawnPage page(report.prepared());
    // Page coordinates: the band starts at the 10 mm margins.
    EXPECT_TRUE(page.inkAt(10, 15)) << "left side";
    EXPECT_TRUE(page.inkAt(20, 20)) << "bottom side";
    EXPECT_FALSE(page.inkAt(20, 10)) << "no top side on the first cell";
    EXPECT_TRUE(page.inkAt(40, 10)) << "top of the shared row";
    EXPECT_TRUE(page.inkAt(30, 15)) << "edge shared by the first two cells";
    EXPECT_TRUE(page.inkAt(70, 15)) << "right side of the last cell";
    EXPECT_FALSE(page.inkAt(35, 15)) << "inside a cell";
    EXPECT_TRUE(page.inkAt(40, 35)) << "the diagonal line";
}

} // namespace
