#pragma once

#include <string>
#include <vector>

#include "sheet/Cell.h"

namespace sheet {

class TExportWorkSheet;

// A row/column address (frozen panes, top-left cell).
struct TExportCellAddress {
  int fRow = 0;
  int fCol = 0;
  int Row() const { return fRow; }
  int Col() const { return fCol; }
  TExportCellAddress& SetRow(int v) { fRow = v; return *this; }
  TExportCellAddress& SetCol(int v) { fCol = v; return *this; }
  bool operator==(const TExportCellAddress&) const = default;
};
using TExportWindowSplit = TExportCellAddress;

// A cell range whose column and row parts may each be unset (negative index).
class TExportRange {
 public:
  TExportRange() = default;
  TExportRange(int aCol, int aRow, int aColSpan, int aRowSpan)
      : fCol(aCol), fRow(aRow), fColSpan(aColSpan), fRowSpan(aRowSpan) {}

  TExportWorkSheet* WorkSheet() const { return fWorkSheet; }
  TExportRange& SetWorkSheet(TExportWorkSheet* v) { fWorkSheet = v; return *this; }
  int Col() const { return fCol; }
  int LeftCol() const { return fCol; }
  int Row() const { return fRow; }
  int TopRow() const { return fRow; }
  int ColSpan() const { return fColSpan; }
  int RowSpan() const { return fRowSpan; }
  int RightCol() const { return fCol + fColSpan - 1; }
  int BottomRow() const { return fRow + fRowSpan - 1; }
  TExportRange& SetCol(int v) { fCol = v; return *this; }
  TExportRange& SetLeftCol(int v) { fCol = v; return *this; }
  TExportRange& SetRow(int v) { fRow = v; return *this; }
  TExportRange& SetTopRow(int v) { fRow = v; return *this; }
  TExportRange& SetColSpan(int v) { fColSpan = v; return *this; }
  TExportRange& SetRowSpan(int v) { fRowSpan = v; return *this; }
  // Span from the current left column / top row (which they do not change).
  TExportRange& SetRightCol(int v) { fColSpan = v - fCol + 1; return *this; }
  TExportRange& SetBottomRow(int v) { fRowSpan = v - fRow + 1; return *this; }
  bool Col1Abs() const { return fCol1Abs; }
  bool Row1Abs() const { return fRow1Abs; }
  bool Col2Abs() const { return fCol2Abs; }
  bool Row2Abs() const { return fRow2Abs; }
  TExportRange& SetCol1Abs(bool v) { fCol1Abs = v; return *this; }
  TExportRange& SetRow1Abs(bool v) { fRow1Abs = v; return *this; }
  TExportRange& SetCol2Abs(bool v) { fCol2Abs = v; return *this; }
  TExportRange& SetRow2Abs(bool v) { fRow2Abs = v; return *this; }

  bool HasColPart() const { return fCol >= 0 && fColSpan >= 1; }
  bool HasRowPart() const { return fRow >= 0 && fRowSpan >= 1; }

  TExportRange& SetRange(int aCol, int aRow, int aColSpan, int aRowSpan);
  TExportRange& SetRange(TExportWorkSheet* aWorkSheet, int aCol, int aRow, int aColSpan, int aRowSpan);
  // Sets the columns and clears the row part (row -1, span -1); and vice versa.
  TExportRange& SetColRange(int aCol, int aColSpan);
  TExportRange& SetRowRange(int aRow, int aRowSpan);
  TExportRange& SetAbs(int aLeftCol, int aTopRow, int aRightCol, int aBottomRow);
  bool IsInWorksheet(int aMaxColCount, int aMaxRowCount) const { return fRow < aMaxRowCount && fCol < aMaxColCount; }
  // Column, row and spans of the cell; the absolute markers are cleared.
  TExportRange& Assign(const TExportCell& aCell);
  // Appends every existing cell of kind aCellClass (any kind when null) inside the range.
  void GetCells(std::vector<TExportCell*>& aCellList, TExportCellClass aCellClass = nullptr) const;

  // A1 name with "$" where absolute; with aSheetPrefix the worksheet title (quoted when needed) and "!".
  std::string Name(bool aSheetPrefix = false) const;
  bool operator==(const TExportRange& o) const {
    return fWorkSheet == o.fWorkSheet && fCol == o.fCol && fRow == o.fRow && fColSpan == o.fColSpan &&
           fRowSpan == o.fRowSpan && fCol1Abs == o.fCol1Abs && fRow1Abs == o.fRow1Abs && fCol2Abs == o.fCol2Abs &&
           fRow2Abs == o.fRow2Abs;
  }

 private:
  TExportWorkSheet* fWorkSheet = nullptr;
  int fCol = -1;
  int fRow = -1;
  int fColSpan = 1;
  int fRowSpan = 1;
  bool fCol1Abs = false;
  bool fRow1Abs = false;
  bool fCol2Abs = false;
  bool fRow2Abs = false;
};

}  // namespace sheet
