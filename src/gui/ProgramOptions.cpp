#include "gui/ProgramOptions.h"

#include <cstdlib>

#include "app/Paths.h"

namespace gui {

namespace {

std::string DefaultFolder() {
#ifdef _WIN32
  return app::DefaultArticleListFolder();
#else
  if (const char* folder = std::getenv("NABIDKA_FOLDER"); folder && *folder) return folder;
  if (const char* home = std::getenv("HOME"); home && *home) return app::JoinPath(home, "pCon_article_lists");
  return app::DefaultArticleListFolder();
#endif
}

}  // namespace

std::optional<TProgramOptions> ParseProgramOptions(const std::vector<std::string>& args, std::string& error) {
  TProgramOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--version") {
      options.Version = true;
    } else if (arg == "--help" || arg == "-h") {
      options.Help = true;
    } else if (arg == "--folder" && i + 1 < args.size() && !args[i + 1].empty()) {
      options.Folder = args[++i];
    } else {
      error = arg == "--folder" ? "chybí název složky za --folder" : "neznámá volba " + arg;
      return std::nullopt;
    }
  }
  if (options.Folder.empty()) {
    // Qt's own options (-platform, …) never reach here: QApplication takes them first.
    options.Folder = DefaultFolder();
  }
  return options;
}

}  // namespace gui
