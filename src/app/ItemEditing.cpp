// Count and price entry of the shown item.
#include "app/MainWindow.h"
#include "app/Money.h"
#include "text/Conversion.h"

namespace app {

namespace {

// SelectedItemIndex as a row of the offer. An edit with no item shown (an
// empty offer) would otherwise write into CalcGrid's unused row 0 or past
// its sum row.
int SelectedItem(const TOfferWorkspace& ws) {
  const int i = text::StrToInt(ws.SelectedItemIndex);
  if (i < 0 || i >= text::StrToInt(ws.ItemCount)) throw text::EListError(i);
  return i;
}

}  // namespace

void TMainWindow::Edit12KeyPress(char key) {
  if (key == kEnterKey) CountEntered();
}

void TMainWindow::Edit13KeyPress(char key) {
  if (key == kEnterKey) PriceEntered();
}

void TMainWindow::CheckBox2Click() {
  if (Window.EditModeCheck) Window.Focus = TFocusTarget::ftCountEntry;
}

std::string TMainWindow::EditedLine(int item, const std::string& count, float price, float total) const {
  std::string line = std::to_string(item + 1);
  line += ".;";
  line += Workspace.CalcGrid.Cell(1, item + 1);
  line += ';';
  line += count;
  line += ".00;";
  line += text::FormatFloat("0.00", price, Region());
  line += ';';
  line += text::FormatFloat("0 000.00", total, Region());
  line += ';';
  return line;
}

// The item's first line in SourceLines carries the edit through every later
// pipeline run (moves, appends) and into the export. Additional items have
// no line there.
void TMainWindow::StoreEditedLine(int item, std::string line) {
  TOfferWorkspace& ws = Workspace;
  ws.EditedItemLine = line;
  if (item < text::StrToInt(ws.ImportedItemCount)) {
    ws.SourceLines.Set(ws.ItemStartRows.GetInt(item) - 1, std::move(line));
  }
}

// The other factor is the price shown in ItemPriceField.
void TMainWindow::CountEntered() {
  TOfferWorkspace& ws = Workspace;
  const std::string typed = Window.CountEntry;
  const int i = SelectedItem(ws);
  const std::int32_t count = text::StrToInt(typed);
  ws.CalcGrid.SetCell(2, i + 1, typed);
  Window.ItemCountField = typed;
  const float price = ParseMoney(Window.ItemPriceField, Region());
  FinishItemEdit(i, count, std::to_string(count), price, TFocusTarget::ftPriceEntry);
}

// The other factor is whatever CountEntry holds, confirmed or not: a count
// typed without Enter reaches the item total and the line, not CalcGrid.
void TMainWindow::PriceEntered() {
  TOfferWorkspace& ws = Workspace;
  const int i = SelectedItem(ws);
  const float price = ParseMoney(Window.PriceEntry, Region());
  RequireMoneyInRange(price, "Cena", ws.CalcGrid.Cell(1, i + 1), Window.PriceEntry);
  const std::string priceText = text::FormatFloat("0.00", price, Region());
  Window.PriceEntry = priceText;
  ws.CalcGrid.SetCell(3, i + 1, priceText);
  Window.ItemPriceField = priceText;
  const std::string countText = Window.CountEntry;
  FinishItemEdit(i, text::StrToInt(countText), countText, price, TFocusTarget::ftCountEntry);
}

// What both entries end with: the item total, the offer's totals, the focus
// and the item line.
void TMainWindow::FinishItemEdit(int item, std::int32_t count, const std::string& countText, float price,
                                 TFocusTarget next) {
  Workspace.UnexportedChanges = true;
  const float total = MoneyProduct(count, price);
  Window.ItemTotalField = text::FormatFloat("0.00", total, Region());
  KalkulaceTabulky();
  MoveFocusIfEditing(next);
  StoreEditedLine(item, EditedLine(item, countText, price, total));
}

}  // namespace app
