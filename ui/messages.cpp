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

int exec(QMessageBox::Icon icon, const QString &caption, const QString &text, const QString &informative,
         QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, caption, shownText(text), buttons, QApplication::activeWindow());
    box.setInformativeText(shownText(informative));
    return box.exec();
}

} // namespace

void MessageBoxes::show(MessageKind kind, const QString &text, const QString &informative)
{
    switch (kind) {
    case MessageKind::Error:
        exec(QMessageBox::Critical, "Kesalahan", text, informative, QMessageBox::Ok);
        break;
    case MessageKind::ErrorClose:
        exec(QMessageBox::Critical, "Kesalahan", text, informative, QMessageBox::Close);
        break;
    case MessageKind::Information:
        exec(QMessageBox::Information, "Informasi", text, informative, QMessageBox::Ok);
        break;
    case MessageKind::Confirm:
        confirm(text);
        break;
    case MessageKind::Warning:
        exec(QMessageBox::Warning, "Peringatan", text, informative, QMessageBox::Ok);
        break;
    }
}

bool MessageBoxes::confirm(const QString &text)
{
    return exec(QMessageBox::Question, "Konfirmasi", text, {}, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}
