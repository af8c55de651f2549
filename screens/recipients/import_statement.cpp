#include "screens/recipients/import_statement.h"

#include "import/cell_text.h"

QByteArray importStatement(const QString &submissionId, const importing::Table &rows,
                           const std::function<void(QByteArray &, QStringView)> &appendEscaped)
{
    QByteArray sql = "insert ignore into nasn_pengajuan_detail (`id_pengajuan`,`nik`,`nama_lengkap`,`gapok`,"
                     "`gapok_4`,`gapok_1`,`remunerasi`,`insentif`) values ";
    QByteArray id;
    appendEscaped(id, submissionId);
    // A recipient's row takes about a hundred bytes.
    sql.reserve(sql.size() + rows.size() * (128 + id.size()));
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const QStringList &cells = rows[r];
        sql += "\n('";
        sql += id;
        for (int c = 0; c < importing::columns; ++c) {
            const QString cell = c < cells.size() ? cells[c] : QString();
            sql += "','";
            appendEscaped(sql, c == 1 ? importing::preparedName(cell) : cell);
        }
        sql += r + 1 < rows.size() ? "')," : "');";
    }
    return sql;
}
