// The shipped attachment template, held to its layout: every column's place,
// width, heading, number and value in both sections, the totals, the title
// block, the signature blocks and the footer, from the prepared pages; and
// the longest values inside their cells in the exported PDF.
#include "data/tdm.h"
#include "reports/report_data.h"
#include "reports/report_datasets.h"
#include "tests/reports/report_fixture.h"

#include "report_engine/template_xml.h"
#include "tests/report_engine/fixtures.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <span>

#include <gtest/gtest.h>

using namespace report_engine;

namespace {

const QString templatePath = QStringLiteral(SARVELA_TEMPLATE_DIR "/nasn_lampiran.fr3");
constexpr double left = 15, titleTop = 10, headingTop = 27, numberTop = 48, firstRowTop = 54;

struct Column {
    const char *number;
    QString heading;
    double x, width;
    const char *field; // empty: the line number
    HAlign align;
    double headingY = 0, headingHeight = 21; // within the 27 mm column heading
};

const Column sectionOne[] = {
    {"1", "No.", 0, 9, "", HAlign::Center},
    {"2", "NAMA", 9, 68, "nama_lengkap", HAlign::Left},
    {"2", "NIK", 77, 25, "nik", HAlign::Center},
    {"3", "Gaji Pokok", 102, 24, "gapok", HAlign::Right},
    {"4", "Gaji Pokok yang dilaporkan", 126, 24, "gapok_bpjs", HAlign::Right},
    {"5", "PPU (1 %)", 150, 24, "gapok_1", HAlign::Right, 12, 9},
    {"6", "PK (4 %)", 174, 24, "gapok_4", HAlign::Right, 12, 9},
    {"7", "Remunerasi", 198, 24, "remunerasi", HAlign::Right},
    {"8", "Insentif", 222, 24, "insentif", HAlign::Right},
    {"9", "Total Take Home Pay", 246, 27, "thp", HAlign::Right},
    {"10", "Dasar\nPengenaan\nIuran", 273, 27, "dpi_bruto", HAlign::Right},
};

const Column sectionTwo[] = {
    {"1", "No.", 0, 9, "", HAlign::Center},
    {"11", "PPU (1 %)", 9, 25, "bruto_1", HAlign::Right, 12, 9},
    {"12", "PK (4 %)", 34, 25, "bruto_4", HAlign::Right, 12, 9},
    {"13", "PPU (1 %)", 59, 25, "netto_1", HAlign::Right, 12, 9},
    {"14", "PK (4 %)", 84, 25, "netto_4", HAlign::Right, 12, 9},
    {"15", "PPU (1 %)", 109, 25, "remunerasi_1", HAlign::Right, 12, 9},
    {"16", "PK (4 %)", 134, 25, "remunerasi_4", HAlign::Right, 12, 9},
    {"17", "PPU (1 %)", 159, 25, "insentif_1", HAlign::Right, 12, 9},
    {"18", "PK (4 %)", 184, 25, "insentif_4", HAlign::Right, 12, 9},
    {"2", "KETERANGAN", 209, 87, "nama_lengkap", HAlign::Left},
};

// "1.234.567" for 1234567.
QString grouped(qint64 value)
{
    QString digits = QString::number(value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char('.'));
    return digits;
}

class ShippedAttachment : public ::testing::Test {
protected:
    ShippedAttachment() : dm(ConnectionSettings::builtIn()), report(dm, context) {}

    const PreparedReport &prepare(const QueryResult &rows)
    {
        report.keepRun(rows, QStringLiteral("Mei 2024"));
        EXPECT_TRUE(report.fr.loadFromFile(templatePath)) << report.fr.lastError().toStdString();
        EXPECT_TRUE(report.fr.prepare()) << report.fr.lastError().toStdString();
        return report.fr.prepared();
    }

    // The text of `page` that reads `text` with exactly this box; fails the test when there is none.
    const PreparedText *cell(int page, const QString &text, const QRectF &box)
    {
        for (const PreparedText &t : report.fr.prepared().pages.at(page).texts)
            if (t.text == text && std::abs(t.rect.left() - box.left()) < 1e-6 &&
                std::abs(t.rect.top() - box.top()) < 1e-6 && std::abs(t.rect.width() - box.width()) < 1e-6 &&
                std::abs(t.rect.height() - box.height()) < 1e-6)
                return &t;
        ADD_FAILURE() << "page " << page << ": no \"" << text.toStdString() << "\" at " << box.left() << ","
                      << box.top() << " " << box.width() << "x" << box.height();
        return nullptr;
    }

    const TextStyle &style(const PreparedText &text) const { return report.fr.prepared().styles[text.style]; }

    // Heading, number row, the rows' values and the totals of each column of one section.
    void expectSection(int page, const QString &dataBand, std::span<const Column> columns,
                       const QueryResult &rows, const QString &namePrefix);

    OperatorContext context;
    Tdm dm;
    ReportData report;
};

void ShippedAttachment::expectSection(int page, const QString &dataBand, std::span<const Column> columns,
                                      const QueryResult &rows, const QString &namePrefix)
{
    const double totalTop = firstRowTop + 7 * double(rows.rows.size());
    for (const Column &c : columns) {
        const std::string what =
            QStringLiteral("%1 (%2)").arg(c.heading, QLatin1String(c.number)).toStdString();
        if (const PreparedText *h = cell(
                page, c.heading, QRectF(left + c.x, headingTop + c.headingY, c.width, c.headingHeight))) {
            EXPECT_EQ(style(*h).hAlign, HAlign::Center) << what;
            EXPECT_EQ(style(*h).vAlign, VAlign::Center) << what;
            EXPECT_EQ(style(*h).frameSides, unsigned(FrameAll)) << what;
        }
        cell(page, QLatin1String(c.number), QRectF(left + c.x, numberTop, c.width, 6));
        const qsizetype column = rows.fieldNames.indexOf(QLatin1String(c.field));
        qint64 total = 0;
        for (qsizetype n = 0; n < qsizetype(rows.rows.size()); ++n) {
            const QString raw = column < 0 ? QString() : rows.rows[n][column];
            QString value = raw;
            if (!*c.field)
                value = QString::number(n + 1);
            else if (c.align == HAlign::Right)
                value = grouped(raw.toLongLong());
            else if (QLatin1String(c.field) == QLatin1String("nama_lengkap"))
                value = namePrefix + raw;
            total += raw.toLongLong();
            const PreparedText *v = cell(page, value, QRectF(left + c.x, firstRowTop + 7 * n, c.width, 7));
            if (!v)
                continue;
            EXPECT_EQ(style(*v).hAlign, c.align) << what;
            EXPECT_EQ(style(*v).vAlign, VAlign::Top) << what;
            EXPECT_EQ(style(*v).padding, (*c.field ? Padding{1.3, 0, 1.3, 0} : Padding{})) << what;
            if (QLatin1String(c.field) == QLatin1String("nik")) // 16 digits need 28 mm at 11 px
                EXPECT_TRUE(style(*v).fontPixelSize > 8 && style(*v).fontPixelSize < 11) << what;
            else
                EXPECT_EQ(style(*v).fontPixelSize, 11) << what;
            EXPECT_FALSE(style(*v).bold) << what;
        }
        if (c.align != HAlign::Right)
            continue;
        if (const PreparedText *t = cell(page, grouped(total), QRectF(left + c.x, totalTop, c.width, 11))) {
            EXPECT_TRUE(style(*t).bold) << what;
            EXPECT_EQ(style(*t).hAlign, HAlign::Right) << what;
        }
    }
    const auto &bands = report.fr.prepared().pages.at(page).bands;
    EXPECT_EQ(
        std::count_if(bands.begin(), bands.end(), [&](const PreparedBand &b) { return b.name == dataBand; }),
        qsizetype(rows.rows.size()));
}

TEST_F(ShippedAttachment, IsTheBuiltInDesign)
{
    const QByteArray builtIn = writeDesign(report.fr.design());
    ASSERT_TRUE(report.fr.loadFromFile(templatePath));
    EXPECT_EQ(writeDesign(report.fr.design()), builtIn);
}

TEST_F(ShippedAttachment, SectionOneColumnsHeadingsValuesAndTotals)
{
    const QueryResult rows = processedRows(3);
    ASSERT_EQ(prepare(rows).pages.size(), 2);
    expectSection(0, QStringLiteral("MasterData12"), sectionOne, rows, {});
    cell(0, QStringLiteral("Iuran BPJS dari Gaji yang dilaporkan"), QRectF(left + 150, headingTop, 48, 12));
    cell(0, QString(), QRectF(left, firstRowTop + 21, 102, 11)); // under No., NAMA and NIK
}

TEST_F(ShippedAttachment, SectionTwoColumnsHeadingsValuesAndTotals)
{
    const QueryResult rows = processedRows(3);
    ASSERT_EQ(prepare(rows).pages.size(), 2);
    expectSection(1, QStringLiteral("MasterData1"), sectionTwo, rows, QStringLiteral("a.n. "));
    const std::pair<const char *, double> groups[] = {{"Iuran BPJS Total", 9},
                                                      {"Iuran BPJS Total \ndikurangi Iuran dari Gaji", 59},
                                                      {"Iuran BPJS \ndari Remunerasi", 109},
                                                      {"Iuran BPJS \ndari Insentif", 159}};
    for (const auto &[heading, x] : groups)
        cell(1, QLatin1String(heading), QRectF(left + x, headingTop, 50, 12));
    cell(1, QString(), QRectF(left, firstRowTop + 21, 9, 11));
    cell(1, QString(), QRectF(left + 209, firstRowTop + 21, 87, 11));
}

TEST_F(ShippedAttachment, TitleBlockSignaturesAndFooter)
{
    prepare(processedRows(2));
    for (int page = 0; page < 2; ++page) {
        if (const PreparedText *t =
                cell(page, QStringLiteral("DAFTAR PERHITUNGAN BPJS KESEHATAN REMUNERASI NON ASN"),
                     QRectF(left, titleTop, 310, 7))) {
            EXPECT_EQ(style(*t).fontPixelSize, 13);
            EXPECT_EQ(style(*t).hAlign, HAlign::Center);
            EXPECT_EQ(style(*t).fontFamily, QStringLiteral("Courier New"));
        }
        cell(page, QStringLiteral("PERANGKAT DAERAH \nBULAN                         "),
             QRectF(left, titleTop + 7, 65, 10));
        if (const PreparedText *t =
                cell(page, QStringLiteral(": Rumah Sakit Umum Daerah pada Dinas Kesehatan\n: Mei 2024"),
                     QRectF(left + 65, titleTop + 7, 245, 10)))
            EXPECT_EQ(style(*t).fontPixelSize, 12);
        // Directly below the 11 mm total row in section one, 5 mm lower in section two.
        const double blockTop = firstRowTop + 2 * 7 + 11 + (page == 0 ? 0 : 5);
        const PreparedText *kiri = cell(page,
                                        QStringLiteral("Mengetahui\nKuasa Pengguna Anggaran,\n\n\n\n\n"
                                                       "dr. Hendra Wijaya, M.Kes.\nPembina Utama Muda, IV/c\n"
                                                       "NIP. 19750515 200003 1 004"),
                                        QRectF(left + 39.7, blockTop + 5.3, 123.3, 35.7));
        const PreparedText *kanan = cell(page,
                                         QStringLiteral("Talvirana,      \nBendahara Pengeluaran,\n\n\n\n\n"
                                                        "Maria Ulfa, S.E., M.M.\nPenata Tk. I, III/d\n"
                                                        "NIP.  19810808 200501 2 005"),
                                         QRectF(left + 163 + 39.7, blockTop + 5.3, 107.3, 35.7));
        for (const PreparedText *block : {kiri, kanan})
            if (block)
                EXPECT_EQ(style(*block).frameSides, 0u);
    }
    const QRegularExpression footer(
        QStringLiteral("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d \\| Halaman 1 dari 2$"));
    const PreparedText *found = nullptr;
    for (const PreparedText &t : report.fr.prepared().pages[0].texts)
        if (footer.match(t.text).hasMatch())
            found = &t;
    ASSERT_TRUE(found);
    EXPECT_EQ(found->rect, QRectF(left, 210 - 10 - 5, 299, 5));
    EXPECT_EQ(style(*found).fontFamily, QStringLiteral("Times New Roman"));
    EXPECT_EQ(style(*found).fontPixelSize, 11);
    EXPECT_EQ(style(*found).hAlign, HAlign::Right);
    EXPECT_FALSE(fixtures::pageTexts(report.fr.prepared(), 1).join('|').contains(QStringLiteral("Halaman")));
}

// The longest values a month can bring: they shrink or wrap inside their cells and print whole.
TEST_F(ShippedAttachment, LongValuesStayWholeInsideTheirCellsInThePdf)
{
    const QString nik = QStringLiteral("3273012345678901");
    const QString name =
        QStringLiteral("MUHAMMAD ABDURRAHMAN WAHYUDI SETIAWAN KUSUMANINGRAT PRASETYO NUGROHO "
                       "SAPUTRA WIJAYAKUSUMA HADIPUTRAN");
    ASSERT_EQ(name.size(), 100);
    QueryResult rows = processedRows(2);
    const qsizetype nikColumn = rows.indexOf(QStringLiteral("nik"));
    const qsizetype nameColumn = rows.indexOf(QStringLiteral("nama_lengkap"));
    const qsizetype thpColumn = rows.indexOf(QStringLiteral("thp"));
    const qsizetype bruto4Column = rows.indexOf(QStringLiteral("bruto_4"));
    rows.rows[0][nikColumn] = nik;
    rows.rows[0][nameColumn] = name;
    rows.rows[0][thpColumn] = rows.rows[0][bruto4Column] = QStringLiteral("500000000000000");
    rows.rows[1][thpColumn] = rows.rows[1][bruto4Column] = QStringLiteral("499999999999999");
    prepare(rows);
    for (const PreparedReport &prepared = report.fr.prepared(); const PreparedPage &page : prepared.pages)
        for (const PreparedText &text : page.texts)
            EXPECT_FALSE(text.clipped) << text.text.toStdString();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("lampiran.pdf"));
    ASSERT_TRUE(report.fr.exportPdf(pdf)) << report.fr.lastError().toStdString();
    const QList<fixtures::PdfWord> words = fixtures::pdfWords(pdf);

    // The words inside a cell, in reading order, joined by blanks.
    const auto wordsIn = [&](int page, double x, double width, double top, double height) {
        const QRectF cellBox(left + x, top, width, height);
        QList<fixtures::PdfWord> inside;
        for (const fixtures::PdfWord &w : words)
            if (w.page == page && cellBox.contains(w.box.center())) {
                // Word boxes are as tall as the face's line; a frame line is 0.26 mm wide.
                EXPECT_TRUE(cellBox.adjusted(0.2, -0.3, -0.2, 0.3).contains(w.box))
                    << w.text.toStdString() << " crosses the frame of its cell at " << x;
                inside.append(w);
            }
        std::stable_sort(inside.begin(), inside.end(), [](const auto &a, const auto &b) {
            return std::abs(a.box.top() - b.box.top()) > 0.5 ? a.box.top() < b.box.top()
                                                             : a.box.left() < b.box.left();
        });
        QStringList texts;
        for (const fixtures::PdfWord &w : inside)
            texts.append(w.text);
        return texts.join(QLatin1Char(' '));
    };
    EXPECT_EQ(wordsIn(0, 77, 25, firstRowTop, 7), nik);
    EXPECT_EQ(wordsIn(0, 9, 68, firstRowTop, 7), name);
    EXPECT_EQ(wordsIn(0, 246, 27, firstRowTop, 7), QStringLiteral("500.000.000.000.000"));
    EXPECT_EQ(wordsIn(0, 246, 27, firstRowTop + 14, 11), QStringLiteral("999.999.999.999.999"));
    EXPECT_EQ(wordsIn(0, 102, 24, firstRowTop, 7), grouped(rows.rows[0][rows.indexOf("gapok")].toLongLong()));
    EXPECT_EQ(wordsIn(1, 209, 87, firstRowTop, 7), QStringLiteral("a.n. ") + name);
    EXPECT_EQ(wordsIn(1, 34, 25, firstRowTop + 14, 11), QStringLiteral("999.999.999.999.999"));
}

} // namespace
