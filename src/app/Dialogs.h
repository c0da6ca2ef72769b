#pragma once

#include <optional>
#include <string>

#include "app/ExtraItemsDialog.h"

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
  // The standard error box that shows a failed command's message.
  virtual void ShowError(const std::string& message) = 0;
  // Shows the additional-items dialog modally and returns once it is closed
  // (its Confirmed() tells how). By default no dialog can be shown: it is
  // closed unconfirmed.
  virtual void ShowExtraItemsDialog(TForm1& dialog) { dialog.Cancel(); }
};

}  // namespace app
