#include "sheet/Columns.h"

#include <algorithm>
#include <stdexcept>

#include "sheet/Workbook.h"
#include "sheet/Worksheet.h"

namespace sheet {

TExportCol::TExportCol() = default;
TExportCol::~TExportCol() = default;

TExportWorkSheet* TExportCol::WorkSheet() const {
  const TOwnedListBase* list = OwnerList();
  return list ? static_cast<const TExportCols*>(list)->WorkSheet() : nullptr;
}

void TExportCol::DoCreate() {
  if (const TExportWorkSheet* sheet = WorkSheet()) fExcelNumberFormat = sheet->ExcelNumberFormat();
}

TExportCol& TExportCol::SetGroupLevel(TExportGroupLevel aLevel) {
  fGroupLevel = std::clamp(aLevel, 0, kMaxGroupLevel);
  return *this;
}

TExportCellStyle& TExportCol::Style() {
  if (!fStyle) {
    TExportWorkSheet* sheet = WorkSheet();
    fStyle = std::make_unique<TExportCellStyle>(sheet ? sheet->ExportObject() : nullptr);
    if (sheet) fStyle->Assign(sheet->Style());
  }
  return *fStyle;
}

TExportCol& TExportCols::GetEC(int aIndex) {
  if (aIndex < 0) throw std::out_of_range("List index out of bounds (" + std::to_string(aIndex) + ")");
  while (Count() <= aIndex) Add();
  return At(aIndex);
}

void TExportCols::GroupCols(int aLeftCol, int aRightCol, bool aHideCols) {
  for (int i = std::max(aLeftCol, 0); i <= aRightCol; ++i) {
    TExportCol& col = GetEC(i);
    col.IncGroupLevel(1);
    if (aHideCols) col.SetHidden(true);
  }
}

void TExportCols::UnGroupCols(int aLeftCol, int aRightCol, bool aShowCols) {
  for (int i = std::max(aLeftCol, 0); i <= aRightCol; ++i) {
    TExportCol& col = GetEC(i);
    col.IncGroupLevel(-1);
    if (aShowCols) col.SetHidden(false);
  }
}

}  // namespace sheet
