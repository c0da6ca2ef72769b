#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "app/MainWindow.h"
#include "win32/Widgets.h"

namespace win32 {

// The main window "Zpracování cenové nabídky" as native Windows controls.
// It owns the toolkit-free window (app::TMainWindow: the offer workspace, the
// controls' state and the handlers) and only binds the controls to it: a
// user's action copies what the controls hold into the state, runs the
// handler and shows the state again. The controls are made from the window's
// description (app::MainWindowLayout) and found by their names.
class TMainForm {
 public:
  TMainForm(app::TFileSystem& fileSystem, app::TDialogs& dialogs, app::TMainWindowSettings settings);
  ~TMainForm();
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  // Start-up while the window is created: the stored description, the
  // newest list with its pictures, the customer list.
  app::TStartUpResult StartUp();
  void Show();

  THandle Handle() const;
  // The control made for the named control of the description.
  THandle Control(std::string_view name) const;
  app::TMainWindow& App();
  // Shows the state on the controls (runs no handler).
  void ShowState();
  // The picture the picture box shows ("" when none), and a control's tool tip.
  std::string ShownPicture() const;
  std::string Hint(std::string_view name) const;

  // What the window loop hands the window before dispatching a message (Tab
  // between the controls, Enter in the entries); true when it was taken.
  bool TakeMessage(void* message);

  // Told after every handler with its name and how long it and showing the
  // state took, in milliseconds (the program's own timer).
  std::function<void(std::string_view handler, double milliseconds)> OnHandled;

 private:
  struct TImpl;
  std::unique_ptr<TImpl> fImpl;
};

}  // namespace win32
