#include "screens/admin/user_form_page.h"

#include "data/failure_texts.h"
#include "ui/enter_submits.h"
#include "ui/masked_edit.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

UserFormPage::UserFormPage(Services services, std::function<void()> backToList, QWidget *parent)
    : QWidget(parent), tab_useradd_nip(new QLineEdit), tab_useradd_password1(maskedEdit(QLatin1Char('*'))),
      tab_useradd_password2(maskedEdit(QLatin1Char('*'))), tab_useradd_nama(new QLabel),
      tab_useradd_simpan(new QPushButton("Simpan")), s_(services), backToList_(std::move(backToList))
{
    tab_useradd_nip->setMaxLength(18);
    QFont bold = tab_useradd_nama->font();
    bold.setBold(true);
    tab_useradd_nama->setFont(bold);
    auto *nipRow = new QHBoxLayout;
    nipRow->addWidget(tab_useradd_nip);
    nipRow->addWidget(tab_useradd_nama, 1);
    auto *form = new QFormLayout;
    form->addRow("NIP", nipRow);
    form->addRow("Password", tab_useradd_password1);
    form->addRow("Konfirmasi Password", tab_useradd_password2);
    form->addRow(tab_useradd_simpan);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    connect(tab_useradd_simpan, &QPushButton::clicked, this, &UserFormPage::tab_useradd_simpanClick);
    enterClicks(this, tab_useradd_simpan);
}

void UserFormPage::setNipEditable(bool editable)
{
    tab_useradd_nip->setReadOnly(!editable);
    QPalette palette = tab_useradd_nip->palette();
    palette.setColor(QPalette::Base, editable ? palette.color(QPalette::Button) : QColor(128, 128, 128));
    tab_useradd_nip->setPalette(palette);
}

void UserFormPage::prepareAdd()
{
    s_.shell.setHeader("Tambah User");
    tab_useradd_nip->clear();
    tab_useradd_password1->clear();
    tab_useradd_password2->clear();
    tab_useradd_nama->clear();
    setNipEditable(true);
    s_.context.usermanagerstate = "tambah";
    s_.shell.showPage(Page::tabUserNew);
    tab_useradd_nip->setFocus();
}

void UserFormPage::prepareChange(const QString &nip, const QString &name)
{
    tab_useradd_nip->setText(nip);
    tab_useradd_password1->clear();
    tab_useradd_password2->clear();
    tab_useradd_nama->setText(name);
    setNipEditable(false);
    s_.context.usermanagerstate = "ubah";
    s_.shell.showPage(Page::tabUserNew);
    tab_useradd_password1->setFocus();
}

// The first check that fails, in the order the form asks them; empty when none does.
QString UserFormPage::formFault() const
{
    if (tab_useradd_nip->text().size() < 18)
        return "NIP wajib 18 digit tanpa spasi!";
    if (tab_useradd_password1->text() != tab_useradd_password2->text())
        return "password 1 dan 2 tidak match!";
    if (tab_useradd_password1->text().size() < 8)
        return "password minimal 8 karakter!";
    return {};
}

void UserFormPage::tab_useradd_simpanClick()
{
    if (const QString fault = formFault(); !fault.isEmpty()) {
        s_.messages.warning(fault);
        return;
    }
    const bool adding = s_.context.usermanagerstate == QLatin1String("tambah");
    const bool saved = runStep(
        s_.host, s_.messages,
        {texts::accountConnectionFailure, adding ? "Gagal menambah user!" : "Gagal mengubah password user!"},
        [&] {
            Query &q = s_.dm.fdsq1;
            q.close();
            q.setSql(adding ? "call `nasn_user_tambah`(:var_nip, :var_password, :var_nip_pemroses)"
                            : "call `nasn_user_ubah`(:var_nip, :var_password, :var_nip_pemroses)");
            q.setText("var_nip", tab_useradd_nip->text());
            q.setText("var_password", tab_useradd_password1->text());
            q.setText("var_nip_pemroses", s_.context.nipLogin);
            q.execute();
            s_.messages.information(adding ? "User berhasil ditambahkan!" : "Password berhasil diubah!");
            return Step::Done;
        });
    if (saved)
        backToList_();
}
