#include "tests/support/app_fixture.h"

#include <QApplication>
#include <QKeyEvent>

AppFixture::AppFixture(bool demo)
    : server(demo), dm(settingsFor(server)), clock(QDateTime::currentDateTime()),
      fmain(std::make_unique<Tfmain>(dm, messages, files, [this] { return clock; }))
{
}

void AppFixture::logIn(Tfmain &window, const DemoAccount &account)
{
    window.tabLogin->leNIP->setText(account.nip);
    window.tabLogin->lePassword->setText(account.password);
    window.tabLogin->btnloginClick();
    messages.take();
}

void AppFixture::press(QWidget *widget, int key)
{
    QString text;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        text = "\r";
    else if (key >= 0x20 && key < 0x7f)
        text = QString(QChar(key)).toLower();
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &event);
}
