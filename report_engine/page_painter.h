// Lays prepared pages out onto a canvas: QPainter for the preview and the
// printer, the PDF writer for export. Every output comes through here, so
// every output shows the same layout.
//
// Texts are laid out from glyphs and advances cached per style: no shaping per
// cell, and whole device units keep PDF content short. Scripts that need
// shaping are not expected in reports; a character the face lacks shows its
// missing glyph. A text the preparer found crossing its box is cut at the box.
#pragma once

#include "report_engine/prepared.h"
#include "report_engine/text_layout.h"

#include <QLineF>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QStringView>

#include <vector>

class QPainter;
class QTextDocument;

namespace report_engine {

// What a page is drawn on. Coordinates are device pixels from the page's
// top-left corner, y downwards.
class PageCanvas {
public:
    virtual ~PageCanvas() = default;
    virtual void strokeLines(const QList<QLineF> &lines, double width) = 0;
    // One line of plain text in a style: a glyph of `font` per character of
    // `text`, each starting at its `x`, all on the baseline `y` (a whole pixel).
    virtual void drawTextLine(std::size_t style, const QRawFont &font, QStringView text,
                              const quint32 *glyphs, const double *x, double y) = 0;
    // A laid-out rich text whose top-left corner is `at`, pixels at 96 dpi.
    virtual void drawDocument(QTextDocument &document, QPointF at, double scale) = 0;
    // What is drawn until unclip() is cut at `rect`; cuts do not nest.
    virtual void clip(const QRectF &rect) = 0;
    virtual void unclip() = 0;
};

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
    void drawPage(PageCanvas &canvas, int page, double scale);

private:
    // Plain (not HTML) text broken into lines and placed in its box.
    std::vector<TextLine> layout(const PreparedText &text);
    void drawFrames(PageCanvas &canvas, const PreparedPage &page, double scale);
    void drawHtml(PageCanvas &canvas, const PreparedText &text, double scale);
    void drawPlain(PageCanvas &canvas, const PreparedText &text, double scale);
    void scaleFonts(double scale);

    const PreparedReport &report_;
    std::vector<QFont> fonts_;
    std::vector<GlyphCache> glyphs_;
    double scaledFor_ = 0;
    std::vector<QRawFont> scaledFonts_;
    // The line being drawn, and on a QPainter the page's glyphs per style:
    // kept to reuse their memory.
    std::vector<quint32> lineGlyphs_;
    std::vector<double> lineX_;
    std::vector<std::vector<quint32>> indexes_;
    std::vector<std::vector<QPointF>> positions_;
};

} // namespace report_engine
