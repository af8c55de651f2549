// What the pages may ask of the main window: the header, the current page, the menu.
#pragma once

#include <QString>

// The keys of the page control's pages; each names one page, whatever the order.
enum class Page {
    tabLogin,
    tabPengajuanEdit,
    tabProfil,
    tabPengajuanProses,
    tabPejabat,
    tabJM,
    tabPNSEdit,
    tabPassEdit,
    tabUser,
    tabLog,
    tabUserNew,
    count // the number of keys: keep it last
};

class Shell {
public:
    virtual ~Shell() = default;
    virtual void setHeader(const QString &caption) = 0;
    virtual QString header() const = 0;
    virtual void showPage(Page page) = 0;
    virtual Page currentPage() const = 0;
    virtual void setMenuVisible(bool visible) = 0;
    // The two menu buttons that the operator level switches.
    virtual void setLevelButtonsEnabled(bool enabled) = 0;
};
