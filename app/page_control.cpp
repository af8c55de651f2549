#include "app/page_control.h"

#include <QVBoxLayout>

PageControl::PageControl(QWidget *parent) : QWidget(parent), stack_(new QStackedWidget), tabs_(new QTabBar)
{
    tabs_->addTab(QStringLiteral("App Remunerasi RSUD"));
    tabs_->setShape(QTabBar::RoundedSouth);
    tabs_->setExpanding(false);
    tabs_->setStyleSheet("QTabBar::tab { width: 320px; }");
    connect(tabs_, &QTabBar::tabBarClicked, this, [this] { setActivePage(Page::tabLogin); });
    connect(stack_, &QStackedWidget::currentChanged, this,
            [this](int index) { emit activePageChanged(static_cast<Page>(index)); });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(stack_, 1);
    layout->addWidget(tabs_);
}

void PageControl::addPage(QWidget *page)
{
    stack_->addWidget(page);
}
