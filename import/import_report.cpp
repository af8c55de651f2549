#include "import/import_report.h"

#include <QFile>
#include <xlsxwriter.h>

namespace importing {

namespace {

QList<QStringList> refusedSheet(const ImportReport &report)
{
    QList<QStringList> rows;
    for (const ReportLine &line : report.lines) {
        if (line.kind != ReportLine::Kind::Refused)
            continue;
        QStringList row = line.cells;
        row.resize(columns);
        row << QString::number(line.row) << line.reason;
        rows << row;
    }
    return rows;
}

bool saveXlsx(const QList<QStringList> &rows, const QString &fileName)
{
    lxw_workbook *book = workbook_new(QFile::encodeName(fileName).constData());
    if (!book)
        return false;
    lxw_worksheet *sheet = workbook_add_worksheet(book, "Ditolak");
    // Every cell as text, so a NIK keeps its sixteen digits.
    for (qsizetype r = 0; r < rows.size(); ++r)
        for (qsizetype c = 0; c < rows[r].size(); ++c)
            if (!rows[r][c].isEmpty())
                worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c), rows[r][c].toUtf8().constData(),
                                       nullptr);
    return workbook_close(book) == LXW_NO_ERROR;
}

QByteArray csvField(const QString &text)
{
    QByteArray field = text.toUtf8();
    if (!field.contains(',') && !field.contains('"') && !field.contains('\n') && !field.contains('\r'))
        return field;
    return '"' + field.replace('"', "\"\"") + '"';
}

bool saveCsv(const QList<QStringList> &rows, const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray out;
    for (const QStringList &row : rows) {
        QByteArrayList fields;
        for (const QString &cell : row)
            fields << csvField(cell);
        out += fields.join(',') + "\r\n";
    }
    return file.write(out) == out.size() && file.flush();
}

} // namespace

QString statusText(ReportLine::Kind kind)
{
    return kind == ReportLine::Kind::Refused ? QStringLiteral("tolak") : QStringLiteral("cek");
}

QString reportSummary(const ImportReport &report)
{
    qsizetype checks = report.lines.size() - report.refused;
    QString summary = QStringLiteral("%1 baris tersimpan, %2 baris tidak tersimpan.")
                          .arg(report.stored)
                          .arg(report.refused);
    if (checks > 0)
        summary += QStringLiteral(" %1 nominal BPJS perlu dicek.").arg(checks);
    return summary;
}

bool saveRefusedRows(const ImportReport &report, const QString &fileName)
{
    QList<QStringList> rows = refusedSheet(report);
    return fileName.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive) ? saveXlsx(rows, fileName)
                                                                           : saveCsv(rows, fileName);
}

} // namespace importing
