// Prints the table an import would send, so support staff can check a file
// before the operator imports it; with --check, the verdict of the import's
// row checks on each row instead (all but "already in the submission", which
// needs the server).
#include "import/import_table.h"
#include "import/row_checks.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

QByteArray tableText(const importing::ImportTable &table)
{
    QByteArray out;
    for (const QStringList &row : table.rows)
        out += row.join(QLatin1Char('\t')).toUtf8() + '\n';
    return out;
}

// ROW<TAB>ok or ROW<TAB>tolak<TAB>REASON, ROW as the spreadsheet numbers it.
QByteArray checkText(const importing::ImportTable &table)
{
    const QStringList refusals = importing::rowRefusals(table);
    QByteArray out;
    for (qsizetype r = 0; r < refusals.size(); ++r) {
        out += QByteArray::number(table.sheetRow(r));
        out += refusals[r].isEmpty() ? QByteArray("\tok\n") : "\ttolak\t" + refusals[r].toUtf8() + '\n';
    }
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    const bool check = args.size() == 3 && args[1] == QLatin1StringView("--check");
    if (args.size() != 2 && !check) {
        std::fprintf(stderr, "Pemakaian: sheetdump [--check] FILE\n");
        return 2;
    }
    importing::ReadResult result = importing::readImportTable(args.last());
    if (!result.ok()) {
        QString message = result.error;
        std::fprintf(stderr, "%s\n",
                     message.replace(QLatin1Char('\r'), QLatin1Char('\n')).toLocal8Bit().constData());
        return 1;
    }
    const QByteArray out = check ? checkText(result.table) : tableText(result.table);
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return 0;
}
