#include "ui/file_chooser.h"

#include <QApplication>
#include <QFileDialog>

namespace {

QString run(const FileDialogRequest &request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(QApplication::activeWindow(), request.title);
    // Qt's own dialog speaks our Indonesian catalogue; a desktop's native one follows the machine's language.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    if (!request.selectedFilter.isEmpty())
        dialog.selectNameFilter(request.selectedFilter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    if (!request.defaultName.isEmpty())
        dialog.selectFile(request.defaultName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString FileDialogs::openFileName(const FileDialogRequest &request)
{
    return run(request, QFileDialog::AcceptOpen);
}

QString FileDialogs::saveFileName(const FileDialogRequest &request)
{
    return run(request, QFileDialog::AcceptSave);
}
