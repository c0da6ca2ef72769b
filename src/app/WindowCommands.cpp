#include "app/WindowCommands.h"

#include <array>
#include <optional>

#include "text/Conversion.h"

namespace app {

namespace {

bool ButtonEnabled(const TMainWindowState& window, TWindowCommandKind kind) {
  switch (kind) {
    case TWindowCommandKind::wcOpenList: return window.OpenButtonEnabled;
    case TWindowCommandKind::wcAppendList: return window.AppendButtonEnabled;
    case TWindowCommandKind::wcMoveUp: return window.MoveUpButtonEnabled;
    case TWindowCommandKind::wcMoveDown: return window.MoveDownButtonEnabled;
    case TWindowCommandKind::wcExtraItems: return window.ExtraItemsButtonEnabled;
    default: return true;  // the list, the entry fields and the check box are never disabled
  }
}

// The user can only click an entry the list shows.
void ClickEntry(TMainWindow& window, const std::string& number) {
  const int n = text::StrToInt(number);
  const int count = static_cast<int>(window.Window.ItemList.Items.Count());
  if (n < 1 || n > count) {
    throw EOfferError("Položka " + number + " v seznamu kódů prvků není (položek je " + std::to_string(count) + ")");
  }
  window.SelectItem(n - 1);
}

void Run(TMainWindow& window, const TWindowCommand& command) {
  TMainWindowState& view = window.Window;
  switch (command.Kind) {
    case TWindowCommandKind::wcOpenList: window.OpenList(command.Value); break;
    case TWindowCommandKind::wcAppendList: window.AppendList(command.Value); break;
    case TWindowCommandKind::wcSelect: ClickEntry(window, command.Value); break;
    case TWindowCommandKind::wcCount:
      view.CountEntry = command.Value;
      window.Edit12KeyPress(kEnterKey);
      break;
    case TWindowCommandKind::wcPrice:
      view.PriceEntry = command.Value;
      window.Edit13KeyPress(kEnterKey);
      break;
    case TWindowCommandKind::wcMoveUp: window.Button16Click(); break;
    case TWindowCommandKind::wcMoveDown: window.Button20Click(); break;
    case TWindowCommandKind::wcExtraItems: window.Button14Click(); break;
    case TWindowCommandKind::wcEditMode:
      if (!view.EditModeCheck) {
        view.EditModeCheck = true;
        window.CheckBox2Click();
      }
      break;
  }
}

}  // namespace

const char* CommandCaption(TWindowCommandKind kind) {
  switch (kind) {
    case TWindowCommandKind::wcOpenList: return "Otevřít soubor z disku";
    case TWindowCommandKind::wcAppendList: return "Přidat soubor z disku";
    case TWindowCommandKind::wcSelect: return "Seznam kódů prvků";
    case TWindowCommandKind::wcCount: return "Počet kusů";
    case TWindowCommandKind::wcPrice: return "Cena za kus";
    case TWindowCommandKind::wcMoveUp: return "Posun nahoru";
    case TWindowCommandKind::wcMoveDown: return "Posun dolu";
    case TWindowCommandKind::wcExtraItems: return "Zadat další prvky";
    case TWindowCommandKind::wcEditMode: return "editovat";
  }
  return "";
}

TCommandResult RunWindowCommand(TMainWindow& window, const TWindowCommand& command) {
  return window.RunCommand([&] {
    if (!ButtonEnabled(window.Window, command.Kind)) {
      throw EOfferError(std::string("Tlačítko \"") + CommandCaption(command.Kind) + "\" je vypnuté");
    }
    Run(window, command);
  });
}

namespace {

// Code, description, count, price; nothing when the text has fewer than three ';'.
std::optional<std::array<std::string, 4>> SplitExtraRow(const std::string& row) {
  const std::size_t first = row.find(';');
  const std::size_t last = row.rfind(';');
  if (first == std::string::npos || last == first) return std::nullopt;
  const std::size_t beforeLast = row.rfind(';', last - 1);
  if (beforeLast == first) return std::nullopt;
  return std::array<std::string, 4>{row.substr(0, first), row.substr(first + 1, beforeLast - first - 1),
                                    row.substr(beforeLast + 1, last - beforeLast - 1), row.substr(last + 1)};
}

}  // namespace

bool IsExtraItemRow(const std::string& row) { return SplitExtraRow(row).has_value(); }

void FillExtraItemsDialog(TForm1& dialog, const std::vector<std::string>& rows) {
  dialog.ExtraItemCountEntry = std::to_string(rows.size());
  dialog.Edit1KeyPress(kEnterKey);
  for (std::size_t j = 0; j < rows.size(); ++j) {
    const auto fields = SplitExtraRow(rows[j]);
    if (!fields) continue;  // a row left empty, as a user may leave it
    for (int c = 0; c < 4; ++c) dialog.ExtraItemsTable.SetCell(c + 1, static_cast<std::ptrdiff_t>(j + 1), (*fields)[c]);
  }
  dialog.Button1Click();
}

}  // namespace app
