#include "app/profile_page.h"

#include "builtin_values.h"
#include "data/failure_texts.h"

#include <QGroupBox>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QLabel *boldLabel()
{
    auto *label = new QLabel;
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

ProfilePage::ProfilePage(Services services, std::function<void()> clearLoginEdits, QWidget *parent)
    : QWidget(parent), profilNama(boldLabel()), profilNIP(boldLabel()), profilHakAkses(boldLabel()),
      SpeedButton2(new QToolButton), s_(services), clearLoginEdits_(std::move(clearLoginEdits))
{
    profilHakAkses->setWordWrap(true);
    SpeedButton2->setObjectName("SpeedButton2");
    SpeedButton2->setText("Ubah Password");
    SpeedButton2->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    SpeedButton2->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    SpeedButton2->setIconSize({32, 32});

    auto *profile = new QGroupBox("[ profil user ]");
    auto *profileLayout = new QVBoxLayout(profile);
    profileLayout->addWidget(new QLabel("Nama | NIP"));
    profileLayout->addWidget(profilNama);
    profileLayout->addWidget(profilNIP);
    profileLayout->addWidget(new QLabel("Hak Akses"));
    profileLayout->addWidget(profilHakAkses);
    profileLayout->addStretch();

    auto *gbAdministratorMenu = new QGroupBox("[ action ]");
    gbAdministratorMenu->setObjectName("gbAdministratorMenu");
    auto *actionLayout = new QVBoxLayout(gbAdministratorMenu);
    actionLayout->addWidget(SpeedButton2);
    actionLayout->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(profile);
    layout->addWidget(gbAdministratorMenu);
    layout->addStretch();
}

void ProfilePage::loadProfil()
{
    runStep(s_.host, s_.messages, {texts::connectionFailure, texts::dataFailure}, [this] {
        Query &q = s_.dm.fdsq1;
        q.close();
        q.setSql("CALL `nasn_load_profil`(:nip)");
        q.setText("nip", s_.context.nipLogin);
        q.open();
        q.first();
        const QString name = q.field("nama_lengkap");
        const QString nip = q.field("nip");
        profilNama->setText(name);
        profilNIP->setText(nip);
        s_.context.induk_id = builtin::unitId;
        s_.context.nama_skpd = "UPTD RSUD Pada Dinas Kesehatan Kota Talvirana";
        clearLoginEdits_();
        s_.shell.setHeader("Dashboard");
        s_.shell.showPage(Page::tabProfil);
        s_.shell.setMenuVisible(true);
        profilHakAkses->setText(s_.context.levelDescription);
        applyLevelRule();
        return Step::Done;
    });
}

// Compared exactly; any other level leaves the buttons as they were.
void ProfilePage::applyLevelRule()
{
    const QString &level = s_.context.levelUser;
    if (level == QLatin1String("admin_pembangunan"))
        s_.shell.setLevelButtonsEnabled(false);
    if (level == QLatin1String("Admin_skpd"))
        s_.shell.setLevelButtonsEnabled(true);
    if (level == QLatin1String("Administrator"))
        s_.shell.setLevelButtonsEnabled(true);
}
