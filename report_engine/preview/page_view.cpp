#include "report_engine/preview/page_view.h"

#include <QPainter>

namespace report_engine {

PageView::PageView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageView::setReport(const PreparedReport *report)
{
    report_ = report;
    painter_ = report ? std::make_unique<PagePainter>(*report) : nullptr;
    page_ = -1;
}

double PageView::scale() const
{
    return zoom_ * logicalDpiX() / 96.0;
}

QSizeF PageView::pageSizeAtFullZoom(int page) const
{
    return report_->pages.at(page).size * pxPerMm * logicalDpiX() / 96.0;
}

void PageView::show(int page, double zoom, const QRectF &highlightMm)
{
    page_ = page;
    zoom_ = zoom;
    highlight_ = highlightMm;
    QSize size(gap * 2, gap * 2);
    if (report_ && page >= 0 && page < report_->pages.size()) {
        const QSizeF mm = report_->pages[page].size;
        size += QSize(qCeil(mm.width() * pxPerMm * scale()), qCeil(mm.height() * pxPerMm * scale()));
    }
    setFixedSize(size);
    update();
}

void PageView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    if (!report_ || page_ < 0 || page_ >= report_->pages.size())
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(gap, gap);
    const double s = scale() * pxPerMm; // device pixels per millimetre
    const QSizeF mm = report_->pages[page_].size;
    painter.fillRect(QRectF(0, 0, mm.width() * s, mm.height() * s), Qt::white);
    if (!highlight_.isNull())
        painter.fillRect(QRectF(highlight_.topLeft() * s, highlight_.size() * s), QColor(255, 230, 0, 140));
    painter_->drawPage(painter, page_, scale());
}

} // namespace report_engine
