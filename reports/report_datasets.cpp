#include "reports/report_datasets.h"

#include <exception>

const QStringList processedFieldNames = {
    "idx",          "id_pengajuan",   "id",         "periode",       "nik",
    "nama_lengkap", "gapok",          "gapok_1",    "gapok_4",       "remunerasi",
    "insentif",     "gapok_bpjs",     "induk_id",   "thp",           "dpi_bruto",
    "bruto_1",      "bruto_4",        "netto_1",    "netto_4",       "remunerasi_1",
    "remunerasi_4", "insentif_1",     "insentif_4", "periode_label", "direktur",
    "bendahara",    "tanggal_proses", "nama_unit"};

void ProcessedRowsDataset::use(const QueryResult &result)
{
    rows_ = &result;
    row_ = 0;
    fields_.clear();
    columns_.clear();
    for (const QString &name : processedFieldNames)
        if (const int column = result.indexOf(name); column >= 0) {
            fields_ << name;
            columns_.insert(name, column);
        }
}

QString ProcessedRowsDataset::value(const QString &field) const
{
    return eof() ? QString() : rows_->rows[row_][columns_.value(field)];
}

QueryDataset::QueryDataset(QString userName, Query &query, QString statement)
    : userName_(std::move(userName)), query_(query), statement_(std::move(statement))
{
}

bool QueryDataset::open()
{
    try {
        query_.close();
        query_.setSql(statement_);
        query_.open();
        return true;
    } catch (const std::exception &error) {
        error_ = QString::fromUtf8(error.what());
        return false;
    }
}
