// The import report goes through this seam like the message boxes, so tests
// read its lines and press its buttons.
#pragma once

#include "import/import_report.h"

#include <functional>

class ImportReportView {
public:
    virtual ~ImportReportView() = default;
    // Shows the report until the operator closes it; save asks for a file and
    // writes the refused rows there.
    virtual void show(const importing::ImportReport &report, const std::function<void()> &save) = 0;
};

// Production: a modal window with the summary, the list and two buttons,
// "Simpan Daftar..." (while there are refused rows) and "Tutup".
class ImportReportWindow : public ImportReportView {
public:
    void show(const importing::ImportReport &report, const std::function<void()> &save) override;
};
