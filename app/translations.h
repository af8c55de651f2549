// The program speaks Indonesian whatever the machine's language: our own texts
// and Qt's dialogs come from catalogues compiled into the program.
#pragma once

class QCoreApplication;

// Installs the catalogues on `app`; false when one is missing from the build.
bool installTranslations(QCoreApplication &app);
