#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/Dialogs.h"
#include "win32/Widgets.h"

namespace win32 {

// The window's dialogs and message boxes as Windows shows them: the common
// file-open dialog, the message box with OK for information, the error box,
// the additional-items dialog, and for the document model the common
// file-save dialog, the progress window and the shell's "open". Tests derive
// from it to answer the system's own dialogs without a person.
class TWindowsDialogs : public app::TDialogs {
 public:
  // The window the boxes belong to (they are modal to it).
  void SetOwner(THandle owner) { fOwner = owner; }
  THandle Owner() const { return fOwner; }

  std::optional<std::string> OpenFile(const app::TOpenDialogOptions& options) override;
  void ShowMessage(const std::string& message) override;
  void ShowError(const std::string& message) override;
  bool AskYesNo(const std::string& question) override;
  void ShowExtraItemsDialog(app::TForm1& dialog) override;
  std::unique_ptr<sheet::TSaveDialog> CreateSaveDialog() override;
  std::unique_ptr<sheet::TProgressWindow> CreateProgressWindow() override;
  // ShellExecuteW "open"; a file type without a program is told in a message.
  void OpenWithShell(const std::string& fileName, const std::string& workingDir) override;

  // "Soubory CSV |*.csv|…" as the common dialogs' filter: pairs of texts,
  // each ended by a NUL, the list by a second one.
  static std::wstring Filter(const std::string& filter);
  // The message when the system has no program for the written file's type.
  static std::string NoProgramMessage(const std::string& fileName);

 private:
  THandle fOwner = nullptr;
};

}  // namespace win32
