#include "tests/reports/report_fixture.h"

#include "reports/report_datasets.h"

QueryResult processedRows(int count, const QStringList &fields)
{
    QueryResult result;
    result.fieldNames = fields.isEmpty() ? processedFieldNames : fields;
    for (int n = 1; n <= count; ++n) {
        QStringList row;
        for (const QString &field : result.fieldNames) {
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
                row << QString::number(1000000LL * n + field.size());
        }
        result.rows.push_back(row);
    }
    return result;
}
