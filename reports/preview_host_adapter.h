// The preview's file names and errors, through the program's own seams.
#pragma once

#include "report_engine/preview/preview_host.h"
#include "ui/file_chooser.h"
#include "ui/messages.h"

class PreviewHostAdapter : public report_engine::PreviewHost {
public:
    PreviewHostAdapter(Messages &messages, FileChooser &files) : messages_(messages), files_(files) {}

    QString saveFileName(const QString &caption, const QString &suggested, const QString &filter) override;
    QString openFileName(const QString &caption, const QString &filter) override;
    void showError(const QString &message) override { messages_.error(message); }

private:
    Messages &messages_;
    FileChooser &files_;
};
