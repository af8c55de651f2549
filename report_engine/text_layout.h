// How a plain text falls into its box: its lines, and the size it is drawn at.
// The preparer decides the fit and the painter lays the lines out with the
// same measures, so every output shows what the preparer decided.
#pragma once

#include "report_engine/design.h"

#include <QFont>
#include <QHash>
#include <QRawFont>
#include <QRectF>
#include <QStringList>

#include <vector>

namespace report_engine {

inline constexpr double pxPerMm = 96.0 / 25.4;

inline QRectF mmToPixels(const QRectF &mm)
{
    return QRectF(mm.x() * pxPerMm, mm.y() * pxPerMm, mm.width() * pxPerMm, mm.height() * pxPerMm);
}

// The report font for a style; "Courier New", "Times New Roman" and "Arial"
// resolve to their metric-compatible free faces.
QFont reportFont(const TextStyle &style);

// Glyphs and unhinted advances of one face at the style's size, looked up once per character.
class GlyphCache {
public:
    explicit GlyphCache(const TextStyle &style);

    struct Glyph {
        quint32 index = 0;
        double advance = 0;
    };
    const Glyph &glyph(QChar c);
    double width(QStringView text);
    const QRawFont &rawFont() const { return raw_; }
    double ascent() const { return raw_.ascent(); }
    double descent() const { return raw_.descent(); }
    double lineSpacing() const { return raw_.ascent() + raw_.descent() + raw_.leading(); }
    double leading() const { return raw_.leading(); }

private:
    QRawFont raw_;
    std::vector<Glyph> latin_; // the first 256 characters, filled on first use
    std::vector<bool> latinKnown_;
    QHash<char16_t, Glyph> others_;
};

// The text's own lines, each broken at blanks to stay within `width` (pixels
// at 96 dpi) when `wrap` is set; a word wider than that stays whole on its line.
QStringList textLines(const QString &text, bool wrap, GlyphCache &glyphs, double width);

// What a plain text needs to be drawn in its box: the size, which is the
// style's own unless the style shrinks and the text does not fit, and whether
// it still crosses its box (then it is drawn cut at the box).
struct TextFit {
    double pixelSize = 0;
    bool clipped = false;
};
// `glyphs` are those of `style`; `box` is the text's box in millimetres.
TextFit fitText(const QString &text, const TextStyle &style, const QRectF &box, GlyphCache &glyphs);

} // namespace report_engine
