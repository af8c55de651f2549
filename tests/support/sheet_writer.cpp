#include "tests/support/sheet_writer.h"

#include <xlsxwriter.h>

void writeRecipientSheet(const QString &path, const std::vector<QStringList> &rows,
                         const CellFormats &formats)
{
    lxw_workbook *book = workbook_new(path.toUtf8().constData());
    lxw_worksheet *sheet = workbook_add_worksheet(book, nullptr);
    for (size_t r = 0; r < rows.size(); ++r)
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            const QString &cell = rows[r][c];
            if (auto code = formats.find({int(r), int(c)}); code != formats.end()) {
                lxw_format *format = workbook_add_format(book);
                format_set_num_format(format, code->second.toUtf8().constData());
                worksheet_write_number(sheet, lxw_row_t(r), lxw_col_t(c), cell.toDouble(), format);
                continue;
            }
            bool number = false;
            const double value = cell.toLongLong(&number);
            if (number && cell.size() <= 15 && !cell.startsWith('0'))
                worksheet_write_number(sheet, lxw_row_t(r), lxw_col_t(c), value, nullptr);
            else if (!cell.isEmpty())
                worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c), cell.toUtf8().constData(), nullptr);
        }
    workbook_close(book);
}

std::vector<QStringList> recipientRows(int count)
{
    std::vector<QStringList> rows;
    for (int n = 1; n <= count; ++n) {
        // 4 % and 1 % of the salary rounded half up, as the plausibility check expects
        const qint64 salary = 3000000 + n;
        rows.push_back({QString("3273%1").arg(n, 12, 10, QLatin1Char('0')), QString("Penerima %1").arg(n),
                        QString::number(salary), QString::number((salary * 4 + 50) / 100),
                        QString::number((salary + 50) / 100), QString::number(2000000 + n), "500000"});
    }
    return rows;
}
