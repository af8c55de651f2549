// The template model: what a template file holds, independent of any data.
// Geometry is in millimetres relative to the band's top-left corner at the
// left margin; font sizes are pixels at 96 dpi.
#pragma once

#include <QList>
#include <QSizeF>
#include <QString>

namespace report_engine {

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Center, Bottom };

// Bit set of the sides a text object's frame draws.
enum FrameSide : unsigned { FrameLeft = 1, FrameTop = 2, FrameRight = 4, FrameBottom = 8, FrameAll = 15 };

struct Padding {
    double left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const Padding &) const = default;
};

// How a text object shows the value of each bracketed expression.
struct DisplayFormat {
    QString pattern; // printf-like: "%2.0n" (grouped number), "%.2f"; empty shows the value as it is
    QString decimalSeparator = QStringLiteral(",");
    QString thousandSeparator = QStringLiteral(".");
    bool operator==(const DisplayFormat &) const = default;
};

struct TextStyle {
    QString fontFamily = QStringLiteral("Courier New");
    double fontPixelSize = 13; // a shrunk text's prepared style may lie between whole pixels
    bool bold = false;
    bool italic = false;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    unsigned frameSides = 0;
    double frameWidth = 1; // pixels at 96 dpi
    Padding padding;
    bool wordWrap = false;
    bool shrink = false; // a text that does not fit its box is drawn smaller until it does
    bool html = false;   // b, i, u, br and font colour tags are drawn as such
    bool operator==(const TextStyle &) const = default;
};

struct TextObject {
    QString name;
    double x = 0, y = 0, width = 0, height = 0;
    QString text; // may hold [expressions]
    TextStyle style;
    DisplayFormat format;
};

struct LineObject {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double width = 1; // pixels at 96 dpi
};

enum class BandKind { ReportTitle, PageHeader, ColumnHeader, MasterData, Summary, PageFooter };

struct Band {
    BandKind kind = BandKind::MasterData;
    QString name;
    double height = 0;
    QString dataset; // user name of the dataset, master data bands only
    QList<TextObject> texts;
    QList<LineObject> lines;
};

struct Margins {
    double left = 10, top = 10, right = 10, bottom = 10;
};

// One report page of the design: a section of the document that starts on a new page.
struct ReportPage {
    QString name;
    double paperWidth = 210, paperHeight = 297; // the sheet as it comes out of the printer
    bool landscape = false;
    Margins margins;
    QList<Band> bands;

    // The page as laid out: landscape puts the longer side across.
    QSizeF pageSize() const;
    const Band *band(BandKind kind) const;
};

struct Design {
    QString title;
    QList<ReportPage> pages;
    bool isEmpty() const { return pages.isEmpty(); }
};

} // namespace report_engine
