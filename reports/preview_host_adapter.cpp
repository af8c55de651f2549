#include "reports/preview_host_adapter.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString PreviewHostAdapter::folder() const
{
    return lastFolder_.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                 : lastFolder_;
}

QString PreviewHostAdapter::remembered(const QString &path)
{
    if (!path.isEmpty())
        lastFolder_ = QFileInfo(path).absolutePath();
    return path;
}

QString PreviewHostAdapter::saveFileName(const QString &caption, const QString &suggestedName,
                                         const QString &filter)
{
    return remembered(
        files_.saveFileName({caption, {filter}, filter, {}, QDir(folder()).filePath(suggestedName)}));
}

QString PreviewHostAdapter::openFileName(const QString &caption, const QString &filter)
{
    return remembered(files_.openFileName({caption, {filter}, filter, {}, {}, folder()}));
}
