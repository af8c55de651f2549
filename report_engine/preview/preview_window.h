// The modal preview: page view with zoom, navigator, find, print, page setup,
// save and open of prepared reports, and the exports. Every command is a
// named QAction (objectName), so tests and hosts can trigger them directly.
#pragma once

#include "report_engine/prepared.h"
#include "report_engine/preview/preview_host.h"
#include "report_engine/report.h"

#include <QDialog>
#include <QPageLayout>

class QAction;
class QLabel;
class QLineEdit;
class QPrinter;
class QScrollArea;
class QSpinBox;

namespace report_engine {

class PageView;

class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    enum class ExportFormat { Pdf, Html, Csv };

    // With a report, page setup prepares it again; without, the preview only shows opened files.
    PreviewWindow(PreviewHost &host, Report *report, QWidget *parent = nullptr);
    ~PreviewWindow() override;

    const PreparedReport &prepared() const { return prepared_; }
    int currentPage() const { return page_; } // from 0
    double zoom() const { return zoom_; }
    QString pageLabel() const; // "Page N of M"
    QString statusMessage() const;

    void goToPage(int page);
    void setZoom(double zoom);
    void fitZoom(PreviewZoom::Fit fit);
    PreviewZoom::Fit zoomFit() const { return fit_; }
    // Searches forward from the last hit, wrapping at the end; false when nothing matches.
    bool findNext(const QString &text);
    // Takes paper, orientation and margins for every report page and prepares again.
    bool applyPageLayout(const QPageLayout &layout);
    bool exportTo(ExportFormat format, const QString &path);
    bool printTo(QPrinter &printer);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void done(int result) override;

private:
    void buildActions();
    void applyFit();
    QAction *addCommand(const QString &objectName, const QString &text, const QKeySequence &shortcut,
                        void (PreviewWindow::*slot)());
    void setPrepared(const PreparedReport &prepared);
    void refresh();
    void showStatus(const QString &message);
    // The suggested file name of exports and saves, without suffix.
    QString documentName() const;

    void print();
    void printToDefault();
    void pageSetup();
    void openPrepared();
    void savePrepared();
    void exportPdf() { exportAsked(ExportFormat::Pdf); }
    void exportHtml() { exportAsked(ExportFormat::Html); }
    void exportCsv() { exportAsked(ExportFormat::Csv); }
    void exportAsked(ExportFormat format);
    void quickExport();
    void find();
    void focusFind();
    void zoomIn();
    void zoomOut();
    void actualSize() { setZoom(1); }
    void pageWidth() { fitZoom(PreviewZoom::Fit::PageWidth); }
    void wholePage() { fitZoom(PreviewZoom::Fit::WholePage); }
    void firstPage() { goToPage(0); }
    void previousPage() { goToPage(page_ - 1); }
    void nextPage() { goToPage(page_ + 1); }
    void lastPage() { goToPage(int(prepared_.pages.size()) - 1); }

    PreviewHost &host_;
    Report *report_;
    PreparedReport prepared_;
    int page_ = 0;
    double zoom_ = 1;
    PreviewZoom::Fit fit_ = PreviewZoom::Fit::None;
    int foundPage_ = -1, foundText_ = -1;
    QString lastPath_; // of the last export, for quick export
    ExportFormat lastFormat_ = ExportFormat::Pdf;
    bool exportedOnce_ = false;

    PageView *view_ = nullptr;
    QScrollArea *scroll_ = nullptr;
    QSpinBox *pageBox_ = nullptr;
    QLabel *pageLabel_ = nullptr;
    QLabel *zoomLabel_ = nullptr;
    QLabel *status_ = nullptr;
    QLineEdit *findEdit_ = nullptr;
    QAction *pageSetupAction_ = nullptr;
};

} // namespace report_engine
