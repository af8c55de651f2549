#include "app/login_page.h"

#include "data/failure_texts.h"
#include "ui/masked_edit.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QStyle>
#include <QVBoxLayout>

QString appInfoText()
{
    const QStringList lines = {
        QStringLiteral("About App"),
        QString(67, QLatin1Char(' ')),
        QString(),
        QStringLiteral("Sarvela").leftJustified(64, QLatin1Char(' ')) + QStringLiteral("<<<"),
        QStringLiteral("RSUD Kota Talvirana"),
        QString(),
        QStringLiteral("Developed by :"),
        QStringLiteral("Tim Pengembang Sarvela"),
        QStringLiteral("Bagian Keuangan RSUD Kota Talvirana"),
        QStringLiteral("Telegram : @sarvela_rsud"),
        QStringLiteral("Februari 2023"),
        QString(),
        QString(),
    };
    return lines.join(QLatin1Char('\r'));
}

LoginPage::LoginPage(Services services, std::function<void()> loadProfil, std::function<void()> loadPejabat,
                     QWidget *parent)
    : QWidget(parent), leNIP(new QLineEdit), lePassword(maskedEdit(QLatin1Char('#'))),
      btnlogin(new QPushButton("Login")), BitBtn2(new QPushButton("App Info")), sg_informasi(new StringGrid),
      s_(services), loadProfil_(std::move(loadProfil)), loadPejabat_(std::move(loadPejabat))
{
    leNIP->setObjectName("leNIP");
    leNIP->setMaxLength(18);
    lePassword->setObjectName("lePassword");
    btnlogin->setObjectName("btnlogin");
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));

    auto *panel = new QGroupBox;
    panel->setFixedWidth(320);
    auto *form = new QFormLayout;
    form->addRow("NIP", leNIP);
    form->addRow("Password", lePassword);
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->addLayout(form);
    panelLayout->addWidget(btnlogin);
    panelLayout->addStretch();
    panelLayout->addWidget(BitBtn2);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(panel);
    layout->addSpacing(10);
    layout->addWidget(sg_informasi, 1);

    connect(btnlogin, &QPushButton::clicked, this, &LoginPage::btnloginClick);
    connect(leNIP, &QLineEdit::returnPressed, this, &LoginPage::btnloginClick);
    connect(lePassword, &QLineEdit::returnPressed, this, &LoginPage::btnloginClick);
    connect(BitBtn2, &QPushButton::clicked, this, &LoginPage::BitBtn2Click);
}

void LoginPage::btnloginClick()
{
    runStep(s_.host, s_.messages, {texts::connectionFailure, texts::serverDataFailure}, [this] {
        Query &q = s_.dm.fdsq1;
        q.close();
        q.setSql("CALL `nasn_login_cek`(:nip, :pass)");
        q.setText("nip", leNIP->text());
        q.setText("pass", lePassword->text());
        q.open();
        if (q.rowCount() == 0) {
            s_.messages.warning("Login gagal, cek apakah anda sudah diusulkan sebagai admin aplikasi ini !");
            lePassword->clear();
            leNIP->setFocus();
            return Step::Stopped;
        }
        q.first();
        const QString nip = q.field("nip");
        const QString level = q.field("level");
        const QString description = q.field("levelDescription");
        s_.context.nipLogin = nip;
        s_.context.levelUser = level;
        s_.context.levelDescription = description;
        loadProfil_();
        loadPejabat_();
        return Step::Done;
    });
}

void LoginPage::BitBtn2Click()
{
    s_.messages.information(appInfoText());
}

void LoginPage::loadInformasi()
{
    runStep(s_.host, s_.messages, {texts::connectionFailure, texts::dataFailure}, [this] {
        Query &q = s_.dm.fdsq1;
        q.close();
        q.setSql("CALL `nasn_informasi`()");
        q.open();
        StringGrid &grid = *sg_informasi;
        grid.setFixedCols(1);
        grid.setFixedRows(1);
        grid.setColCount(2);
        grid.setRowCount(q.rowCount() + 1);
        grid.setColWidth(0, 30);
        grid.setColWidth(1, 1000);
        grid.setCell(0, 0, "No.");
        grid.setCell(1, 0, "Pengumuman");
        for (q.first(); !q.eof(); q.next()) {
            grid.setCell(0, q.recNo(), QString::number(q.recNo()));
            grid.setCell(1, q.recNo(), q.field("pengumuman"));
        }
        return Step::Done;
    });
}

void LoginPage::clearEdits()
{
    leNIP->clear();
    lePassword->clear();
}
