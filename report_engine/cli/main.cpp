// sarvela-report: runs a template over CSV files without a database, for
// people who design templates.
#include "csv_table.h"

#include "report_engine/report.h"

#include <QGuiApplication>
#include <QHash>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

const char usage[] = "usage: sarvela-report TEMPLATE --data NAME=FILE.csv ... [--var NAME=VALUE ...]\n"
                     "                      (--pdf OUT | --html OUT | --csv OUT)\n";

int failWith(const QString &message)
{
    std::fprintf(stderr, "sarvela-report: %s\n", qPrintable(message));
    return 1;
}

bool splitPair(const QString &text, QString &name, QString &value)
{
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    name = text.left(eq);
    value = text.mid(eq + 1);
    return true;
}

// A designer wants to know which texts do not fit their boxes even when the output looks fine at a glance.
void warnOfCutTexts(const report_engine::PreparedReport &prepared)
{
    for (qsizetype p = 0; p < prepared.pages.size(); ++p)
        for (const report_engine::PreparedText &text : prepared.pages[p].texts)
            if (text.clipped)
                std::fprintf(stderr,
                             "sarvela-report: page %lld, band %s: \"%s\" does not fit its box and is cut\n",
                             static_cast<long long>(p + 1),
                             qPrintable(prepared.pages[p].bands[text.band].name), qPrintable(text.text));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);

    QString templatePath, outputFlag, outputPath;
    std::vector<std::unique_ptr<report_engine::TableDataset>> datasets;
    QHash<QString, QString> variables;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        const bool takesValue = arg == QLatin1String("--data") || arg == QLatin1String("--var") ||
                                arg == QLatin1String("--pdf") || arg == QLatin1String("--html") ||
                                arg == QLatin1String("--csv");
        if (!takesValue) {
            if (arg.startsWith(QLatin1String("--")) || !templatePath.isEmpty())
                return failWith(QStringLiteral("unexpected argument %1\n%2").arg(arg, QLatin1String(usage)));
            templatePath = arg;
            continue;
        }
        if (++i >= args.size())
            return failWith(QStringLiteral("%1 needs a value\n%2").arg(arg, QLatin1String(usage)));
        QString name, value;
        if (arg == QLatin1String("--data")) {
            if (!splitPair(args[i], name, value))
                return failWith(QStringLiteral("--data needs NAME=FILE.csv"));
            QString error;
            auto table = readCsvTable(name, value, error);
            if (!table)
                return failWith(error);
            datasets.push_back(std::move(table));
        } else if (arg == QLatin1String("--var")) {
            if (!splitPair(args[i], name, value))
                return failWith(QStringLiteral("--var needs NAME=VALUE"));
            variables.insert(name, value);
        } else {
            if (!outputFlag.isEmpty())
                return failWith(QStringLiteral("give one output only\n%1").arg(QLatin1String(usage)));
            outputFlag = arg;
            outputPath = args[i];
        }
    }
    if (templatePath.isEmpty() || outputFlag.isEmpty())
        return failWith(QLatin1String(usage));

    report_engine::Report report;
    if (!report.loadFromFile(templatePath))
        return failWith(report.lastError());
    for (const auto &dataset : datasets)
        report.registerDataset(dataset.get());
    report.setVariableCallback([&variables](const QString &name, QVariant &value) {
        if (const auto it = variables.constFind(name); it != variables.cend())
            value = *it;
    });
    if (!report.prepare())
        return failWith(report.lastError());
    warnOfCutTexts(report.prepared());
    const bool written = outputFlag == QLatin1String("--pdf")    ? report.exportPdf(outputPath)
                         : outputFlag == QLatin1String("--html") ? report.exportHtml(outputPath)
                                                                 : report.exportCsv(outputPath);
    return written ? 0 : failWith(report.lastError());
}
