#include "screens/recipients/import_action.h"

#include "data/db_error.h"
#include "data/failure_texts.h"
#include "data/guards.h"
#include "import/cell_text.h"
#include "screens/recipients/import_statement.h"

#include "import/row_checks.h"

#include <QSet>

namespace {

// The input-window guard's call failure and the row count's failure.
const QString countFailure = QStringLiteral("Gagal mengambil data! err: 01");

const SubmissionGuards importGuards{
    "CALL `nasn_waktu_input_cek`()", "Gagal terhubung ke sistem!", countFailure,
    "Pengajuan tidak bisa ditambah data!\r\rStatus : `Locked by Administrator` ",
    "Gagal mengambil data! err: 02"};

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

// The server holds the row as the import sent these cells.
bool storedAsSent(const QStringList &cells, QHash<QString, QStringList>::const_iterator stored,
                  QHash<QString, QStringList>::const_iterator none)
{
    if (stored == none)
        return false;
    for (int c = 0; c < importing::columns; ++c)
        if ((*stored)[c] != (c == importing::name ? importing::preparedName(cells[c]) : cells[c]))
            return false;
    return true;
}

} // namespace

ImportAction::ImportAction(Services services, ListAccess list)
    : reportView(&window_), s_(services), list_(std::move(list))
{
}

void ImportAction::tabPengajuanProsesTambahAllClick()
{
    if (!submissionGuardsAllow(s_.dm, s_.host, s_.messages, importGuards, s_.context.id_pengajuan) ||
        !countRows())
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

bool ImportAction::countRows()
{
    return runStep(s_.host, s_.messages, {texts::connectionFailure, countFailure}, [this] {
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
    const QString chosen = s_.files.openFileName({"Open", {xls, xlsx}, xls, "xls", {}, {}});
    if (chosen.isEmpty())
        return false;
    sg_jm_preload = {};
    importing::ReadResult read = importing::readImportTable(importing::trimmedOfBlanksAndControls(chosen));
    if (!read.ok()) {
        s_.messages.error(read.error);
        return false;
    }
    sg_jm_preload = std::move(read.table);
    return true;
}

void ImportAction::insertRows()
{
    importing::ImportReport report;
    const bool inserted = runStep(s_.host, s_.messages, {texts::connectionFailure, texts::dataFailure}, [&] {
        const QHash<QString, QStringList> before = storedRows();
        const QSet<QString> alreadyIn(before.keyBegin(), before.keyEnd());
        const QStringList refusals = importing::rowRefusals(sg_jm_preload, alreadyIn);
        importing::Table sent;
        sent.reserve(sg_jm_preload.rows.size());
        for (qsizetype r = 0; r < sg_jm_preload.rows.size(); ++r)
            if (importing::isSent(sg_jm_preload.kinds[r]))
                sent << sg_jm_preload.rows[r];
        if (!sent.isEmpty()) {
            Connection &connection = s_.dm.fdremunerasi;
            s_.dm.fdsq1.executeDirect(
                importStatement(s_.context.id_pengajuan, sent, [&](QByteArray &out, QStringView text) {
                    connection.appendEscaped(out, text);
                }));
        }
        QHash<QString, qsizetype> storedNow;
        report = compare(refusals, before, storedRows(), storedNow);
        if (report.stored > 0)
            report.lines << plausibility(storedNow);
        return Step::Done;
    });
    if (!inserted)
        return;
    if (report.refused == 0)
        s_.messages.information("Data berhasil diproses!");
    if (!report.lines.isEmpty())
        showReport(report);
    if (report.stored > 0)
        list_.reload();
}

QHash<QString, QStringList> ImportAction::storedRows()
{
    Query &q = s_.dm.fdsq1;
    q.close();
    q.setSql("CALL `nasn_pengajuan_detail_impor_baca`(:var_id)");
    q.setText("var_id", s_.context.id_pengajuan);
    q.open();
    if (q.result().fieldNames.size() < importing::columns)
        throw DbError("the stored rows lack a column");
    QHash<QString, QStringList> rows;
    rows.reserve(q.rowCount());
    for (const QStringList &row : q.result().rows)
        rows.insert(row[importing::nik], row);
    q.close();
    return rows;
}

// A row counts as stored when its NIK is new to the submission, the server now
// holds exactly what was sent, and no earlier row of the sheet took that NIK.
importing::ImportReport ImportAction::compare(const QStringList &refusals,
                                              const QHash<QString, QStringList> &before,
                                              const QHash<QString, QStringList> &after,
                                              QHash<QString, qsizetype> &storedRowOfNik) const
{
    importing::ImportReport report;
    for (qsizetype r = 0; r < sg_jm_preload.rows.size(); ++r) {
        const QStringList &cells = sg_jm_preload.rows[r];
        const QString &nik = cells[importing::nik];
        if (importing::isSent(sg_jm_preload.kinds[r]) && !before.contains(nik) &&
            !storedRowOfNik.contains(nik)) {
            if (storedAsSent(cells, after.constFind(nik), after.cend())) {
                storedRowOfNik.insert(nik, sg_jm_preload.sheetRow(r));
                ++report.stored;
                continue;
            }
        }
        ++report.refused;
        report.lines << importing::ReportLine{importing::ReportLine::Kind::Refused,
                                              sg_jm_preload.sheetRow(r),
                                              cells,
                                              nik,
                                              importing::preparedName(cells[importing::name]),
                                              refusals[r].isEmpty() ? QStringLiteral("Ditolak oleh server")
                                                                    : refusals[r]};
    }
    return report;
}

QList<importing::ReportLine> ImportAction::plausibility(const QHash<QString, qsizetype> &rowOfNik)
{
    Query &q = s_.dm.fdsq1;
    q.close();
    q.setSql("CALL `nasn_pengajuan_detail_cek_kewajaran`(:var_id)");
    q.setText("var_id", s_.context.id_pengajuan);
    q.open();
    QList<importing::ReportLine> lines;
    for (q.first(); !q.eof(); q.next()) {
        const QString nik = q.field("nik");
        if (!rowOfNik.isEmpty() && !rowOfNik.contains(nik))
            continue;
        lines << importing::ReportLine{importing::ReportLine::Kind::Check,
                                       rowOfNik.value(nik),
                                       {},
                                       nik,
                                       q.field("nama_lengkap"),
                                       q.field("keterangan")};
    }
    q.close();
    return lines;
}

void ImportAction::btProsesCekClick()
{
    importing::ImportReport report;
    const bool checked = runStep(s_.host, s_.messages, {texts::connectionFailure, texts::dataFailure}, [&] {
        report.lines = plausibility({});
        return Step::Done;
    });
    if (!checked)
        return;
    if (report.lines.isEmpty())
        s_.messages.information("Semua nominal BPJS sesuai dengan gaji.");
    else
        showReport(report);
}

void ImportAction::showReport(const importing::ImportReport &report)
{
    reportView->show(report, [this, &report] {
        const QString xlsx = QStringLiteral("Excel Workbook (*.xlsx)");
        const QString csv = QStringLiteral("CSV (*.csv)");
        const QString file = s_.files.saveFileName(
            {"Simpan Daftar Baris Ditolak", {xlsx, csv}, xlsx, "xlsx", "baris_ditolak.xlsx", {}});
        if (!file.isEmpty() && !importing::saveRefusedRows(report, file))
            s_.messages.warning("Gagal menyimpan file!");
    });
}
