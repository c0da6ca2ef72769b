// "Posun nahoru" and "Posun dolu": an imported item's block of lines changes
// places with its neighbour's in SourceLines, and the pipeline rebuilds the
// offer from the changed lines.
#include <algorithm>

#include "app/MainWindow.h"
#include "text/Conversion.h"

namespace app {

namespace {

// SourceLines entries first .. last (inclusive) into `target`.
void CopyLines(const TTextList& source, int first, int last, TTextList& target) {
  target.Clear();
  for (int k = first; k <= last; ++k) target.Add(source.Get(k));
}

}  // namespace

// Items `upper` and upper + 1 change places; `selectedIsLower` tells which of
// the two the user selected, whose block SelectedItemLines holds.
void TMainWindow::ExchangeBlocks(int upper, bool selectedIsLower) {
  TOfferWorkspace& ws = Workspace;
  const TItemBlock top = ImportedItemBlockOrFail(ws, upper);
  const TItemBlock bottom = ImportedItemBlockOrFail(ws, upper + 1);
  // ArticleGrid row r holds SourceLines entry r - 1.
  TTextList& topLines = selectedIsLower ? ws.NeighbourItemLines : ws.SelectedItemLines;
  TTextList& bottomLines = selectedIsLower ? ws.SelectedItemLines : ws.NeighbourItemLines;
  CopyLines(ws.SourceLines, top.Start - 1, top.Next - 2, topLines);
  CopyLines(ws.SourceLines, bottom.Start - 1, bottom.Next - 2, bottomLines);
  int at = top.Start - 1;
  for (const std::string& line : bottomLines) ws.SourceLines.Set(at++, line);
  for (const std::string& line : topLines) ws.SourceLines.Set(at++, line);
  std::vector<TLineOrigin>& origins = ws.SourceOrigins;
  if (origins.size() == ws.SourceLines.Count()) {
    std::rotate(origins.begin() + (top.Start - 1), origins.begin() + (bottom.Start - 1), origins.begin() + (bottom.Next - 1));
  }
}

// A list without picture folder has fewer paths than items; the missing ones
// stand as empty paths (no picture), so that the exchange cannot fail once the
// lines have changed places and leave the offer half moved.
void TMainWindow::ExchangeImagePaths(int upper) {
  TTextList& paths = Workspace.ItemImagePaths;
  while (static_cast<int>(paths.Count()) < upper + 2) paths.Add(std::string());
  std::string first = paths.Get(upper);
  paths.Set(upper, paths.Get(upper + 1));
  paths.Set(upper + 1, std::move(first));
}

void TMainWindow::Button16Click() { MoveSelectedItem(-1); }

void TMainWindow::Button20Click() { MoveSelectedItem(+1); }

// Only imported items move, and none past the first or the last imported one:
// such a press changes nothing but SelectedItemIndex and says nothing.
void TMainWindow::MoveSelectedItem(int step) {
  TOfferWorkspace& ws = Workspace;
  const int imported = text::StrToInt(ws.ImportedItemCount);
  const int i = Window.ItemList.ItemIndex;
  ws.SelectedItemIndex = std::to_string(i);
  Window.ItemList.Items.Get(i);  // no selection: "List index out of bounds (-1)"
  const int target = i + step;
  if (i >= imported || target < 0 || target >= imported) return;
  const int upper = std::min(i, target);
  ExchangeBlocks(upper, step < 0);
  ws.UnexportedChanges = true;
  ExchangeImagePaths(upper);
  OfferPipeline();
  ShowMovedItem(target);
}

}  // namespace app
