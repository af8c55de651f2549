#include "report_engine/preview/preview_window.h"

#include "report_engine/exports.h"
#include "report_engine/preview/page_view.h"
#include "report_engine/report.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QScrollArea>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <array>

namespace report_engine {

namespace {

constexpr std::array zoomSteps{0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};

struct FormatInfo {
    const char *caption;
    const char *filter;
    const char *suffix;
};

FormatInfo formatInfo(PreviewWindow::ExportFormat format)
{
    switch (format) {
    case PreviewWindow::ExportFormat::Pdf:
        return {QT_TRANSLATE_NOOP("report_engine::PreviewWindow", "Export to PDF"),
                QT_TRANSLATE_NOOP("report_engine::PreviewWindow", "PDF files (*.pdf)"), ".pdf"};
    case PreviewWindow::ExportFormat::Html:
        return {QT_TRANSLATE_NOOP("report_engine::PreviewWindow", "Export to HTML"),
                QT_TRANSLATE_NOOP("report_engine::PreviewWindow", "HTML files (*.html *.htm)"), ".html"};
    case PreviewWindow::ExportFormat::Csv:
        return {QT_TRANSLATE_NOOP("report_engine::PreviewWindow", "Export to CSV"),
                QT_TRANSLATE_NOOP("report_engine::PreviewWindow", "CSV files (*.csv)"), ".csv"};
    }
    return {};
}

const char *const preparedFilter =
    QT_TRANSLATE_NOOP("report_engine::PreviewWindow", "Prepared reports (*.rpr)");

} // namespace

PreviewWindow::PreviewWindow(PreviewHost &host, Report *report, QWidget *parent)
    : QDialog(parent), host_(host), report_(report)
{
    setWindowTitle(tr("Preview"));
    setModal(true);
    resize(1100, 800); // until shown maximised
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildActions();
    scroll_ = new QScrollArea(this);
    view_ = new PageView;
    scroll_->setWidget(view_);
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    layout->addWidget(scroll_, 1);
    auto *bar = new QWidget(this);
    auto *barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(6, 2, 6, 2);
    status_ = new QLabel(bar);
    zoomLabel_ = new QLabel(bar);
    pageLabel_ = new QLabel(bar);
    pageLabel_->setObjectName(QStringLiteral("pageLabel"));
    barLayout->addWidget(status_, 1);
    barLayout->addWidget(zoomLabel_);
    barLayout->addSpacing(12);
    barLayout->addWidget(pageLabel_);
    layout->addWidget(bar);
    setPrepared(report ? report->prepared() : PreparedReport{});
    if (report) {
        zoom_ = report->previewZoom.factor;
        fitZoom(report->previewZoom.fit);
    }
}

PreviewWindow::~PreviewWindow() = default;

QAction *PreviewWindow::addCommand(const QString &objectName, const QString &text,
                                   const QKeySequence &shortcut, void (PreviewWindow::*slot)())
{
    auto *action = new QAction(text, this);
    action->setObjectName(objectName);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setToolTip(QStringLiteral("%1 (%2)").arg(text, shortcut.toString(QKeySequence::NativeText)));
    }
    connect(action, &QAction::triggered, this, slot);
    addAction(action);
    return action;
}

void PreviewWindow::buildActions()
{
    auto *toolbar = new QToolBar(this);
    layout()->addWidget(toolbar);
    toolbar->addAction(
        addCommand(QStringLiteral("print"), tr("Print..."), QKeySequence::Print, &PreviewWindow::print));
    toolbar->addAction(addCommand(QStringLiteral("printDefault"), tr("Quick print"),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
                                  &PreviewWindow::printToDefault));
    pageSetupAction_ =
        addCommand(QStringLiteral("pageSetup"), tr("Page setup..."), {}, &PreviewWindow::pageSetup);
    toolbar->addAction(pageSetupAction_);
    toolbar->addSeparator();
    toolbar->addAction(
        addCommand(QStringLiteral("open"), tr("Open..."), QKeySequence::Open, &PreviewWindow::openPrepared));
    toolbar->addAction(
        addCommand(QStringLiteral("save"), tr("Save..."), QKeySequence::Save, &PreviewWindow::savePrepared));
    toolbar->addAction(addCommand(QStringLiteral("exportPdf"), tr("PDF..."),
                                  QKeySequence(Qt::CTRL | Qt::Key_E), &PreviewWindow::exportPdf));
    toolbar->addAction(
        addCommand(QStringLiteral("exportHtml"), tr("HTML..."), {}, &PreviewWindow::exportHtml));
    toolbar->addAction(addCommand(QStringLiteral("exportCsv"), tr("CSV..."), {}, &PreviewWindow::exportCsv));
    toolbar->addAction(addCommand(QStringLiteral("quickExport"), tr("Quick export"),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E),
                                  &PreviewWindow::quickExport));
    // Viewing commands on a second row, so the find field is never folded away.
    toolbar = new QToolBar(this);
    layout()->addWidget(toolbar);
    toolbar->addAction(addCommand(QStringLiteral("zoomOut"), tr("Zoom out"), QKeySequence::ZoomOut,
                                  &PreviewWindow::zoomOut));
    toolbar->addAction(addCommand(QStringLiteral("actualSize"), tr("100 %"),
                                  QKeySequence(Qt::CTRL | Qt::Key_0), &PreviewWindow::actualSize));
    toolbar->addAction(
        addCommand(QStringLiteral("zoomIn"), tr("Zoom in"), QKeySequence::ZoomIn, &PreviewWindow::zoomIn));
    toolbar->addAction(
        addCommand(QStringLiteral("zoomPageWidth"), tr("Page width"), {}, &PreviewWindow::pageWidth));
    toolbar->addAction(
        addCommand(QStringLiteral("zoomWholePage"), tr("Whole page"), {}, &PreviewWindow::wholePage));
    toolbar->addSeparator();
    toolbar->addAction(addCommand(QStringLiteral("firstPage"), tr("First"),
                                  QKeySequence(Qt::CTRL | Qt::Key_Home), &PreviewWindow::firstPage));
    toolbar->addAction(addCommand(QStringLiteral("previousPage"), tr("Previous"),
                                  QKeySequence(Qt::Key_PageUp), &PreviewWindow::previousPage));
    pageBox_ = new QSpinBox(this);
    pageBox_->setObjectName(QStringLiteral("pageNumber"));
    connect(pageBox_, &QSpinBox::valueChanged, this, [this](int value) {
        if (value - 1 != page_)
            goToPage(value - 1);
    });
    toolbar->addWidget(pageBox_);
    toolbar->addAction(addCommand(QStringLiteral("nextPage"), tr("Next"), QKeySequence(Qt::Key_PageDown),
                                  &PreviewWindow::nextPage));
    toolbar->addAction(addCommand(QStringLiteral("lastPage"), tr("Last"),
                                  QKeySequence(Qt::CTRL | Qt::Key_End), &PreviewWindow::lastPage));
    toolbar->addSeparator();
    findEdit_ = new QLineEdit(this);
    findEdit_->setObjectName(QStringLiteral("findText"));
    findEdit_->setPlaceholderText(tr("Find"));
    findEdit_->setMaximumWidth(200);
    connect(findEdit_, &QLineEdit::returnPressed, this, &PreviewWindow::find);
    toolbar->addWidget(findEdit_);
    toolbar->addAction(addCommand(QStringLiteral("findNext"), tr("Find next"), QKeySequence::FindNext,
                                  &PreviewWindow::find));
    addCommand(QStringLiteral("focusFind"), tr("Find"), QKeySequence::Find, &PreviewWindow::focusFind);
}

void PreviewWindow::setPrepared(const PreparedReport &prepared)
{
    prepared_ = prepared;
    view_->setReport(&prepared_);
    foundPage_ = foundText_ = -1;
    page_ = 0;
    pageSetupAction_->setEnabled(report_ != nullptr);
    refresh();
}

QString PreviewWindow::pageLabel() const
{
    const int count = int(prepared_.pages.size());
    return tr("Page %1 of %2").arg(count ? page_ + 1 : 0).arg(count);
}

QString PreviewWindow::statusMessage() const
{
    return status_->text();
}

void PreviewWindow::showStatus(const QString &message)
{
    status_->setText(message);
}

void PreviewWindow::refresh()
{
    const int count = int(prepared_.pages.size());
    const QSignalBlocker blocker(pageBox_);
    pageBox_->setRange(count ? 1 : 0, count);
    pageBox_->setValue(count ? page_ + 1 : 0);
    pageLabel_->setText(pageLabel());
    zoomLabel_->setText(QStringLiteral("%1 %").arg(qRound(zoom_ * 100)));
    const QRectF highlight =
        foundPage_ == page_ && foundText_ >= 0 ? prepared_.pages[page_].texts[foundText_].rect : QRectF();
    view_->show(count ? page_ : -1, zoom_, highlight);
}

void PreviewWindow::goToPage(int page)
{
    page_ = std::clamp(page, 0, std::max(0, int(prepared_.pages.size()) - 1));
    refresh();
}

void PreviewWindow::setZoom(double zoom)
{
    fit_ = PreviewZoom::Fit::None;
    zoom_ = std::clamp(zoom, zoomSteps.front(), zoomSteps.back());
    refresh();
}

void PreviewWindow::fitZoom(PreviewZoom::Fit fit)
{
    fit_ = fit;
    applyFit();
}

// The zoom at which the current page fills the view's width, or shows whole.
void PreviewWindow::applyFit()
{
    if (fit_ == PreviewZoom::Fit::None || prepared_.isEmpty()) {
        refresh();
        return;
    }
    const QSizeF page = view_->pageSizeAtFullZoom(page_);
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize room = scroll_->size() - QSize(2 * PageView::gap + scrollBar + 2, 2 * PageView::gap + 2);
    double zoom = room.width() / page.width();
    if (fit_ == PreviewZoom::Fit::WholePage)
        zoom = std::min(zoom, room.height() / page.height());
    zoom_ = std::clamp(zoom, zoomSteps.front(), zoomSteps.back());
    refresh();
}

void PreviewWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (fit_ != PreviewZoom::Fit::None)
        applyFit();
}

void PreviewWindow::done(int result)
{
    if (report_)
        report_->previewZoom = {zoom_, fit_};
    QDialog::done(result);
}

void PreviewWindow::zoomIn()
{
    for (double step : zoomSteps)
        if (step > zoom_ + 1e-9)
            return setZoom(step);
}

void PreviewWindow::zoomOut()
{
    for (auto it = zoomSteps.rbegin(); it != zoomSteps.rend(); ++it)
        if (*it < zoom_ - 1e-9)
            return setZoom(*it);
}

bool PreviewWindow::findNext(const QString &text)
{
    if (text.isEmpty() || prepared_.isEmpty())
        return false;
    const int pages = int(prepared_.pages.size());
    int page = foundPage_ < 0 ? page_ : foundPage_;
    int index = foundPage_ < 0 ? 0 : foundText_ + 1;
    for (int visited = 0; visited <= pages; ++visited, page = (page + 1) % pages, index = 0) {
        const QList<PreparedText> &texts = prepared_.pages[page].texts;
        for (; index < texts.size(); ++index)
            if (texts[index].text.contains(text, Qt::CaseInsensitive)) {
                foundPage_ = page;
                foundText_ = index;
                showStatus(QString());
                goToPage(page);
                return true;
            }
    }
    foundPage_ = foundText_ = -1;
    showStatus(tr("\"%1\" not found").arg(text));
    refresh();
    return false;
}

void PreviewWindow::find()
{
    findNext(findEdit_->text());
}

void PreviewWindow::focusFind()
{
    findEdit_->setFocus();
    findEdit_->selectAll();
}

bool PreviewWindow::printTo(QPrinter &printer)
{
    QProgressDialog progress(tr("Printing..."), tr("Cancel"), 0, int(prepared_.pages.size()), this);
    progress.setMinimumDuration(500);
    QString error;
    if (printReport(prepared_, printer, &error, [&](int done, int) {
            progress.setValue(done);
            return !progress.wasCanceled();
        }))
        return true;
    host_.showError(error);
    return false;
}

void PreviewWindow::print()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        printTo(printer);
}

void PreviewWindow::printToDefault()
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        host_.showError(tr("No default printer is set up."));
        return;
    }
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    printTo(printer);
}

void PreviewWindow::pageSetup()
{
    if (prepared_.isEmpty() || !report_)
        return;
    QPrinter printer;
    const ReportPage &first = report_->design().pages.first();
    printer.setPageLayout(QPageLayout(
        QPageSize(QSizeF(first.paperWidth, first.paperHeight), QPageSize::Millimeter),
        first.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(first.margins.left, first.margins.top, first.margins.right, first.margins.bottom),
        QPageLayout::Millimeter));
    QPageSetupDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        applyPageLayout(printer.pageLayout());
}

bool PreviewWindow::applyPageLayout(const QPageLayout &layout)
{
    if (!report_)
        return false;
    const QSizeF paper = layout.pageSize().size(QPageSize::Millimeter);
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    for (ReportPage &page : report_->design().pages) {
        page.paperWidth = paper.width();
        page.paperHeight = paper.height();
        page.landscape = layout.orientation() == QPageLayout::Landscape;
        page.margins = {margins.left(), margins.top(), margins.right(), margins.bottom()};
    }
    if (!report_->prepare()) {
        host_.showError(report_->lastError());
        return false;
    }
    const int keep = page_;
    setPrepared(report_->prepared());
    goToPage(keep);
    return true;
}

void PreviewWindow::openPrepared()
{
    const QString path = host_.openFileName(tr("Open prepared report"), tr(preparedFilter));
    if (path.isEmpty())
        return;
    PreparedReport loaded;
    QString error;
    if (!loadPreparedReport(path, loaded, &error)) {
        host_.showError(tr("Cannot open %1: %2").arg(QDir::toNativeSeparators(path), error));
        return;
    }
    report_ = nullptr; // the pages no longer come from the design
    setPrepared(loaded);
}

QString PreviewWindow::documentName() const
{
    if (report_ && !report_->documentName().isEmpty())
        return report_->documentName();
    return prepared_.title.isEmpty() ? QStringLiteral("report") : prepared_.title;
}

void PreviewWindow::savePrepared()
{
    const QString path =
        host_.saveFileName(tr("Save prepared report"), documentName() + ".rpr", tr(preparedFilter));
    if (path.isEmpty())
        return;
    QString error;
    if (!savePreparedReport(prepared_, path, &error))
        host_.showError(tr("Cannot save %1: %2").arg(QDir::toNativeSeparators(path), error));
}

bool PreviewWindow::exportTo(ExportFormat format, const QString &path)
{
    QProgressDialog progress(tr("Exporting..."), tr("Cancel"), 0, int(prepared_.pages.size()), this);
    progress.setMinimumDuration(500);
    const Progress step = [&](int done, int) {
        progress.setValue(done);
        return !progress.wasCanceled();
    };
    QString error;
    const bool ok = format == ExportFormat::Pdf    ? report_engine::exportPdf(prepared_, path, &error, step)
                    : format == ExportFormat::Html ? report_engine::exportHtml(prepared_, path, &error, step)
                                                   : report_engine::exportCsv(prepared_, path, &error, step);
    if (!ok) {
        host_.showError(error);
        return false;
    }
    lastFormat_ = format;
    lastPath_ = path;
    exportedOnce_ = true;
    showStatus(tr("Exported to %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

void PreviewWindow::exportAsked(ExportFormat format)
{
    const FormatInfo info = formatInfo(format);
    const QString name =
        format == ExportFormat::Csv ? defaultCsvFileName : documentName() + QLatin1String(info.suffix);
    const QString path = host_.saveFileName(tr(info.caption), name, tr(info.filter));
    if (!path.isEmpty())
        exportTo(format, path);
}

void PreviewWindow::quickExport()
{
    if (!exportedOnce_)
        return exportAsked(lastFormat_);
    exportTo(lastFormat_, lastPath_);
}

} // namespace report_engine
