#include "tests/reports/report_fixture.h"

#include "reports/report_datasets.h"

QueryResult processedRows(int count, const QStringList &fields)
{
    QueryResult result;
    result.fieldNames = fields.isEmpty() ? processedFieldNames : fields;
    for (int n = 1; n <= count; ++n) {
        QStringList row;
        for (qsizetype column = 0; column < result.fieldNames.size(); ++column) {
            const QString &field = result.fieldNames[column];
            if (field == "nama_lengkap")
                row << QString("Penerima %1").arg(n);
            else if (field == "nik")
                row << QString("32730000000000%1").arg(n, 2, 10, QLatin1Char('0'));
            else if (field == "nama_unit")
                row << "Rumah Sakit Umum Daerah pada Dinas Kesehatan";
            else if (field == "periode_label")
                row << "Mei 2024";
            else if (field == "idx")
                row << QString::number(n);
            else
                row << QString::number(1000000LL * n + 1000LL * column + n);
        }
        result.rows.push_back(row);
    }
    return result;
}
