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

// Nothing when the item has no start row. When the row after the block is
// missing (a list without summary lines), the block runs over the
// continuation lines that follow its item line.
std::optional<TItemBlock> ImportedItemBlock(const TOfferWorkspace& ws, std::size_t item);

// One item of the offer as the window and the export present it.
struct TOfferItem {
  bool Imported = false;
  std::string Code;         // the item list entry, «01. CODE»
  std::string Description;  // description line, or the additional item's description
  std::string Count;        // CalcGrid texts
  std::string UnitPrice;
  std::string Total;
  std::string PicturePath;  // ItemImagePaths entry; empty when there is none
  std::vector<std::string> Properties;
};

// Every item of the offer in item-list order. Missing entries of a badly
// formed list read as empty texts instead of failing.
std::vector<TOfferItem> CollectOfferItems(const TOfferWorkspace& ws, const TMainWindowState& window);

}  // namespace app
