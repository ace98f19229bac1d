// Qt's own German texts for the standard dialogs and buttons (file dialogs,
// message boxes): the workstation speaks German throughout. Only the texts
// change; the locale and its number format are left as they are.
#pragma once

class QCoreApplication;

namespace app {

// Loads "qtbase_de" from Qt's translations folder and installs it; false
// (and nothing installed) when the file is not there.
bool InstallGermanTranslations(QCoreApplication& application);

}  // namespace app
