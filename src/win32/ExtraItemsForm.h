#pragma once

#include <memory>
#include <string_view>

#include "app/Dialogs.h"
#include "app/ExtraItemsDialog.h"
#include "win32/Widgets.h"

namespace win32 {

// The additional-items dialog "Zadání dalších prvků do kalkulace" as a
// Windows window bound to its toolkit-free model (app::TForm1): the count
// entry takes digits only, Enter in it sizes the table, the table is edited
// cell by cell with Tab between the cells, "Doplnit" confirms, Escape or
// closing cancels. The controls come from app::ExtraItemsDialogLayout.
class TExtraItemsForm {
 public:
  TExtraItemsForm(app::TForm1& model, app::TDialogs& dialogs, THandle owner);
  ~TExtraItemsForm();
  TExtraItemsForm(const TExtraItemsForm&) = delete;
  TExtraItemsForm& operator=(const TExtraItemsForm&) = delete;

  // Shows the dialog, its owner disabled, and returns once it is closed.
  void ShowModal();
  // Shows it without waiting (tests drive it then with messages).
  void Show();
  bool Closed() const;

  THandle Handle() const;
  // "ExtraItemCountEntry", "ExtraItemsTable", "ConfirmButton", "CountLabel".
  THandle Control(std::string_view name) const;
  // The table's in-place editor and the cell it edits (column, row).
  THandle CellEditor() const;
  void CurrentCell(int& column, int& row) const;

 private:
  struct TImpl;
  std::unique_ptr<TImpl> fImpl;
};

}  // namespace win32
