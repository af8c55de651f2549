#include "app/page_control.h"

#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>
#include <string>

PageControl::PageControl(QWidget *parent) : QWidget(parent), stack_(new QStackedWidget), tabs_(new QTabBar)
{
    tabs_->addTab(QStringLiteral("App Remunerasi RSUD"));
    tabs_->setShape(QTabBar::RoundedSouth);
    tabs_->setExpanding(false);
    tabs_->setStyleSheet("QTabBar::tab { width: 320px; }");
    connect(tabs_, &QTabBar::tabBarClicked, this, [this] { setActivePage(Page::tabLogin); });
    connect(stack_, &QStackedWidget::currentChanged, this, [this](int index) {
        if (index >= 0) // -1 once the last page is gone
            emit activePageChanged(keyOf(stack_->widget(index)));
    });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(stack_, 1);
    layout->addWidget(tabs_);
}

void PageControl::addPage(Page key, QWidget *page)
{
    if (pages_.contains(key))
        throw std::logic_error("page key " + std::to_string(static_cast<int>(key)) + " given twice");
    if (stack_->indexOf(page) >= 0)
        throw std::logic_error("one page under two keys");
    // Known before the stack adds it: the first page added becomes current at once.
    pages_.emplace(key, page);
    stack_->addWidget(page);
}

void PageControl::checkEveryKeyRegistered() const
{
    for (int k = 0; k < static_cast<int>(Page::count); ++k)
        if (!pages_.contains(static_cast<Page>(k)))
            throw std::logic_error("page key " + std::to_string(k) + " has no page");
}

Page PageControl::keyOf(const QWidget *page) const
{
    const auto found = std::find_if(pages_.begin(), pages_.end(),
                                    [page](const auto &entry) { return entry.second == page; });
    if (found == pages_.end())
        throw std::logic_error("a page without a key");
    return found->first;
}
