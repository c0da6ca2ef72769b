#include "sheet/Worksheet.h"

#include <algorithm>

#include "sheet/CellName.h"
#include "sheet/Exceptions.h"
#include "sheet/NumberFormat.h"
#include "sheet/Workbook.h"
#include "text/Utf16.h"

namespace sheet {

TExportFont TExportWorkSheet::NewCellFontDefaults() {
  TExportFont f;
  f.SetName("").SetSize(-1).SetColor(clNone);
  return f;
}

TExportWorkSheet::TExportWorkSheet()
    : fRows(std::make_unique<TExportRows>(this)), fCols(std::make_unique<TExportCols>(this)) {}

TExportWorkSheet::~TExportWorkSheet() {
  // Rows (and their cells) go before the style and settings they refer to.
  fRows.reset();
  fCols.reset();
}

TExportWorkbook* TExportWorkSheet::ExportObject() const {
  const TOwnedListBase* list = OwnerList();
  return list ? static_cast<const TExportWorkSheets*>(list)->ExportObject() : nullptr;
}

void TExportWorkSheet::DoCreate() {
  fTitle = "Worksheet " + std::to_string(IndexInList() + 1);
  TExportWorkbook* wb = ExportObject();
  fStyle = std::make_unique<TExportCellStyle>(wb);
  fStyle->SetFontName(wb->DefaultFontName()).SetFontSize(10);
  fNewCellDateFormat = GlobalDateFormat();
  fNewCellTimeFormat = GlobalTimeFormat();
  const TExportFont& font = fStyle->Font_ReadOnly();
  fHeader = TExportHeaders(font);
  fFooter = TExportHeaders(font);
}

namespace {

bool IsForbiddenTitleCharacter(char c) {
  switch (c) {
    case '\\': case '/': case ':': case '*': case '?': case '"': case '<': case '>': case '|': case '[': case ']':
      return true;
    default:
      return false;
  }
}

void TrimApostrophes(std::string& title) {
  const std::size_t first = title.find_first_not_of('\'');
  if (first == std::string::npos) {
    title.clear();
    return;
  }
  title.erase(0, first);
  title.erase(title.find_last_not_of('\'') + 1);
}

}  // namespace

// A title every spreadsheet program accepts: no character that sheet
// references or file names reserve, no apostrophe at either end, at most
// kMaxTitleLength UTF-16 units (cut here, so that two titles that agree in
// their first 31 characters are caught as duplicates), never empty.
TExportWorkSheet& TExportWorkSheet::SetTitle(const std::string& aTitle) {
  std::string title = aTitle;
  for (char& c : title)
    if (IsForbiddenTitleCharacter(c)) c = '-';
  TrimApostrophes(title);
  if (text::Utf16Length(title) > kMaxTitleLength) {
    title = text::Utf16Left(title, kMaxTitleLength);
    TrimApostrophes(title);
  }
  if (title.empty()) title = "Worksheet " + std::to_string(IndexInList() + 1);
  fTitle = title;
  return *this;
}

TExportRow& TExportWorkSheet::AddRow(int aPosition) {
  int expectedCells = 0;
  if (!fRows->Empty()) {
    TExportRow& last = fRows->Last();
    last.PackStyles();
    expectedCells = last.CellCount();
  }
  TExportRow& row = aPosition < 0 ? fRows->Add() : fRows->Insert(aPosition);
  // Rows of a table are alike: one allocation for the cell list instead of growing it.
  row.Cells().Reserve(expectedCells);
  return row;
}

void TExportWorkSheet::PackStyles() {
  for (TExportRow& row : *fRows) {
    if (TExportCellStyle* style = row.StyleIfAssigned()) style->PackStyle();
    for (TExportCell& cell : row.Cells()) cell.PackStyle();
  }
  for (TExportCol& col : *fCols)
    if (TExportCellStyle* style = col.StyleIfAssigned()) style->PackStyle();
  fStyle->PackStyle();
}

void TExportWorkSheet::NoteCellStyleEdit(int aRowIndex) {
  if (aRowIndex == fStyleEditRow) return;
  const int left = fStyleEditRow;
  fStyleEditRow = aRowIndex;
  // Packing is invisible to readers of the cells; a stale index merely packs another row.
  if (left >= 0 && left < fRows->Count())
    for (TExportCell& cell : fRows->At(left).Cells()) cell.PackStyle();
}

TExportRow* TExportWorkSheet::AddRows(int aRowCount) {
  TExportRow* last = nullptr;
  for (int i = 0; i < aRowCount; ++i) last = &AddRow(-1);
  return last;
}

bool TExportWorkSheet::FindRow(int aRowIndex, TExportRow*& aRow) const {
  aRow = FindRow(aRowIndex);
  return aRow != nullptr;
}

TExportRow* TExportWorkSheet::FindRow(int aRowIndex) const {
  if (aRowIndex < 0 || aRowIndex >= fRows->Count()) return nullptr;
  return &fRows->At(aRowIndex);
}

bool TExportWorkSheet::FindCell(int aColIndex, int aRowIndex, TExportCell*& aCell) const {
  aCell = FindCell(aColIndex, aRowIndex);
  return aCell != nullptr;
}

TExportCell* TExportWorkSheet::FindCell(int aColIndex, int aRowIndex) const {
  const TExportRow* row = FindRow(aRowIndex);
  return row ? row->FindCell(aColIndex) : nullptr;
}

bool TExportWorkSheet::FindCell(const std::string& aCellColRow, TExportCell*& aCell) const {
  int col = -1, row = -1;
  aCell = ParseCellName(aCellColRow, col, row) ? FindCell(col, row) : nullptr;
  return aCell != nullptr;
}

TExportCell& TExportWorkSheet::FindCreateCell(int aColIndex, int aRowIndex, TExportCellClass aCellClass,
                                              bool aTransform) {
  if (aColIndex < 0 || aRowIndex < 0) throw EExportException("TExportWorkSheet.FindCreateCell: invalid parameters");
  return FindCreateRow(aRowIndex).FindCreateCell(aColIndex, aCellClass, aTransform);
}

TExportCell* TExportWorkSheet::FindCreateCell(const std::string& aCellColRow, TExportCellClass aCellClass,
                                              bool aTransform) {
  int col = -1, row = -1;
  if (!ParseCellName(aCellColRow, col, row)) return nullptr;
  return &FindCreateCell(col, row, aCellClass, aTransform);
}

std::string TExportWorkSheet::GetCellSqlText(int aColIndex, int aRowIndex) const {
  const TExportCell* cell = FindCell(aColIndex, aRowIndex);
  return cell ? cell->SqlText() : std::string();
}

int TExportWorkSheet::GetRealColCount(bool aConsiderWholeDocument) const {
  int result = 0;
  for (const TExportRow& row : *fRows) {
    int count = row.CellCount();
    if (aConsiderWholeDocument && count > 0) {
      const TExportCell& last = row.Cells().Last();
      count = last.ColIndex() + last.ColSpan();
    }
    result = std::max(result, count);
  }
  if (aConsiderWholeDocument) {
    result = std::max(result, fPageSettings.ColsToRepeat().RightCol() + 1);
    result = std::max(result, fCols->Count());
  }
  return result;
}

int TExportWorkSheet::GetRealRowCount(bool aConsiderWholeDocument) const {
  const int count = fRows->Count();
  int result = count;
  if (aConsiderWholeDocument && count > 0) {
    result = std::max(result, fPageSettings.RowsToRepeat().BottomRow() + 1);
    for (int r = std::max(0, count - 10); r < count; ++r)
      for (const TExportCell& cell : fRows->At(r).Cells()) result = std::max(result, r + cell.RowSpan());
  }
  return result;
}

void TExportWorkSheet::DeleteEmptyRowsFromEnd() {
  while (!fRows->Empty() && fRows->Last().CellCount() == 0) fRows->Delete(fRows->Count() - 1);
}

void TExportWorkSheet::DeleteEmptyCellsAndRowsFromEnd() {
  for (TExportRow& row : *fRows) row.DeleteEmptyCellsFromEnd();
  DeleteEmptyRowsFromEnd();
}

bool TExportWorkSheet::FindCol(int aColIndex, TExportCol*& aCol) const {
  aCol = FindCol(aColIndex);
  return aCol != nullptr;
}

TExportCol* TExportWorkSheet::FindCol(int aColIndex) const {
  if (aColIndex < 0 || aColIndex >= fCols->Count()) return nullptr;
  return &fCols->At(aColIndex);
}

TExportWorkSheet* TExportWorkSheets::Find(const std::string& aTitle) const {
  for (TExportWorkSheet& sheet : *this)
    if (sheet.Title() == aTitle) return &sheet;
  return nullptr;
}

}  // namespace sheet
