// Outputs of a prepared report. None of them opens the written file
// afterwards, and an existing file is overwritten without asking.
#pragma once

#include "report_engine/prepared.h"

#include <QString>

#include <functional>

class QPrinter;

namespace report_engine {

// Called after each page; returning false cancels the export.
using Progress = std::function<bool(int done, int total)>;

inline const QString engineName = QStringLiteral("Report Engine");
inline const QString defaultCsvFileName = QStringLiteral("report_tpp1.csv");

// PDF 1.6, unencrypted, fonts embedded; the document information names the
// engine as author, subject and creator, and the viewer shows its toolbar,
// menu bar and window interface with print scaling off.
bool exportPdf(const PreparedReport &report, const QString &path, QString *error = nullptr,
               const Progress &progress = {});
// One page after another at their real size, absolutely positioned texts.
bool exportHtml(const PreparedReport &report, const QString &path, QString *error = nullptr,
                const Progress &progress = {});
// One line per band row, cells left to right, "," between, Windows-1252.
bool exportCsv(const PreparedReport &report, const QString &path, QString *error = nullptr,
               const Progress &progress = {});
// Every page at its prepared size, without the printer's margins.
bool printReport(const PreparedReport &report, QPrinter &printer, QString *error = nullptr,
                 const Progress &progress = {});

} // namespace report_engine
