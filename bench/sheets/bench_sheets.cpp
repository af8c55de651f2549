// Reading speed of the spreadsheet readers beside xlrd and openpyxl (read-only)
// on the same files in the same run, and a 100 000-row .xlsx against its goal.
#include "import/import_table.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <xlsxwriter.h>

namespace {

const QString python = QStringLiteral("/usr/bin/python3");
const QString peers = QStringLiteral(BENCH_SHEETS_DIR "/peers.py");
constexpr int peerRuns = 3;
constexpr int ourRuns = 5;

// The same recipients as peers.py writes into the .xls.
void writeXlsx(const QString &path, int rows)
{
    lxw_workbook *book = workbook_new(path.toUtf8().constData());
    lxw_worksheet *sheet = workbook_add_worksheet(book, "Data");
    for (int r = 0; r < rows; ++r) {
        double salary = 3000000 + (r * 7919LL) % 5000000;
        worksheet_write_string(sheet, r, 0,
                               QStringLiteral("32%1").arg(r, 14, 10, QLatin1Char('0')).toUtf8().constData(),
                               nullptr);
        worksheet_write_string(sheet, r, 1, QStringLiteral("Pegawai Nomor %1").arg(r).toUtf8().constData(),
                               nullptr);
        worksheet_write_number(sheet, r, 2, salary, nullptr);
        QByteArray cell = QByteArray::number(r + 1);
        worksheet_write_formula_num(sheet, r, 3, ("=C" + cell + "*0.04").constData(), nullptr, salary * 0.04);
        worksheet_write_formula_num(sheet, r, 4, ("=C" + cell + "*0.01").constData(), nullptr, salary * 0.01);
        worksheet_write_number(sheet, r, 5, 750000 + r, nullptr);
        worksheet_write_number(sheet, r, 6, r % 3 * 100000, nullptr);
    }
    workbook_close(book);
}

QString runPython(const QStringList &args)
{
    QProcess process;
    process.start(python, QStringList{peers} + args);
    process.waitForFinished(-1);
    if (process.exitCode() != 0) {
        std::fprintf(stderr, "bench_sheets: %s\n", process.readAllStandardError().constData());
        std::exit(1);
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

struct Timing {
    double wallMs = 1e300;
    double cpuMs = 1e300;
};

// Best of a few import reads, wall clock and CPU time (the machine may be
// shared); stops the run on a failed read.
Timing ourBest(const QString &path, qsizetype expectedRows)
{
    Timing best;
    for (int i = 0; i < ourRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        std::clock_t cpuStart = std::clock();
        importing::ReadResult result = importing::readImportTable(path);
        best.cpuMs = std::min(best.cpuMs, double(std::clock() - cpuStart) * 1000 / CLOCKS_PER_SEC);
        best.wallMs = std::min(best.wallMs, timer.nsecsElapsed() / 1e6);
        if (!result.ok() || result.table.rows.size() != expectedRows) {
            std::fprintf(stderr, "bench_sheets: reading %s failed: %s\n", qPrintable(path),
                         qPrintable(result.error));
            std::exit(1);
        }
    }
    return best;
}

void comparePeer(const QString &path, int rows, const char *format, const char *peerName, int goal)
{
    Timing ours = ourBest(path, rows);
    double peer = runPython({QStringLiteral("read"), path, QString::number(peerRuns)}).toDouble();
    std::printf("read %d-row %s: sheets %.1f ms (cpu %.1f ms), %s %.1f ms: %.1fx faster (goal %dx)\n", rows,
                format, ours.wallMs, ours.cpuMs, peerName, peer, peer / ours.wallMs, goal);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QString xlsx = dir.filePath(QStringLiteral("10k.xlsx"));
    QString xls = dir.filePath(QStringLiteral("10k.xls"));
    QString big = dir.filePath(QStringLiteral("100k.xlsx"));
    writeXlsx(xlsx, 10000);
    writeXlsx(big, 100000);
    runPython({QStringLiteral("write-xls"), xls, QStringLiteral("10000")});

    comparePeer(xlsx, 10000, ".xlsx", "openpyxl (read-only)", 12);
    comparePeer(xls, 10000, ".xls", "xlrd", 10);
    Timing big100k = ourBest(big, 100000);
    std::printf("read 100000-row .xlsx: sheets %.1f ms (cpu %.1f ms), goal under 2000 ms\n", big100k.wallMs,
                big100k.cpuMs);
    return 0;
}
