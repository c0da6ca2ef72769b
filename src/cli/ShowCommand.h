#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "app/FileSystem.h"
#include "app/WindowCommands.h"
#include "cli/CliSupport.h"

namespace app {
class TMainWindow;
}

namespace cli {

// Options of `nabidka-cli show` (and the loading part of `export`).
struct TShowOptions {
  TCommonOptions Common;
  std::string List;  // the first --list: opened instead of the newest list at start-up
  // The window's commands in command-line order, run after start-up.
  std::vector<app::TWindowCommand> Commands;
  bool Json = false;
  // Argument index of the last --extra, so that consecutive ones form one dialog.
  std::size_t LastExtraArgument = static_cast<std::size_t>(-1);
};

// Takes args[i] (and its value) when it is an option of loading and editing
// the offer: the common options, --list, --append and the window's commands.
TOptionMatch ParseLoadOption(const std::vector<std::string>& args, std::size_t& i, TShowOptions& options,
                             std::string& error);

// Parses the arguments after "show". Returns false with a message in `error`.
bool ParseShowOptions(const std::vector<std::string>& args, TShowOptions& options, std::string& error);

// The window's settings for loading: the folder given, else the opened
// list's folder, else the planner's default folder.
app::TMainWindowSettings LoadSettings(const TShowOptions& options);

// Loads the offer into `window` as the desktop window does at start-up (or
// opens the given list). A failure is shown through `dialogs` (the window's
// own) and is the result's Failure. `hints`, when given, receives advice on
// how to mend a failure.
app::TStartUpResult LoadOffer(const TShowOptions& options, app::TMainWindow& window, TCommandDialogs& dialogs,
                              std::ostream* hints);

// Runs the window's commands in order. Each failure is shown through the
// window's dialogs; with stopAtFailure the first one ends the chain. True
// when every command succeeded.
bool RunCommandChain(const TShowOptions& options, app::TMainWindow& window, TCommandDialogs& dialogs,
                     bool stopAtFailure);

// Loads the offer, runs the commands (a failing one does not stop the ones
// after it, as in the window) and prints it: as text, or with Json as one
// object {"list", "items": [{"entry", "code", "description", "count",
// "price", "total", "properties", "picture", "extra"}], "net", "vat",
// "gross", "window": {…the controls' texts and states…}, "source_lines",
// "messages"}. Without Json the messages go to `err`. Returns the exit code:
// 0, or 1 when loading or any command failed.
int RunShow(const TShowOptions& options, app::TFileSystem& fs, std::ostream& out, std::ostream& err);

// Loads the offer as `show` does and runs the commands, the first failure
// ending everything; then runs `action` on the window. Returns the action's
// exit code, or 1 after printing a failure of the loading, a command or the
// action to `err`.
int RunOnOffer(const TShowOptions& options, app::TFileSystem& fs, std::ostream& err,
               const std::function<int(app::TMainWindow&)>& action);

}  // namespace cli
