#include "report_engine/page_painter.h"

#include <QAbstractTextDocumentLayout>
#include <QGlyphRun>
#include <QPainter>
#include <QTextDocument>

#include <algorithm>
#include <cmath>
#include <map>

namespace report_engine {

namespace {

// Whole device pixels: crisp on screen, short numbers in PDF content.
double snap(double px96, double scale)
{
    return std::round(px96 * scale);
}

QRectF toDevice(const QRectF &mm, double scale)
{
    const QRectF px = mmToPixels(mm);
    const double left = snap(px.left(), scale), top = snap(px.top(), scale);
    return QRectF(left, top, snap(px.right(), scale) - left, snap(px.bottom(), scale) - top);
}

// Pixels at 96 dpi of the text's box without its padding.
QRectF innerRect(const PreparedText &text, const TextStyle &style)
{
    const Padding &p = style.padding;
    return mmToPixels(text.rect.adjusted(p.left, p.top, -p.right, -p.bottom));
}

} // namespace

PagePainter::PagePainter(const PreparedReport &report) : report_(report)
{
    for (const TextStyle &style : report.styles) {
        fonts_.push_back(reportFont(style));
        glyphs_.emplace_back(style);
    }
}

std::vector<TextLine> PagePainter::layout(const PreparedText &text)
{
    const TextStyle &style = report_.styles.at(text.style);
    GlyphCache &glyphs = glyphs_.at(text.style);
    const QRectF inner = innerRect(text, style);
    const QStringList lines = textLines(text.text, style.wordWrap, glyphs, inner.width());
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

void PagePainter::drawHtml(PageCanvas &canvas, const PreparedText &text, double scale)
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
    canvas.drawDocument(document, QPointF(inner.left(), top), scale);
}

namespace {

// A horizontal or vertical stretch of frame: `at` is its y (or x), it runs from `from` to `to`.
struct Segment {
    double at, from, to;
    bool operator<(const Segment &other) const { return at != other.at ? at < other.at : from < other.from; }
};

// Cells share their edges: joining collinear segments that touch draws each
// grid line once, which keeps PDF content streams small.
void appendMerged(std::vector<Segment> &segments, bool horizontal, QList<QLineF> &out)
{
    std::sort(segments.begin(), segments.end());
    for (std::size_t i = 0; i < segments.size();) {
        Segment run = segments[i];
        for (++i; i < segments.size() && segments[i].at == run.at && segments[i].from <= run.to; ++i)
            run.to = std::max(run.to, segments[i].to);
        out.append(horizontal ? QLineF(run.from, run.at, run.to, run.at)
                              : QLineF(run.at, run.from, run.at, run.to));
    }
}

struct FrameLines {
    std::vector<Segment> horizontal, vertical;
    QList<QLineF> other;
};

} // namespace

void PagePainter::drawFrames(PageCanvas &canvas, const PreparedPage &page, double scale)
{
    std::map<double, FrameLines> byWidth;
    for (const PreparedText &text : page.texts) {
        const TextStyle &style = report_.styles.at(text.style);
        if (!style.frameSides)
            continue;
        FrameLines &lines = byWidth[style.frameWidth];
        const QRectF r = toDevice(text.rect, scale);
        if (style.frameSides & FrameLeft)
            lines.vertical.push_back({r.left(), r.top(), r.bottom()});
        if (style.frameSides & FrameRight)
            lines.vertical.push_back({r.right(), r.top(), r.bottom()});
        if (style.frameSides & FrameTop)
            lines.horizontal.push_back({r.top(), r.left(), r.right()});
        if (style.frameSides & FrameBottom)
            lines.horizontal.push_back({r.bottom(), r.left(), r.right()});
    }
    for (const PreparedLine &line : page.lines) {
        const QPointF a = line.line.p1() * pxPerMm, b = line.line.p2() * pxPerMm;
        byWidth[line.width].other.append(
            QLineF(snap(a.x(), scale), snap(a.y(), scale), snap(b.x(), scale), snap(b.y(), scale)));
    }
    for (auto &[width, lines] : byWidth) {
        appendMerged(lines.horizontal, true, lines.other);
        appendMerged(lines.vertical, false, lines.other);
        canvas.strokeLines(lines.other, width * scale);
    }
}

void PagePainter::drawPlain(PageCanvas &canvas, const PreparedText &text, double scale)
{
    GlyphCache &glyphs = glyphs_[text.style];
    for (const TextLine &line : layout(text)) {
        if (line.text.isEmpty())
            continue;
        lineGlyphs_.clear();
        lineX_.clear();
        double x = line.origin.x();
        for (const QChar c : line.text) {
            const GlyphCache::Glyph &g = glyphs.glyph(c);
            lineGlyphs_.push_back(g.index);
            lineX_.push_back(x * scale);
            x += g.advance;
        }
        canvas.drawTextLine(text.style, scaledFonts_[text.style], line.text, lineGlyphs_.data(),
                            lineX_.data(), snap(line.origin.y(), scale));
    }
}

namespace {

// Draws on a QPainter, one glyph run per style: the page's texts are queued
// and drawn together, those cut at their box on their own.
class PainterCanvas : public PageCanvas {
public:
    PainterCanvas(QPainter &painter, std::vector<std::vector<quint32>> &indexes,
                  std::vector<std::vector<QPointF>> &positions, const std::vector<QRawFont> &fonts)
        : painter_(painter), indexes_(indexes), positions_(positions), fonts_(fonts)
    {
        indexes_.resize(fonts.size());
        positions_.resize(fonts.size());
    }

    void strokeLines(const QList<QLineF> &lines, double width) override
    {
        painter_.setBrush(Qt::NoBrush);
        painter_.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter_.drawLines(lines.constData(), int(lines.size()));
    }

    void drawTextLine(std::size_t style, const QRawFont &, QStringView text, const quint32 *glyphs,
                      const double *x, double y) override
    {
        for (qsizetype i = 0; i < text.size(); ++i)
            if (text[i] != QLatin1Char(' ')) {
                indexes_[style].push_back(glyphs[i]);
                positions_[style].emplace_back(std::round(x[i]), y);
            }
    }

    void drawDocument(QTextDocument &document, QPointF at, double scale) override
    {
        painter_.save();
        painter_.scale(scale, scale);
        painter_.translate(at);
        QAbstractTextDocumentLayout::PaintContext context;
        context.palette.setColor(QPalette::Text, Qt::black);
        document.documentLayout()->draw(&painter_, context);
        painter_.restore();
    }

    void clip(const QRectF &rect) override
    {
        flush();
        painter_.save();
        painter_.setClipRect(rect);
    }

    void unclip() override
    {
        flush();
        painter_.restore();
    }

    void flush()
    {
        painter_.setPen(Qt::black);
        for (std::size_t style = 0; style < fonts_.size(); ++style) {
            if (indexes_[style].empty())
                continue;
            QGlyphRun run;
            run.setRawFont(fonts_[style]);
            run.setRawData(indexes_[style].data(), positions_[style].data(), int(indexes_[style].size()));
            painter_.drawGlyphRun(QPointF(0, 0), run);
            indexes_[style].clear();
            positions_[style].clear();
        }
    }

private:
    QPainter &painter_;
    std::vector<std::vector<quint32>> &indexes_;
    std::vector<std::vector<QPointF>> &positions_;
    const std::vector<QRawFont> &fonts_;
};

} // namespace

void PagePainter::drawPage(QPainter &painter, int page, double scale)
{
    scaleFonts(scale); // before the canvas sizes its queues by them
    PainterCanvas canvas(painter, indexes_, positions_, scaledFonts_);
    drawPage(canvas, page, scale);
    canvas.flush();
}

void PagePainter::scaleFonts(double scale)
{
    if (scale == scaledFor_)
        return;
    scaledFonts_.clear();
    for (const GlyphCache &glyphs : glyphs_) {
        QRawFont font = glyphs.rawFont();
        font.setPixelSize(font.pixelSize() * scale);
        scaledFonts_.push_back(font);
    }
    scaledFor_ = scale;
}

void PagePainter::drawPage(PageCanvas &canvas, int pageIndex, double scale)
{
    scaleFonts(scale);
    const PreparedPage &page = report_.pages.at(pageIndex);
    drawFrames(canvas, page, scale);
    for (const PreparedText &text : page.texts) {
        if (text.text.isEmpty())
            continue;
        const bool html = report_.styles.at(text.style).html;
        if (text.clipped || html)
            canvas.clip(toDevice(text.rect, scale));
        if (html)
            drawHtml(canvas, text, scale);
        else
            drawPlain(canvas, text, scale);
        if (text.clipped || html)
            canvas.unclip();
    }
}

} // namespace report_engine
