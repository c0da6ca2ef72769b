#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "app/FileSystem.h"

namespace app {
class TMainWindow;
}

namespace cli {

// Options of `nabidka-cli show`.
struct TShowOptions {
  std::string Folder;                    // article-list folder; empty: the default
  std::string List;                      // a list to open instead of the newest one
  std::vector<std::string> Appends;      // lists appended in order
  std::string DecimalSeparator;          // overrides the user's regional setting
};

// Parses the arguments after "show". Returns false with a message in `error`.
bool ParseShowOptions(const std::vector<std::string>& args, TShowOptions& options, std::string& error);

// Loads the offer as the desktop window does at start-up (or opens the given
// list), applies the appends and prints it. Returns the exit code: 0, or 1
// after printing the failure to `err`.
int RunShow(const TShowOptions& options, app::TFileSystem& fs, std::ostream& out, std::ostream& err);

// Loads the offer as `show` does, then runs `action` on the window. Returns
// the action's exit code, or 1 after printing a failure of the loading or of
// the action to `err`.
int RunOnOffer(const TShowOptions& options, app::TFileSystem& fs, std::ostream& err,
               const std::function<int(app::TMainWindow&)>& action);

}  // namespace cli
