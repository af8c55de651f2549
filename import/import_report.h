// What an import did, row by row, in the operator's words: how many rows were
// stored, each refused row with its reason, and each stored row whose BPJS
// amounts the server finds implausible. The refused rows can be saved as a
// sheet to correct and import again.
#pragma once

#include "import/import_table.h"

namespace importing {

struct ReportLine {
    enum class Kind { Refused, Check };
    Kind kind;
    qsizetype row = 0; // the spreadsheet's own row number; 0 when not known
    QStringList cells; // a refused row's seven cells as read
    QString nik, name;
    QString reason;
};

struct ImportReport {
    qsizetype stored = 0;
    qsizetype refused = 0;
    QList<ReportLine> lines; // refused rows in sheet order, then the checks

    // No row stored: the window is a warning.
    bool isWarning() const { return stored == 0 && refused > 0; }
};

// "tolak" or "cek", as sheetdump --check prints it too.
QString statusText(ReportLine::Kind kind);

inline const QString reportTitle = QStringLiteral("Laporan Impor Data Excel");
inline const QStringList reportColumns = {QStringLiteral("Baris"), QStringLiteral("Status"),
                                          QStringLiteral("NIK"), QStringLiteral("Nama Lengkap"),
                                          QStringLiteral("Keterangan")};
// The line above the list.
QString reportSummary(const ImportReport &report);

// The refused rows as a sheet the import reads again: the seven cells as text,
// then the row number and the reason in columns 8 and 9, no title row.
// .xlsx when the name ends so, CSV (comma, quoted where needed) otherwise.
// False when the file cannot be written.
bool saveRefusedRows(const ImportReport &report, const QString &fileName);

} // namespace importing
