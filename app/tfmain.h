// The main window: header, menu panel, page control, status bar and the operator
// context; it builds the pages and hands each what it needs.
#pragma once

#include "app/login_page.h"
#include "app/page_control.h"
#include "app/password_page.h"
#include "app/profile_page.h"
#include "data/services.h"
#include "reports/processing_actions.h"
#include "reports/report_data.h"
#include "reports/run_history_dialog.h"
#include "screens/admin/log_page.h"
#include "screens/admin/officials_page.h"
#include "screens/admin/user_form_page.h"
#include "screens/admin/user_list_page.h"
#include "screens/recipients/import_action.h"
#include "screens/recipients/recipient_list_page.h"
#include "screens/recipients/row_editor_page.h"
#include "screens/submissions/submission_editor_page.h"
#include "screens/submissions/submission_list_page.h"

#include <QLabel>
#include <QMainWindow>
#include <QToolButton>
#include <array>
#include <memory>

class Tfmain : public QMainWindow, public ConnectionHost, public Shell {
    Q_OBJECT
public:
    Tfmain(Tdm &dm, Messages &messages, FileChooser &files,
           std::function<QDateTime()> now = &QDateTime::currentDateTime);

    void connectDB() override;
    void disconnectDB() override;

    void setHeader(const QString &caption) override { pHeader->setText(caption); }
    QString header() const override { return pHeader->text(); }
    void showPage(Page page) override { pg->setActivePage(page); }
    Page currentPage() const override { return pg->activePage(); }
    void setMenuVisible(bool visible) override { pMenu->setVisible(visible); }
    void setLevelButtonsEnabled(bool enabled) override;

    // The steps that run when the window is first shown.
    void FormShow();
    void showLoginPage();
    void sblogoutClick();
    void sbDashboardClick();
    void sbPejabatClick();
    bool quitRequested() const { return quitRequested_; }

    OperatorContext context;

    QWidget *pMenu;
    QToolButton *sbDashboard;
    QToolButton *sbPengajuan;
    QToolButton *sbPejabat;
    QToolButton *sbUser;
    QToolButton *sbLog;
    QToolButton *sblogout;
    QLabel *pHeader;
    PageControl *pg;
    std::array<QLabel *, 3> StatusBar1;

    LoginPage *tabLogin;
    ProfilePage *tabProfil;
    PasswordPage *tabPassEdit;
    OfficialsPage *tabPejabat;
    UserListPage *tabUser;
    LogPage *tabLog;
    UserFormPage *tabUserNew;
    SubmissionListPage *tabJM;
    SubmissionEditorPage *tabPengajuanEdit;
    RecipientListPage *tabPengajuanProses;
    RowEditorPage *tabPNSEdit;

    ReportData reportData;
    std::unique_ptr<ProcessingActions> processing;
    RunHistoryDialog *runHistory;
    std::unique_ptr<ImportAction> import;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildTopStrip();
    void buildPages();
    void buildAccountPages();
    void buildAdminPages();
    void buildSubmissionPages();
    void buildRecipientPages();
    bool checkVersion();
    void pageShown(Page page);

    Tdm &dm_;
    Services services_;
    bool shown_ = false;
    bool quitRequested_ = false;
    Page shownPage_ = Page::tabLogin;
};
