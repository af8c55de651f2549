// The file dialogs go through this seam so tests can answer them.
#pragma once

#include <QString>
#include <QStringList>

struct FileDialogRequest {
    QString title;
    QStringList filters;    // "Description (*.ext)"
    QString selectedFilter; // one of filters
    QString defaultSuffix;  // without the dot
    QString defaultName;
    QString folder; // where the dialog opens when defaultName names no folder
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // Empty when the user cancels.
    virtual QString openFileName(const FileDialogRequest &request) = 0;
    virtual QString saveFileName(const FileDialogRequest &request) = 0;
};

class FileDialogs : public FileChooser {
public:
    QString openFileName(const FileDialogRequest &request) override;
    QString saveFileName(const FileDialogRequest &request) override;
};
