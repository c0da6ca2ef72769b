// The processing pipeline: item list and block index, the list's own totals,
// the calculation table and the price calculation.
#include "app/ArticleList.h"
#include "app/MainWindow.h"
#include "app/Money.h"
#include "app/OfferItems.h"
#include "app/Paths.h"
#include "text/Conversion.h"

namespace app {

namespace {

// Column 6 holds the index of the line's first ';'; an item line numbered
// past 999 has it further right, after a numbered first field (column 1).
bool IsItemRow(const TTextGrid& grid, int row) {
  const std::string& p = grid.Cell(6, row);
  if (p == "1" || p == "2" || p == "3") return true;
  if (p == "0" || p == "-1" || p.empty()) return false;
  return IsNumberedItemField(grid.Cell(1, row));
}

}  // namespace

std::string ItemListEntry(int number, const std::string& code) {
  std::string entry = number < 10 ? "0" : "";
  entry += std::to_string(number);
  entry += ". ";
  entry += code;
  return entry;
}

void TMainWindow::VytvoritSeznamPrvku() {
  TOfferWorkspace& ws = Workspace;
  Window.ItemList.Items.Clear();
  Window.ItemList.ItemIndex = -1;
  ws.ItemStartRows.Clear();
  const int n = static_cast<int>(ws.SourceLines.Count());
  int k = 0;
  for (int r = 2; r <= n - 1; ++r) {
    // Item rows are told by their line kind, as the parser counts them, so
    // that a position text «0» cannot put the item list out of step.
    if (IsItemRow(ws.ArticleGrid, r)) Window.ItemList.Items.Add(ItemListEntry(++k, ws.ArticleGrid.Cell(2, r)));
    if (ws.ArticleGrid.Cell(6, r) != "0") ws.ItemStartRows.Add(std::to_string(r));
  }
  ShowFirstItem();
}

void TMainWindow::ShowFirstItem() {
  TOfferWorkspace& ws = Workspace;
  if (!ws.ImageFileNames.Empty()) ShowPicture(JoinPath(ws.ImageFolderPath, ws.ImageFileNames.Get(0)));

  if (Window.ItemList.Items.Empty()) {
    ClearItemDetail();
    return;
  }
  Window.ItemList.ItemIndex = 0;
  ws.SelectedItemIndex = "0";
  const std::optional<TItemBlock> block = ImportedItemBlock(ws, 0);
  if (!block) return;
  const TTextGrid& grid = ws.ArticleGrid;
  Window.ItemDescriptionField = grid.Cell(2, block->Start + 1);
  Window.ItemCodeField = Window.ItemList.Items.Get(0);
  Window.ItemCountField = Window.CountEntry = grid.Cell(3, block->Start);
  Window.ItemPriceField = Window.PriceEntry = grid.Cell(4, block->Start);
  Window.ItemTotalField = grid.Cell(5, block->Start);
  ShowPropertyLines(*block);
}

// An offer without items shows the detail view as an empty window does.
void TMainWindow::ClearItemDetail() {
  const TMainWindowState initial;
  Workspace.SelectedItemIndex = "-1";
  Window.ItemCodeField = initial.ItemCodeField;
  Window.ItemDescriptionField = initial.ItemDescriptionField;
  Window.ItemCountField = initial.ItemCountField;
  Window.ItemPriceField = initial.ItemPriceField;
  Window.ItemTotalField = initial.ItemTotalField;
  Window.CountEntry = initial.CountEntry;
  Window.PriceEntry = initial.PriceEntry;
  Window.PropertiesBox.Clear();
}

void TMainWindow::CelkoveCeny() {
  const TOfferWorkspace& ws = Workspace;
  const int itemCount = text::StrToInt(ws.ItemCount);
  if (!ws.ItemStartRows.Has(itemCount)) return;  // no summary line
  const int b = ws.ItemStartRows.GetInt(itemCount);
  Window.NetTotalField = ws.ArticleGrid.Cell(5, b + 1);
  Window.VatField = ws.ArticleGrid.Cell(5, b + 2);
  Window.GrossTotalField = ws.ArticleGrid.Cell(5, b + 3);
}

void TMainWindow::TvorbaKalkulacniTabulky() {
  TOfferWorkspace& ws = Workspace;
  const int n = text::StrToInt(ws.ItemCount);
  // Rows of the previous offer (additional items, an old sum row) must not
  // show through.
  ws.CalcGrid.ClearCells().SetRowCount(static_cast<std::size_t>(std::max(n, 0)) + 2);
  for (int i = 0; i < n; ++i) {
    if (!ws.ItemStartRows.Has(i)) break;
    const int s = ws.ItemStartRows.GetInt(i);
    ws.CalcGrid.SetCell(0, i + 1, std::to_string(i + 1))
        .SetCell(1, i + 1, ws.ArticleGrid.Cell(2, s))
        .SetCell(2, i + 1, ws.ArticleGrid.Cell(3, s))
        .SetCell(3, i + 1, ws.ArticleGrid.Cell(4, s));
  }
}

void TMainWindow::KalkulaceTabulky() {
  TOfferWorkspace& ws = Workspace;
  const int n = text::StrToInt(ws.ItemCount);
  float sum = 0.0f;
  for (int r = 1; r <= n; ++r) {
    float total = 0;
    try {
      const std::int32_t count = text::StrToInt(ws.CalcGrid.Cell(2, r));
      const std::string& priceText = ws.CalcGrid.Cell(3, r);
      const float price = ParseMoney(priceText, Region());
      RequireMoneyInRange(price, "Cena", ws.CalcGrid.Cell(1, r), priceText);
      total = MoneyProduct(count, price);
      RequireMoneyInRange(total, "Celková cena", ws.CalcGrid.Cell(1, r), ws.CalcGrid.Cell(2, r), priceText);
      sum = MoneySum(sum, total);
      RequireMoneyInRange(sum, "Součet cen do", ws.CalcGrid.Cell(1, r), text::FormatFloat("0.00", sum, Region()));
    } catch (const text::EConvertError& error) {
      // An item read from a list is named by its file and line.
      const std::string where = WhereItemIs(r - 1);
      if (where.empty()) throw;
      throw text::EConvertError(where + error.what(), error.Text());
    }
    ws.CalcGrid.SetCell(4, r, text::FormatFloat("0.00", total, Region()));
  }
  const float vat = static_cast<float>(0.21L * static_cast<long double>(sum));
  const float gross = static_cast<float>(1.21L * static_cast<long double>(sum));
  const auto net = static_cast<double>(text::RoundHalfEven(sum));
  const auto vatRounded = static_cast<double>(text::RoundHalfEven(vat));
  const auto grossRounded = static_cast<double>(text::RoundHalfEven(gross));
  const std::string netText = text::FormatFloat("000.00", net, Region());
  ws.CalcGrid.SetCell(4, n + 1, netText);
  Window.NetTotalField = netText;
  Window.VatField = text::FormatFloat("000.00", vatRounded, Region());
  Window.GrossTotalField = text::FormatFloat("000.00", grossRounded, Region());
}

void TMainWindow::OfferPipeline() {
  PrevodSeznamu2();
  VytvoritSeznamPrvku();
  CelkoveCeny();
  TvorbaKalkulacniTabulky();
  KalkulaceTabulky();
}

}  // namespace app
