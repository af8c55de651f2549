// A PDF file written directly, for what reports draw: straight lines, filled
// rectangles, and text in embedded font subsets, cut at rectangles.
//
// QPdfWriter places every glyph with an operator of its own, which made the
// content streams large and compressing them most of an export's time; a
// text line here is one string the viewer advances by the font's widths.
// Debian's PDF libraries do not serve better: cairo's surface was slower
// still on pages like the benchmark's, and libharu and podofo take font files and
// text, where the painter has Qt's faces and glyphs. Fonts come from the very
// faces the layout measured (their tables, through QRawFont) and are cut down
// to the glyphs used with HarfBuzz's subsetter.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QLineF>
#include <QList>
#include <QRawFont>
#include <QRectF>
#include <QSizeF>
#include <QStringView>

#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace report_engine {

class PdfDocument {
public:
    // The file starts with its header; `version` is like "1.6".
    explicit PdfDocument(const QByteArray &version);
    ~PdfDocument();
    PdfDocument(const PdfDocument &) = delete;
    PdfDocument &operator=(const PdfDocument &) = delete;

    // Starts a page of `sizeMm` (ending the one before). Drawing coordinates
    // are device pixels at `dpi` from the page's top-left corner, y downwards.
    void beginPage(const QSizeF &sizeMm, double dpi);

    void strokeLines(const QList<QLineF> &lines, double width);
    void fillRect(const QRectF &rect, const QColor &color);
    // `glyphs` of `font` (its pixel size in device pixels) on the baseline
    // `y`, glyph i starting at x[i]. `text` holds the characters, one per
    // glyph, for search and copy.
    void showGlyphs(const QRawFont &font, const double *x, double y, const quint32 *glyphs, QStringView text,
                    const QColor &color = Qt::black);
    // What is drawn until unclip() is cut at `rect`.
    void clip(const QRectF &rect);
    void unclip();

    // The finished file: every page, the fonts, the catalog (object 1), the
    // cross-reference table and a trailer without an Info dictionary.
    QByteArray finish();

private:
    struct Font;
    struct GraphicsState {
        double lineWidth = -1;
        const Font *font = nullptr;
        double fontSize = 0;
        QRgb fill = qRgb(0, 0, 0);
    };

    int newObject();
    void startObject(int id);
    void writeStream(int id, const QByteArray &data, const QByteArray &dictionary = {});
    void endPage();
    void enterText();
    void leaveText();
    Font &fontFor(const QRawFont &font);
    // The glyph's advance in thousandths of the font size; a glyph seen the first time is noted as used.
    double widthOf(Font &font, quint32 glyph, QChar shown);
    void setFill(QRgb rgb);
    void writeFont(Font &font);
    void appendNumber(double value);
    void appendPoint(QPointF p);

    QByteArray out_;
    std::vector<qsizetype> offsets_; // by object number; 0 for objects not yet written
    std::vector<int> pages_;
    std::map<QString, std::unique_ptr<Font>> fonts_;
    std::vector<std::pair<QRawFont, Font *>> faces_;
    int resourcesId_ = 0;

    QByteArray content_; // of the page being drawn
    QSize pagePt_;
    bool pageOpen_ = false;
    bool inText_ = false;
    QPointF textAt_;
    GraphicsState state_, saved_;
};

} // namespace report_engine
