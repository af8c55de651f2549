#include "fixtures.h"

#include "report_engine/preview/preview_window.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPrinterInfo>
#include <QScrollArea>
#include <QTimer>

#include <gtest/gtest.h>

using namespace report_engine;

namespace {

// Answers file names from a script and records every error, like the program's seams do.
class ScriptedHost : public PreviewHost {
public:
    struct Ask {
        QString caption, suggested, filter;
    };

    QString saveFileName(const QString &caption, const QString &suggested, const QString &filter) override
    {
        asked.append({caption, suggested, filter});
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QString openFileName(const QString &caption, const QString &filter) override
    {
        asked.append({caption, {}, filter});
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    void showError(const QString &message) override { errors.append(message); }

    QStringList answers;
    QList<Ask> asked;
    QStringList errors;
};

class Preview : public ::testing::Test {
protected:
    void SetUp() override
    {
        data = fixtures::people(12);
        report.registerDataset(data.get());
        ASSERT_TRUE(report.loadFromXml(fixtures::pagedTemplate()));
        ASSERT_TRUE(report.prepare());
        window = std::make_unique<PreviewWindow>(host, &report);
    }

    void trigger(const char *command)
    {
        auto *action = window->findChild<QAction *>(QLatin1String(command));
        ASSERT_NE(action, nullptr) << command;
        action->trigger();
    }

    QString shownPageLabel() const
    {
        return window->findChild<QLabel *>(QStringLiteral("pageLabel"))->text();
    }
    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }

    QTemporaryDir dir;
    std::unique_ptr<TableDataset> data;
    Report report;
    ScriptedHost host;
    std::unique_ptr<PreviewWindow> window;
};

TEST_F(Preview, OpensOnTheFirstPageAtActualSizeAndNavigates)
{
    EXPECT_EQ(window->zoom(), 1.0);
    EXPECT_EQ(shownPageLabel(), QStringLiteral("Page 1 of 3"));
    trigger("nextPage");
    trigger("nextPage");
    trigger("nextPage");
    EXPECT_EQ(shownPageLabel(), QStringLiteral("Page 3 of 3"));
    trigger("firstPage");
    EXPECT_EQ(window->currentPage(), 0);
    trigger("lastPage");
    EXPECT_EQ(window->currentPage(), 2);
    trigger("zoomIn");
    EXPECT_EQ(window->zoom(), 1.25);
    trigger("zoomOut");
    trigger("zoomOut");
    EXPECT_EQ(window->zoom(), 0.75);
    trigger("actualSize");
    EXPECT_EQ(window->zoom(), 1.0);
    window->grab(); // paints the page through the glyph runs
    EXPECT_TRUE(host.errors.isEmpty());
}

TEST_F(Preview, CommonCommandsHaveShortcuts)
{
    const std::pair<const char *, QKeySequence> shortcuts[] = {
        {"print", QKeySequence::Print},
        {"save", QKeySequence::Save},
        {"open", QKeySequence::Open},
        {"focusFind", QKeySequence::Find},
        {"findNext", QKeySequence::FindNext},
        {"zoomIn", QKeySequence::ZoomIn},
        {"nextPage", QKeySequence(Qt::Key_PageDown)},
    };
    for (const auto &[command, keys] : shortcuts)
        EXPECT_EQ(window->findChild<QAction *>(QLatin1String(command))->shortcut(), keys) << command;
}

TEST_F(Preview, FindMovesToTheNextHitAndWraps)
{
    EXPECT_TRUE(window->findNext(QStringLiteral("p7")));
    EXPECT_EQ(window->currentPage(), 1);
    EXPECT_TRUE(window->findNext(QStringLiteral("HEAD")));
    EXPECT_EQ(window->currentPage(), 2);
    EXPECT_TRUE(window->findNext(QStringLiteral("HEAD")));
    EXPECT_EQ(window->currentPage(), 0) << "wraps to the first page";
    EXPECT_FALSE(window->findNext(QStringLiteral("nobody")));
    EXPECT_EQ(window->statusMessage(), QStringLiteral("\"nobody\" not found"));
    EXPECT_TRUE(host.errors.isEmpty());
}

TEST_F(Preview, ExportAsksForANameAndQuickExportReusesIt)
{
    host.answers = {path("first.csv")};
    trigger("exportCsv");
    ASSERT_EQ(host.asked.size(), 1);
    EXPECT_EQ(host.asked[0].caption, QStringLiteral("Export to CSV"));
    EXPECT_EQ(host.asked[0].suggested, QStringLiteral("report_tpp1.csv"));
    EXPECT_EQ(host.asked[0].filter, QStringLiteral("CSV files (*.csv)"));
    ASSERT_TRUE(QFile::exists(path("first.csv")));

    QFile::remove(path("first.csv"));
    trigger("quickExport");
    EXPECT_EQ(host.asked.size(), 1) << "quick export asks nothing";
    EXPECT_TRUE(QFile::exists(path("first.csv")));

    host.answers = {path("doc.pdf"), path("doc.rpr")};
    trigger("exportPdf");
    EXPECT_EQ(host.asked.last().suggested, QStringLiteral("Test report.pdf"))
        << "the title, as nothing else is set";
    report.setDocumentName(QStringLiteral("Lampiran Mei 2024"));
    trigger("save");
    EXPECT_EQ(host.asked.last().suggested, QStringLiteral("Lampiran Mei 2024.rpr"));
    EXPECT_TRUE(QFile::exists(path("doc.pdf")));
    host.answers = {QString()};
    trigger("exportHtml"); // cancelled
    EXPECT_TRUE(host.errors.isEmpty());
}

TEST_F(Preview, FailuresReachTheHost)
{
    host.answers = {path("no/such/folder/out.pdf")};
    trigger("exportPdf");
    ASSERT_EQ(host.errors.size(), 1);
    EXPECT_TRUE(host.errors[0].startsWith(QStringLiteral("cannot write "))) << host.errors[0].toStdString();

    QFile junk(path("junk.rpr"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("junk");
    junk.close();
    host.answers = {path("junk.rpr")};
    trigger("open");
    ASSERT_EQ(host.errors.size(), 2);
    EXPECT_TRUE(host.errors[1].endsWith(QStringLiteral(": not a prepared report")));
    EXPECT_EQ(window->prepared().pages.size(), 3) << "the shown report stays";

    if (QPrinterInfo::defaultPrinter().isNull()) {
        trigger("printDefault");
        ASSERT_EQ(host.errors.size(), 3);
        EXPECT_EQ(host.errors[2], QStringLiteral("No default printer is set up."));
    }
}

TEST_F(Preview, SaveAndOpenAPreparedReport)
{
    host.answers = {path("saved.rpr")};
    trigger("save");
    EXPECT_EQ(host.asked[0].filter, QStringLiteral("Prepared reports (*.rpr)"));
    Report other;
    PreviewWindow empty(host, &other);
    EXPECT_EQ(empty.pageLabel(), QStringLiteral("Page 0 of 0"));
    host.answers = {path("saved.rpr")};
    empty.findChild<QAction *>(QStringLiteral("open"))->trigger();
    EXPECT_EQ(empty.pageLabel(), QStringLiteral("Page 1 of 3"));
    EXPECT_EQ(fixtures::pageTexts(empty.prepared(), 2), fixtures::pageTexts(report.prepared(), 2));
    EXPECT_FALSE(empty.findChild<QAction *>(QStringLiteral("pageSetup"))->isEnabled());
    EXPECT_TRUE(host.errors.isEmpty());
}

TEST_F(Preview, PageSetupPreparesAgainOnTheNewPaper)
{
    window->goToPage(1);
    const QPageLayout taller(QPageSize(QSizeF(100, 150), QPageSize::Millimeter), QPageLayout::Portrait,
                             QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    ASSERT_TRUE(window->applyPageLayout(taller));
    EXPECT_EQ(window->prepared().pages.size(), 2) << "ten rows fit a page now";
    EXPECT_EQ(window->prepared().pages[0].size, QSizeF(100, 150));
    EXPECT_EQ(shownPageLabel(), QStringLiteral("Page 2 of 2"));
}

TEST_F(Preview, ZoomFitsThePageWidthOrTheWholePageAndIsKeptForTheNextPreview)
{
    window->show();
    window->resize(900, 700);
    QApplication::processEvents();
    auto *scroll = window->findChild<QScrollArea *>();
    auto *view = scroll->widget();
    trigger("zoomPageWidth");
    EXPECT_LE(view->width(), scroll->viewport()->width());
    EXPECT_GT(view->width(), scroll->viewport()->width() - 40);
    EXPECT_GT(view->height(), scroll->viewport()->height()) << "a portrait page is taller than wide";
    trigger("zoomWholePage");
    EXPECT_LE(view->height(), scroll->viewport()->height());
    EXPECT_GT(view->height(), scroll->viewport()->height() - 40);
    window->resize(900, 500);
    QApplication::processEvents();
    EXPECT_LE(view->height(), scroll->viewport()->height()) << "follows the window";

    window->reject();
    PreviewWindow next(host, &report);
    EXPECT_EQ(next.zoomFit(), PreviewZoom::Fit::WholePage);
    next.setZoom(1.5);
    next.reject();
    EXPECT_EQ(PreviewWindow(host, &report).zoom(), 1.5);
}

TEST(PreviewShow, PreparationErrorsGoToTheHostAndNoWindowOpens)
{
    Report report;
    auto data = fixtures::people(1);
    report.registerDataset(data.get());
    ASSERT_TRUE(report.loadFromXml(fixtures::pagedTemplate(QStringLiteral("[people.\"nama\"]"))));
    ScriptedHost host;
    EXPECT_FALSE(report.showPreview(host));
    ASSERT_EQ(host.errors.size(), 1);
    EXPECT_TRUE(host.errors[0].startsWith(QStringLiteral("Field not found: people.\"nama\"")));
}

TEST(PreviewShow, IsModalAndReturnsWhenClosed)
{
    Report report; // a missing template: the preview opens empty
    EXPECT_FALSE(report.loadFromFile(QStringLiteral("/nonexistent/report.xml")));
    ScriptedHost host;
    QString shown;
    QTimer::singleShot(0, [&] {
        auto *preview = qobject_cast<PreviewWindow *>(QApplication::activeModalWidget());
        ASSERT_NE(preview, nullptr);
        shown = preview->pageLabel();
        EXPECT_TRUE(preview->windowState() & Qt::WindowMaximized);
        preview->close();
    });
    EXPECT_TRUE(report.showPreview(host));
    EXPECT_EQ(shown, QStringLiteral("Page 0 of 0"));
    EXPECT_TRUE(host.errors.isEmpty());
}

} // namespace
