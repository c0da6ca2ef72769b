#include "sheet/Row.h"

#include <algorithm>
#include <cmath>

#include "sheet/Exceptions.h"
#include "sheet/Workbook.h"
#include "sheet/Worksheet.h"

namespace sheet {

TExportRow::TExportRow() : fCells(this) {}

TExportRow::~TExportRow() {
  // Cells go first, from the end, while the row still knows its worksheet.
  fCells.Clear();
}

TExportWorkSheet* TExportRow::WorkSheet() const {
  const TOwnedListBase* list = OwnerList();
  return list ? static_cast<const TExportRows*>(list)->WorkSheet() : nullptr;
}

void TExportRow::DoCreate() {
  if (const TExportWorkSheet* sheet = WorkSheet()) SetExcelNumberFormat(sheet->ExcelNumberFormat());
}

TExportCellString& TExportRow::AddCellString(const std::string& aText) {
  auto& cell = NewCell<TExportCellString>();
  cell.SetText(aText);
  return cell;
}

TExportCellNumber& TExportRow::AddCellNumber(double aValue, TDecimalPlaces aDecimalPlaces) {
  auto& cell = NewCell<TExportCellNumber>();
  cell.SetValue(aValue);
  cell.SetDecimalPlaces(aDecimalPlaces);
  return cell;
}

TExportCellPercent& TExportRow::AddCellPercent(double aValue, TDecimalPlaces aDecimalPlaces) {
  auto& cell = NewCell<TExportCellPercent>();
  cell.SetValue(aValue);
  cell.SetDecimalPlaces(aDecimalPlaces);
  return cell;
}

TExportCellCurrency& TExportRow::AddCellCurrency(double aValue, const std::string& aCurrencyStr,
                                                 TExportCellCurrencyPosition aCurrencyPos,
                                                 TDecimalPlaces aDecimalPlaces) {
  auto& cell = NewCell<TExportCellCurrency>();
  cell.SetValue(aValue);
  cell.SetCurrencyStr(aCurrencyStr).SetCurrencyPos(aCurrencyPos);
  cell.SetDecimalPlaces(aDecimalPlaces);
  return cell;
}

TExportCellScientific& TExportRow::AddCellScientific(double aValue, TDecimalPlaces aDecimalPlaces,
                                                     int aExponentDigits) {
  auto& cell = NewCell<TExportCellScientific>();
  cell.SetValue(aValue);
  cell.SetDecimalPlaces(aDecimalPlaces);
  cell.SetExponentDigits(aExponentDigits);
  return cell;
}

TExportCellFraction& TExportRow::AddCellFraction(double aValue, int aFractionDigits) {
  auto& cell = NewCell<TExportCellFraction>();
  cell.SetValue(aValue);
  cell.SetDecimalPlaces(-1);
  cell.SetFractionDigits(aFractionDigits);
  return cell;
}

TExportCellNumber& TExportRow::AddCellFormulaNumber(const std::string& aFormula, TDecimalPlaces aDecimalPlaces) {
  auto& cell = NewCell<TExportCellNumber>();
  cell.SetFormula(aFormula);
  cell.SetDecimalPlaces(aDecimalPlaces);
  return cell;
}

TExportCellPercent& TExportRow::AddCellFormulaPercent(const std::string& aFormula, TDecimalPlaces aDecimalPlaces) {
  auto& cell = NewCell<TExportCellPercent>();
  cell.SetFormula(aFormula);
  cell.SetDecimalPlaces(aDecimalPlaces);
  return cell;
}

TExportCellScientific& TExportRow::AddCellFormulaScientific(const std::string& aFormula,
                                                            TDecimalPlaces aDecimalPlaces, int aExponentDigits) {
  auto& cell = NewCell<TExportCellScientific>();
  cell.SetFormula(aFormula);
  cell.SetDecimalPlaces(aDecimalPlaces);
  cell.SetExponentDigits(aExponentDigits);
  return cell;
}

TExportCellCurrency& TExportRow::AddCellFormulaCurrency(const std::string& aFormula, const std::string& aCurrencyStr,
                                                        TExportCellCurrencyPosition aCurrencyPos,
                                                        TDecimalPlaces aDecimalPlaces) {
  auto& cell = NewCell<TExportCellCurrency>();
  cell.SetFormula(aFormula);
  cell.SetCurrencyStr(aCurrencyStr).SetCurrencyPos(aCurrencyPos);
  cell.SetDecimalPlaces(aDecimalPlaces);
  return cell;
}

TExportCellBoolean& TExportRow::AddCellBoolean(bool aValue) {
  auto& cell = NewCell<TExportCellBoolean>();
  cell.SetAsBoolean(aValue);
  return cell;
}

TExportCellDate& TExportRow::AddCellDate(double aDate) { return NewCellWithValue<TExportCellDate>(aDate); }

TExportCellDateTime& TExportRow::AddCellDateTime(double aDateTime) { return NewCellWithValue<TExportCellDateTime>(aDateTime); }

TExportCellDateTimeWS& TExportRow::AddCellDateTimeWS(double aDateTime) { return NewCellWithValue<TExportCellDateTimeWS>(aDateTime); }

TExportCellTime& TExportRow::AddCellTime(double aTime) { return NewCellWithValue<TExportCellTime>(aTime); }

TExportCellTimeWS& TExportRow::AddCellTimeWS(double aTime) { return NewCellWithValue<TExportCellTimeWS>(aTime); }

TExportCellEmpty& TExportRow::AddCellEmpty() { return NewCell<TExportCellEmpty>(); }

TExportRange TExportRow::AddCellsEmpty(int aCellCount) {
  const int first = fCells.Count();
  for (int i = 0; i < aCellCount; ++i) NewCell<TExportCellEmpty>();
  TExportRange range(first, RowIndex(), std::max(aCellCount, 0), 1);
  range.SetWorkSheet(WorkSheet());
  return range;
}

TExportCell& TExportRow::AddCellCustom(TExportCellClass aCellClass) {
  if (!aCellClass) return AddCellEmpty();
  return fCells.Adopt(std::unique_ptr<TExportCell>(aCellClass->fCreate()));
}

TExportCell& TExportRow::AddCellVariant(const TExportVariant& aVariant) {
  struct TVisitor {
    TExportRow& fRow;
    TExportCell& operator()(std::monostate) const { return fRow.AddCellEmpty(); }
    TExportCell& operator()(std::int16_t v) const { return fRow.AddCellNumber(v, 0); }
    TExportCell& operator()(std::int32_t v) const { return fRow.AddCellNumber(v, 0); }
    TExportCell& operator()(std::int64_t v) const { return fRow.AddCellNumber(static_cast<double>(v), 0); }
    TExportCell& operator()(std::uint8_t v) const { return fRow.AddCellNumber(v, 0); }
    TExportCell& operator()(float v) const { return fRow.AddCellNumber(v, 2); }
    TExportCell& operator()(double v) const { return fRow.AddCellNumber(v, 2); }
    TExportCell& operator()(TVariantCurrency v) const { return fRow.AddCellCurrency(v.fValue, "", ecpBefore, 2); }
    TExportCell& operator()(TVariantDate v) const {
      double whole = 0;
      const double fraction = std::modf(v.fValue, &whole);
      if (whole == 0) return fRow.AddCellTime(v.fValue);
      if (fraction == 0) return fRow.AddCellDate(v.fValue);
      return fRow.AddCellDateTime(v.fValue);
    }
    TExportCell& operator()(const std::string& v) const { return fRow.AddCellString(v); }
    TExportCell& operator()(bool v) const { return fRow.AddCellBoolean(v); }
  };
  return std::visit(TVisitor{*this}, aVariant);
}

bool TExportRow::FindCell(int aColIndex, TExportCell*& aCell) const {
  aCell = FindCell(aColIndex);
  return aCell != nullptr;
}

TExportCell* TExportRow::FindCell(int aColIndex) const {
  if (aColIndex < 0 || aColIndex >= fCells.Count()) return nullptr;
  return &fCells.At(aColIndex);
}

TExportCell& TExportRow::FindCreateCell(int aColIndex, TExportCellClass aCellClass, bool aTransform) {
  if (aColIndex < 0) throw EExportException("TExportRow.FindCreateCell: invalid parameters");
  if (!aCellClass) aCellClass = &TExportCellEmpty::ClassInfo;
  while (fCells.Count() < aColIndex) NewCell<TExportCellEmpty>();
  if (aColIndex == fCells.Count()) return fCells.Adopt(std::unique_ptr<TExportCell>(aCellClass->fCreate()));
  TExportCell& cell = fCells.At(aColIndex);
  return aTransform ? cell.Transform(aCellClass) : cell;
}

std::string TExportRow::GetCellSqlText(int aColIndex) const {
  const TExportCell* cell = FindCell(aColIndex);
  return cell ? cell->SqlText() : std::string();
}

void TExportRow::DeleteEmptyCellsFromEnd() {
  while (!fCells.Empty()) {
    TExportCell& last = fCells.Last();
    // A cell that shows a picture (or carries a comment) is content even without a value.
    if (last.IsEmptyForTrim() && last.NothingAttached()) {
      fCells.Delete(fCells.Count() - 1);
      continue;
    }
    if (last.ColSpan() >= 2) {
      const int span = last.ColSpan();
      last.SetColSpan(1);
      last.SetColSpan(span);
    }
    break;
  }
}

TExportRow& TExportRow::SetHeight(double aHeight) {
  fHeight = aHeight;
  if (aHeight >= 0) fCalculateRowHeight = erhSingleLine;
  return *this;
}

TExportRow& TExportRow::SetCalculateRowHeight(TExportCalculateRowHeight aMode) {
  fCalculateRowHeight = static_cast<std::uint8_t>(aMode);
  if (aMode == erhForceAuto) fHeight = -1;
  return *this;
}

TExportRow& TExportRow::SetGroupLevel(TExportGroupLevel aLevel) {
  fGroupLevel = std::clamp(aLevel, 0, kMaxGroupLevel);
  return *this;
}

TExportCellStyle& TExportRow::Style() {
  if (!fStyle) {
    TExportWorkSheet* sheet = WorkSheet();
    fStyle = std::make_unique<TExportCellStyle>(sheet ? sheet->ExportObject() : nullptr);
    if (sheet) fStyle->Assign(sheet->Style());
  }
  return *fStyle;
}

void TExportRow::PackStyles() {
  for (TExportCell& cell : fCells) cell.PackStyle();
  if (fStyle) fStyle->PackStyle();
}

TExportRow& TExportRows::GetER(int aIndex) {
  if (aIndex < 0) throw std::out_of_range("List index out of bounds (" + std::to_string(aIndex) + ")");
  while (Count() <= aIndex) {
    if (fWorkSheet)
      fWorkSheet->AddRow(-1);
    else
      Add();
  }
  return At(aIndex);
}

void TExportRows::GroupRows(int aTopRow, int aBottomRow, bool aHideRows) {
  for (int i = std::max(aTopRow, 0); i <= aBottomRow; ++i) {
    TExportRow& row = GetER(i);
    row.IncGroupLevel(1);
    if (aHideRows) row.SetHidden(true);
  }
}

void TExportRows::UnGroupRows(int aTopRow, int aBottomRow, bool aShowRows) {
  for (int i = std::max(aTopRow, 0); i <= aBottomRow; ++i) {
    TExportRow& row = GetER(i);
    row.IncGroupLevel(-1);
    if (aShowRows) row.SetHidden(false);
  }
}

}  // namespace sheet
