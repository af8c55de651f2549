#include "reports/run_history_dialog.h"

#include "data/failure_texts.h"
#include "data/list_grid.h"
#include "reports/run_workbook.h"

#include <QDir>
#include <QHBoxLayout>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

const StepTexts readTexts{texts::connectionFailure, texts::dataFailure};

const std::vector<ListColumn> runColumns = {
    {"Waktu Proses", 160, "tanggal_proses"}, {"NIP Operator", 150, "nip"},
    {"Nama Operator", 220, "nama_lengkap"},  {"Jumlah Pegawai", 110, "jumlah_pegawai"},
    {"Total Iuran", 130, "total_iuran"},
};

} // namespace

RunHistoryDialog::RunHistoryDialog(Services services, ProcessingActions &printing, QWidget *parent)
    : QDialog(parent), sg_riwayat(new StringGrid), btRiwayatCetak(new QPushButton("Cetak Lampiran")),
      btRiwayatCetakBank(new QPushButton("Cetak Pemidahbukuan Bank")),
      btRiwayatExcel(new QPushButton("Simpan Excel")), btRiwayatTutup(new QPushButton("Tutup")), s_(services),
      printing_(printing)
{
    setWindowTitle("Riwayat Proses");
    setWindowModality(Qt::WindowModal);
    resize(860, 420);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btRiwayatCetak);
    buttons->addWidget(btRiwayatCetakBank);
    buttons->addWidget(btRiwayatExcel);
    buttons->addStretch();
    buttons->addWidget(btRiwayatTutup);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(sg_riwayat, 1);
    layout->addLayout(buttons);
    emptyListGrid(*sg_riwayat);

    connect(btRiwayatCetak, &QPushButton::clicked, this, &RunHistoryDialog::btRiwayatCetakClick);
    connect(btRiwayatCetakBank, &QPushButton::clicked, this, &RunHistoryDialog::btRiwayatCetakBankClick);
    connect(btRiwayatExcel, &QPushButton::clicked, this, &RunHistoryDialog::btRiwayatExcelClick);
    connect(btRiwayatTutup, &QPushButton::clicked, this, &QDialog::reject);
}

void RunHistoryDialog::btRiwayatProsesClick()
{
    emptyListGrid(*sg_riwayat);
    const bool listed = runStep(s_.host, s_.messages, readTexts, [this] {
        Query &q = s_.dm.fdsq1;
        q.close();
        q.setSql("CALL `nasn_proses_riwayat_tampildata`(:var_id, :var_nip) ");
        q.setText("var_id", s_.context.id_pengajuan);
        q.setText("var_nip", s_.context.nipLogin);
        q.open();
        if (q.rowCount() == 0) {
            s_.messages.information("Pengajuan ini belum pernah diproses!");
            return Step::Stopped;
        }
        fillListGrid(*sg_riwayat, q, runColumns, 2, 40);
        sg_riwayat->setCurrentRow(1);
        return Step::Done;
    });
    if (listed)
        open();
}

bool RunHistoryDialog::loadSelectedRun(ProcessedRun &run)
{
    const QString runId = sg_riwayat->selectedCell(0);
    return runStep(s_.host, s_.messages, readTexts, [&] {
        Query &q = s_.dm.fdsq1;
        q.close();
        q.setSql("CALL `nasn_proses_riwayat_baris`(:var_run, :var_nip) ");
        q.setText("var_run", runId);
        q.setText("var_nip", s_.context.nipLogin);
        q.open();
        run.rows = q.result();
        q.close();
        q.setSql("CALL `nasn_proses_riwayat_variabel`(:var_run, :var_nip) ");
        q.setText("var_run", runId);
        q.setText("var_nip", s_.context.nipLogin);
        q.open();
        q.first();
        Officials &o = run.officials;
        o = {q.field("pa_nama"), q.field("pa_nip"), q.field("pa_pangkat"),
             q.field("bp_nama"), q.field("bp_nip"), q.field("bp_pangkat")};
        run.periodLabel = q.field("periode_tpp_label");
        return Step::Done;
    });
}

void RunHistoryDialog::printSelected(const QString &fileName)
{
    ProcessedRun run;
    if (loadSelectedRun(run))
        printing_.print(fileName, run);
}

void RunHistoryDialog::btRiwayatCetakClick()
{
    printSelected(attachmentTemplate);
}

void RunHistoryDialog::btRiwayatCetakBankClick()
{
    printSelected(bankOrderTemplate);
}

void RunHistoryDialog::btRiwayatExcelClick()
{
    ProcessedRun run;
    if (!loadSelectedRun(run))
        return;
    const QString name = ("Iuran BPJS Kesehatan " + run.periodLabel).trimmed() + ".xlsx";
    const QString path = s_.files.saveFileName(
        {"Simpan Riwayat Proses",
         {"File Excel (*.xlsx)"},
         "File Excel (*.xlsx)",
         "xlsx",
         QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(name),
         {}});
    if (path.isEmpty())
        return;
    if (saveRunWorkbook(run, path))
        s_.messages.information("Data berhasil disimpan:\r" + QDir::toNativeSeparators(path));
    else
        s_.messages.warning("Gagal menyimpan file:\r" + QDir::toNativeSeparators(path));
}
