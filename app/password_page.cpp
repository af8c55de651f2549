#include "app/password_page.h"

#include "data/failure_texts.h"
#include "ui/masked_edit.h"

#include <QFormLayout>
#include <QVBoxLayout>

namespace {

QLineEdit *starredEdit(const char *name)
{
    QLineEdit *edit = maskedEdit(QLatin1Char('*'));
    edit->setObjectName(name);
    return edit;
}

const StepTexts stepTexts{texts::connectionFailure, texts::serverDataFailure};

} // namespace

PasswordPage::PasswordPage(Services services, std::function<void()> logOut, QWidget *parent)
    : QWidget(parent), tabPassEditLama(starredEdit("tabPassEditLama")),
      tabPassEditBaru1(starredEdit("tabPassEditBaru1")), tabPassEditBaru2(starredEdit("tabPassEditBaru2")),
      BitBtn1(new QPushButton("Ubah Password")), s_(services), logOut_(std::move(logOut))
{
    auto *form = new QFormLayout;
    form->addRow("Password Lama", tabPassEditLama);
    form->addRow("Password Baru", tabPassEditBaru1);
    form->addRow("Konfirmasi Password Baru", tabPassEditBaru2);
    form->addRow(BitBtn1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    connect(BitBtn1, &QPushButton::clicked, this, &PasswordPage::BitBtn1Click);
}

void PasswordPage::SpeedButton2Click()
{
    s_.shell.setHeader("Ubah Password");
    tabPassEditLama->clear();
    tabPassEditBaru1->clear();
    tabPassEditBaru2->clear();
    s_.shell.showPage(Page::tabPassEdit);
}

void PasswordPage::BitBtn1Click()
{
    const bool oldConfirmed = runStep(s_.host, s_.messages, stepTexts, [this] {
        Query &q = s_.dm.fdsq1;
        q.close();
        q.setSql("CALL `nasn_login_cek`(:nip, :pass)");
        q.setText("nip", s_.context.nipLogin);
        q.setText("pass", tabPassEditLama->text());
        q.open();
        if (q.rowCount() == 0) {
            s_.messages.warning("Password lama tidak sesuai, proses dibatalkan !");
            tabPassEditLama->setFocus();
            return Step::Stopped;
        }
        return Step::Done;
    });
    if (!oldConfirmed)
        return;
    if (tabPassEditBaru1->text() != tabPassEditBaru2->text()) {
        s_.messages.warning(
            "Password baru tidak sesuai, pastikan menuliskan password baru di kolom 1 dan 2 sama persis !");
        tabPassEditBaru1->setFocus();
        return;
    }
    runStep(s_.host, s_.messages, stepTexts, [this] {
        Query &q = s_.dm.fdsq1;
        q.close();
        q.setSql("CALL `nasn_login_update`(:nip, :pass)");
        q.setText("nip", s_.context.nipLogin);
        q.setText("pass", tabPassEditBaru1->text());
        q.execute();
        s_.messages.information("Password berhasil diubah !");
        logOut_();
        return Step::Done;
    });
}
