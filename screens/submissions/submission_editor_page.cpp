#include "screens/submissions/submission_editor_page.h"

#include "data/failure_texts.h"
#include "data/guards.h"
#include "screens/submissions/period.h"
#include "ui/enter_submits.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

const InputWindowGuard saveInputWindow{"CALL `nasn_waktu_input_cek`() ", texts::connectionFailure,
                                       "Gagal mengambil data jadwal input!"};

} // namespace

SubmissionEditorPage::SubmissionEditorPage(Services services, std::function<void()> showList,
                                           std::function<void()> loadList, QWidget *parent)
    : QWidget(parent), cbBulanPengajuan(new ComboBox), cbTahunPengajuan(new ComboBox),
      edKeteranganPengajuan(new QLineEdit), edNomorPengajuan(new QLineEdit(this)),
      dtPengajuan(new QDateEdit(this)), btPengajuanEditSimpan(new QPushButton("Simpan")),
      btPengajuanEditBatal(new QPushButton("Batal")), s_(services), showList_(std::move(showList)),
      loadList_(std::move(loadList))
{
    edNomorPengajuan->hide();
    dtPengajuan->hide();

    auto *period = new QHBoxLayout;
    period->addWidget(cbBulanPengajuan);
    period->addWidget(cbTahunPengajuan);
    period->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btPengajuanEditSimpan);
    buttons->addWidget(btPengajuanEditBatal);
    buttons->addStretch();
    auto *form = new QFormLayout;
    form->addRow("Periode", period);
    form->addRow("Keterangan", edKeteranganPengajuan);
    form->addRow(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();

    connect(btPengajuanEditSimpan, &QPushButton::clicked, this,
            &SubmissionEditorPage::btPengajuanEditSimpanClick);
    connect(btPengajuanEditBatal, &QPushButton::clicked, this,
            &SubmissionEditorPage::btPengajuanEditBatalClick);
    enterClicks(this, btPengajuanEditSimpan);
}

void SubmissionEditorPage::btPengajuanTambahClick()
{
    const QDateTime now = s_.now();
    s_.shell.setHeader("Tambah Data Pengajuan");
    s_.context.jenisPengajuan = "JM";
    cbBulanPengajuan->setItems(monthNames(), 0);
    cbTahunPengajuan->setItems(
        {QString::number(now.addDays(-365).date().year()), QString::number(now.date().year())}, 1);
    edNomorPengajuan->setText("-");
    edKeteranganPengajuan->clear();
    dtPengajuan->setDate(now.date());
    s_.shell.showPage(Page::tabPengajuanEdit);
    cbBulanPengajuan->setFocus();
}

void SubmissionEditorPage::btPengajuanEditSimpanClick()
{
    if (!inputWindowAllows(s_.dm, s_.host, s_.messages, saveInputWindow))
        return;
    if (edKeteranganPengajuan->text().isEmpty()) {
        s_.messages.information("Ada kolom yang masih kosong, silahkan dilengkapi!");
        edKeteranganPengajuan->setFocus();
        return;
    }
    const QString periode = periodCode(cbTahunPengajuan->currentText(), cbBulanPengajuan->itemIndex());
    const bool saved =
        runStep(s_.host, s_.messages, {texts::connectionFailure, "Gagal menyimpan data pengajuan!"}, [&] {
            Query &q = s_.dm.fdsq1;
            q.close();
            q.setSql("CALL `nasn_pengajuan_tambah`(:var_periode, :var_unit, :var_nomor, :var_tanggal, "
                     ":var_keterangan, :var_jenis) ");
            q.setText("var_periode", periode);
            q.setText("var_unit", s_.context.induk_id);
            q.setText("var_nomor", edNomorPengajuan->text());
            q.setText("var_tanggal", dtPengajuan->date().toString("yyyy-MM-dd"));
            q.setText("var_keterangan", edKeteranganPengajuan->text());
            q.setText("var_jenis", s_.context.jenisPengajuan);
            q.execute();
            return Step::Done;
        });
    if (!saved)
        return;
    s_.messages.information("Sukses!");
    showList_();
    loadList_();
}

void SubmissionEditorPage::btPengajuanEditBatalClick()
{
    showList_();
}
