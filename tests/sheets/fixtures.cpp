#include "fixtures.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <xlsxwriter.h>
#include <zip.h>

namespace fixtures {

namespace {

const QString sourceDir = QStringLiteral(SHEETS_TEST_DIR);
// Debian's interpreter: it has xlwt, openpyxl and xlrd, unlike one first on PATH.
const QString python = QStringLiteral("/usr/bin/python3");

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// Rich text, formulas with their cached values, a control character (written
// escaped as _x0001_) and a formatted blank far outside the data.
void writeXlsxwriterSheet(const QString &path)
{
    lxw_workbook *book = workbook_new(path.toUtf8().constData());
    lxw_worksheet *sheet = workbook_add_worksheet(book, "Data");
    lxw_format *bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_rich_string_tuple plain = {nullptr, const_cast<char *>("Siti ")};
    lxw_rich_string_tuple strong = {bold, const_cast<char *>("Aminah")};
    lxw_rich_string_tuple *runs[] = {&plain, &strong, nullptr};
    worksheet_write_string(sheet, 0, 0, "3201234567890123", nullptr);
    worksheet_write_rich_string(sheet, 0, 1, runs, nullptr);
    worksheet_write_number(sheet, 0, 2, 5000000, nullptr);
    worksheet_write_formula_num(sheet, 0, 3, "=C1*0.04", nullptr, 200000);
    worksheet_write_formula_num(sheet, 0, 4, "=C1*0.01", nullptr, 50000);
    worksheet_write_string(sheet, 0, 5, "a\x01z", nullptr);
    worksheet_write_string(sheet, 0, 6, "Aktif", nullptr);
    worksheet_write_boolean(sheet, 1, 0, 1, nullptr);
    worksheet_write_blank(sheet, 50, 20, bold);
    workbook_close(book);
}

// Strings written inline, as the constant-memory mode does.
void writeInlineStringSheet(const QString &path)
{
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *book = workbook_new_opt(path.toUtf8().constData(), &options);
    lxw_worksheet *sheet = workbook_add_worksheet(book, nullptr);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 7; ++col)
            worksheet_write_string(sheet, row, col,
                                   QByteArray::number(row * 7 + col).prepend("s").constData(), nullptr);
    workbook_close(book);
}

// A chart sheet first in the workbook, the data on the worksheet after it.
void writeChartsheetFirst(const QString &path)
{
    lxw_workbook *book = workbook_new(path.toUtf8().constData());
    lxw_chartsheet *chartsheet = workbook_add_chartsheet(book, "Grafik");
    lxw_worksheet *sheet = workbook_add_worksheet(book, "Data");
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 7; ++col)
            worksheet_write_number(sheet, row, col, row * 10 + col, nullptr);
    lxw_chart *chart = workbook_add_chart(book, LXW_CHART_COLUMN);
    chart_add_series(chart, nullptr, "=Data!$C$1:$C$3");
    chartsheet_set_chart(chartsheet, chart);
    workbook_close(book);
}

void generateAll()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    QString dir = folder().path();
    QProcess maker;
    maker.start(python, {sourceDir + QStringLiteral("/make_fixtures.py"), dir});
    maker.waitForFinished(120000);
    EXPECT_EQ(maker.exitCode(), 0) << maker.readAllStandardError().toStdString();
    writeXlsxwriterSheet(dir + QStringLiteral("/xlsxwriter.xlsx"));
    writeInlineStringSheet(dir + QStringLiteral("/inline_strings.xlsx"));
    writeChartsheetFirst(dir + QStringLiteral("/chartsheet_first.xlsx"));
}

} // namespace

QString generated(const QString &name)
{
    generateAll();
    QString path = folder().filePath(name);
    EXPECT_TRUE(QFile::exists(path)) << name.toStdString();
    return path;
}

QString committed(const QString &name)
{
    return sourceDir + QStringLiteral("/fixtures/") + name;
}

QStringList all()
{
    generateAll();
    QStringList paths;
    for (const QString &name : QDir(folder().path()).entryList({"*.xls", "*.xlsx"}, QDir::Files))
        paths << folder().filePath(name);
    for (const QString &name :
         QDir(sourceDir + QStringLiteral("/fixtures")).entryList({"*.xls", "*.xlsx"}, QDir::Files))
        paths << committed(name);
    return paths;
}

QString write(const QString &name, const QByteArray &bytes)
{
    // Apart from the generated fixtures, which a written file must neither replace nor join
    static const QString written = [] {
        QDir(folder().path()).mkdir(QStringLiteral("written"));
        return folder().filePath(QStringLiteral("written"));
    }();
    QString path = written + QLatin1Char('/') + name;
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    return path;
}

QByteArray read(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

QByteArray zip(const QList<std::pair<QString, QByteArray>> &parts)
{
    QString path = folder().filePath(QStringLiteral("packed.zip"));
    QFile::remove(path);
    int error = 0;
    zip_t *archive = zip_open(path.toUtf8().constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    EXPECT_NE(archive, nullptr);
    for (const auto &[name, content] : parts) {
        zip_source_t *source =
            zip_source_buffer(archive, content.constData(), zip_uint64_t(content.size()), 0);
        zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_OVERWRITE);
    }
    EXPECT_EQ(zip_close(archive), 0);
    return read(path);
}

QByteArray patched(QByteArray bytes, const QByteArray &from, const QByteArray &to)
{
    qsizetype at = bytes.indexOf(from);
    EXPECT_GE(at, 0) << "pattern not found";
    EXPECT_EQ(from.size(), to.size());
    if (at >= 0)
        bytes.replace(at, to.size(), to);
    return bytes;
}

} // namespace fixtures
