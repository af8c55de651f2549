#include "app/translations.h"

#include <QCoreApplication>
#include <QTranslator>

bool installTranslations(QCoreApplication &app)
{
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    bool all = true;
    for (const char *catalogue : {":/i18n/qt_id.qm", ":/i18n/sarvela_id.qm"}) {
        auto *translator = new QTranslator(&app);
        all = translator->load(QLatin1String(catalogue)) && app.installTranslator(translator) && all;
    }
    return all;
}
