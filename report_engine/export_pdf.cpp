#include "report_engine/exports.h"

#include "report_engine/page_painter.h"
#include "report_engine/pdf_document.h"
#include "report_engine/pdf_metadata.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGlyphRun>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextDocument>

#include <cmath>

namespace report_engine {

namespace {

QPageLayout layoutFor(const QSizeF &mm)
{
    const bool landscape = mm.width() > mm.height();
    const QPageSize size(landscape ? mm.transposed() : mm, QPageSize::Millimeter, QString(),
                         QPageSize::ExactMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

bool setError(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

// Resolution of the PDF's drawing units: whole units keep its content short.
constexpr double pdfDpi = 1200;

class PdfCanvas : public PageCanvas {
public:
    explicit PdfCanvas(PdfDocument &pdf) : pdf_(pdf) {}

    void strokeLines(const QList<QLineF> &lines, double width) override { pdf_.strokeLines(lines, width); }

    void drawTextLine(std::size_t, const QRawFont &font, QStringView text, const quint32 *glyphs,
                      const double *x, double y) override
    {
        pdf_.showGlyphs(font, x, y, glyphs, text);
    }

    // Rich texts are rare and short: each glyph goes where Qt's layout put it.
    void drawDocument(QTextDocument &document, QPointF at, double scale) override
    {
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const QBrush brush = fragment.charFormat().foreground();
                const QColor color = brush.style() == Qt::NoBrush ? QColor(Qt::black) : brush.color();
                for (const QGlyphRun &run : fragment.glyphRuns())
                    drawRun(run, fragment.text(), at, scale, color);
            }
    }

    void clip(const QRectF &rect) override { pdf_.clip(rect); }
    void unclip() override { pdf_.unclip(); }

private:
    void drawRun(const QGlyphRun &run, const QString &text, QPointF at, double scale, const QColor &color)
    {
        const QRawFont font = run.rawFont();
        QRawFont scaled = font;
        scaled.setPixelSize(font.pixelSize() * scale);
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        const QList<quint32> ofText = font.glyphIndexesForString(text); // which character a glyph shows
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            const qsizetype c = ofText.indexOf(glyphs[i]);
            const QChar shown = c >= 0 && c < text.size() ? text[c] : QChar(QChar::ReplacementCharacter);
            const QPointF p = (at + positions[i]) * scale;
            const double x = p.x();
            pdf_.showGlyphs(scaled, &x, p.y(), &glyphs[i], QStringView(&shown, 1), color);
        }
        if (run.underline() && !glyphs.isEmpty()) {
            const double left = positions.first().x();
            const double right = positions.last().x() +
                                 font.advancesForGlyphIndexes(QList<quint32>{glyphs.last()}).value(0).x();
            // Where QPainter puts it: a whole pixel below the baseline, centred on the pixel.
            const double thickness = font.lineThickness();
            const double middle = positions.first().y() + std::ceil(font.underlinePosition()) + 0.5;
            const QPointF topLeft(left, middle - thickness / 2);
            pdf_.fillRect(QRectF((at + topLeft) * scale, QSizeF(right - left, thickness) * scale), color);
        }
    }

    PdfDocument &pdf_;
};

} // namespace

bool exportPdf(const PreparedReport &report, const QString &path, QString *error, const Progress &progress)
{
    const QString title = report.title.isEmpty() ? QFileInfo(path).completeBaseName() : report.title;
    PdfDocument document("1.6");
    if (report.isEmpty())
        document.beginPage(QSizeF(210, 297), pdfDpi);
    PdfCanvas canvas(document);
    PagePainter pages(report);
    const int total = int(report.pages.size());
    for (int i = 0; i < total; ++i) {
        document.beginPage(report.pages[i].size, pdfDpi);
        pages.drawPage(canvas, i, pdfDpi / 96.0);
        if (progress && !progress(i + 1, total))
            return setError(error, QCoreApplication::translate("report_engine", "export cancelled"));
    }
    QByteArray pdf = document.finish();
    if (!appendPdfMetadata(pdf,
                           {title, engineName, engineName + QStringLiteral(" PDF export"), engineName,
                            QDateTime::currentDateTime()},
                           error))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size() || !file.commit())
        return setError(error, QCoreApplication::translate("report_engine", "cannot write %1: %2")
                                   .arg(path, file.errorString()));
    return true;
}

bool printReport(const PreparedReport &report, QPrinter &printer, QString *error, const Progress &progress)
{
    if (report.isEmpty())
        return setError(error, QCoreApplication::translate("report_engine", "there is nothing to print"));
    printer.setFullPage(true);
    printer.setDocName(report.title);
    QSizeF current = report.pages.first().size;
    printer.setPageLayout(layoutFor(current));
    QPainter painter(&printer);
    if (!painter.isActive())
        return setError(error, QCoreApplication::translate("report_engine", "the printer cannot be opened"));
    PagePainter pages(report);
    const int total = int(report.pages.size());
    for (int i = 0; i < total; ++i) {
        const QSizeF &size = report.pages[i].size;
        if (i > 0 && size != current) {
            printer.setPageLayout(layoutFor(size));
            current = size;
        }
        const bool started = i == 0 || printer.newPage();
        if (started)
            pages.drawPage(painter, i, printer.resolution() / 96.0);
        if (!started || (progress && !progress(i + 1, total))) {
            printer.abort();
            return setError(error, QCoreApplication::translate("report_engine", "printing cancelled"));
        }
    }
    return true;
}

} // namespace report_engine
