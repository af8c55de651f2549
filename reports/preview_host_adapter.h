// The preview's file names and errors, through the program's own seams. The
// dialogs open in the documents folder, then in the folder last chosen, for as
// long as the program runs.
#pragma once

#include "report_engine/preview/preview_host.h"
#include "ui/file_chooser.h"
#include "ui/messages.h"

class PreviewHostAdapter : public report_engine::PreviewHost {
public:
    PreviewHostAdapter(Messages &messages, FileChooser &files) : messages_(messages), files_(files) {}

    QString saveFileName(const QString &caption, const QString &suggestedName,
                         const QString &filter) override;
    QString openFileName(const QString &caption, const QString &filter) override;
    void showError(const QString &message) override { messages_.error(message); }

private:
    QString folder() const;
    QString remembered(const QString &path);

    Messages &messages_;
    FileChooser &files_;
    QString lastFolder_;
};
