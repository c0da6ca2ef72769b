#pragma once

#include <string>

#include "app/TextTables.h"

namespace app {

// Controls of the additional-items dialog that can hold the keyboard focus.
enum class TExtraItemsFocus { efNone, efCountEntry, efTable };

// The additional-items dialog ("Zadání dalších prvků do kalkulace") as plain
// state, free of any toolkit: the desktop window shows it as a modal dialog
// bound to this model, tests and the command line fill it directly. It lives
// only while the command "Zadat další prvky" runs.
class TForm1 {
 public:
  static constexpr const char* kCaption = "Zadání dalších prvků do kalkulace";
  static constexpr int kColumnCount = 5;
  // The grid a fresh table shows before its size is entered: the fixed
  // header row and four item rows.
  static constexpr int kInitialRowCount = 5;
  // The count field takes at most this many digits: a table of more than 999
  // hand-typed rows is no use, and a bigger number would only make the
  // table allocate for nothing.
  static constexpr int kCountEntryMaxLength = 3;
  static constexpr const char* kInitialCount = "0";
  static constexpr const char* kHeaders[kColumnCount] = {"Poř", "Položka", "Popis", "Počet", "Cena"};

  TForm1();

  // ExtraItemCountEntry: digits only, initially "0".
  std::string ExtraItemCountEntry = kInitialCount;
  // ExtraItemsTable: row 0 the header, column 0 the row numbers.
  TTextGrid ExtraItemsTable{kColumnCount, kInitialRowCount};
  TExtraItemsFocus Focus = TExtraItemsFocus::efNone;

  // Whether the count field lets a typed character in (digits only).
  static bool AcceptsCountCharacter(char c) { return c >= '0' && c <= '9'; }

  // The dialog is shown: the count field reads "0" and has the focus.
  void FormShow();
  // A key in ExtraItemCountEntry. Enter (13) sizes the table to the entered
  // count plus the header row, numbers its rows, writes the header and moves
  // the focus to the table; other keys reach the field. An empty or
  // non-numeric count raises the conversion error and leaves the table as it was.
  void Edit1KeyPress(char key);
  // "Doplnit": closes the dialog with the result OK.
  void Button1Click();
  // Any other way of closing the dialog (Escape, the window manager).
  void Cancel();

  bool Closed() const { return fClosed; }
  bool Confirmed() const { return fConfirmed; }

 private:
  bool fClosed = false;
  bool fConfirmed = false;
};

}  // namespace app
