#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/MainWindowState.h"
#include "app/OfferWorkspace.h"

namespace app {

// ArticleGrid rows of imported item i: Start is its item line, Start + 1 its
// description line, Start + 2 .. Next - 1 its property lines.
struct TItemBlock {
  int Start = 0;
  int Next = 0;
};

// The item list's entry for item number `number` (1-based): «07. CODE», «12. CODE».
std::string ItemListEntry(int number, const std::string& code);

// Nothing when the item has no start row. When the row after the block is
// missing (a list without summary lines), the block runs over the
// continuation lines that follow its item line.
std::optional<TItemBlock> ImportedItemBlock(const TOfferWorkspace& ws, std::size_t item);

// The same for the commands that must fail on a broken index: a missing
// start row raises "List index out of bounds (%d)", one that is not a
// number the integer conversion error.
TItemBlock ImportedItemBlockOrFail(const TOfferWorkspace& ws, int item);

// Imported item i's picture path; empty when the list has none for it (a
// list without picture folder), so that such items go without a picture.
std::string ItemImagePath(const TOfferWorkspace& ws, int item);

// One item of the offer as the window, the command line and the export
// present it: the one place that knows where an item's texts live.
struct TOfferItem {
  bool Imported = false;
  std::optional<TItemBlock> Block;  // imported items: their ArticleGrid rows
  std::string Code;                 // the item list entry, «01. CODE»
  std::string Description;          // description line, or the additional item's description
  std::string Count;                // CalcGrid texts
  std::string UnitPrice;
  std::string Total;
  std::string PicturePath;  // ItemImagePaths entry; empty when there is none
  std::vector<std::string> Properties;
};

// How a reader treats a broken block index.
enum class TItemReading {
  irFail,     // raise the list-index or conversion error, as the commands do
  irLenient,  // read what is there; missing texts stay empty
};

// Item i (0-based) of the item list; `importedCount` tells imported items
// from additional ones.
TOfferItem ReadOfferItem(const TOfferWorkspace& ws, const TMainWindowState& window, int i, int importedCount,
                         TItemReading reading);

// Every item of the offer in item-list order, read leniently: missing entries
// of a badly formed list read as empty texts instead of failing.
std::vector<TOfferItem> CollectOfferItems(const TOfferWorkspace& ws, const TMainWindowState& window);

}  // namespace app
