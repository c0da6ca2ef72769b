// The desktop program: the main window on the article-list folder.
#include <QApplication>
#include <iostream>

#include "app/UserRegion.h"
#include "gui/Fonts.h"
#include "gui/MainForm.h"
#include "gui/PlatformServices.h"
#include "app/OfferExport.h"
#include "app/ProgramOptions.h"
#include "gui/QtDialogs.h"
#include "gui/Translations.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("nabidka"));
  QApplication::setApplicationDisplayName(QStringLiteral("Nabidka"));
  QApplication::setApplicationVersion(QStringLiteral(NABIDKA_VERSION));
  gui::InstallQtTranslations(application);

  std::vector<std::string> args;
  for (const QString& arg : QApplication::arguments().mid(1)) args.push_back(arg.toStdString());
  std::string error;
  const std::optional<app::TProgramOptions> options = app::ParseProgramOptions(args, error);
  if (!options) {
    std::cerr << "Chyba: " << error << '\n' << app::kProgramUsage;
    return 2;
  }
  if (options->Version) {
    std::cout << "nabidka " << NABIDKA_VERSION << '\n';
    return 0;
  }
  if (options->Help) {
    std::cout << app::kProgramUsage;
    return 0;
  }

  gui::EnsureTahoma();
  app::RegisterFileFormats();
  app::TDiskFileSystem fileSystem;
  gui::TQtDialogs dialogs;
  app::TMainWindowSettings settings;
  settings.ArticleListFolder = options->Folder;
  settings.Region = app::UserRegion();
  gui::TMainForm form(fileSystem, dialogs, settings);
  dialogs.SetParentWidget(&form);
  app::InstallDesktopServices(dialogs);
  form.StartUp();
  form.show();
  // For timing the start (nabidka-bench gui): end once the first frame is painted.
  if (qEnvironmentVariableIsSet("NABIDKA_QUIT_AFTER_FIRST_FRAME")) gui::QuitAfterFirstFrame(form);
  return QApplication::exec();
}
