// Small templates and datasets shared by the engine's tests.
#pragma once

#include "report_engine/report.h"

#include <QImage>
#include <QTemporaryDir>

#include <memory>

namespace fixtures {

// A 100 x 100 mm page with 10 mm margins: title 10, column header 10, rows
// 10, summary 20 and footer 10 mm high, so the first page holds 5 rows and
// the next ones 6.
QByteArray pagedTemplate(const QString &dataText = QStringLiteral("[Line#] [people.\"name\"]"));

// `bands` inside one <page> of that size; wrapped into a whole template.
QByteArray templateWith(const QString &bands, const QString &pageAttributes = {});

// Fields name and amount; rows "P1".."Pn" with amounts 1000 * row.
std::unique_ptr<report_engine::TableDataset> people(int rows);

// Runs a command and returns its standard output; fails the test when it cannot run.
QString run(const QString &program, const QStringList &arguments);

// Texts of one prepared page, top to bottom and left to right.
QStringList pageTexts(const report_engine::PreparedReport &report, int page);

// Names of the bands on one prepared page, in the order they were placed.
QStringList bandNames(const report_engine::PreparedPage &page);

// A word of a PDF as pdftotext places it: page from 0, box in millimetres from the page's top-left.
struct PdfWord {
    int page = -1;
    QRectF box;
    QString text;
};
QList<PdfWord> pdfWords(const QString &pdfPath);

// The first page drawn at 4 device pixels per pixel, for looking at its ink by page position in millimetres.
class DrawnPage {
public:
    explicit DrawnPage(const report_engine::PreparedReport &report);
    // The first page of a PDF, rendered by pdftoppm at the same scale.
    static DrawnPage ofPdf(const QString &pdfPath);
    bool inkAt(double xMm, double yMm) const;
    // Whether any pixel inside the rectangle is dark.
    bool inkIn(const QRectF &mm) const;
    QImage image;

private:
    DrawnPage() = default;
};

} // namespace fixtures
