#include "screens/recipients/import_statement.h"

namespace {

bool isBlankOrControl(QChar c)
{
    return c.isSpace() || c.category() == QChar::Other_Control;
}

} // namespace

QString trimmedOfBlanksAndControls(const QString &text)
{
    qsizetype start = 0, end = text.size();
    while (start < end && isBlankOrControl(text[start]))
        ++start;
    while (end > start && isBlankOrControl(text[end - 1]))
        --end;
    return text.mid(start, end - start);
}

QString preparedName(const QString &name)
{
    return trimmedOfBlanksAndControls(QString(name).replace(QLatin1Char('\''), QLatin1Char('`')));
}

QByteArray importStatement(const QString &submissionId, const sheets::Table &rows,
                           const std::function<QByteArray(const QString &)> &escape)
{
    QByteArray sql = "insert ignore into nasn_pengajuan_detail (`id_pengajuan`,`nik`,`nama_lengkap`,`gapok`,"
                     "`gapok_4`,`gapok_1`,`remunerasi`,`insentif`) values ";
    sql.reserve(sql.size() + rows.size() * 120);
    const QByteArray id = escape(submissionId);
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const QStringList &cells = rows[r];
        sql += "\n('" + id;
        for (int c = 0; c < sheets::importColumns; ++c) {
            const QString cell = c < cells.size() ? cells[c] : QString();
            sql += "','" + escape(c == 1 ? preparedName(cell) : cell);
        }
        sql += r + 1 < rows.size() ? "')," : "');";
    }
    return sql;
}
