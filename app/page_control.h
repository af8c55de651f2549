// The pages, switched by the program, over a tab strip at the bottom whose only
// tab is the login page's: its caption is the connection line.
#pragma once

#include "ui/shell.h"

#include <QStackedWidget>
#include <QTabBar>
#include <QWidget>
#include <map>

class PageControl : public QWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget *parent = nullptr);

    // Each key names one page: a key or a page given twice throws std::logic_error.
    void addPage(Page key, QWidget *page);
    // Throws std::logic_error naming the first key without a page.
    void checkEveryKeyRegistered() const;

    void setActivePage(Page key) { stack_->setCurrentWidget(pages_.at(key)); }
    Page activePage() const { return keyOf(stack_->currentWidget()); }
    QWidget *activeWidget() const { return stack_->currentWidget(); }
    QString loginTabCaption() const { return tabs_->tabText(0); }
    void setLoginTabCaption(const QString &caption) { tabs_->setTabText(0, caption); }
    QTabBar *tabBar() const { return tabs_; }

signals:
    void activePageChanged(Page page);

private:
    Page keyOf(const QWidget *page) const;

    QStackedWidget *stack_;
    QTabBar *tabs_;
    std::map<Page, QWidget *> pages_;
};
