// The program speaks Indonesian whatever the machine's language: our own texts
// and Qt's dialogs come from catalogues compiled into the program. A desktop's
// native dialogs would follow the machine's language, so Qt's own are used.
#pragma once

class QCoreApplication;

// Installs the catalogues on `app` and keeps to Qt's own dialogs; false when a
// catalogue is missing from the build.
bool installTranslations(QCoreApplication &app);
