#include "csv_table.h"

#include <QFile>

namespace {

// RFC 4180 records: quoted fields may hold commas, quotes and line breaks.
QList<QStringList> parseCsv(const QString &text)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"'))
                field += text[++i];
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                field += c;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            record.append(field);
            field.clear();
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            record.append(field);
            records.append(record);
            record.clear();
            field.clear();
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !record.isEmpty()) {
        record.append(field);
        records.append(record);
    }
    return records;
}

} // namespace

std::unique_ptr<report_engine::TableDataset> readCsvTable(const QString &name, const QString &path,
                                                          QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return nullptr;
    }
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF))) // spreadsheet programs write a byte order mark
        text.remove(0, 1);
    QList<QStringList> records = parseCsv(text);
    if (records.isEmpty()) {
        error = QStringLiteral("%1 has no header line").arg(path);
        return nullptr;
    }
    const QStringList fields = records.takeFirst();
    return std::make_unique<report_engine::TableDataset>(name, fields, std::move(records));
}
