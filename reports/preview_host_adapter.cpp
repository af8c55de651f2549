#include "reports/preview_host_adapter.h"

QString PreviewHostAdapter::saveFileName(const QString &caption, const QString &suggested,
                                         const QString &filter)
{
    return files_.saveFileName({caption, {filter}, filter, {}, suggested});
}

QString PreviewHostAdapter::openFileName(const QString &caption, const QString &filter)
{
    return files_.openFileName({caption, {filter}, filter, {}, {}});
}
