#include "fixtures.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace report_engine;
using fixtures::bandNames;

namespace {

QStringList repeat(const QString &name, int times)
{
    QStringList out;
    for (int i = 0; i < times; ++i)
        out.append(name);
    return out;
}

const QString title = QStringLiteral("Title"), head = QStringLiteral("Head"), rows = QStringLiteral("Rows"),
              sum = QStringLiteral("Sum"), foot = QStringLiteral("Foot");

class Paging : public ::testing::Test {
protected:
    const PreparedReport &prepare(int rowCount, const QByteArray &xml = fixtures::pagedTemplate())
    {
        data = fixtures::people(rowCount);
        report.registerDataset(data.get());
        EXPECT_TRUE(report.loadFromXml(xml));
        EXPECT_TRUE(report.prepare()) << report.lastError().toStdString();
        return report.prepared();
    }

    std::unique_ptr<TableDataset> data;
    Report report;
};

TEST_F(Paging, ColumnHeaderRepeatsAndTheTitleOpensOnlyTheFirstPage)
{
    const PreparedReport &out = prepare(12);
    ASSERT_EQ(out.pages.size(), 3);
    EXPECT_EQ(bandNames(out.pages[0]), QStringList({title, head}) + repeat(rows, 5) + QStringList{foot});
    EXPECT_EQ(bandNames(out.pages[1]), QStringList{head} + repeat(rows, 6) + QStringList{foot});
    EXPECT_EQ(bandNames(out.pages[2]), (QStringList{head, rows, sum, foot}));

    // Positions in mm: header at the top margin, first row right below it, footer above the bottom margin.
    const PreparedPage &second = out.pages[1];
    EXPECT_EQ(second.bands[0].top, 10);
    EXPECT_EQ(second.bands[1].top, 20);
    EXPECT_EQ(second.bands.last().top, 80);
    EXPECT_EQ(second.texts[1].rect, QRectF(10, 20, 80, 10));
    EXPECT_EQ(second.texts[1].text, QStringLiteral("6 P6"));
    EXPECT_EQ(fixtures::pageTexts(out, 2), (QStringList{"HEAD", "12 P12", "TOTAL 78.000", "3/3"}));
}

TEST_F(Paging, SummaryThatDoesNotFitMovesWholeToTheNextPage)
{
    // Ten rows end page two at 70 mm; the 20 mm summary would reach past the footer at 80 mm.
    const PreparedReport &out = prepare(10);
    ASSERT_EQ(out.pages.size(), 3);
    EXPECT_EQ(bandNames(out.pages[1]), QStringList{head} + repeat(rows, 5) + QStringList{foot});
    EXPECT_EQ(bandNames(out.pages[2]), (QStringList{head, sum, foot}));
    EXPECT_EQ(out.pages[2].bands[1].top, 20);

    // Nine rows leave exactly 20 mm: the summary stays.
    EXPECT_EQ(bandNames(prepare(9).pages[1]), QStringList{head} + repeat(rows, 4) + QStringList({sum, foot}));
}

TEST_F(Paging, NoRowsStillPrintsTitleHeaderAndAZeroTotal)
{
    const PreparedReport &out = prepare(0);
    ASSERT_EQ(out.pages.size(), 1);
    EXPECT_EQ(fixtures::pageTexts(out, 0), (QStringList{"TITLE", "HEAD", "TOTAL 0", "1/1"}));
}

TEST_F(Paging, DatasetIsOpenedWhenClosedAndLeftOpen)
{
    struct CountingDataset : TableDataset {
        using TableDataset::TableDataset;
        bool open() override
        {
            ++opened;
            return TableDataset::open();
        }
        int opened = 0;
    } counting(QStringLiteral("people"), {QStringLiteral("name"), QStringLiteral("amount")});
    report.registerDataset(&counting);
    ASSERT_TRUE(report.loadFromXml(fixtures::pagedTemplate()));
    ASSERT_TRUE(report.prepare());
    EXPECT_TRUE(counting.isOpen());
    ASSERT_TRUE(report.prepare());
    EXPECT_EQ(counting.opened, 1);
}

TEST_F(Paging, TwoSectionsNumberLinesFromOneAndCountPagesTogether)
{
    // Section two has no footer and starts on a new page although section one ends high.
    QByteArray xml = fixtures::pagedTemplate();
    const QByteArray second =
        "<page name=\"R2\" width=\"100\" height=\"100\" margin-left=\"10\" margin-top=\"10\" "
        "margin-right=\"10\" "
        "margin-bottom=\"10\"><band kind=\"data\" name=\"Rows2\" height=\"10\" dataset=\"people\">"
        "<text x=\"0\" y=\"0\" width=\"80\" height=\"10\">a.n. [people.\"name\"] [Line#] of "
        "[TotalPages#]</text>"
        "</band></page>";
    xml.insert(xml.lastIndexOf("</report>"), second);
    const PreparedReport &out = prepare(2, xml);
    ASSERT_EQ(out.pages.size(), 2);
    EXPECT_EQ(fixtures::pageTexts(out, 0),
              (QStringList{"TITLE", "HEAD", "1 P1", "2 P2", "TOTAL 3.000", "1/2"}));
    EXPECT_EQ(fixtures::pageTexts(out, 1), (QStringList{"a.n. P1 1 of 2", "a.n. P2 2 of 2"}));
    EXPECT_EQ(out.pages[1].bands[0].top, 10);
}

TEST_F(Paging, ObjectsReachingIntoTheMarginKeepTheirPlace)
{
    const PreparedReport &out = prepare(0, fixtures::templateWith(QStringLiteral(
                                               "<band kind=\"title\" name=\"T\" height=\"10\">"
                                               "<text x=\"-5\" y=\"0\" width=\"90\" height=\"10\">WIDE</text>"
                                               "</band>")));
    EXPECT_EQ(out.pages[0].texts[0].rect, QRectF(5, 10, 90, 10));
}

class Expressions : public Paging {
protected:
    // One title text over the dataset, evaluated on the first row.
    QString evaluate(const QString &text)
    {
        return prepare(2, fixtures::templateWith(
                              QStringLiteral(
                                  "<band kind=\"title\" name=\"T\" height=\"10\"><text x=\"0\" y=\"0\" "
                                  "width=\"80\" height=\"10\">%1</text></band>"
                                  "<band kind=\"data\" name=\"Rows\" height=\"10\" dataset=\"people\"/>")
                                  .arg(text.toHtmlEscaped())))
            .pages[0]
            .texts[0]
            .text;
    }
};

TEST_F(Expressions, FieldsVariablesAndFunctions)
{
    report.setVariableCallback([](const QString &name, QVariant &value) {
        if (name.compare(QLatin1String("pa_nama"), Qt::CaseInsensitive) == 0)
            value = QStringLiteral("Budi");
        else if (name == QLatin1String("pa_nip"))
            value = QStringLiteral("197505152000031004");
    });
    const std::pair<const char *, const char *> cases[] = {
        {"[people.\"name\"]", "P1"},
        {"[<people.\"amount\">]", "1000"},
        {"a.n. [people.name]!", "a.n. P1!"},
        {"[PA_NAMA] / [pa_nama]", "Budi / Budi"},
        {"[TERBILANG(1250000)] rupiah", "satu juta dua ratus lima puluh ribu rupiah"},
        {"[TERBILANG(people.\"amount\")]", "seribu"},
        {"[250 + people.\"amount\" + 1]", "1251"},
        {"[TERBILANG(people.\"amount\" + 1)]", "seribu satu"},
        {"NIP. [GROUPS(pa_nip, 8, 6, 1, 3)]", "NIP. 19750515 200003 1 004"},
        {"[GROUPS(pa_nip, 8, 6)]", "19750515 200003 1004"},
        {"[groups(people.\"name\", 1, 5)]", "P 1"},
        {"[Page#] [Line#]", "1 0"},
        {"no [brackets", "no [brackets"},
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(evaluate(QString::fromUtf8(text)), QString::fromUtf8(expected)) << text;
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d$"))
                    .match(evaluate(QStringLiteral("[Now]")))
                    .hasMatch());
}

class Errors : public Paging {
protected:
    QString errorFor(const QString &text)
    {
        data = fixtures::people(1);
        report.registerDataset(data.get());
        EXPECT_TRUE(report.loadFromXml(fixtures::pagedTemplate(text.toHtmlEscaped())));
        EXPECT_FALSE(report.prepare()) << text.toStdString();
        EXPECT_TRUE(report.prepared().isEmpty());
        return report.lastError();
    }
};

TEST_F(Errors, AreReportedNotPrintedAsEmptyText)
{
    const std::pair<const char *, const char *> cases[] = {
        {"[people.\"nama\"]", "Field not found: people.\"nama\""},
        {"[SUM(<people.\"gaji\">,Rows)]", "Field not found: people.\"gaji\""},
        {"[staff.\"name\"]", "Dataset \"staff\" not found"},
        {"[SUM(<people.\"amount\">,Other)]", "Data band \"Other\" not found"},
        {"[pa_nama2]", "Unknown variable \"pa_nama2\""},
        {"[SUM(people.\"amount\")]", "SUM needs a band name"},
        {"[FOO(1)]", "unknown function FOO"},
        {"[GROUPS(people.\"name\")]", "GROUPS needs lengths"},
        {"[GROUPS(people.\"name\", 0)]", "GROUPS needs lengths above 0"},
    };
    report.setVariableCallback([](const QString &, QVariant &) {}); // leaves every slot alone
    for (const auto &[text, message] : cases) {
        const QString error = errorFor(QString::fromUtf8(text));
        EXPECT_TRUE(error.contains(QString::fromUtf8(message))) << text << " gave " << error.toStdString();
    }
}

TEST_F(Errors, SumOverTextThatIsNoNumber)
{
    auto table = std::make_unique<TableDataset>(
        QStringLiteral("people"), QStringList{QStringLiteral("name"), QStringLiteral("amount")});
    table->appendRow({QStringLiteral("P1"), QStringLiteral("12x")});
    report.registerDataset(table.get());
    ASSERT_TRUE(report.loadFromXml(fixtures::pagedTemplate()));
    EXPECT_FALSE(report.prepare());
    EXPECT_EQ(report.lastError(), QStringLiteral("SUM over people.\"amount\": \"12x\" is not a number"));
}

} // namespace
