#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "app/FileSystem.h"
#include "cli/CliSupport.h"

namespace app {
class TMainWindow;
}

namespace cli {

// Options of `nabidka-cli show`.
struct TShowOptions {
  TCommonOptions Common;
  std::string List;                  // a list to open instead of the newest one
  std::vector<std::string> Appends;  // lists appended in order
  bool Json = false;
};

// Takes args[i] (and its value) when it is an option of loading the offer:
// the common options, --list and --append.
TOptionMatch ParseLoadOption(const std::vector<std::string>& args, std::size_t& i, TShowOptions& options,
                             std::string& error);

// Parses the arguments after "show". Returns false with a message in `error`.
bool ParseShowOptions(const std::vector<std::string>& args, TShowOptions& options, std::string& error);

// The window's settings for loading: the folder given, else the opened
// list's folder, else the planner's default folder.
app::TMainWindowSettings LoadSettings(const TShowOptions& options);

// Loads the offer into `window` as the desktop window does at start-up (or
// opens the given list) and applies the appends. A failure is shown through
// `dialogs` (the window's own); false when loading failed. `hints`, when
// given, receives advice on how to mend a failure.
bool LoadOffer(const TShowOptions& options, app::TMainWindow& window, TCommandDialogs& dialogs, std::ostream* hints);

// Loads the offer and prints it: as text, or with Json as one object
// {"list", "items": [{"entry", "code", "description", "count", "price",
// "total", "properties", "picture"}], "net", "vat", "gross", "messages"}
// holding the window's texts (null where it holds none). Without Json the
// messages go to `err`. Returns the exit code: 0, or 1 when loading failed.
int RunShow(const TShowOptions& options, app::TFileSystem& fs, std::ostream& out, std::ostream& err);

// Loads the offer as `show` does, then runs `action` on the window. Returns
// the action's exit code, or 1 after printing a failure of the loading or of
// the action to `err`.
int RunOnOffer(const TShowOptions& options, app::TFileSystem& fs, std::ostream& err,
               const std::function<int(app::TMainWindow&)>& action);

}  // namespace cli
