// What the preview asks of the program that shows it: file names and showing
// errors. The program passes an adapter over its own dialogs, so the engine
// opens no file dialog or message box of its own.
#pragma once

#include <QString>

namespace report_engine {

class PreviewHost {
public:
    virtual ~PreviewHost() = default;
    // A full path, or empty when the user cancels. `suggestedName` is a file name
    // without folder: the host knows which folder to offer. `filter` as in "PDF files (*.pdf)".
    virtual QString saveFileName(const QString &caption, const QString &suggestedName,
                                 const QString &filter) = 0;
    virtual QString openFileName(const QString &caption, const QString &filter) = 0;
    virtual void showError(const QString &message) = 0;
};

} // namespace report_engine
