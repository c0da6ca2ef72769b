#pragma once

#include <string>
#include <vector>

namespace sheet {

class TExportWorkSheet;

// A defined name: a name for a cell range of a worksheet.
struct TExportNamedCell {
  std::string fName;
  TExportWorkSheet* fWorkSheet = nullptr;
  int fCol = -1;
  int fRow = -1;
  int fColSpan = 1;
  int fRowSpan = 1;
};

// Defined names of a workbook or worksheet (kept as plain records; names are case-insensitive).
class TExportNamedCells {
 public:
  int Count() const { return static_cast<int>(fItems.size()); }
  const TExportNamedCell& Get(int aIndex) const { return fItems.at(static_cast<std::size_t>(aIndex)); }
  // Adds or replaces the entry of that name.
  void Set(const TExportNamedCell& aNamedCell);
  const TExportNamedCell* Find(const std::string& aName) const;
  // The name given to exactly this cell position, empty when none.
  std::string NameOf(const TExportWorkSheet* aWorkSheet, int aCol, int aRow) const;
  void RemoveCell(const TExportWorkSheet* aWorkSheet, int aCol, int aRow);
  void RemoveWorkSheet(const TExportWorkSheet* aWorkSheet);
  void Clear() { fItems.clear(); }

 private:
  std::vector<TExportNamedCell> fItems;
};

}  // namespace sheet
