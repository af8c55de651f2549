// What the preview asks of the program that shows it: file names and showing
// errors. The program passes an adapter over its own dialogs, so the engine
// opens no file dialog or message box of its own.
#pragma once

#include <QString>

namespace report_engine {

class PreviewHost {
public:
    virtual ~PreviewHost() = default;
    // `suggested` is a full path; `filter` as in "PDF files (*.pdf)". Empty when the user cancels.
    virtual QString saveFileName(const QString &caption, const QString &suggested, const QString &filter) = 0;
    virtual QString openFileName(const QString &caption, const QString &filter) = 0;
    virtual void showError(const QString &message) = 0;
};

} // namespace report_engine
