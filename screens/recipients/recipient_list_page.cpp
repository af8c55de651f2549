#include "screens/recipients/recipient_list_page.h"

#include "data/failure_texts.h"
#include "data/list_grid.h"

#include <QCursor>
#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

const StepTexts loadTexts{texts::connectionFailure, texts::dataFailure};

const std::vector<ListColumn> listColumns = {
    {"NIK", 75, "nik"},
    {"Nama Lengkap", 320, "nama_lengkap"},
    {"Gaji Pokok", 95, "gapok_formatted"},
    {"BPJS 1% Gaji", 95, "gapok_1_formatted"},
    {"BPJS 4% Gaji", 95, "gapok_4_formatted"},
    {"Remunerasi", 95, "remunerasi_formatted"},
    {"Insentif", 95, "insentif_formatted"},
};

QLabel *countLabel()
{
    auto *label = new QLabel("0");
    QFont font = label->font();
    font.setBold(true);
    font.setPixelSize(24);
    label->setFont(font);
    return label;
}

} // namespace

RecipientListPage::RecipientListPage(Services services, QWidget *parent)
    : QWidget(parent), tabPengajuanProsesSort(new ComboBox),
      tabPengajuanProsesTampilData(new QPushButton("Tampilkan Data")), tabPengajuanProsesJumlah(countLabel()),
      btProsesCetak(new QPushButton("Proses Cetakan")), btCetak(new QPushButton("Cetak Lampiran")),
      btCetakBank(new QPushButton("Cetak Pemidahbukuan Bank")),
      btRiwayatProses(new QPushButton("Riwayat Proses")), sg_pengajuanProses(new StringGrid),
      sg_pengajuan_proses_pm(new QMenu(sg_pengajuanProses)),
      tabPengajuanProsesTambahAll(new QPushButton("Impor Data Excel")),
      btProsesTambah(new QPushButton("Tambah")), btProsesUbah(new QPushButton("Ubah")),
      btProsesHapus(new QPushButton("Hapus")), btProsesCek(new QPushButton("Cek Nominal BPJS")), s_(services)
{
    auto *sortColumn = new QVBoxLayout;
    sortColumn->addWidget(new QLabel("Urutkan data"));
    sortColumn->addWidget(tabPengajuanProsesSort);
    auto *line = new QFrame;
    line->setFrameShape(QFrame::VLine);
    auto *top = new QHBoxLayout;
    top->addLayout(sortColumn);
    top->addWidget(tabPengajuanProsesTampilData);
    top->addWidget(new QLabel("Jumlah Data"));
    top->addWidget(tabPengajuanProsesJumlah);
    top->addWidget(line);
    top->addWidget(btProsesCetak);
    top->addWidget(btCetak);
    top->addWidget(btCetakBank);
    top->addWidget(btRiwayatProses);
    top->addStretch();

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(tabPengajuanProsesTambahAll);
    bottom->addWidget(btProsesTambah);
    bottom->addWidget(btProsesUbah);
    bottom->addWidget(btProsesHapus);
    bottom->addWidget(btProsesCek);
    bottom->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(sg_pengajuanProses, 1);
    layout->addLayout(bottom);

    QFont gridFont("Courier New");
    gridFont.setStyleHint(QFont::TypeWriter);
    gridFont.setPixelSize(12);
    sg_pengajuanProses->setFont(gridFont);
    sg_pengajuanProses->setDefaultRowHeight(20);
    emptyListGrid(*sg_pengajuanProses);
    setPrintEnabled(false);

    sg_pengajuan_proses_pm->addAction("Update Data Individu");
    sg_pengajuan_proses_pm->addSeparator();
    MenuItem7 = sg_pengajuan_proses_pm->addAction("Tambah Data Se-SKPD");
    sg_pengajuan_proses_pm->addAction("Hapus Data Individu");
    sg_pengajuan_proses_pm->addSeparator();
    connect(sg_pengajuan_proses_pm->addAction("Refresh Data"), &QAction::triggered, this,
            &RecipientListPage::RefreshData1Click);
    sg_pengajuanProses->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(sg_pengajuanProses, &QWidget::customContextMenuRequested, sg_pengajuan_proses_pm,
            [this] { sg_pengajuan_proses_pm->popup(QCursor::pos()); });

    connect(tabPengajuanProsesTampilData, &QPushButton::clicked, this,
            &RecipientListPage::tabPengajuanProsesTampilDataClick);
    connect(tabPengajuanProsesSort, &QComboBox::editTextChanged, this,
            &RecipientListPage::tabPengajuanProsesSortChange);
}

void RecipientListPage::tabPengajuanProsesTampilDataClick()
{
    emptyListGrid(*sg_pengajuanProses);
    runStep(s_.host, s_.messages, loadTexts, [this] {
        Query &q = s_.dm.fdsq1;
        q.close();
        q.setSql("CALL `nasn_pengajuan_detail_tampildata`(:var_id, :var_order) ");
        q.setText("var_id", s_.context.id_pengajuan);
        q.setInt("var_order", tabPengajuanProsesSort->itemIndex());
        q.open();
        tabPengajuanProsesJumlah->setText(QString::number(q.rowCount()));
        if (q.rowCount() == 0) {
            // Nothing listed is nothing processed: no printing either.
            setPrintEnabled(false);
            if (s_.shell.currentPage() == Page::tabPengajuanProses)
                s_.messages.information("Tidak ada data dengan periode ini!");
            return Step::Stopped;
        }
        fillListGrid(*sg_pengajuanProses, q, listColumns, 3, 40);
        setPrintEnabled(false);
        return Step::Done;
    });
}

void RecipientListPage::tabPengajuanProsesSortChange()
{
    tabPengajuanProsesTampilDataClick();
}

void RecipientListPage::RefreshData1Click()
{
    tabPengajuanProsesTampilDataClick();
}

void RecipientListPage::tabPengajuanProsesExit()
{
    tabPengajuanProsesJumlah->setText("0");
    StringGrid &grid = *sg_pengajuanProses;
    grid.clearCells();
    grid.setFixedCols(0);
    grid.setFixedRows(0);
    grid.setColCount(1);
    grid.setRowCount(1);
}

void RecipientListPage::showOpenedSubmission()
{
    tabPengajuanProsesSort->setItems({"NIP", "Nama"}, 0);
    setPrintEnabled(false);
    s_.shell.showPage(Page::tabPengajuanProses);
    tabPengajuanProsesTampilDataClick();
}

QString RecipientListPage::selectedRowId() const
{
    return sg_pengajuanProses->cell(0, sg_pengajuanProses->currentRow());
}

void RecipientListPage::setPrintEnabled(bool enabled)
{
    btCetak->setEnabled(enabled);
    btCetakBank->setEnabled(enabled);
}
