#pragma once

class QCoreApplication;

namespace zendra {

// Loads Qt's own Japanese texts (the buttons of every message box, the print and file
// dialogs) from Qt's translations folder into the application. False, and Qt's English
// texts stay, when the translation is not installed.
bool InstallQtTranslation(QCoreApplication& app);

} // namespace zendra
