#pragma once

#include <QLocale>

class QCoreApplication;

namespace gui {

// Qt's own texts (the file dialogs, the overwrite prompt, the message boxes'
// buttons) in the user's language, from Qt's translations where installed
// (Debian's qt6-translations-l10n): a Czech desktop shows "Uložit", "Ano",
// "Ne". The window's own texts are Czech in every language. False when no
// translation for the language was found.
bool InstallQtTranslations(QCoreApplication& application, const QLocale& locale = QLocale::system());

}  // namespace gui
