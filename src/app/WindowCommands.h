#pragma once

#include <string>
#include <vector>

#include "app/MainWindow.h"

namespace app {

// What a user does in the main window, as data: the command line replays a
// chain of these, tests script sessions with them.
enum class TWindowCommandKind {
  wcOpenList,    // "Otevřít soubor z disku" with the file Value
  wcAppendList,  // "Přidat soubor z disku" with the file Value
  wcSelect,      // click entry Value (1-based, as numbered) of ItemList
  wcCount,       // type Value into CountEntry, press Enter
  wcPrice,       // type Value into PriceEntry, press Enter
  wcMoveUp,      // "Posun nahoru"
  wcMoveDown,    // "Posun dolu"
  wcExtraItems,  // "Zadat další prvky", the dialog filled with ExtraRows and confirmed
  wcEditMode,    // check "editovat"
};

struct TWindowCommand {
  TWindowCommandKind Kind;
  std::string Value;
  // wcExtraItems: one "CODE;DESCRIPTION;COUNT;PRICE" text per dialog row.
  std::vector<std::string> ExtraRows;
};

// The caption of the button (or control) a command presses.
const char* CommandCaption(TWindowCommandKind kind);

// Runs the command as the window's event loop would: a failure is shown in
// the error box and returned. A command whose button is disabled fails
// without running, naming the button. wcExtraItems runs "Zadat další
// prvky": the window's dialogs must fill the dialog (see FillExtraItemsDialog).
TCommandResult RunWindowCommand(TMainWindow& window, const TWindowCommand& command);

// Fills the additional-items dialog as a user would: the number of rows into
// the count field, Enter, each row's code, description, count and price into
// the table, then "Doplnit". A row's text is split at its first ';' and at
// its last two, so a description may itself hold ';'.
void FillExtraItemsDialog(TForm1& dialog, const std::vector<std::string>& rows);

// Whether a dialog row text has the four fields.
bool IsExtraItemRow(const std::string& row);

}  // namespace app
