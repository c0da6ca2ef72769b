#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

#include "sheet/Cell.h"
#include "sheet/CellKinds.h"
#include "sheet/InternedTexts.h"
#include "sheet/ItemPool.h"
#include "sheet/OwnedList.h"
#include "sheet/Range.h"
#include "sheet/Style.h"
#include "sheet/Types.h"

namespace sheet {

class TExportWorkSheet;

// A row's cells; index = column index.
class TExportCells : public TOwnedList<TExportCell> {
 public:
  explicit TExportCells(TExportRow* aRow) : fExportRow(aRow) {}
  TExportRow* ExportRow() const { return fExportRow; }
  // The cell at aIndex; never creates (list-index error outside the list).
  TExportCell& GetC(int aIndex) const { return Get(aIndex); }

 private:
  TExportRow* fExportRow;
};

// Values of AddCellVariant, by the variant's type.
struct TVariantCurrency { double fValue; };
struct TVariantDate { double fValue; };
using TExportVariant = std::variant<std::monostate, std::int16_t, std::int32_t, std::int64_t, std::uint8_t, float,
                                    double, TVariantCurrency, TVariantDate, std::string, bool>;

class TExportRow : public TOwnedListObject {
 public:
  TExportRow();
  ~TExportRow() override;
  static void* operator new(std::size_t aSize) { return TItemPool::Allocate(aSize); }
  static void operator delete(void* aRow, std::size_t aSize) { TItemPool::Free(aRow, aSize); }

  int RowIndex() const { return IndexInList(); }
  TExportWorkSheet* WorkSheet() const;
  TExportCells& Cells() { return fCells; }
  const TExportCells& Cells() const { return fCells; }
  int CellCount() const { return fCells.Count(); }

  // ---- cell creation: each appends a cell, initialises it, stores the value
  TExportCellString& AddCellString(const std::string& aText);
  TExportCellNumber& AddCellNumber(double aValue, TDecimalPlaces aDecimalPlaces = 2);
  TExportCellPercent& AddCellPercent(double aValue, TDecimalPlaces aDecimalPlaces = 2);
  TExportCellCurrency& AddCellCurrency(double aValue, const std::string& aCurrencyStr,
                                       TExportCellCurrencyPosition aCurrencyPos = ecpBefore,
                                       TDecimalPlaces aDecimalPlaces = 2);
  TExportCellScientific& AddCellScientific(double aValue, TDecimalPlaces aDecimalPlaces = 2, int aExponentDigits = 2);
  TExportCellFraction& AddCellFraction(double aValue, int aFractionDigits = 1);
  TExportCellNumber& AddCellFormulaNumber(const std::string& aFormula, TDecimalPlaces aDecimalPlaces = 2);
  TExportCellPercent& AddCellFormulaPercent(const std::string& aFormula, TDecimalPlaces aDecimalPlaces = 2);
  TExportCellScientific& AddCellFormulaScientific(const std::string& aFormula, TDecimalPlaces aDecimalPlaces = 2,
                                                  int aExponentDigits = 2);
  TExportCellCurrency& AddCellFormulaCurrency(const std::string& aFormula, const std::string& aCurrencyStr,
                                              TExportCellCurrencyPosition aCurrencyPos = ecpBefore,
                                              TDecimalPlaces aDecimalPlaces = 2);
  TExportCellBoolean& AddCellBoolean(bool aValue);
  TExportCellDate& AddCellDate(double aDate);
  TExportCellDateTime& AddCellDateTime(double aDateTime);
  TExportCellDateTimeWS& AddCellDateTimeWS(double aDateTime);
  TExportCellTime& AddCellTime(double aTime);
  TExportCellTimeWS& AddCellTimeWS(double aTime);
  TExportCellEmpty& AddCellEmpty();
  // Appends aCellCount empty cells; the range covers them on this row.
  TExportRange AddCellsEmpty(int aCellCount);
  TExportCell& AddCellCustom(TExportCellClass aCellClass);
  TExportCell& AddCellVariant(const TExportVariant& aVariant);

  // ---- lookup
  bool FindCell(int aColIndex, TExportCell*& aCell) const;
  TExportCell* FindCell(int aColIndex) const;
  // Fills gaps with empty cells; an existing cell is turned into aCellClass when
  // aTransform is set. Negative index: EExportException.
  TExportCell& FindCreateCell(int aColIndex, TExportCellClass aCellClass = CellClass<TExportCellEmpty>(),
                              bool aTransform = false);
  // Always of kind T (transforms an existing cell of another kind).
  template <class T>
  T& FindCreateCellAs(int aColIndex) { return static_cast<T&>(FindCreateCell(aColIndex, &T::ClassInfo, true)); }
  std::string GetCellSqlText(int aColIndex) const;
  // Deletes trailing empty cells; restores the placeholders of the last kept spanning cell.
  void DeleteEmptyCellsFromEnd();

  // ---- row properties
  double Height() const { return fHeight; }
  // A height >= 0 also sets erhSingleLine.
  TExportRow& SetHeight(double aHeight);
  TExportCalculateRowHeight CalculateRowHeight() const {
    return static_cast<TExportCalculateRowHeight>(fCalculateRowHeight);
  }
  // erhForceAuto also clears the height to -1.
  TExportRow& SetCalculateRowHeight(TExportCalculateRowHeight aMode);
  bool Hidden() const { return fHidden; }
  TExportRow& SetHidden(bool aHidden) { fHidden = aHidden; return *this; }
  bool PageBreakBefore() const { return fPageBreakBefore; }
  TExportRow& SetPageBreakBefore(bool v) { fPageBreakBefore = v; return *this; }
  TExportGroupLevel GroupLevel() const { return fGroupLevel; }
  TExportRow& SetGroupLevel(TExportGroupLevel aLevel);
  TExportRow& IncGroupLevel(int aAdd) { return SetGroupLevel(fGroupLevel + aAdd); }
  // The row's own style, created on first access as a copy of the worksheet style.
  TExportCellStyle& Style();
  bool StyleAssigned() const { return fStyle != nullptr; }
  TExportCellStyle* StyleIfAssigned() const { return fStyle.get(); }
  const std::string& ExcelNumberFormat() const { return TInternedTexts::Get(fExcelNumberFormatId); }
  TExportRow& SetExcelNumberFormat(const std::string& v) { fExcelNumberFormatId = TInternedTexts::Intern(v); return *this; }

  // Packs the styles of all cells.
  void PackStyles();

 protected:
  void DoCreate() override;

 private:
  template <class T>
  T& NewCell() { return fCells.Add<T>(); }
  template <class T>
  T& NewCellWithValue(double aValue) {
    T& cell = NewCell<T>();
    cell.SetValue(aValue);
    return cell;
  }

  // Single bytes first: they fill the list item's tail padding.
  bool fHidden = false;
  bool fPageBreakBefore = false;
  std::uint8_t fCalculateRowHeight = erhSingleLine;
  TExportCells fCells;
  double fHeight = -1;
  TExportGroupLevel fGroupLevel = 0;
  std::uint32_t fExcelNumberFormatId = 0;
  std::unique_ptr<TExportCellStyle> fStyle;
};

// A worksheet's rows; index 0 = first row.
class TExportRows : public TOwnedList<TExportRow> {
 public:
  explicit TExportRows(TExportWorkSheet* aWorkSheet) : fWorkSheet(aWorkSheet) {}
  TExportWorkSheet* WorkSheet() const { return fWorkSheet; }
  // The row at aIndex, appending rows through the worksheet's AddRow until it exists.
  TExportRow& GetER(int aIndex);
  double DefaultHeight() const { return fDefaultHeight; }
  TExportRows& SetDefaultHeight(double v) { fDefaultHeight = v; return *this; }
  void GroupRows(int aTopRow, int aBottomRow, bool aHideRows);
  void UnGroupRows(int aTopRow, int aBottomRow, bool aShowRows);

 private:
  TExportWorkSheet* fWorkSheet;
  double fDefaultHeight = -1;
};

}  // namespace sheet
