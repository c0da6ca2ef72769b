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

}  // namespace

std::optional<TItemBlock> ImportedItemBlock(const TOfferWorkspace& ws, std::size_t item) {
  const std::optional<int> start = IntAt(ws.ItemStartRows, item);
  if (!start || *start < 0) return std::nullopt;
  if (const std::optional<int> next = IntAt(ws.ItemStartRows, item + 1); next && *next > *start) {
    return TItemBlock{*start, *next};
  }
  const int lastRow = static_cast<int>(ws.ArticleGrid.RowCount()) - 1;
  int next = *start + 1;
  while (next <= lastRow && ws.ArticleGrid.Cell(6, next) == "0") ++next;
  return TItemBlock{*start, next};
}

std::vector<TOfferItem> CollectOfferItems(const TOfferWorkspace& ws, const TMainWindowState& window) {
  int imported = 0;
  if (!text::TryStrToInt(ws.ImportedItemCount, imported)) imported = 0;
  std::vector<TOfferItem> items;
  const TTextList& entries = window.ItemList.Items;
  for (std::size_t i = 0; i < entries.Count(); ++i) {
    TOfferItem item;
    const auto row = static_cast<std::ptrdiff_t>(i + 1);
    item.Imported = static_cast<int>(i) < imported;
    item.Code = entries.Get(static_cast<std::ptrdiff_t>(i));
    item.Count = ws.CalcGrid.Cell(2, row);
    item.UnitPrice = ws.CalcGrid.Cell(3, row);
    item.Total = ws.CalcGrid.Cell(4, row);
    if (item.Imported) {
      if (const auto block = ImportedItemBlock(ws, i)) {
        item.Description = ws.ArticleGrid.Cell(2, block->Start + 1);
        for (int r = block->Start + 2; r < block->Next; ++r) item.Properties.push_back(ws.ArticleGrid.Cell(2, r));
      }
      if (ws.ItemImagePaths.Has(static_cast<std::ptrdiff_t>(i))) item.PicturePath = ws.ItemImagePaths.Get(static_cast<std::ptrdiff_t>(i));
    } else {
      item.Description = ws.CalcGrid.Cell(5, row);
    }
    items.push_back(std::move(item));
  }
  return items;
}

}  // namespace app
