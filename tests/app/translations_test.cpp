// The program in Indonesian: the catalogues it installs at start reach Qt's own
// dialogs and the report preview, and neither shows an English word.
#include "app/translations.h"
#include "report_engine/preview/preview_window.h"
#include "tests/report_engine/fixtures.h"
#include "ui/file_chooser.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>
#include <QTranslator>

#include <functional>
#include <gtest/gtest.h>

using namespace report_engine;

namespace {

class Indonesian : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(installTranslations(*QCoreApplication::instance())); }
    // A translator leaves the application when it is destroyed.
    static void TearDownTestSuite()
    {
        qDeleteAll(qApp->findChildren<QTranslator *>());
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, false);
    }
};

// Every text a widget tree shows: labels, buttons, titles, tooltips, items, headers, actions.
QStringList shownTexts(const QWidget *root)
{
    QStringList texts{root->windowTitle()};
    auto addActions = [&](const QWidget *widget) {
        for (const QAction *action : widget->actions())
            texts << action->text() << action->toolTip();
    };
    QList<const QWidget *> widgets{root};
    for (const QWidget *child : root->findChildren<QWidget *>())
        widgets << child;
    for (const QWidget *w : widgets) {
        texts << w->toolTip();
        addActions(w);
        if (auto *label = qobject_cast<const QLabel *>(w))
            texts << label->text();
        else if (auto *button = qobject_cast<const QAbstractButton *>(w))
            texts << button->text();
        else if (auto *group = qobject_cast<const QGroupBox *>(w))
            texts << group->title();
        else if (auto *edit = qobject_cast<const QLineEdit *>(w))
            texts << edit->placeholderText();
        else if (auto *combo = qobject_cast<const QComboBox *>(w))
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        else if (auto *tabs = qobject_cast<const QTabWidget *>(w))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        else if (auto *header = qobject_cast<const QHeaderView *>(w); header && header->model())
            for (int i = 0; i < header->count(); ++i)
                texts << header->model()->headerData(i, header->orientation()).toString();
    }
    texts.removeAll(QString());
    return texts;
}

// English words of commands, labels and statuses; key names and format names
// (Ctrl, PgDown, PDF) stay, as printed on the keys and files.
const QStringList englishWords =
    QStringLiteral(
        "Print Printing Quick Setup setup Open Save Export Exporting Exported Zoom Page Pages page pages "
        "Whole width "
        "First Previous Next Last Find not found Cancel Preview of Yes No File Files file name Name type "
        "Type Look "
        "Directory Size Date Modified Back Forward Parent New Create View Detail List Paper "
        "Orientation "
        "Portrait Landscape Margins Options Copies Collate Reverse Color Grayscale Properties Location "
        "Output "
        "Double Sided Range range All Current Selection Width Height Custom Delete Undo Redo Cut Copy Paste "
        "Select "
        "Sidebar Recent Places Computer Close Apply Help Choose Source source order sheet Settings")
        .split(QLatin1Char(' '));

QStringList englishIn(const QStringList &texts)
{
    QStringList found;
    static const QRegularExpression word(QStringLiteral("[A-Za-z]+"));
    for (const QString &text : texts) {
        const QString plain = QString(text).remove(QLatin1Char('&'));
        for (auto it = word.globalMatch(plain); it.hasNext();)
            if (englishWords.contains(it.next().captured()))
                found << text;
    }
    found.removeDuplicates();
    return found;
}

// Runs `open`, which shows a modal dialog, and hands that dialog to `inspect` before closing it.
void whileOpen(const std::function<void()> &open, const std::function<void(QWidget *)> &inspect)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        seen = true;
        inspect(dialog);
        dialog->close();
    });
    open();
    EXPECT_TRUE(seen);
}

class NoHost : public PreviewHost {
public:
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString openFileName(const QString &, const QString &) override { return {}; }
    void showError(const QString &message) override { ADD_FAILURE() << message.toStdString(); }
};

TEST_F(Indonesian, QtsOwnTextsAndThePreviewsResolve)
{
    struct Case {
        const char *context, *source, *expected;
    };
    const Case cases[] = {
        {"QPlatformTheme", "&Yes", "&Ya"},
        {"QPlatformTheme", "&No", "&Tidak"},
        {"QPlatformTheme", "OK", "OK"},
        {"QPlatformTheme", "Cancel", "Batal"},
        {"QGnomeTheme", "&Cancel", "&Batal"},
        {"QFileDialog", "File &name:", "&Nama berkas:"},
        {"QFileDialog", "Files of type:", "Jenis berkas:"},
        {"QFileDialog", "%1 already exists.\nDo you want to replace it?", "%1 sudah ada.\nGanti berkas itu?"},
        {"QFileSystemModel", "Date Modified", "Tanggal diubah"},
        {"QPrintDialog", "&Print", "&Cetak"},
        {"QPrintWidget", "P&roperties", "&Properti"},
        {"QPageSetupWidget", "Page size:", "Ukuran halaman:"},
        {"QPageSize", "Custom (%1mm x %2mm)", "Ukuran khusus (%1mm x %2mm)"},
        {"QLineEdit", "&Paste", "&Tempel"},
        {"QAbstractSpinBox", "&Step up", "&Naikkan"},
        {"QScrollBar", "Scroll here", "Gulir ke sini"},
        {"report_engine::PreviewWindow", "Page %1 of %2", "Halaman %1 dari %2"},
        {"report_engine::PreviewWindow", "Page width", "Lebar halaman"},
        {"report_engine::PreviewWindow", "Whole page", "Seluruh halaman"},
        {"report_engine::PreviewWindow", "Print...", "Cetak..."},
        {"report_engine", "cannot write %1: %2", "tidak dapat menulis %1: %2"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(QCoreApplication::translate(c.context, c.source), QString::fromUtf8(c.expected))
            << c.context << " / " << c.source;

    EXPECT_TRUE(QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs))
        << "a desktop's native dialog follows the machine's language, not our catalogue";

    QMessageBox box(QMessageBox::Question, QStringLiteral("Konfirmasi"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Ya"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("&Tidak"));
}

TEST_F(Indonesian, ThePreviewAndTheDialogsItOpensShowNoEnglish)
{
    auto data = fixtures::people(12);
    Report report;
    report.registerDataset(data.get());
    ASSERT_TRUE(report.loadFromXml(fixtures::pagedTemplate()));
    ASSERT_TRUE(report.prepare());
    NoHost host;
    PreviewWindow preview(host, &report);
    preview.show();
    preview.findChild<QAction *>(QStringLiteral("nextPage"))->trigger();
    preview.findNext(QStringLiteral("no such text"));

    QStringList texts = shownTexts(&preview);
    EXPECT_TRUE(texts.contains(QStringLiteral("Halaman 2 dari 3"))) << texts.join(" | ").toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("\"no such text\" tidak ditemukan")));
    auto *find = preview.findChild<QLineEdit *>(QStringLiteral("findText"));
    std::unique_ptr<QMenu> menu(find->createStandardContextMenu());
    texts << shownTexts(menu.get());
    EXPECT_EQ(englishIn(texts), QStringList()) << texts.join(" | ").toStdString();

    const auto trigger = [&](const char *command) {
        return [&preview, command] { preview.findChild<QAction *>(QLatin1String(command))->trigger(); };
    };
    const auto noEnglish = [](QWidget *dialog) {
        const QStringList shown = shownTexts(dialog);
        EXPECT_EQ(englishIn(shown), QStringList()) << shown.join(" | ").toStdString();
    };
    whileOpen(trigger("print"), noEnglish);
    whileOpen(trigger("pageSetup"), noEnglish);

    // The file dialog as the program opens it, through its chooser.
    FileDialogs files;
    whileOpen(
        [&] {
            files.saveFileName({QStringLiteral("Ekspor ke PDF"),
                                {QStringLiteral("Berkas PDF (*.pdf)")},
                                {},
                                {},
                                QDir::temp().filePath(QStringLiteral("a.pdf")),
                                {}});
        },
        [&](QWidget *dialog) {
            const QStringList shown = shownTexts(dialog);
            EXPECT_TRUE(shown.contains(QStringLiteral("&Nama berkas:"))) << shown.join(" | ").toStdString();
            noEnglish(dialog);
        });
}

} // namespace
