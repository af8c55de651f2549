// Prepares and exports to PDF a two-section document of 10 000 rows (about
// 1 000 pages) and converts the same rows as a spreadsheet with LibreOffice
// headless in the same run. One line per figure, each with its peer. An
// argument names a file to keep the PDF in.
#include "report_engine/exports.h"
#include "report_engine/report.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

using namespace report_engine;

namespace {

constexpr int rowCount = 10000;
const QStringList amountFields{QStringLiteral("gapok"),     QStringLiteral("gapok_1"),
                               QStringLiteral("gapok_4"),   QStringLiteral("remunerasi"),
                               QStringLiteral("insentif"),  QStringLiteral("thp"),
                               QStringLiteral("dpi_bruto"), QStringLiteral("bruto_1")};

TextObject cell(double x, double width, double height, const QString &text, HAlign align, bool amount)
{
    TextObject t;
    t.x = x;
    t.width = width;
    t.height = height;
    t.text = text;
    t.style.fontPixelSize = 11;
    t.style.hAlign = align;
    t.style.frameSides = FrameAll;
    t.style.padding = {1.3, 0, 1.3, 0};
    // Fitting on, as in the shipped attachment: figures shrink, names wrap and shrink.
    t.style.shrink = true;
    t.style.wordWrap = !amount && align == HAlign::Left;
    if (amount)
        t.format = {QStringLiteral("%2.0n"), QStringLiteral("."), QStringLiteral(".")};
    return t;
}

ReportPage section(const QString &name, const QString &dataBand, bool withFooter)
{
    ReportPage page;
    page.name = name;
    page.paperWidth = 210;
    page.paperHeight = 330;
    page.landscape = true;
    page.margins = {15, 10, 15, 10};
    Band title{BandKind::ReportTitle, QStringLiteral("Title"), 17, {}, {}, {}};
    title.texts.append(cell(0, 310, 7, QStringLiteral("DAFTAR PERHITUNGAN"), HAlign::Center, false));
    Band header{BandKind::ColumnHeader, QStringLiteral("Header"), 27, {}, {}, {}};
    Band data{BandKind::MasterData, dataBand, 7, QStringLiteral("rows"), {}, {}};
    Band summary{BandKind::Summary, QStringLiteral("Summary"), 52, {}, {}, {}};
    header.texts.append(cell(0, 9, 27, QStringLiteral("No."), HAlign::Center, false));
    data.texts.append(cell(0, 9, 7, QStringLiteral("[Line#]"), HAlign::Center, false));
    header.texts.append(cell(9, 68, 27, QStringLiteral("NAMA"), HAlign::Center, false));
    data.texts.append(cell(9, 68, 7, QStringLiteral("[rows.\"nama_lengkap\"]"), HAlign::Left, false));
    double x = 77;
    for (const QString &field : amountFields) {
        header.texts.append(cell(x, 27, 27, field, HAlign::Center, false));
        data.texts.append(cell(x, 27, 7, QStringLiteral("[rows.\"%1\"]").arg(field), HAlign::Right, true));
        summary.texts.append(cell(x, 27, 11, QStringLiteral("[SUM(<rows.\"%1\">,%2)]").arg(field, dataBand),
                                  HAlign::Right, true));
        x += 27;
    }
    page.bands = {title, header, data, summary};
    if (withFooter) {
        Band footer{BandKind::PageFooter, QStringLiteral("Footer"), 5, {}, {}, {}};
        footer.texts.append(cell(0, 299, 5, QStringLiteral("[Now] | Halaman [Page#] dari [TotalPages#]"),
                                 HAlign::Right, false));
        footer.texts.back().style.frameSides = 0;
        page.bands.append(footer);
    }
    return page;
}

TableDataset makeRows()
{
    QStringList fields{QStringLiteral("nama_lengkap")};
    fields += amountFields;
    TableDataset rows(QStringLiteral("rows"), fields);
    for (int i = 0; i < rowCount; ++i) {
        QStringList row{QStringLiteral("PENERIMA NOMOR %1").arg(i + 1)};
        for (int f = 0; f < amountFields.size(); ++f)
            row.append(QString::number(1000000 + (i * 7919 + f * 104729) % 9000000));
        rows.appendRow(row);
    }
    return rows;
}

bool writeCsv(TableDataset &rows, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray csv = rows.fieldNames().join(QLatin1Char(',')).toUtf8() + '\n';
    for (int section = 0; section < 2; ++section)
        for (rows.first(); !rows.eof(); rows.next()) {
            QStringList cells;
            for (const QString &field : rows.fieldNames())
                cells.append(rows.value(field));
            csv += cells.join(QLatin1Char(',')).toUtf8() + '\n';
        }
    return file.write(csv) == csv.size();
}

// Seconds LibreOffice takes to convert `csv` to PDF, or a negative number when it cannot.
double libreOfficeSeconds(const QString &csv, const QString &outDir, const QString &profile)
{
    QProcess soffice;
    soffice.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer timer;
    timer.start();
    soffice.start(QStringLiteral("soffice"),
                  {QStringLiteral("-env:UserInstallation=file://") + profile, QStringLiteral("--headless"),
                   QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"), outDir,
                   csv});
    if (!soffice.waitForFinished(600000) || soffice.exitCode() != 0)
        return -1;
    return timer.elapsed() / 1000.0;
}

rusage usageOf(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return usage;
}

double cpuSeconds(const rusage &u)
{
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    TableDataset rows = makeRows();

    Report report;
    report.design().title = QStringLiteral("Benchmark");
    report.design().pages = {section(QStringLiteral("R1"), QStringLiteral("MasterData12"), true),
                             section(QStringLiteral("R2"), QStringLiteral("MasterData1"), false)};
    report.registerDataset(&rows);

    QElapsedTimer timer;
    timer.start();
    if (!report.prepare()) {
        std::fprintf(stderr, "prepare failed: %s\n", qPrintable(report.lastError()));
        return 1;
    }
    const double prepareSeconds = timer.elapsed() / 1000.0;
    const QString pdfPath =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath(QStringLiteral("report.pdf"));
    if (!report.exportPdf(pdfPath)) {
        std::fprintf(stderr, "PDF export failed: %s\n", qPrintable(report.lastError()));
        return 1;
    }
    const double engineSeconds = timer.elapsed() / 1000.0;
    const rusage engine = usageOf(RUSAGE_SELF);
    const qsizetype pages = report.prepared().pages.size();

    const QString csv = dir.filePath(QStringLiteral("rows.csv"));
    const QString warmCsv = dir.filePath(QStringLiteral("warm.csv"));
    QFile warm(warmCsv);
    warm.open(QIODevice::WriteOnly);
    warm.write("a,b\n1,2\n");
    warm.close();
    const QString profile = dir.filePath(QStringLiteral("lo-profile"));
    double officeSeconds = -1;
    rusage beforeOffice{};
    if (writeCsv(rows, csv) && libreOfficeSeconds(warmCsv, dir.path(), profile) >= 0) { // builds the profile
        beforeOffice = usageOf(RUSAGE_CHILDREN);
        officeSeconds = libreOfficeSeconds(csv, dir.path(), profile);
    }
    const rusage office = usageOf(RUSAGE_CHILDREN);

    std::printf("rows: %d in 2 sections, %lld pages\n", rowCount, static_cast<long long>(pages));
    std::printf("prepare: %.2f s   (PDF export: %.2f s)\n", prepareSeconds, engineSeconds - prepareSeconds);
    if (officeSeconds < 0) {
        std::printf("prepare + PDF: %.2f s   (goal < 1 s; LibreOffice: not available)\n", engineSeconds);
    } else {
        std::printf("prepare + PDF: %.2f s   (goal < 1 s; LibreOffice csv to PDF: %.2f s)\n", engineSeconds,
                    officeSeconds);
        std::printf("speed-up: %.1fx   (goal >= 5x over LibreOffice)\n", officeSeconds / engineSeconds);
        // CPU time is steadier than wall time on a machine others are using.
        const double officeCpu = cpuSeconds(office) - cpuSeconds(beforeOffice);
        std::printf("CPU time: %.2f s   (LibreOffice: %.2f s, %.1fx)\n", cpuSeconds(engine), officeCpu,
                    officeCpu / cpuSeconds(engine));
    }
    const double engineMiB = engine.ru_maxrss / 1024.0;
    std::printf("peak RSS: %.0f MiB   (goal < 300 MiB; LibreOffice: %.0f MiB)\n", engineMiB,
                office.ru_maxrss / 1024.0);
    return 0;
}
