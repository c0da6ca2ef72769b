#include "app/OfferItems.h"

#include "text/Conversion.h"

namespace app {

namespace {

std::optional<int> IntAt(const TTextList& list, std::size_t index) {
  int value = 0;
  if (!list.Has(static_cast<std::ptrdiff_t>(index)) || !text::TryStrToInt(list.Get(static_cast<std::ptrdiff_t>(index)), value)) {
    return std::nullopt;
  }
  return value;
}

// The first row after the block when the index has no next start row.
int BlockEndAfter(const TOfferWorkspace& ws, int start) {
  const int lastRow = static_cast<int>(ws.ArticleGrid.RowCount()) - 1;
  int next = start + 1;
  while (next <= lastRow && ws.ArticleGrid.Cell(6, next) == "0") ++next;
  return next;
}

}  // namespace

std::optional<TItemBlock> ImportedItemBlock(const TOfferWorkspace& ws, std::size_t item) {
  const std::optional<int> start = IntAt(ws.ItemStartRows, item);
  if (!start || *start < 0) return std::nullopt;
  if (const std::optional<int> next = IntAt(ws.ItemStartRows, item + 1); next && *next > *start) {
    return TItemBlock{*start, *next};
  }
  return TItemBlock{*start, BlockEndAfter(ws, *start)};
}

TItemBlock ImportedItemBlockOrFail(const TOfferWorkspace& ws, int item) {
  const int start = ws.ItemStartRows.GetInt(item);
  // A list without summary lines has no start row after its last item; the
  // item then runs over the continuation lines that follow it.
  if (!ws.ItemStartRows.Has(item + 1)) return TItemBlock{start, BlockEndAfter(ws, start)};
  return TItemBlock{start, ws.ItemStartRows.GetInt(item + 1)};
}

std::string ItemImagePath(const TOfferWorkspace& ws, int item) {
  return ws.ItemImagePaths.Has(item) ? ws.ItemImagePaths.Get(item) : std::string();
}

TOfferItem ReadOfferItem(const TOfferWorkspace& ws, const TMainWindowState& window, int i, int importedCount,
                         TItemReading reading) {
  TOfferItem item;
  const int row = i + 1;
  item.Imported = i < importedCount;
  // Get raises the list-index error when the entry is missing.
  if (reading == TItemReading::irFail || window.ItemList.Items.Has(i)) item.Code = window.ItemList.Items.Get(i);
  item.Count = ws.CalcGrid.Cell(2, row);
  item.UnitPrice = ws.CalcGrid.Cell(3, row);
  item.Total = ws.CalcGrid.Cell(4, row);
  if (!item.Imported) {
    item.Description = ws.CalcGrid.Cell(5, row);
    return item;
  }
  item.Block = reading == TItemReading::irFail ? ImportedItemBlockOrFail(ws, i)
                                                : ImportedItemBlock(ws, static_cast<std::size_t>(i));
  item.PicturePath = ItemImagePath(ws, i);
  if (item.Block) {
    item.Description = ws.ArticleGrid.Cell(2, item.Block->Start + 1);
    for (int r = item.Block->Start + 2; r < item.Block->Next; ++r) item.Properties.push_back(ws.ArticleGrid.Cell(2, r));
  }
  return item;
}

std::vector<TOfferItem> CollectOfferItems(const TOfferWorkspace& ws, const TMainWindowState& window) {
  int imported = 0;
  if (!text::TryStrToInt(ws.ImportedItemCount, imported)) imported = 0;
  std::vector<TOfferItem> items;
  const int n = static_cast<int>(window.ItemList.Items.Count());
  items.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) items.push_back(ReadOfferItem(ws, window, i, imported, TItemReading::irLenient));
  return items;
}

}  // namespace app
