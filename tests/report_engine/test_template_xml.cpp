#include "fixtures.h"

#include "report_engine/template_xml.h"

#include <gtest/gtest.h>

using namespace report_engine;

namespace {

TEST(TemplateFormat, SavingWritesBackWhatWasRead)
{
    const QByteArray xml = fixtures::templateWith(
        QStringLiteral(
            "<band kind=\"data\" name=\"Rows\" height=\"7\" dataset=\"people\">"
            "<text name=\"Cell\" x=\"-2\" y=\"1.5\" width=\"24\" height=\"7\" font=\"Times New Roman\" "
            "size=\"10.5\" bold=\"true\" italic=\"true\" halign=\"right\" valign=\"bottom\" frame=\"lb\" "
            "frame-width=\"0.5\" padding=\"1.3 0 1.3 0.2\" wrap=\"true\" shrink=\"true\" html=\"true\" "
            "format=\"%2.0n\" "
            "decimal=\".\" thousands=\".\">line one\n  &lt;b&gt;two&lt;/b&gt; [people.\"name\"] </text>"
            "<line x1=\"0\" y1=\"7\" x2=\"80\" y2=\"7\" width=\"2\"/></band>"),
        QStringLiteral("orientation=\"landscape\""));
    Design design;
    ASSERT_TRUE(readDesign(xml, design));
    const TextObject &text = design.pages[0].bands[0].texts[0];
    EXPECT_EQ(text.text, QStringLiteral("line one\n  <b>two</b> [people.\"name\"] "));
    EXPECT_EQ(text.x, -2);
    EXPECT_EQ(text.style.frameSides, unsigned(FrameLeft | FrameBottom));
    EXPECT_EQ(text.style.padding, (Padding{1.3, 0, 1.3, 0.2}));
    EXPECT_EQ(design.pages[0].pageSize(), QSizeF(100, 100));

    Design again;
    ASSERT_TRUE(readDesign(writeDesign(design), again));
    EXPECT_EQ(writeDesign(again), writeDesign(design));
    const TextObject &back = again.pages[0].bands[0].texts[0];
    EXPECT_EQ(back.text, text.text);
    EXPECT_TRUE(back.style == text.style);
    EXPECT_TRUE(back.format == text.format);
    EXPECT_EQ(again.pages[0].bands[0].lines[0].width, 2);
    EXPECT_TRUE(again.pages[0].landscape);
}

TEST(TemplateFormat, LandscapePutsTheLongerSideAcross)
{
    ReportPage page;
    page.paperWidth = 210;
    page.paperHeight = 330;
    page.landscape = true;
    EXPECT_EQ(page.pageSize(), QSizeF(330, 210));
    page.landscape = false;
    EXPECT_EQ(page.pageSize(), QSizeF(210, 330));
}

TEST(TemplateFormat, UnreadableTemplatesLeaveAnEmptyDesign)
{
    const std::pair<const char *, const char *> cases[] = {
        {"<report version=\"2\"/>", "unsupported template version"},
        {"<sheet/>", "not a report template"},
        {"<report version=\"1\"><page><band kind=\"side\"/></page></report>", "unknown band kind"},
        {"<report version=\"1\"><page width=\"wide\"/></report>", "not a number"},
        {"<report version=\"1\"><page>", "line"},
    };
    for (const auto &[xml, why] : cases) {
        Design design;
        design.pages.append(ReportPage{});
        QString error;
        EXPECT_FALSE(readDesign(xml, design, &error)) << xml;
        EXPECT_TRUE(design.isEmpty()) << xml;
        EXPECT_TRUE(error.contains(QLatin1String(why))) << xml << " gave " << error.toStdString();
    }
}

TEST(TemplateFormat, LoadingReplacesTheWholeDesignAndAMissingFileEmptiesIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("paged.xml"));
    Report report;
    ASSERT_TRUE(report.loadFromXml(fixtures::pagedTemplate()));
    ASSERT_TRUE(report.saveToFile(path));
    ASSERT_TRUE(report.loadFromXml(fixtures::templateWith({})));
    EXPECT_TRUE(report.design().pages[0].bands.isEmpty());
    ASSERT_TRUE(report.loadFromFile(path));
    EXPECT_EQ(report.design().pages[0].bands.size(), 5);

    EXPECT_FALSE(report.loadFromFile(dir.filePath(QStringLiteral("missing.xml"))));
    EXPECT_TRUE(report.design().isEmpty());
    ASSERT_TRUE(report.prepare());
    EXPECT_TRUE(report.prepared().isEmpty());
}

} // namespace
