#include "app/ProgramOptions.h"

#include "app/UserFolders.h"

namespace app {

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
    options.Folder = DefaultWindowFolder();
  }
  return options;
}

}  // namespace app
