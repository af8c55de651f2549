// One prepared page drawn at the preview's zoom, with the text found last marked.
#pragma once

#include "report_engine/page_painter.h"

#include <QWidget>

#include <memory>

namespace report_engine {

class PageView : public QWidget {
    Q_OBJECT
public:
    explicit PageView(QWidget *parent = nullptr);

    // The report must outlive the view or be replaced by another setReport().
    void setReport(const PreparedReport *report);
    void show(int page, double zoom, const QRectF &highlightMm = {});
    // The page's size in widget pixels at 100 %.
    QSizeF pageSizeAtFullZoom(int page) const;

    static constexpr int gap = 12; // grey around the page

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double scale() const; // widget pixels per pixel at 96 dpi

    const PreparedReport *report_ = nullptr;
    std::unique_ptr<PagePainter> painter_;
    int page_ = -1;
    double zoom_ = 1;
    QRectF highlight_;
};

} // namespace report_engine
