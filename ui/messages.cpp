#include "ui/messages.h"

#include <QApplication>
#include <QMessageBox>

namespace {

// Message texts break lines with a single carriage return.
QString shownText(const QString &text)
{
    QString shown = text;
    return shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

int execBox(QMessageBox::Icon icon, const QString &caption, const QString &text,
            QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, caption, shownText(text), buttons, QApplication::activeWindow());
    return box.exec();
}

} // namespace

void MessageBoxes::warning(const QString &text)
{
    execBox(QMessageBox::Warning, "Warning", text, QMessageBox::Ok);
}

void MessageBoxes::error(const QString &text)
{
    execBox(QMessageBox::Critical, "Error", text, QMessageBox::Ok);
}

void MessageBoxes::information(const QString &text)
{
    execBox(QMessageBox::Information, "Information", text, QMessageBox::Ok);
}

bool MessageBoxes::confirm(const QString &text)
{
    return execBox(QMessageBox::Question, "Confirm", text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void MessageBoxes::errorClose(const QString &text)
{
    execBox(QMessageBox::Critical, "Error", text, QMessageBox::Close);
}
