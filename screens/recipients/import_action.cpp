#include "screens/recipients/import_action.h"

#include "data/guards.h"
#include "import/cell_text.h"
#include "screens/recipients/import_statement.h"

#include <QSet>

namespace {

const QString belunta = QStringLiteral("Gagal terhubung ke database Belunta!");
const QString systemFailure = QStringLiteral("Gagal terhubung ke sistem!");
constexpr int listedSkippedRows = 20;

const QString criteria = QStringLiteral("Pastikan file excel memenuhi kriteria berikut :\r"
                                        "- Data terdiri dari 7 kolom\r"
                                        "- Tanpa kolom judul\r"
                                        "- Semua kolom berformat general\r"
                                        "- Kolom 1 NIK\r"
                                        "- Kolom 2 Nama Lengkap\r"
                                        "- Kolom 3 Nominal Gaji\r"
                                        "- Kolom 4 Nominal 4% BPJS dari Gaji\r"
                                        "- Kolom 5 Nominal 1% BPJS dari Gaji\r"
                                        "- Kolom 6 Nominal Remunerasi\r"
                                        "- Kolom 7 Nominal Insentif");

} // namespace

ImportAction::ImportAction(Services services, ListAccess list) : s_(services), list_(std::move(list)) {}

void ImportAction::tabPengajuanProsesTambahAllClick()
{
    if (!guardsAllow() || !countRows())
        return;
    s_.messages.information(criteria);
    if (!chooseAndRead())
        return;
    if (!s_.messages.confirm("Tambahkan semua data yang ada di file excel ini?")) {
        list_.reload();
        return;
    }
    insertRows();
}

bool ImportAction::guardsAllow()
{
    return inputWindowAllows(
               s_.dm, s_.host, s_.messages,
               {"CALL `nasn_waktu_input_cek`()", systemFailure, "Gagal mengambil data! err: 01"}) &&
           lockAllows(s_.dm, s_.host, s_.messages,
                      {systemFailure,
                       "Pengajuan tidak bisa ditambah data!\r\rStatus : `Locked by Administrator` ",
                       "Gagal mengambil data! err: 02"},
                      s_.context.id_pengajuan);
}

bool ImportAction::countRows()
{
    return runStep(s_.host, s_.messages, {belunta, "Gagal mengambil data! err: 01"}, [this] {
        Query &q = s_.dm.fdsq1;
        q.close();
        q.setSql("CALL `nasn_pengajuan_detail_cek_jumlah_pegawai_masuk`(:var_id)");
        q.setText("var_id", s_.context.id_pengajuan);
        q.open();
        q.first();
        bool whole = false;
        q.field("jumlah").toLongLong(&whole);
        if (!whole)
            throw std::runtime_error("jumlah is not a whole number");
        return Step::Done;
    });
}

bool ImportAction::chooseAndRead()
{
    const QString xls = QStringLiteral("Excel Worksheet berisi Data Jasa Medis *.xls (*.xls)");
    const QString xlsx = QStringLiteral("Excel Worksheet berisi Data Jasa Medis *.xlsx (*.xlsx)");
    const QString chosen = s_.files.openFileName({"Open", {xls, xlsx}, xls, "xls", {}});
    if (chosen.isEmpty())
        return false;
    sg_jm_preload.clear();
    importing::ReadResult read = importing::readImportTable(importing::trimmedOfBlanksAndControls(chosen));
    if (!read.ok()) {
        s_.messages.error(read.error);
        return false;
    }
    sg_jm_preload = std::move(read.table.rows);
    return true;
}

void ImportAction::insertRows()
{
    const QStringList before = list_.listedNiks();
    unsigned long long stored = 0;
    const bool inserted = runStep(s_.host, s_.messages, {belunta, "Gagal mengambil data!"}, [&] {
        Connection &connection = s_.dm.fdremunerasi;
        s_.dm.fdsq1.executeDirect(
            importStatement(s_.context.id_pengajuan, sg_jm_preload,
                            [&](const QString &text) { return connection.escape(text); }));
        stored = s_.dm.fdsq1.rowsAffected();
        s_.messages.information("Data berhasil diproses!");
        return Step::Done;
    });
    if (!inserted)
        return;
    list_.reload();
    reportSkippedRows(stored, before);
}

// The server skips rows it refuses without failing the statement: say which.
void ImportAction::reportSkippedRows(unsigned long long stored, const QStringList &before)
{
    const qsizetype sent = sg_jm_preload.size();
    if (stored >= static_cast<unsigned long long>(sent))
        return;
    const QSet<QString> listedBefore(before.begin(), before.end());
    const QStringList after = list_.listedNiks();
    QSet<QString> storedNow(after.begin(), after.end());
    storedNow.subtract(listedBefore);
    QStringList skippedRows;
    for (qsizetype r = 0; r < sent && skippedRows.size() < listedSkippedRows; ++r) {
        const QString nik = sg_jm_preload[r].value(0);
        if (!storedNow.remove(nik))
            skippedRows << QString::number(r + 1);
    }
    QString text = QStringLiteral("%1 dari %2 baris data di file excel tidak tersimpan: NIK sudah ada di "
                                  "pengajuan atau ganda, atau NIK/nominal tidak sesuai format.")
                       .arg(sent - static_cast<qsizetype>(stored))
                       .arg(sent);
    if (!skippedRows.isEmpty())
        text += "\rBaris data ke: " + skippedRows.join(", ") +
                (sent - static_cast<qsizetype>(stored) > skippedRows.size() ? ", ..." : "");
    s_.messages.warning(text);
}
