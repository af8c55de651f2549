// The pages, switched by the program, over a tab strip at the bottom whose only
// tab is the login page's: its caption is the connection line.
#pragma once

#include "ui/shell.h"

#include <QStackedWidget>
#include <QTabBar>
#include <QWidget>

class PageControl : public QWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget *parent = nullptr);

    void addPage(QWidget *page);
    void setActivePage(Page page) { stack_->setCurrentIndex(static_cast<int>(page)); }
    Page activePage() const { return static_cast<Page>(stack_->currentIndex()); }
    QWidget *page(Page page) const { return stack_->widget(static_cast<int>(page)); }
    QString loginTabCaption() const { return tabs_->tabText(0); }
    void setLoginTabCaption(const QString &caption) { tabs_->setTabText(0, caption); }
    QTabBar *tabBar() const { return tabs_; }

signals:
    void activePageChanged(Page page);

private:
    QStackedWidget *stack_;
    QTabBar *tabs_;
};
