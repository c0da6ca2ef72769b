#include "sheet/NamedCells.h"

#include <algorithm>
#include <cctype>

namespace sheet {

namespace {
bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}
}  // namespace

void TExportNamedCells::Set(const TExportNamedCell& aNamedCell) {
  for (auto& item : fItems)
    if (SameName(item.fName, aNamedCell.fName)) {
      item = aNamedCell;
      return;
    }
  fItems.push_back(aNamedCell);
}

const TExportNamedCell* TExportNamedCells::Find(const std::string& aName) const {
  for (const auto& item : fItems)
    if (SameName(item.fName, aName)) return &item;
  return nullptr;
}

std::string TExportNamedCells::NameOf(const TExportWorkSheet* aWorkSheet, int aCol, int aRow) const {
  for (const auto& item : fItems)
    if (item.fWorkSheet == aWorkSheet && item.fCol == aCol && item.fRow == aRow) return item.fName;
  return {};
}

void TExportNamedCells::RemoveCell(const TExportWorkSheet* aWorkSheet, int aCol, int aRow) {
  std::erase_if(fItems, [&](const TExportNamedCell& item) {
    return item.fWorkSheet == aWorkSheet && item.fCol == aCol && item.fRow == aRow;
  });
}

void TExportNamedCells::RemoveWorkSheet(const TExportWorkSheet* aWorkSheet) {
  std::erase_if(fItems, [&](const TExportNamedCell& item) { return item.fWorkSheet == aWorkSheet; });
}

}  // namespace sheet
