// "Zadat další prvky": items without pictures typed into a dialog, kept only
// in CalcGrid and the item list until the next pipeline run drops them.
#include "app/MainWindow.h"
#include "text/Conversion.h"

namespace app {

namespace {

// The dialog's rows 0 … n (the header and the items) as the workspace keeps them.
void CopyDialogRows(const TForm1& dialog, int n, TTextGrid& target) {
  target.SetRowCount(static_cast<std::size_t>(n) + 1);
  for (int r = 0; r <= n; ++r) {
    for (int c = 0; c < TForm1::kColumnCount; ++c) target.SetCell(c, r, dialog.ExtraItemsTable.Cell(c, r));
  }
}

}  // namespace

void TMainWindow::Button14Click() {
  int n = 0;
  try {
    TForm1 dialog;
    dialog.FormShow();
    fDialogs.ShowExtraItemsDialog(dialog);
    if (dialog.Confirmed()) {
      n = text::StrToInt(dialog.ExtraItemCountEntry);
      if (n > 0) CopyDialogRows(dialog, n, Workspace.ExtraItemsGrid);
    }
  } catch (...) {
    // A confirmed dialog whose count does not convert adds nothing, and the
    // moves are disabled all the same.
    Window.MoveUpButtonEnabled = Window.MoveDownButtonEnabled = false;
    throw;
  }
  if (n > 0) AddExtraItems(Workspace.ExtraItemsGrid);
  // Extra items live outside SourceLines: a move would rebuild the offer
  // without them.
  Window.MoveUpButtonEnabled = Window.MoveDownButtonEnabled = false;
}

// The rows go after every item so far (imported and earlier extra items);
// a row whose count or price does not convert stops the recalculation with
// the rows already in CalcGrid and ItemCount, and the item list unchanged.
void TMainWindow::AddExtraItems(const TTextGrid& rows) {
  TOfferWorkspace& ws = Workspace;
  ws.UnexportedChanges = true;
  const int c = static_cast<int>(Window.ItemList.Items.Count());
  const int m = static_cast<int>(rows.RowCount()) - 1;
  ws.ItemCount = std::to_string(c + m);
  ws.CalcGrid.SetRowCount(static_cast<std::size_t>(c + m + 2));
  for (int j = 1; j <= m; ++j) {
    const int r = c + j;
    ws.CalcGrid.SetCell(0, r, std::to_string(r))
        .SetCell(2, r, rows.Cell(3, j))
        .SetCell(3, r, rows.Cell(4, j))
        .SetCell(1, r, rows.Cell(1, j))
        .SetCell(5, r, rows.Cell(2, j));
  }
  KalkulaceTabulky();
  for (int r = c + 1; r <= c + m; ++r) Window.ItemList.Items.Add(ItemListEntry(r, ws.CalcGrid.Cell(1, r)));
}

}  // namespace app
