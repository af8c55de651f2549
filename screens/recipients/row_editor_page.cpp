#include "screens/recipients/row_editor_page.h"

#include "data/failure_texts.h"
#include "ui/enter_submits.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QLineEdit *limitedEdit(const char *name, int maxLength)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    return edit;
}

bool isAdding(const QString &mode)
{
    return mode == QLatin1String("tambah");
}

} // namespace

bool DigitKeysOnly::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent *>(event)->text();
        const auto typedNonDigit = [](QChar c) {
            return c.isPrint() && (c < QLatin1Char('0') || c > QLatin1Char('9'));
        };
        if (std::any_of(typed.cbegin(), typed.cend(), typedNonDigit))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

RowEditorPage::RowEditorPage(Services services, ListHooks list, QWidget *parent)
    : QWidget(parent), tabPNSEditNIK(limitedEdit("tabPNSEditNIK", 18)), tabPNSEditNama(new QLabel),
      tabPNSEditNamaLengkap(limitedEdit("tabPNSEditNamaLengkap", 100)),
      tabPNSEditGapok(limitedEdit("tabPNSEditGapok", 18)), tabPNSEdit4p(limitedEdit("tabPNSEdit4p", 18)),
      tabPNSEdit1p(limitedEdit("tabPNSEdit1p", 18)),
      tabPNSEditRemunerasi(limitedEdit("tabPNSEditRemunerasi", 18)),
      tabPNSEditInsentif(limitedEdit("tabPNSEditInsentif", 18)), tabPNSEditSimpan(new QPushButton("Simpan")),
      tabPNSEditBatal(new QPushButton("Batal")), tabPNSEditGapokKeyPress(new DigitKeysOnly(this)),
      s_(services), list_(std::move(list))
{
    for (QLineEdit *amount :
         {tabPNSEditGapok, tabPNSEdit4p, tabPNSEdit1p, tabPNSEditRemunerasi, tabPNSEditInsentif})
        amount->installEventFilter(tabPNSEditGapokKeyPress);

    auto *nik = new QHBoxLayout;
    nik->addWidget(tabPNSEditNIK);
    nik->addWidget(tabPNSEditNama);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(tabPNSEditSimpan);
    buttons->addWidget(tabPNSEditBatal);
    buttons->addStretch();
    auto *form = new QFormLayout;
    form->addRow("NIK", nik);
    form->addRow("Nama Lengkap", tabPNSEditNamaLengkap);
    form->addRow("Gaji", tabPNSEditGapok);
    form->addRow("BPJS 4% dari Gaji", tabPNSEdit4p);
    form->addRow("BPJS 1% dari Gaji", tabPNSEdit1p);
    form->addRow("Remunerasi", tabPNSEditRemunerasi);
    form->addRow("Insentif", tabPNSEditInsentif);
    form->addRow(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();

    connect(tabPNSEditSimpan, &QPushButton::clicked, this, &RowEditorPage::tabPNSEditSimpanClick);
    connect(tabPNSEditBatal, &QPushButton::clicked, this, &RowEditorPage::tabPNSEditBatalClick);
    enterClicks(this, tabPNSEditSimpan);
}

std::array<QLineEdit *, 7> RowEditorPage::edits() const
{
    return {tabPNSEditNIK, tabPNSEditNamaLengkap, tabPNSEditGapok,   tabPNSEdit4p,
            tabPNSEdit1p,  tabPNSEditRemunerasi,  tabPNSEditInsentif};
}

void RowEditorPage::btProsesTambahClick()
{
    s_.context.tabpnseditjenis = "tambah";
    for (QLineEdit *edit : edits())
        edit->clear();
    tabPNSEditNama->clear();
    s_.shell.setHeader("Tambah data Pegawai");
    setNikWritable(true);
    s_.shell.showPage(Page::tabPNSEdit);
    tabPNSEditNIK->setFocus();
}

void RowEditorPage::btProsesUbahClick()
{
    s_.context.tabpnseditjenis = "ubah";
    s_.shell.setHeader("Ubah data Pegawai");
    const bool loaded = runStep(s_.host, s_.messages, {texts::connectionFailure, texts::dataFailure}, [this] {
        Query &q = s_.dm.fdsq1;
        q.close();
        q.setSql("CALL `nasn_pengajuan_detail_ubah_ambil_data`(:var_id)");
        q.setText("var_id", list_.selectedRowId());
        q.open();
        q.first();
        const QStringList values = {q.field("nik"),     q.field("nama_lengkap"), q.field("gapok"),
                                    q.field("gapok_4"), q.field("gapok_1"),      q.field("remunerasi"),
                                    q.field("insentif")};
        for (int i = 0; i < values.size(); ++i)
            edits()[static_cast<size_t>(i)]->setText(values[i]);
        return Step::Done;
    });
    if (!loaded)
        return;
    setNikWritable(false);
    s_.shell.showPage(Page::tabPNSEdit);
}

void RowEditorPage::btProsesHapusClick()
{
    if (s_.messages.confirm("Hapus data PNS dari pengajuan?")) {
        const bool deleted =
            runStep(s_.host, s_.messages, {texts::connectionFailure, "Gagal menghapus data!"}, [this] {
                Query &q = s_.dm.fdsq1;
                q.close();
                q.setSql("CALL `nasn_pengajuan_detail_hapus`(:var_id)");
                q.setText("var_id", list_.selectedRowId());
                q.execute();
                s_.messages.information("Data berhasil dihapus!");
                return Step::Done;
            });
        if (!deleted)
            return;
    }
    list_.refresh();
}

void RowEditorPage::tabPNSEditSimpanClick()
{
    const auto allEdits = edits();
    if (std::any_of(allEdits.begin(), allEdits.end(),
                    [](QLineEdit *edit) { return edit->text().isEmpty(); })) {
        s_.messages.warning("Ada kolom yang masih kosong!");
        return;
    }
    const bool adding = isAdding(s_.context.tabpnseditjenis);
    if (adding && !nikIsNew())
        return;
    const StepTexts stepTexts{texts::connectionFailure,
                              adding ? "Gagal menambahkan data!" : "Gagal melakukan update data!"};
    const bool stored = runStep(s_.host, s_.messages, stepTexts, [this, adding] {
        Query &q = s_.dm.fdsq1;
        q.close();
        q.setSql(QStringLiteral("CALL `%1`(:var_id, :var_nik, :var_namalengkap, :var_gapok, :var_gapok4, "
                                ":var_gapok1, :var_remunerasi, :var_insentif, :var_nip_operator)")
                     .arg(adding ? QLatin1String("nasn_pengajuan_detail_tambah")
                                 : QLatin1String("nasn_pengajuan_detail_ubah")));
        q.setText("var_id", s_.context.id_pengajuan);
        q.setText("var_nik", tabPNSEditNIK->text());
        q.setText("var_namalengkap", tabPNSEditNamaLengkap->text());
        q.setText("var_gapok", tabPNSEditGapok->text());
        q.setText("var_gapok4", tabPNSEdit4p->text());
        q.setText("var_gapok1", tabPNSEdit1p->text());
        q.setText("var_remunerasi", tabPNSEditRemunerasi->text());
        q.setText("var_insentif", tabPNSEditInsentif->text());
        q.setText("var_nip_operator", s_.context.nipLogin);
        q.execute();
        s_.messages.information(adding ? "Data berhasil ditambahkan!" : "Data berhasil diubah!");
        return Step::Done;
    });
    if (!stored)
        return;
    showList();
}

// The NIK test of an added row: false, after its box, when the NIK is listed already
// or the test could not run.
bool RowEditorPage::nikIsNew()
{
    return runStep(s_.host, s_.messages, {texts::connectionFailure, texts::dataFailure}, [this] {
        Query &q = s_.dm.fdsq1;
        q.close();
        q.setSql("CALL `nasn_pengajuan_detail_cek_nik`(:var_id, :var_nik)");
        q.setText("var_id", s_.context.id_pengajuan);
        q.setText("var_nik", tabPNSEditNIK->text());
        q.open();
        if (q.rowCount() > 0) {
            s_.messages.warning("NIK sudah masuk ke pengajuan di periode ini!\rSilahkan cek inputan NIK "
                                "apakah sudah sesuai.");
            return Step::Stopped;
        }
        return Step::Done;
    });
}

void RowEditorPage::tabPNSEditBatalClick()
{
    s_.shell.setHeader(list_.periodHeader());
    showList();
}

void RowEditorPage::showList()
{
    s_.shell.showPage(Page::tabPengajuanProses);
    list_.refresh();
}

void RowEditorPage::setNikWritable(bool writable)
{
    tabPNSEditNIK->setReadOnly(!writable);
    tabPNSEditNIK->setStyleSheet(writable ? "background-color: white;"
                                          : "background-color: palette(button);");
}
