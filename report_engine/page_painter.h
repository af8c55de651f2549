// Draws prepared pages through QPainter: the preview, the printer and PDF all
// come through here, so every output shows the same layout.
//
// Texts are drawn as glyph runs, one per style and page, from glyphs and
// advances cached per style: no shaping per cell, and on PDF whole device
// units keep the content stream short. Scripts that need shaping are not
// expected in reports; a character the face lacks shows its missing glyph.
#pragma once

#include "report_engine/prepared.h"

#include <QFont>
#include <QHash>
#include <QPointF>
#include <QRawFont>

#include <vector>

class QPainter;

namespace report_engine {

inline constexpr double pxPerMm = 96.0 / 25.4;

// The report font for a style; "Courier New", "Times New Roman" and "Arial"
// resolve to their metric-compatible free faces.
QFont reportFont(const TextStyle &style);

// Glyphs and unhinted advances of one face at one size, looked up once per character.
class GlyphCache {
public:
    explicit GlyphCache(const QFont &font);

    struct Glyph {
        quint32 index = 0;
        double advance = 0;
    };
    const Glyph &glyph(QChar c);
    double width(QStringView text);
    const QRawFont &rawFont() const { return raw_; }
    double ascent() const { return raw_.ascent(); }
    double lineSpacing() const { return raw_.ascent() + raw_.descent() + raw_.leading(); }
    double leading() const { return raw_.leading(); }

private:
    QRawFont raw_;
    std::vector<Glyph> latin_; // the first 256 characters, filled on first use
    std::vector<bool> latinKnown_;
    QHash<char16_t, Glyph> others_;
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

private:
    // Plain (not HTML) text broken into lines and placed in its box.
    std::vector<TextLine> layout(const PreparedText &text);
    void drawFrames(QPainter &painter, const PreparedPage &page, double scale);
    void drawHtml(QPainter &painter, const PreparedText &text, double scale);
    QStringList wrap(const QString &paragraph, GlyphCache &glyphs, double width) const;

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
