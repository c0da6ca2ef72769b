#pragma once

#include <QPointer>
#include <QWidget>

#include "app/Dialogs.h"

namespace gui {

// The window's dialogs and message boxes as Qt shows them: the file-open
// dialog, the plain message box with OK, the error box, the
// additional-items dialog, and for the document model the save dialog, the
// progress window and the desktop's "open". Tests derive from it to answer the platform's
// own dialogs (the file chooser, the message boxes) without a person.
class TQtDialogs : public app::TDialogs {
 public:
  // The window the boxes belong to (they are modal to it).
  void SetParentWidget(QWidget* parent) { fParent = parent; }
  QWidget* ParentWidget() const { return fParent; }

  std::optional<std::string> OpenFile(const app::TOpenDialogOptions& options) override;
  void ShowMessage(const std::string& message) override;
  void ShowError(const std::string& message) override;
  bool AskYesNo(const std::string& question) override;
  void ShowExtraItemsDialog(app::TForm1& dialog) override;
  std::unique_ptr<sheet::TSaveDialog> CreateSaveDialog() override;
  std::unique_ptr<sheet::TProgressWindow> CreateProgressWindow() override;
  void OpenWithShell(const std::string& fileName, const std::string& workingDir) override;

  // "Soubory CSV |*.csv" as a Qt name filter: "Soubory CSV (*.csv)".
  static QString NameFilter(const std::string& filter);

 private:
  QPointer<QWidget> fParent;
};

}  // namespace gui
