#include "report_engine/report.h"

#include "report_engine/preview/preview_window.h"
#include "report_engine/template_xml.h"

#include <QApplication>
#include <QFile>
#include <QSaveFile>

namespace report_engine {

bool Report::fail(const QString &message)
{
    lastError_ = message;
    return false;
}

bool Report::loadFromFile(const QString &path)
{
    design_ = {};
    prepared_ = {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Cannot open template %1: %2").arg(path, file.errorString()));
    return loadFromXml(file.readAll());
}

bool Report::loadFromXml(const QByteArray &xml)
{
    prepared_ = {};
    QString error;
    if (!readDesign(xml, design_, &error))
        return fail(QStringLiteral("Cannot read template: %1").arg(error));
    lastError_.clear();
    return true;
}

bool Report::saveToFile(const QString &path) const
{
    QSaveFile file(path);
    const QByteArray xml = writeDesign(design_);
    return file.open(QIODevice::WriteOnly) && file.write(xml) == xml.size() && file.commit();
}

void Report::registerDataset(Dataset *dataset)
{
    datasets_.insert(dataset->userName(), dataset);
}

bool Report::prepare()
{
    lastError_.clear();
    QString error;
    if (!prepareReport({design_, datasets_, variables_, QDateTime::currentDateTime()}, prepared_, error))
        return fail(error);
    return true;
}

bool Report::showPreview(PreviewHost &host)
{
    if (!prepare()) {
        host.showError(lastError_);
        return false;
    }
    QWidget *mainWindow = QApplication::activeWindow();
    PreviewWindow preview(host, this, mainWindow);
    if (mainWindow)
        preview.setScreen(mainWindow->screen());
    preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
    preview.exec();
    return true;
}

bool Report::exportPdf(const QString &path, const Progress &progress)
{
    QString error;
    return report_engine::exportPdf(prepared_, path, &error, progress) || fail(error);
}

bool Report::exportHtml(const QString &path, const Progress &progress)
{
    QString error;
    return report_engine::exportHtml(prepared_, path, &error, progress) || fail(error);
}

bool Report::exportCsv(const QString &path, const Progress &progress)
{
    QString error;
    return report_engine::exportCsv(prepared_, path, &error, progress) || fail(error);
}

} // namespace report_engine
