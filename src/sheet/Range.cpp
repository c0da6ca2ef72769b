#include "sheet/Range.h"

#include <algorithm>
#include <cctype>

#include "sheet/CellName.h"
#include "sheet/Row.h"
#include "sheet/Worksheet.h"

namespace sheet {

TExportRange& TExportRange::SetRange(int aCol, int aRow, int aColSpan, int aRowSpan) {
  fCol = aCol;
  fRow = aRow;
  fColSpan = aColSpan;
  fRowSpan = aRowSpan;
  return *this;
}

TExportRange& TExportRange::SetRange(TExportWorkSheet* aWorkSheet, int aCol, int aRow, int aColSpan, int aRowSpan) {
  fWorkSheet = aWorkSheet;
  return SetRange(aCol, aRow, aColSpan, aRowSpan);
}

TExportRange& TExportRange::SetColRange(int aCol, int aColSpan) {
  fCol = aCol;
  fColSpan = aColSpan;
  fRow = -1;
  fRowSpan = -1;
  return *this;
}

TExportRange& TExportRange::SetRowRange(int aRow, int aRowSpan) {
  fRow = aRow;
  fRowSpan = aRowSpan;
  fCol = -1;
  fColSpan = -1;
  return *this;
}

TExportRange& TExportRange::SetAbs(int aLeftCol, int aTopRow, int aRightCol, int aBottomRow) {
  fCol = aLeftCol;
  fRow = aTopRow;
  SetRightCol(aRightCol);
  SetBottomRow(aBottomRow);
  return *this;
}

TExportRange& TExportRange::Assign(const TExportCell& aCell) {
  fCol = aCell.ColIndex();
  fRow = aCell.RowIndex();
  fColSpan = aCell.ColSpan();
  fRowSpan = aCell.RowSpan();
  fCol1Abs = fRow1Abs = fCol2Abs = fRow2Abs = false;
  return *this;
}

void TExportRange::GetCells(std::vector<TExportCell*>& aCellList, TExportCellClass aCellClass) const {
  if (!fWorkSheet || !HasColPart() || !HasRowPart()) return;
  const TExportRows& rows = fWorkSheet->Rows();
  const int lastRow = std::min(BottomRow(), rows.Count() - 1);
  for (int r = fRow; r <= lastRow; ++r) {
    const TExportCells& cells = rows.At(r).Cells();
    const int lastCol = std::min(RightCol(), cells.Count() - 1);
    for (int c = fCol; c <= lastCol; ++c) {
      TExportCell& cell = cells.At(c);
      if (!aCellClass || cell.Class() == aCellClass) aCellList.push_back(&cell);
    }
  }
}

namespace {
// A sheet name as a formula prefix: quoted when it is not a plain word.
std::string SheetPrefix(const std::string& aTitle) {
  bool plain = !aTitle.empty() && !(aTitle[0] >= '0' && aTitle[0] <= '9');
  for (unsigned char c : aTitle)
    if (!(std::isalnum(c) || c == '_' || c >= 0x80)) plain = false;
  if (plain) return aTitle + "!";
  std::string quoted = "'";
  for (char c : aTitle) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return quoted + "'!";
}
}  // namespace

std::string TExportRange::Name(bool aSheetPrefix) const {
  std::string name = RangeName(fCol, fRow, fColSpan, fRowSpan, fCol1Abs, fRow1Abs, fCol2Abs, fRow2Abs);
  // A whole-column or whole-row range always needs both ends ("A:B", "1:3").
  if (!HasRowPart() && HasColPart() && fColSpan <= 1) name += ":" + std::string(fCol2Abs ? "$" : "") + ColumnLetters(fCol);
  if (!HasColPart() && HasRowPart() && fRowSpan <= 1)
    name += ":" + std::string(fRow2Abs ? "$" : "") + std::to_string(fRow + 1);
  if (aSheetPrefix && fWorkSheet) name = SheetPrefix(fWorkSheet->Title()) + name;
  return name;
}

}  // namespace sheet
