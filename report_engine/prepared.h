// A prepared report: flat lists of positioned items per page, in millimetres
// from the page's top-left corner. Every output draws from this.
#pragma once

#include "report_engine/design.h"

#include <QLineF>
#include <QList>
#include <QRectF>
#include <QString>

namespace report_engine {

struct PreparedText {
    QRectF rect;
    int style = 0;        // index into PreparedReport::styles
    int band = 0;         // index into PreparedPage::bands
    QString text;         // final text; markup when the style is HTML
    bool clipped = false; // crosses its box even at its style's size: drawn cut at the box
};

struct PreparedLine {
    QLineF line;
    double width = 1; // pixels at 96 dpi
};

// One printed instance of a band: which band landed where.
struct PreparedBand {
    QString name;
    BandKind kind = BandKind::MasterData;
    double top = 0;
    double height = 0;
};

struct PreparedPage {
    QSizeF size; // millimetres
    QList<PreparedBand> bands;
    QList<PreparedText> texts;
    QList<PreparedLine> lines;
};

struct PreparedReport {
    QString title;
    QList<TextStyle> styles;
    QList<PreparedPage> pages;

    bool isEmpty() const { return pages.isEmpty(); }
};

// Our own file format for saving a prepared report from the preview.
bool savePreparedReport(const PreparedReport &report, const QString &path, QString *error = nullptr);
bool loadPreparedReport(const QString &path, PreparedReport &report, QString *error = nullptr);

} // namespace report_engine
