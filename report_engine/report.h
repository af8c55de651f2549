// The engine's entry point: a design, the host's datasets and variables, and
// the prepared pages made from them.
//
//   Report report;
//   report.registerDataset(&orders);            // kept by the host, opened as needed
//   report.setVariableCallback([](const QString &name, QVariant &value) { ... });
//   report.loadFromFile(path);                  // or loadFromXml(built-in bytes)
//   report.showPreview(host);                   // prepares, then the modal preview
//
// Errors (a template that cannot be read, a field not found, an unknown
// variable) are kept in lastError(); showPreview() hands them to the host.
#pragma once

#include "report_engine/dataset.h"
#include "report_engine/design.h"
#include "report_engine/exports.h"
#include "report_engine/prepared.h"
#include "report_engine/preparer.h"

#include <QHash>

namespace report_engine {

class PreviewHost;

// The preview's zoom: a factor, or fitted to the page's width or to the whole page.
struct PreviewZoom {
    enum class Fit { None, PageWidth, WholePage };
    double factor = 1;
    Fit fit = Fit::None;
};

class Report {
public:
    // Replaces the whole design. A missing or unreadable file leaves an empty report and returns false.
    bool loadFromFile(const QString &path);
    // The same from bytes, such as a design compiled in as a resource.
    bool loadFromXml(const QByteArray &xml);
    bool saveToFile(const QString &path) const;

    Design &design() { return design_; }
    const Design &design() const { return design_; }

    // By user name; the host keeps ownership. A later dataset of the same name replaces the earlier.
    void registerDataset(Dataset *dataset);
    void setVariableCallback(VariableCallback callback) { variables_ = std::move(callback); }

    // Runs the design over the datasets, replacing any earlier prepared pages.
    // An empty design prepares no pages and succeeds.
    bool prepare();
    const PreparedReport &prepared() const { return prepared_; }
    QString lastError() const { return lastError_; }

    // Prepares, then shows the modal preview maximised on the screen of the
    // active window; returns when it closes. On a preparation error the host
    // shows it and no preview opens (returns false).
    bool showPreview(PreviewHost &host);
    // The zoom each preview opens with; a preview leaves its own here when it closes.
    PreviewZoom previewZoom;

    // The name the preview suggests for exports and saves, without suffix; the title when empty.
    void setDocumentName(const QString &name) { documentName_ = name; }
    QString documentName() const { return documentName_; }

    bool exportPdf(const QString &path, const Progress &progress = {});
    bool exportHtml(const QString &path, const Progress &progress = {});
    bool exportCsv(const QString &path, const Progress &progress = {});

private:
    bool fail(const QString &message);

    Design design_;
    QHash<QString, Dataset *> datasets_;
    VariableCallback variables_;
    PreparedReport prepared_;
    QString lastError_;
    QString documentName_;
};

} // namespace report_engine
