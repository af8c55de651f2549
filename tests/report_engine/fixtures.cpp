#include "fixtures.h"

#include "report_engine/page_painter.h"

#include <QPainter>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>

#include <gtest/gtest.h>

namespace fixtures {

QByteArray templateWith(const QString &bands, const QString &pageAttributes)
{
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<report version=\"1\" title=\"Test report\">\n"
               "<page name=\"R1\" width=\"100\" height=\"100\" margin-left=\"10\" margin-top=\"10\" "
               "margin-right=\"10\" margin-bottom=\"10\" %1>\n%2</page>\n</report>\n")
        .arg(pageAttributes, bands)
        .toUtf8();
}

QByteArray pagedTemplate(const QString &dataText)
{
    return templateWith(
        QStringLiteral(
            "<band kind=\"title\" name=\"Title\" height=\"10\">"
            "<text x=\"0\" y=\"0\" width=\"80\" height=\"10\">TITLE</text></band>\n"
            "<band kind=\"column-header\" name=\"Head\" height=\"10\">"
            "<text x=\"0\" y=\"0\" width=\"80\" height=\"10\">HEAD</text></band>\n"
            "<band kind=\"data\" name=\"Rows\" height=\"10\" dataset=\"people\">"
            "<text x=\"0\" y=\"0\" width=\"80\" height=\"10\">%1</text></band>\n"
            "<band kind=\"summary\" name=\"Sum\" height=\"20\">"
            "<text x=\"0\" y=\"0\" width=\"80\" height=\"10\" format=\"%2.0n\" decimal=\",\" "
            "thousands=\".\">TOTAL [SUM(&lt;people.\"amount\"&gt;,Rows)]</text></band>\n"
            "<band kind=\"page-footer\" name=\"Foot\" height=\"10\">"
            "<text x=\"0\" y=\"0\" width=\"80\" height=\"10\">[Page#]/[TotalPages#]</text></band>\n")
            .arg(dataText));
}

std::unique_ptr<report_engine::TableDataset> people(int rows)
{
    auto table = std::make_unique<report_engine::TableDataset>(
        QStringLiteral("people"), QStringList{QStringLiteral("name"), QStringLiteral("amount")});
    for (int i = 1; i <= rows; ++i)
        table->appendRow({QStringLiteral("P%1").arg(i), QString::number(i * 1000)});
    return table;
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(30000);
    EXPECT_TRUE(finished && process.exitCode() == 0)
        << program.toStdString() << ": " << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList pageTexts(const report_engine::PreparedReport &report, int page)
{
    QList<const report_engine::PreparedText *> sorted;
    for (const report_engine::PreparedText &t : report.pages.at(page).texts)
        sorted.append(&t);
    std::stable_sort(sorted.begin(), sorted.end(), [](auto *a, auto *b) {
        return a->rect.top() != b->rect.top() ? a->rect.top() < b->rect.top()
                                              : a->rect.left() < b->rect.left();
    });
    QStringList out;
    for (const report_engine::PreparedText *t : sorted)
        out.append(t->text);
    return out;
}

QStringList bandNames(const report_engine::PreparedPage &page)
{
    QStringList names;
    for (const report_engine::PreparedBand &band : page.bands)
        names.append(band.name);
    return names;
}

QList<PdfWord> pdfWords(const QString &pdfPath)
{
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">(.*)</word>"));
    const double mm = 25.4 / 72;
    QList<PdfWord> words;
    int page = -1;
    for (const QString &line :
         run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")})
             .split(QLatin1Char('\n'))) {
        if (line.contains(QLatin1String("<page ")))
            ++page;
        const QRegularExpressionMatch m = word.match(line);
        if (!m.hasMatch())
            continue;
        QString text = m.captured(5);
        text.replace(QLatin1String("&lt;"), QLatin1String("<"))
            .replace(QLatin1String("&gt;"), QLatin1String(">"))
            .replace(QLatin1String("&quot;"), QLatin1String("\""))
            .replace(QLatin1String("&apos;"), QLatin1String("'"))
            .replace(QLatin1String("&amp;"), QLatin1String("&"));
        const QPointF from(m.captured(1).toDouble() * mm, m.captured(2).toDouble() * mm);
        const QPointF to(m.captured(3).toDouble() * mm, m.captured(4).toDouble() * mm);
        words.append({page, QRectF(from, to), text});
    }
    return words;
}

namespace {
constexpr double drawnScale = 4;

QPoint drawnPixel(double xMm, double yMm)
{
    return QPoint(qRound(xMm * report_engine::pxPerMm * drawnScale),
                  qRound(yMm * report_engine::pxPerMm * drawnScale));
}
} // namespace

DrawnPage::DrawnPage(const report_engine::PreparedReport &report)
    : image(QSize(1, 1) * qCeil(report.pages[0].size.width() * report_engine::pxPerMm * drawnScale),
            QImage::Format_RGB32)
{
    image.fill(Qt::white);
    QPainter painter(&image);
    report_engine::PagePainter(report).drawPage(painter, 0, drawnScale);
}

DrawnPage DrawnPage::ofPdf(const QString &pdfPath)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(96 * drawnScale), QStringLiteral("-f"), QStringLiteral("1"),
         QStringLiteral("-singlefile"), QStringLiteral("-gray"), QStringLiteral("-png"), pdfPath, prefix});
    DrawnPage page;
    EXPECT_TRUE(page.image.load(prefix + QStringLiteral(".png"))) << pdfPath.toStdString();
    return page;
}

bool DrawnPage::inkAt(double xMm, double yMm) const
{
    const QPoint p = drawnPixel(xMm, yMm);
    EXPECT_TRUE(image.valid(p));
    return qGray(image.pixel(p)) < 128;
}

bool DrawnPage::inkIn(const QRectF &mm) const
{
    const QPoint from = drawnPixel(mm.left(), mm.top()), to = drawnPixel(mm.right(), mm.bottom());
    for (int y = from.y(); y <= to.y(); ++y)
        for (int x = from.x(); x <= to.x(); ++x)
            if (image.valid(x, y) && qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}

} // namespace fixtures
