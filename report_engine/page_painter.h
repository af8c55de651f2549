// Draws prepared pages through QPainter: the preview, the printer and PDF all
// come through here, so every output shows the same layout.
#pragma once

#include "report_engine/prepared.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>

#include <vector>

class QPainter;

namespace report_engine {

inline constexpr double pxPerMm = 96.0 / 25.4;

// The report font for a style; "Courier New", "Times New Roman" and "Arial"
// resolve to their metric-compatible free faces.
QFont reportFont(const TextStyle &style);

struct TextLine {
    QPointF baseline; // in pixels at 96 dpi from the page's top-left
    QString text;
};

class PagePainter {
public:
    explicit PagePainter(const PreparedReport &report);

    // The painter's unit must be one pixel at 96 dpi: scale it by device dpi / 96 first.
    void drawPage(QPainter &painter, int page);

    // Plain (not HTML) text broken into lines and placed in its box.
    std::vector<TextLine> layout(const PreparedText &text);

private:
    void drawFrames(QPainter &painter, const PreparedPage &page);
    void drawHtml(QPainter &painter, const PreparedText &text);
    QStringList wrap(const QString &paragraph, const QFontMetricsF &metrics, double width) const;

    const PreparedReport &report_;
    std::vector<QFont> fonts_;
    std::vector<QFontMetricsF> metrics_;
};

// Pixels at 96 dpi of the text's box without its padding.
QRectF innerRect(const PreparedText &text, const TextStyle &style);

} // namespace report_engine
