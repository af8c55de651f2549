#include "app/style.h"
#include "app/tfmain.h"
#include "app/translations.h"
#include "ui/file_chooser.h"
#include "ui/messages.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    installTranslations(app); // before any window, so every text is looked up in Indonesian
    MessageBoxes messages;
    FileDialogs files;
    const QString styleName = QStringLiteral("Smokey Quartz Kamri");
    if (!applyStyle(app, styleName))
        messages.errorClose("Gaya tampilan \"" + styleName + "\" tidak ditemukan.");
    Tdm dm;
    Tfmain fmain(dm, messages, files);
    fmain.show();
    return app.exec();
}
