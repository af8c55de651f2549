#include "app/tfmain.h"

#include "builtin_values.h"
#include "data/failure_texts.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QToolButton *menuButton(const char *name, const QString &caption, QStyle::StandardPixmap icon, QStyle *style)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setText(caption);
    button->setIcon(style->standardIcon(icon));
    button->setIconSize({32, 32});
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFixedSize(88, 63);
    return button;
}

QString mandatoryUpdateText(const QString &version)
{
    return "Ada update aplikasi versi " + version + " yang WAJIB diinstall!\r\rCatatan :\r" +
           "Silahkan download installer aplikasi versi " + version + " di website.";
}

QString optionalUpdateText(const QString &version)
{
    return "Ada update aplikasi versi " + version + " yang bisa diinstall.\r\rCatatan :\r" +
           "Update versi ini tidak wajib diinstall tapi mungkin ada fitur baru yang bermanfaat.\r\r" +
           "Silahkan lihat perubahan di bagian 'change log-pada website Belunta' download installer aplikasi "
           "versi " +
           version + " di website.";
}

} // namespace

Tfmain::Tfmain(Tdm &dm, Messages &messages, FileChooser &files, std::function<QDateTime()> now)
    : reportData(dm, context), dm_(dm), services_{dm, *this, messages, files, context, *this, std::move(now)}
{
    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildTopStrip());
    auto *separator = new QFrame;
    separator->setFrameShape(QFrame::HLine);
    layout->addWidget(separator);
    pHeader = new QLabel;
    pHeader->setObjectName("pHeader");
    pHeader->setFixedHeight(41);
    pHeader->setAlignment(Qt::AlignCenter);
    pHeader->setStyleSheet("font-weight: bold; font-size: 16px;");
    layout->addWidget(pHeader);
    pg = new PageControl;
    layout->addWidget(pg, 1);
    setCentralWidget(central);
    for (QLabel *&panel : StatusBar1) {
        panel = new QLabel;
        panel->setMinimumWidth(51);
        statusBar()->addWidget(panel);
    }
    buildPages();

    pg->setActivePage(Page::tabLogin);
    // Sized to the screen as well, for desktops whose window manager does not maximize.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        resize(screen->availableGeometry().size());
        move(screen->availableGeometry().center() - rect().center());
    }
    setWindowTitle("Sarvela - RSUD Kota Talvirana");
    context.app_version = builtin::appVersion;
    StatusBar1[2]->setText("v " + context.app_version);
    setHeader("Informasi");
    setWindowState(Qt::WindowMaximized);
}

QWidget *Tfmain::buildTopStrip()
{
    auto *strip = new QWidget;
    strip->setFixedHeight(73);
    pMenu = new QWidget;
    pMenu->setObjectName("pMenu");
    pMenu->setFixedWidth(716);
    sbDashboard = menuButton("sbDashboard", "Dashboard", QStyle::SP_ComputerIcon, style());
    sbPengajuan = menuButton("sbPengajuan", "Pengajuan", QStyle::SP_FileDialogDetailedView, style());
    sbPejabat = menuButton("sbPejabat", "Pejabat", QStyle::SP_FileDialogInfoView, style());
    sbUser = menuButton("sbUser", "User", QStyle::SP_DirHomeIcon, style());
    sbLog = menuButton("sbLog", "Log", QStyle::SP_FileDialogContentsView, style());
    sblogout = menuButton("sblogout", "LogOut", QStyle::SP_DialogCloseButton, style());
    auto *buttons = new QHBoxLayout(pMenu);
    buttons->setContentsMargins(4, 4, 4, 4);
    buttons->setSpacing(0);
    buttons->addWidget(sbDashboard);
    buttons->addSpacing(16);
    buttons->addWidget(sbPengajuan);
    buttons->addSpacing(16);
    buttons->addWidget(sbPejabat);
    buttons->addWidget(sbUser);
    buttons->addWidget(sbLog);
    buttons->addSpacing(16);
    buttons->addWidget(sblogout);
    buttons->addStretch();
    pMenu->hide();
    auto *layout = new QHBoxLayout(strip);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pMenu);
    layout->addStretch();

    connect(sbDashboard, &QToolButton::clicked, this, &Tfmain::sbDashboardClick);
    connect(sbPengajuan, &QToolButton::clicked, this, [this] { tabJM->sbPengajuanClick(); });
    connect(sbPejabat, &QToolButton::clicked, this, &Tfmain::sbPejabatClick);
    connect(sblogout, &QToolButton::clicked, this, &Tfmain::sblogoutClick);
    return strip;
}

void Tfmain::buildPages()
{
    buildAccountPages();
    buildAdminPages();
    buildSubmissionPages();
    buildRecipientPages();
    tabJM->attachPopup(*tabUser->sg_user, [this] { tabUser->btUser_tampildataClick(); });
    tabJM->attachPopup(*tabLog->sg_log, [this] { tabLog->btLog_tampilDataClick(); });
    pg->checkEveryKeyRegistered();
    connect(pg, &PageControl::activePageChanged, this, &Tfmain::pageShown);
}

// Login, the operator's profile and the own password change.
void Tfmain::buildAccountPages()
{
    tabLogin = new LoginPage(
        services_, [this] { tabProfil->loadProfil(); }, [this] { tabPejabat->loadPejabat(); });
    tabProfil = new ProfilePage(services_, [this] { tabLogin->clearEdits(); });
    tabPassEdit = new PasswordPage(services_, [this] {
        showLoginPage();
        tabLogin->loadInformasi();
    });
    connect(tabProfil->SpeedButton2, &QToolButton::clicked, tabPassEdit, &PasswordPage::SpeedButton2Click);
    pg->addPage(Page::tabLogin, tabLogin);
    pg->addPage(Page::tabProfil, tabProfil);
    pg->addPage(Page::tabPassEdit, tabPassEdit);
}

// Officials, operator accounts and the activity log.
void Tfmain::buildAdminPages()
{
    tabPejabat = new OfficialsPage(services_);
    tabUserNew = new UserFormPage(services_, [this] {
        tabUser->btUser_tampildataClick();
        showPage(Page::tabUser);
    });
    const auto changeUser = [this](const QString &nip, const QString &name) {
        tabUserNew->prepareChange(nip, name);
    };
    tabUser = new UserListPage(services_, {[this] { tabUserNew->prepareAdd(); }, changeUser});
    tabLog = new LogPage(services_);
    connect(sbUser, &QToolButton::clicked, tabUser, &UserListPage::sbUserClick);
    connect(sbLog, &QToolButton::clicked, tabLog, &LogPage::sbLogClick);
    pg->addPage(Page::tabPejabat, tabPejabat);
    pg->addPage(Page::tabUser, tabUser);
    pg->addPage(Page::tabUserNew, tabUserNew);
    pg->addPage(Page::tabLog, tabLog);
}

// The submission list and the submission editor.
void Tfmain::buildSubmissionPages()
{
    tabPengajuanEdit = new SubmissionEditorPage(
        services_, [this] { tabJM->showListPage(); }, [this] { tabJM->btJMLihatClick(); });
    tabJM = new SubmissionListPage(
        services_, [this] { tabPengajuanEdit->btPengajuanTambahClick(); },
        [this] { tabPengajuanProses->showOpenedSubmission(); });
    pg->addPage(Page::tabJM, tabJM);
    pg->addPage(Page::tabPengajuanEdit, tabPengajuanEdit);
}

// The recipient list, its row editor, the spreadsheet import and the processing.
void Tfmain::buildRecipientPages()
{
    tabPengajuanProses = new RecipientListPage(services_);
    const RowEditorPage::ListHooks rows{[this] { return tabPengajuanProses->selectedRowId(); },
                                        [this] { tabPengajuanProses->tabPengajuanProsesTampilDataClick(); },
                                        [this] { return tabJM->recipientHeader(); }};
    tabPNSEdit = new RowEditorPage(services_, rows);
    connect(tabPengajuanProses->btProsesTambah, &QPushButton::clicked, tabPNSEdit,
            &RowEditorPage::btProsesTambahClick);
    connect(tabPengajuanProses->btProsesUbah, &QPushButton::clicked, tabPNSEdit,
            &RowEditorPage::btProsesUbahClick);
    connect(tabPengajuanProses->btProsesHapus, &QPushButton::clicked, tabPNSEdit,
            &RowEditorPage::btProsesHapusClick);

    processing = std::make_unique<ProcessingActions>(
        services_, reportData,
        ProcessingActions::PrintButtons{tabPengajuanProses->btCetak, tabPengajuanProses->btCetakBank},
        QCoreApplication::applicationDirPath() + "/report");
    connect(tabPengajuanProses->btProsesCetak, &QPushButton::clicked, this,
            [this] { processing->btProsesCetakClick(); });
    connect(tabPengajuanProses->btCetak, &QPushButton::clicked, this, [this] { processing->btCetakClick(); });
    connect(tabPengajuanProses->btCetakBank, &QPushButton::clicked, this,
            [this] { processing->btCetakBankClick(); });
    runHistory = new RunHistoryDialog(services_, *processing, this);
    connect(tabPengajuanProses->btRiwayatProses, &QPushButton::clicked, runHistory,
            &RunHistoryDialog::btRiwayatProsesClick);

    const ImportAction::ListAccess list{[this] { tabPengajuanProses->tabPengajuanProsesTampilDataClick(); }};
    import = std::make_unique<ImportAction>(services_, list);
    connect(tabPengajuanProses->tabPengajuanProsesTambahAll, &QPushButton::clicked, this,
            [this] { import->tabPengajuanProsesTambahAllClick(); });
    connect(tabPengajuanProses->MenuItem7, &QAction::triggered, this, [this] { import->MenuItem7Click(); });
    connect(tabPengajuanProses->btProsesCek, &QPushButton::clicked, this,
            [this] { import->btProsesCekClick(); });

    pg->addPage(Page::tabPengajuanProses, tabPengajuanProses);
    pg->addPage(Page::tabPNSEdit, tabPNSEdit);
}

// The recipient list is cleared whenever another page replaces it.
void Tfmain::pageShown(Page page)
{
    if (shownPage_ == Page::tabPengajuanProses)
        tabPengajuanProses->tabPengajuanProsesExit();
    shownPage_ = page;
}

void Tfmain::connectDB()
{
    dm_.fdremunerasi.close();
    dm_.fdremunerasi.open();
    pg->setLoginTabCaption("Connected on server : " + dm_.fdremunerasi.settings().shownHost());
}

void Tfmain::disconnectDB()
{
    dm_.fdremunerasi.close();
}

void Tfmain::setLevelButtonsEnabled(bool enabled)
{
    sbPengajuan->setEnabled(enabled);
    sbPejabat->setEnabled(enabled);
}

void Tfmain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        QTimer::singleShot(0, this, &Tfmain::FormShow);
    }
}

void Tfmain::FormShow()
{
    pg->setActivePage(Page::tabLogin);
    tabLogin->leNIP->setFocus();
    if (!checkVersion())
        return;
    tabLogin->loadInformasi();
    tabLogin->leNIP->setFocus();
}

bool Tfmain::checkVersion()
{
    return runStep(*this, services_.messages, {texts::connectionFailure, "Gagal menampilkan informasi!"},
                   [this] {
                       Query &q = dm_.fdsq1;
                       q.close();
                       q.setSql("CALL `nasn_version_check`(:var_app)");
                       q.setText("var_app", context.app_version);
                       q.open();
                       q.first();
                       const QString status = q.fieldAt(0);
                       const QString version = q.fieldAt(1);
                       if (status == QLatin1String("Up-Wajib")) {
                           services_.messages.information(mandatoryUpdateText(version));
                           quitRequested_ = true;
                           QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
                       } else if (status == QLatin1String("Up-GakWajib")) {
                           services_.messages.information(optionalUpdateText(version));
                       }
                       StatusBar1[2]->setText("App. v " + context.app_version);
                       return Step::Done;
                   });
}

void Tfmain::showLoginPage()
{
    pMenu->hide();
    pg->setActivePage(Page::tabLogin);
}

// Ends the operator's session on the server; the window logs out whatever the
// server answers, so a failure shows nothing.
void Tfmain::sblogoutClick()
{
    runStep(*this, services_.messages, {}, [this] {
        Query &q = dm_.fdsq1;
        q.close();
        q.setSql("CALL `nasn_logout`(:var_nip)");
        q.setText("var_nip", context.nipLogin);
        q.execute();
        return Step::Done;
    });
    showLoginPage();
    tabLogin->loadInformasi();
}

void Tfmain::sbDashboardClick()
{
    setHeader("Dashboard");
    pg->setActivePage(Page::tabProfil);
}

void Tfmain::sbPejabatClick()
{
    setHeader("Data Pejabat Penandatangan Dokumen");
    tabPejabat->loadPejabat();
    pg->setActivePage(Page::tabPejabat);
}
