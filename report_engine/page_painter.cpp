#include "report_engine/page_painter.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextDocument>

#include <map>

namespace report_engine {

namespace {

QRectF toPixels(const QRectF &mm)
{
    return QRectF(mm.x() * pxPerMm, mm.y() * pxPerMm, mm.width() * pxPerMm, mm.height() * pxPerMm);
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

QRectF innerRect(const PreparedText &text, const TextStyle &style)
{
    const Padding &p = style.padding;
    return toPixels(text.rect.adjusted(p.left, p.top, -p.right, -p.bottom));
}

PagePainter::PagePainter(const PreparedReport &report) : report_(report)
{
    for (const TextStyle &style : report.styles) {
        fonts_.push_back(reportFont(style));
        metrics_.emplace_back(fonts_.back());
    }
}

QStringList PagePainter::wrap(const QString &paragraph, const QFontMetricsF &metrics, double width) const
{
    QStringList lines;
    QString current;
    for (const QString &word : paragraph.split(QLatin1Char(' '))) {
        const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (!current.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
            lines.append(current);
            current = word;
        } else {
            current = candidate;
        }
    }
    lines.append(current);
    return lines;
}

std::vector<TextLine> PagePainter::layout(const PreparedText &text)
{
    const TextStyle &style = report_.styles.at(text.style);
    const QFontMetricsF &metrics = metrics_.at(text.style);
    const QRectF inner = innerRect(text, style);
    QStringList lines = text.text.split(QLatin1Char('\n'));
    if (style.wordWrap) {
        QStringList wrapped;
        for (const QString &line : lines)
            wrapped += wrap(line, metrics, inner.width());
        lines = wrapped;
    }
    const double lineHeight = metrics.lineSpacing();
    const double blockHeight = lines.size() * lineHeight - metrics.leading();
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
            const double spare = inner.width() - metrics.horizontalAdvance(lines[i]);
            x += style.hAlign == HAlign::Center ? spare / 2 : spare;
        }
        out.push_back({QPointF(x, top + i * lineHeight + metrics.ascent()), lines[i]});
    }
    return out;
}

void PagePainter::drawHtml(QPainter &painter, const PreparedText &text)
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
    painter.translate(inner.left(), top);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
}

void PagePainter::drawFrames(QPainter &painter, const PreparedPage &page)
{
    // Batched per pen width: one call per page instead of one per cell side.
    std::map<double, std::pair<QList<QRectF>, QList<QLineF>>> byWidth;
    for (const PreparedText &text : page.texts) {
        const TextStyle &style = report_.styles.at(text.style);
        if (!style.frameSides)
            continue;
        auto &[rects, lines] = byWidth[style.frameWidth];
        const QRectF r = toPixels(text.rect);
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
    for (const PreparedLine &line : page.lines)
        byWidth[line.width].second.append(QLineF(line.line.p1() * pxPerMm, line.line.p2() * pxPerMm));
    painter.setBrush(Qt::NoBrush);
    for (const auto &[width, shapes] : byWidth) {
        painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        if (!shapes.first.isEmpty())
            painter.drawRects(shapes.first.constData(), int(shapes.first.size()));
        if (!shapes.second.isEmpty())
            painter.drawLines(shapes.second.constData(), int(shapes.second.size()));
    }
}

void PagePainter::drawPage(QPainter &painter, int pageIndex)
{
    const PreparedPage &page = report_.pages.at(pageIndex);
    drawFrames(painter, page);
    painter.setPen(Qt::black);
    int currentStyle = -1;
    for (const PreparedText &text : page.texts) {
        if (text.text.isEmpty())
            continue;
        if (report_.styles.at(text.style).html) {
            drawHtml(painter, text);
            currentStyle = -1;
            continue;
        }
        if (text.style != currentStyle) {
            painter.setFont(fonts_.at(text.style));
            currentStyle = text.style;
        }
        for (const TextLine &line : layout(text))
            painter.drawText(line.baseline, line.text);
    }
}

} // namespace report_engine
