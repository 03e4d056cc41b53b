// Qt's own texts (file dialogs, message box buttons, context menus of the
// edit fields) in the program's language.
#pragma once

class QCoreApplication;

namespace vorlan {

// Installs Qt's Russian catalogue ("qtbase_ru" in Qt's translations folder)
// into `app`, whatever the user's locale. False when the catalogue is
// missing; Qt's texts then stay English.
bool InstallQtTranslations(QCoreApplication& app);

}  // namespace vorlan
