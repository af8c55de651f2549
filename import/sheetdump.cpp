// Prints the table an import would send, so support staff can check a file
// before the operator imports it.
#include "import/import_table.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "Pemakaian: sheetdump FILE\n");
        return 2;
    }
    importing::ReadResult result = importing::readImportTable(args[1]);
    if (!result.ok()) {
        QString message = result.error;
        std::fprintf(stderr, "%s\n",
                     message.replace(QLatin1Char('\r'), QLatin1Char('\n')).toLocal8Bit().constData());
        return 1;
    }
    QByteArray out;
    for (const QStringList &row : result.table.rows)
        out += row.join(QLatin1Char('\t')).toUtf8() + '\n';
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return 0;
}
