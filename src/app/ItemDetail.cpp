// The item detail view: what the window shows of the selected item.
#include "app/MainWindow.h"
#include "text/Conversion.h"

namespace app {

void TMainWindow::SelectItem(int index) {
  Window.ItemList.ItemIndex = index;
  ListBox4Click();
}

void TMainWindow::MoveFocusIfEditing(TFocusTarget target) {
  if (Window.EditModeCheck) Window.Focus = target;
}

void TMainWindow::ShowPropertyLines(const TItemBlock& block) {
  Window.PropertiesBox.Clear();
  for (int r = block.Start + 2; r < block.Next; ++r) Window.PropertiesBox.Add(Workspace.ArticleGrid.Cell(2, r));
}

// The values come from CalcGrid, where edits and additional items live; the
// texts are shown as stored. A failure leaves the fields set so far changed.
void TMainWindow::ListBox4Click() {
  TOfferWorkspace& ws = Workspace;
  const int imported = text::StrToInt(ws.ImportedItemCount);
  const int i = Window.ItemList.ItemIndex;
  ws.SelectedItemIndex = std::to_string(i);
  const std::string entry = Window.ItemList.Items.Get(i);
  const int row = i + 1;

  std::optional<TItemBlock> block;
  std::string description;
  if (i < imported) {
    block = ImportedItemBlockOrFail(ws, i);
    // Items of a list without a picture folder have no path: they show no
    // picture instead of failing every selection.
    ws.CurrentImagePath = ItemImagePath(ws, i);
    if (!ws.CurrentImagePath.empty()) ShowPicture(ws.CurrentImagePath);
    description = ws.ArticleGrid.Cell(2, block->Start + 1);
  } else {
    description = ws.CalcGrid.Cell(5, row);
  }
  Window.ItemDescriptionField = description;
  Window.ItemCodeField = entry;
  Window.ItemCountField = Window.CountEntry = ws.CalcGrid.Cell(2, row);
  Window.ItemPriceField = Window.PriceEntry = ws.CalcGrid.Cell(3, row);
  Window.ItemTotalField = ws.CalcGrid.Cell(4, row);
  if (block) ShowPropertyLines(*block);
  MoveFocusIfEditing(TFocusTarget::ftCountEntry);
}

// After a move the values come from the item's first ArticleGrid row, the
// rewritten line, as the rebuilt offer holds it.
void TMainWindow::ShowMovedItem(int j) {
  TOfferWorkspace& ws = Workspace;
  Window.ItemList.ItemIndex = j;
  ws.SelectedItemIndex = std::to_string(j);
  const std::string entry = Window.ItemList.Items.Get(j);
  const TItemBlock block = ImportedItemBlockOrFail(ws, j);
  const TTextGrid& grid = ws.ArticleGrid;
  Window.ItemDescriptionField = grid.Cell(2, block.Start + 1);
  Window.ItemCodeField = entry;
  Window.ItemCountField = Window.CountEntry = grid.Cell(3, block.Start);
  Window.ItemPriceField = Window.PriceEntry = grid.Cell(4, block.Start);
  std::string total = grid.Cell(5, block.Start);
  if (!total.empty() && total.back() == ';') total.pop_back();
  Window.ItemTotalField = total;
  ShowPropertyLines(block);
  ws.CurrentImagePath = ItemImagePath(ws, j);
  if (!ws.CurrentImagePath.empty()) ShowPicture(ws.CurrentImagePath);
}

}  // namespace app
