#pragma once

#include <optional>
#include <string>
#include <vector>

namespace app {

// The command line of the window program.
struct TProgramOptions {
  std::string Folder;  // the article-list folder
  bool Version = false;
  bool Help = false;
};

// --folder DIR, else DefaultWindowFolder() (the environment's
// NABIDKA_FOLDER, else ~/pCon_article_lists, on Windows
// C:\pCon_article_lists). Nothing, with a message in `error`, for an option
// it does not know.
std::optional<TProgramOptions> ParseProgramOptions(const std::vector<std::string>& args, std::string& error);

inline constexpr const char* kProgramUsage =
    "Použití: nabidka [--folder SLOŽKA] [--version] [--help]\n"
    "  --folder SLOŽKA   složka se seznamy prvků (výchozí: proměnná NABIDKA_FOLDER,\n"
    "                    jinak ~/pCon_article_lists, ve Windows C:\\pCon_article_lists)\n"
    "  --version         vypíše verzi\n";

}  // namespace app
