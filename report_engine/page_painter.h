// Draws prepared pages through QPainter: the preview, the printer and PDF all
// come through here, so every output shows the same layout.
//
// Texts are drawn as glyph runs, one per style and page, from glyphs and
// advances cached per style: no shaping per cell, and on PDF whole device
// units keep the content stream short. Scripts that need shaping are not
// expected in reports; a character the face lacks shows its missing glyph.
// A text the preparer found crossing its box is drawn on its own, cut at the box.
#pragma once

#include "report_engine/prepared.h"
#include "report_engine/text_layout.h"

#include <QPointF>

#include <vector>

class QPainter;

namespace report_engine {

struct TextLine {
    QPointF origin; // left end of the baseline, pixels at 96 dpi from the page's top-left
    QString text;
};

class PagePainter {
public:
    explicit PagePainter(const PreparedReport &report);

    // `scale` is device pixels per pixel at 96 dpi; the painter's transform
    // must be the device's own (a translation at most).
    void drawPage(QPainter &painter, int page, double scale);

private:
    // Plain (not HTML) text broken into lines and placed in its box.
    std::vector<TextLine> layout(const PreparedText &text);
    void drawFrames(QPainter &painter, const PreparedPage &page, double scale);
    void drawHtml(QPainter &painter, const PreparedText &text, double scale);
    // Queues the text's glyphs for its style's run.
    void queueGlyphs(const PreparedText &text, double scale);
    void drawQueued(QPainter &painter, std::size_t style);

    const PreparedReport &report_;
    std::vector<QFont> fonts_;
    std::vector<GlyphCache> glyphs_;
    double scaledFor_ = 0;
    std::vector<QRawFont> scaledFonts_;
    // Glyphs of the page being drawn, per style; kept to reuse their memory.
    std::vector<std::vector<quint32>> indexes_;
    std::vector<std::vector<QPointF>> positions_;
};

} // namespace report_engine
