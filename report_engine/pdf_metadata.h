// The document information and viewer preferences, added to a finished PDF as an incremental update.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace report_engine {

struct PdfMetadata {
    QString title;
    QString author;
    QString subject;
    QString creator;
    QDateTime created;
};

// Appends a new Info dictionary and a catalog with the viewer preferences
// (toolbar, menu bar and window interface shown, window neither fitted nor
// centred, print scaling off), then an xref section and a trailer with /Prev.
bool appendPdfMetadata(QByteArray &pdf, const PdfMetadata &metadata, QString *error = nullptr);

} // namespace report_engine
