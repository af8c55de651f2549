#include "report_engine/exports.h"

#include "report_engine/page_painter.h"
#include "report_engine/pdf_metadata.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

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

// Draws every page on a device already begun by `painter`; `startPage` moves to a fresh page.
template <typename StartPage>
bool paintPages(const PreparedReport &report, QPainter &painter, double dpi, StartPage startPage,
                const Progress &progress)
{
    PagePainter pages(report);
    const int total = int(report.pages.size());
    for (int i = 0; i < total; ++i) {
        if (i > 0 && !startPage(report.pages[i].size))
            return false;
        pages.drawPage(painter, i, dpi / 96.0);
        if (progress && !progress(i + 1, total))
            return false;
    }
    return true;
}

} // namespace

bool exportPdf(const PreparedReport &report, const QString &path, QString *error, const Progress &progress)
{
    const QString title = report.title.isEmpty() ? QFileInfo(path).completeBaseName() : report.title;
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPdfVersion(QPagedPaintDevice::PdfVersion_1_6);
        writer.setTitle(title);
        writer.setCreator(engineName);
        writer.setResolution(1200);
        QSizeF first = report.isEmpty() ? QSizeF(210, 297) : report.pages.first().size;
        writer.setPageLayout(layoutFor(first));
        QPainter painter(&writer);
        if (!painter.isActive())
            return setError(error, QCoreApplication::translate("report_engine", "cannot write PDF"));
        auto startPage = [&](const QSizeF &size) {
            if (size != first) {
                writer.setPageLayout(layoutFor(size));
                first = size;
            }
            return writer.newPage();
        };
        const bool done = paintPages(report, painter, writer.resolution(), startPage, progress);
        painter.end();
        if (!done)
            return setError(error, QCoreApplication::translate("report_engine", "export cancelled"));
    }
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
    auto startPage = [&](const QSizeF &size) {
        if (size != current) {
            printer.setPageLayout(layoutFor(size));
            current = size;
        }
        return printer.newPage();
    };
    if (!paintPages(report, painter, printer.resolution(), startPage, progress)) {
        printer.abort();
        return setError(error, QCoreApplication::translate("report_engine", "printing cancelled"));
    }
    return true;
}

} // namespace report_engine
