#include "report_engine/page_painter.h"

#include <QAbstractTextDocumentLayout>
#include <QGlyphRun>
#include <QPainter>
#include <QTextDocument>

#include <cmath>
#include <map>

namespace report_engine {

namespace {

QRectF toPixels(const QRectF &mm)
{
    return QRectF(mm.x() * pxPerMm, mm.y() * pxPerMm, mm.width() * pxPerMm, mm.height() * pxPerMm);
}

// Whole device pixels: crisp on screen, short numbers in PDF content.
double snap(double px96, double scale)
{
    return std::round(px96 * scale);
}

QRectF toDevice(const QRectF &mm, double scale)
{
    const QRectF px = toPixels(mm);
    const double left = snap(px.left(), scale), top = snap(px.top(), scale);
    return QRectF(left, top, snap(px.right(), scale) - left, snap(px.bottom(), scale) - top);
}

void registerFontSubstitutes()
{
    static const bool done = [] {
        QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
        QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        return true;
    }();
    Q_UNUSED(done);
}

} // namespace

QFont reportFont(const TextStyle &style)
{
    registerFontSubstitutes();
    QFont font(style.fontFamily);
    font.setPixelSize(style.fontPixelSize);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    // Unhinted metrics are the same on screen, printer and PDF, so lines break alike everywhere.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

GlyphCache::GlyphCache(const QFont &font)
    : raw_(QRawFont::fromFont(font)), latin_(256), latinKnown_(256, false)
{
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

QRectF innerRect(const PreparedText &text, const TextStyle &style)
{
    const Padding &p = style.padding;
    return toPixels(text.rect.adjusted(p.left, p.top, -p.right, -p.bottom));
}

PagePainter::PagePainter(const PreparedReport &report) : report_(report)
{
    for (const TextStyle &style : report.styles) {
        fonts_.push_back(reportFont(style));
        glyphs_.emplace_back(fonts_.back());
    }
}

QStringList PagePainter::wrap(const QString &paragraph, GlyphCache &glyphs, double width) const
{
    QStringList lines;
    QString current;
    double currentWidth = 0;
    const double space = glyphs.glyph(QLatin1Char(' ')).advance;
    for (const QString &word : paragraph.split(QLatin1Char(' '))) {
        const double wordWidth = glyphs.width(word);
        if (!current.isEmpty() && currentWidth + space + wordWidth > width) {
            lines.append(current);
            current = word;
            currentWidth = wordWidth;
        } else {
            currentWidth += (current.isEmpty() ? 0 : space) + wordWidth;
            current = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        }
    }
    lines.append(current);
    return lines;
}

std::vector<TextLine> PagePainter::layout(const PreparedText &text)
{
    const TextStyle &style = report_.styles.at(text.style);
    GlyphCache &glyphs = glyphs_.at(text.style);
    const QRectF inner = innerRect(text, style);
    QStringList lines = text.text.split(QLatin1Char('\n'));
    if (style.wordWrap) {
        QStringList wrapped;
        for (const QString &line : lines)
            wrapped += wrap(line, glyphs, inner.width());
        lines = wrapped;
    }
    const double lineHeight = glyphs.lineSpacing();
    const double blockHeight = lines.size() * lineHeight - glyphs.leading();
    double top = inner.top();
    if (style.vAlign == VAlign::Center)
        top += (inner.height() - blockHeight) / 2;
    else if (style.vAlign == VAlign::Bottom)
        top += inner.height() - blockHeight;
    std::vector<TextLine> out;
    out.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        double x = inner.left();
        if (style.hAlign != HAlign::Left) {
            const double spare = inner.width() - glyphs.width(lines[i]);
            x += style.hAlign == HAlign::Center ? spare / 2 : spare;
        }
        out.push_back({QPointF(x, top + i * lineHeight + glyphs.ascent()), lines[i]});
    }
    return out;
}

void PagePainter::drawHtml(QPainter &painter, const PreparedText &text, double scale)
{
    const TextStyle &style = report_.styles.at(text.style);
    const QRectF inner = innerRect(text, style);
    QTextDocument document;
    document.setDocumentMargin(0);
    document.setDefaultFont(fonts_.at(text.style));
    QTextOption option;
    option.setAlignment(style.hAlign == HAlign::Left     ? Qt::AlignLeft
                        : style.hAlign == HAlign::Center ? Qt::AlignHCenter
                                                         : Qt::AlignRight);
    option.setWrapMode(style.wordWrap ? QTextOption::WordWrap : QTextOption::NoWrap);
    document.setDefaultTextOption(option);
    document.setHtml(QString(text.text).replace(QLatin1Char('\n'), QLatin1String("<br>")));
    document.setTextWidth(inner.width());
    double top = inner.top();
    const double height = document.size().height();
    if (style.vAlign == VAlign::Center)
        top += (inner.height() - height) / 2;
    else if (style.vAlign == VAlign::Bottom)
        top += inner.height() - height;
    painter.save();
    painter.scale(scale, scale);
    painter.translate(inner.left(), top);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
}

void PagePainter::drawFrames(QPainter &painter, const PreparedPage &page, double scale)
{
    // Batched per pen width: one call per page instead of one per cell side.
    std::map<double, std::pair<QList<QRectF>, QList<QLineF>>> byWidth;
    for (const PreparedText &text : page.texts) {
        const TextStyle &style = report_.styles.at(text.style);
        if (!style.frameSides)
            continue;
        auto &[rects, lines] = byWidth[style.frameWidth];
        const QRectF r = toDevice(text.rect, scale);
        if (style.frameSides == FrameAll) {
            rects.append(r);
            continue;
        }
        if (style.frameSides & FrameLeft)
            lines.append(QLineF(r.topLeft(), r.bottomLeft()));
        if (style.frameSides & FrameTop)
            lines.append(QLineF(r.topLeft(), r.topRight()));
        if (style.frameSides & FrameRight)
            lines.append(QLineF(r.topRight(), r.bottomRight()));
        if (style.frameSides & FrameBottom)
            lines.append(QLineF(r.bottomLeft(), r.bottomRight()));
    }
    for (const PreparedLine &line : page.lines) {
        const QPointF a = line.line.p1() * pxPerMm, b = line.line.p2() * pxPerMm;
        byWidth[line.width].second.append(
            QLineF(snap(a.x(), scale), snap(a.y(), scale), snap(b.x(), scale), snap(b.y(), scale)));
    }
    painter.setBrush(Qt::NoBrush);
    for (const auto &[width, shapes] : byWidth) {
        painter.setPen(QPen(Qt::black, width * scale, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        if (!shapes.first.isEmpty())
            painter.drawRects(shapes.first.constData(), int(shapes.first.size()));
        if (!shapes.second.isEmpty())
            painter.drawLines(shapes.second.constData(), int(shapes.second.size()));
    }
}

void PagePainter::drawPage(QPainter &painter, int pageIndex, double scale)
{
    if (scale != scaledFor_) {
        scaledFonts_.clear();
        for (const GlyphCache &glyphs : glyphs_) {
            QRawFont font = glyphs.rawFont();
            font.setPixelSize(font.pixelSize() * scale);
            scaledFonts_.push_back(font);
        }
        scaledFor_ = scale;
    }
    const PreparedPage &page = report_.pages.at(pageIndex);
    drawFrames(painter, page, scale);
    painter.setPen(Qt::black);
    indexes_.resize(glyphs_.size());
    positions_.resize(glyphs_.size());
    for (const PreparedText &text : page.texts) {
        if (text.text.isEmpty())
            continue;
        if (report_.styles.at(text.style).html) {
            drawHtml(painter, text, scale);
            continue;
        }
        GlyphCache &glyphs = glyphs_[text.style];
        for (const TextLine &line : layout(text)) {
            double x = line.origin.x();
            const double y = snap(line.origin.y(), scale);
            for (const QChar c : line.text) {
                const GlyphCache::Glyph &g = glyphs.glyph(c);
                if (c != QLatin1Char(' ')) {
                    indexes_[text.style].push_back(g.index);
                    positions_[text.style].emplace_back(snap(x, scale), y);
                }
                x += g.advance;
            }
        }
    }
    for (std::size_t style = 0; style < glyphs_.size(); ++style) {
        if (indexes_[style].empty())
            continue;
        QGlyphRun run;
        run.setRawFont(scaledFonts_[style]);
        run.setRawData(indexes_[style].data(), positions_[style].data(), int(indexes_[style].size()));
        painter.drawGlyphRun(QPointF(0, 0), run);
        indexes_[style].clear();
        positions_[style].clear();
    }
}

} // namespace report_engine
