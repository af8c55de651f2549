#include "app/style.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

// The resources live in a static library: referencing them here keeps them linked.
static void initStyleResources()
{
    Q_INIT_RESOURCE(app);
}

bool applyStyle(QApplication &app, const QString &name)
{
    initStyleResources();
    const QDir styles(QStringLiteral(":/styles"));
    for (const QFileInfo &file : styles.entryInfoList(QDir::Files)) {
        if (file.completeBaseName().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        QFile sheet(file.filePath());
        if (!sheet.open(QIODevice::ReadOnly))
            return false;
        app.setStyleSheet(QString::fromUtf8(sheet.readAll()));
        return true;
    }
    return false;
}
