#include "screens/submissions/submission_list_page.h"

#include "data/failure_texts.h"
#include "data/guards.h"
#include "data/list_grid.h"
#include "screens/submissions/period.h"

#include <QCursor>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const StepTexts listTexts{"Gagal terhubung ke database Korvani -> Iuran BPJS Remunerasi RSUD!",
                          texts::dataFailure};

std::vector<ListColumn> listColumns(const QString &levelUser)
{
    return {
        {"Periode", 70, "periode", shownPeriod},
        {"Tanggal Pengajuan", 120, "tanggal_pengajuan"},
        {"Nama OPD", 0, "unit_id"},
        {"Keterangan", 450, "keterangan"},
        {"Nama OPD", levelUser == QLatin1String("admin_skpd") ? 0 : 300, "nama_unit"},
    };
}

} // namespace

SubmissionListPage::SubmissionListPage(Services services, std::function<void()> openEditor,
                                       std::function<void()> openRecipients, QWidget *parent)
    : QWidget(parent), cbJMTahun(new ComboBox), btJMLihat(new QPushButton("Lihat Data Pengajuan")),
      sg_jm_pengajuan(new StringGrid), btJMTambah(new QPushButton("Tambah")),
      btJMHapus(new QPushButton("Hapus")), btJMProsesPengajuan(new QPushButton("Proses Pengajuan")),
      s_(services), openEditor_(std::move(openEditor)), openRecipients_(std::move(openRecipients))
{
    auto *filter = new QGroupBox("[ Filter Data ]");
    auto *filterLayout = new QHBoxLayout(filter);
    filterLayout->addWidget(new QLabel("Periode"));
    filterLayout->addWidget(cbJMTahun);
    filterLayout->addWidget(btJMLihat);
    filterLayout->addWidget(
        new QLabel("Catatan : pengajuan setiap bulannya dapat dibuat dalam lebih dari satu pengajuan."));
    filterLayout->addStretch();

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btJMTambah);
    buttons->addWidget(btJMHapus);
    buttons->addSpacing(16);
    buttons->addWidget(btJMProsesPengajuan);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(filter);
    layout->addWidget(sg_jm_pengajuan, 1);
    layout->addLayout(buttons);

    emptyListGrid(*sg_jm_pengajuan);
    sg_pengajuan_pm = attachPopup(*sg_jm_pengajuan, [this] { btJMLihatClick(); });

    connect(btJMLihat, &QPushButton::clicked, this, &SubmissionListPage::btJMLihatClick);
    connect(cbJMTahun, &QComboBox::editTextChanged, this, &SubmissionListPage::cbJMTahunChange);
    connect(btJMTambah, &QPushButton::clicked, this, &SubmissionListPage::btJMTambahClick);
    connect(btJMHapus, &QPushButton::clicked, this, &SubmissionListPage::btJMHapusClick);
    connect(btJMProsesPengajuan, &QPushButton::clicked, this, &SubmissionListPage::btJMProsesPengajuanClick);
}

QMenu *SubmissionListPage::attachPopup(StringGrid &grid, std::function<void()> refresh)
{
    auto *menu = new QMenu(&grid);
    connect(menu->addAction("Refresh Data"), &QAction::triggered, this,
            [refresh = std::move(refresh)] { refresh(); });
    menu->addSeparator();
    connect(menu->addAction("Tambah"), &QAction::triggered, this, [this] { openEditor_(); });
    menu->addAction("Hapus");
    menu->addSeparator();
    menu->addAction("Proses Pengajuan");
    grid.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&grid, &QWidget::customContextMenuRequested, menu, [menu] { menu->popup(QCursor::pos()); });
    return menu;
}

void SubmissionListPage::sbPengajuanClick()
{
    setRowButtonsEnabled(false);
    DataJMClick();
}

void SubmissionListPage::DataJMClick()
{
    // The box always offers the clock's year, also outside the usual range.
    const int year = s_.now().date().year();
    QStringList years;
    for (int y = std::min(year, 2020); y <= std::max(year, 2040); ++y)
        years << QString::number(y);
    cbJMTahun->setItems(years, static_cast<int>(years.indexOf(QString::number(year))));
    showListPage();
    btJMLihatClick();
}

void SubmissionListPage::showListPage()
{
    s_.shell.setHeader("Data Pengajuan Perhitungan Sarvela");
    s_.shell.showPage(Page::tabJM);
}

void SubmissionListPage::btJMLihatClick()
{
    runStep(s_.host, s_.messages, listTexts, [this] {
        emptyListGrid(*sg_jm_pengajuan);
        periodes_.clear();
        Query &q = s_.dm.fdsq1;
        q.close();
        q.setSql("CALL `nasn_pengajuan_tampildata`(:var_periode, :var_jenis) ");
        q.setText("var_periode", cbJMTahun->currentText());
        q.setText("var_jenis", "JM");
        q.open();
        if (q.rowCount() == 0) {
            if (s_.shell.currentPage() == Page::tabJM) {
                setRowButtonsEnabled(false);
                s_.messages.information("Tidak ada data dengan periode ini!");
            }
            return Step::Stopped;
        }
        setRowButtonsEnabled(true);
        fillListGrid(*sg_jm_pengajuan, q, listColumns(s_.context.levelUser), 2);
        for (q.first(); !q.eof(); q.next())
            periodes_.push_back(q.field("periode"));
        return Step::Done;
    });
}

void SubmissionListPage::cbJMTahunChange()
{
    btJMLihatClick();
}

void SubmissionListPage::btJMTambahClick()
{
    openEditor_();
}

void SubmissionListPage::btJMHapusClick()
{
    const QString id = sg_jm_pengajuan->selectedCell(0);
    if (!submissionGuardsAllow(s_.dm, s_.host, s_.messages, deleteAndProcessGuards, id))
        return;
    if (id.isEmpty()) {
        s_.messages.information("Tidak ada data yang bisa dihapus!");
        return;
    }
    if (!s_.messages.confirm(
            "Hapus data pengajuan?\r\rMenghapus pengajuan juga akan menghapus semua data PNS dari "
            "pengajuan.\r\rData akan dihapus secara permanen, lanjutkan?"))
        return;
    runStep(s_.host, s_.messages, {texts::connectionFailure, texts::dataFailure}, [this, &id] {
        Query &q = s_.dm.fdsq1;
        q.close();
        q.setSql("CALL `nasn_pengajuan_hapus`(:var_id, :var_nip_pemroses) ");
        q.setText("var_id", id);
        q.setText("var_nip_pemroses", s_.context.nipLogin);
        q.execute();
        s_.messages.information("Pengajuan berhasil dihapus!");
        btJMLihatClick();
        return Step::Done;
    });
}

void SubmissionListPage::btJMProsesPengajuanClick()
{
    const QString id = sg_jm_pengajuan->selectedCell(0);
    if (id.isEmpty()) {
        s_.messages.information("Tidak ada data yang bisa diproses!");
        return;
    }
    const size_t dataRow = static_cast<size_t>(sg_jm_pengajuan->currentRow() - 1);
    s_.context.id_pengajuan = id;
    s_.shell.setHeader(recipientHeader());
    s_.context.periode_pengajuan = dataRow < periodes_.size() ? periodes_[dataRow] : QString();
    s_.context.jenisPengajuan = "JM";
    openRecipients_();
}

QString SubmissionListPage::recipientHeader() const
{
    return "Proses Pengajuan Proses Data Iuran BPJS, Periode " + sg_jm_pengajuan->selectedCell(2);
}

void SubmissionListPage::setRowButtonsEnabled(bool enabled)
{
    btJMHapus->setEnabled(enabled);
    btJMProsesPengajuan->setEnabled(enabled);
}
