#include "report_engine/text_layout.h"

#include <algorithm>
#include <cmath>

namespace report_engine {

namespace {

// Widths computed at two sizes may differ in their last bits; a line breaks alike at both.
constexpr double tolerance = 1e-6;
// Shrunk sizes come in quarter pixels, so a document needs few distinct fonts.
constexpr double sizeStep = 0.25;
constexpr double smallestSize = 1;

// The faces templates name, mapped to their metric-compatible free faces so a
// report lays out the same on every machine.
QString resolvedFamily(const QString &family)
{
    static const std::pair<const char *, const char *> faces[] = {{"Courier New", "Liberation Mono"},
                                                                  {"Times New Roman", "Liberation Serif"},
                                                                  {"Arial", "Liberation Sans"}};
    for (const auto &[named, free] : faces)
        if (family.compare(QLatin1String(named), Qt::CaseInsensitive) == 0)
            return QLatin1String(free);
    return family;
}

void appendWrapped(QStringList &lines, const QString &paragraph, GlyphCache &glyphs, double width)
{
    QString current;
    double currentWidth = 0;
    bool first = true; // leading blanks are empty words: they stay
    const double space = glyphs.glyph(QLatin1Char(' ')).advance;
    for (const QString &word : paragraph.split(QLatin1Char(' '))) {
        const double wordWidth = glyphs.width(word);
        if (!first && !current.isEmpty() && currentWidth + space + wordWidth > width + tolerance) {
            lines.append(current);
            current = word;
            currentWidth = wordWidth;
        } else {
            if (!first) {
                current += QLatin1Char(' ');
                currentWidth += space;
            }
            current += word;
            currentWidth += wordWidth;
        }
        first = false;
    }
    lines.append(current);
}

// The lines' extent at the style's size, pixels at 96 dpi.
struct Block {
    double width = 0, height = 0;
};

Block measure(const QStringList &lines, GlyphCache &glyphs)
{
    Block block;
    for (const QString &line : lines)
        block.width = std::max(block.width, glyphs.width(line));
    block.height = lines.size() * glyphs.lineSpacing() - glyphs.leading();
    return block;
}

bool fitsInside(const Block &block, double scale, const QRectF &inner)
{
    return block.width * scale <= inner.width() + tolerance &&
           block.height * scale <= inner.height() + tolerance;
}

// Where a block of `length` starts along one side of the box, as the painter places it.
double start(double innerStart, double innerLength, double length, int alignment)
{
    return alignment == 0 ? innerStart : innerStart + (innerLength - length) / (alignment == 1 ? 2 : 1);
}

bool crossesBox(const Block &block, double scale, const TextStyle &style, const QRectF &inner,
                const QRectF &outer)
{
    const double width = block.width * scale, height = block.height * scale;
    const double left = start(inner.left(), inner.width(), width, int(style.hAlign));
    const double top = start(inner.top(), inner.height(), height, int(style.vAlign));
    return left < outer.left() - tolerance || left + width > outer.right() + tolerance ||
           top < outer.top() - tolerance || top + height > outer.bottom() + tolerance;
}

} // namespace

QFont reportFont(const TextStyle &style)
{
    QFont font(resolvedFamily(style.fontFamily));
    font.setPixelSize(std::max(1, int(std::lround(style.fontPixelSize))));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    // Unhinted metrics are the same on screen, printer and PDF, so lines break alike everywhere.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

GlyphCache::GlyphCache(const TextStyle &style)
    : raw_(QRawFont::fromFont(reportFont(style))), latin_(256), latinKnown_(256, false)
{
    raw_.setPixelSize(style.fontPixelSize); // a shrunk size may lie between whole pixels
}

const GlyphCache::Glyph &GlyphCache::glyph(QChar c)
{
    const char16_t code = c.unicode();
    if (code < 256 && latinKnown_[code])
        return latin_[code];
    if (code >= 256)
        if (const auto it = others_.constFind(code); it != others_.cend())
            return *it;
    const QList<quint32> indexes = raw_.glyphIndexesForString(QString(c));
    Glyph g;
    g.index = indexes.value(0);
    g.advance = raw_.advancesForGlyphIndexes({g.index}, QRawFont::UseDesignMetrics).value(0).x();
    if (code < 256) {
        latinKnown_[code] = true;
        return latin_[code] = g;
    }
    return *others_.insert(code, g);
}

double GlyphCache::width(QStringView text)
{
    double w = 0;
    for (const QChar c : text)
        w += glyph(c).advance;
    return w;
}

QStringList textLines(const QString &text, bool wrap, GlyphCache &glyphs, double width)
{
    if (!text.contains(QLatin1Char('\n')) && (!wrap || glyphs.width(text) <= width + tolerance))
        return {text}; // most cells: one line that fits
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!wrap)
        return lines;
    QStringList wrapped;
    for (const QString &line : lines)
        appendWrapped(wrapped, line, glyphs, width);
    return wrapped;
}

TextFit fitText(const QString &text, const TextStyle &style, const QRectF &box, GlyphCache &glyphs)
{
    const Padding &p = style.padding;
    const QRectF outer = mmToPixels(box);
    const QRectF inner = mmToPixels(box.adjusted(p.left, p.top, -p.right, -p.bottom));
    const double size = style.fontPixelSize;
    Block block = measure(textLines(text, style.wordWrap, glyphs, inner.width()), glyphs);
    if (!style.shrink || fitsInside(block, 1, inner))
        return {size, crossesBox(block, 1, style, inner, outer)};

    // Neither the widest word nor the text's own lines can be made to fit above this size.
    double bound = inner.height() / block.height;
    if (!style.wordWrap)
        bound = std::min(bound, inner.width() / block.width);
    else
        for (const QString &word :
             QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).split(QLatin1Char(' ')))
            bound = std::min(bound, inner.width() / std::max(glyphs.width(word), tolerance));
    double shrunk = std::min(std::floor(size * bound / sizeStep) * sizeStep, size - sizeStep);
    for (; shrunk > smallestSize; shrunk -= sizeStep) {
        const double scale = shrunk / size;
        block = measure(textLines(text, style.wordWrap, glyphs, inner.width() / scale), glyphs);
        if (fitsInside(block, scale, inner))
            return {shrunk, false};
    }
    const double scale = smallestSize / size;
    block = measure(textLines(text, style.wordWrap, glyphs, inner.width() / scale), glyphs);
    return {smallestSize, crossesBox(block, scale, style, inner, outer)};
}

} // namespace report_engine
