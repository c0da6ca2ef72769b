#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/ExtraItemsDialog.h"
#include "sheet/FormatRegistry.h"
#include "sheet/Progress.h"

namespace app {

// What the standard file-open dialog is asked to show.
struct TOpenDialogOptions {
  std::string Title;
  std::string Filter;  // "description|mask", e.g. "Soubory CSV |*.csv"
  std::string DefaultExt;
  std::string InitialDir;
};

// The window's dialogs and message boxes. The desktop window shows real ones;
// tests and the command line script or print them.
class TDialogs {
 public:
  virtual ~TDialogs() = default;
  // The chosen full path, or nothing when the user cancels.
  virtual std::optional<std::string> OpenFile(const TOpenDialogOptions& options) = 0;
  // A plain message box with an OK button.
  virtual void ShowMessage(const std::string& message) = 0;
  // A question with the buttons "Ano" and "Ne", "Ne" the default; true for
  // "Ano". Without a person to ask (the command line) the answer is "Ano":
  // there is nothing there to keep.
  virtual bool AskYesNo(const std::string& question) {
    (void)question;
    return true;
  }
  // The standard error box that shows a failed command's message.
  virtual void ShowError(const std::string& message) = 0;
  // Shows the additional-items dialog modally and returns once it is closed
  // (its Confirmed() tells how). By default no dialog can be shown: it is
  // closed unconfirmed.
  virtual void ShowExtraItemsDialog(TForm1& dialog) { dialog.Cancel(); }

  // What the document model asks of the desktop while it saves or loads:
  // the save dialog of "s dialogem", the small progress window and the
  // shell's "open" of the written file. By default there are none: the
  // dialog is unavailable (the save says so), no progress is shown, and the
  // file is not opened.
  virtual std::unique_ptr<sheet::TSaveDialog> CreateSaveDialog() { return nullptr; }
  virtual std::unique_ptr<sheet::TProgressWindow> CreateProgressWindow() { return nullptr; }
  virtual void OpenWithShell(const std::string& fileName, const std::string& workingDir) {
    (void)fileName;
    (void)workingDir;
  }
};

// Hands the document model the save dialog, progress window and shell
// "open" of these dialogs, for the rest of the run: the one seam through
// which every window binding reaches the model's desktop services.
void InstallDesktopServices(TDialogs& dialogs);

}  // namespace app
