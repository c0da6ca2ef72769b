#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sheet/Borders.h"
#include "sheet/Cell.h"
#include "sheet/CellKinds.h"
#include "sheet/Columns.h"
#include "sheet/Font.h"
#include "sheet/HeaderFooter.h"
#include "sheet/NamedCells.h"
#include "sheet/OwnedList.h"
#include "sheet/PageSettings.h"
#include "sheet/Range.h"
#include "sheet/Row.h"
#include "sheet/Style.h"
#include "sheet/Types.h"

namespace sheet {

class TCustomExporter;
class TExportWorkbook;

// Sheet protection (kept as its fields).
struct TExportWorkSheetProtection {
  bool fProtected = false;
  std::string fPassword;
};

class TExportWorkSheet : public TOwnedListObject {
 public:
  TExportWorkSheet();
  ~TExportWorkSheet() override;

  // The owning workbook; null when the worksheet is in no workbook's list.
  TExportWorkbook* ExportObject() const;
  int Index() const { return IndexInList(); }

  const std::string& Title() const { return fTitle; }
  // \ / : * ? " < > | [ ] become "-", apostrophes at either end go, the
  // title is cut to kMaxTitleLength UTF-16 units, and an empty one is the
  // default title; uniqueness is checked when the workbook is saved.
  static constexpr std::size_t kMaxTitleLength = 31;
  TExportWorkSheet& SetTitle(const std::string& aTitle);
  const std::string& CodeName() const { return fCodeName; }
  TExportWorkSheet& SetCodeName(const std::string& v) { fCodeName = v; return *this; }
  TExportWorkSheetVisibility Visibility() const { return fVisibility; }
  TExportWorkSheet& SetVisibility(TExportWorkSheetVisibility v) { fVisibility = v; return *this; }

  TExportRows& Rows() { return *fRows; }
  const TExportRows& Rows() const { return *fRows; }
  TExportCols& Cols() { return *fCols; }
  const TExportCols& Cols() const { return *fCols; }
  TExportHeaders& Header() { return fHeader; }
  const TExportHeaders& Header() const { return fHeader; }
  TExportHeaders& Footer() { return fFooter; }
  const TExportHeaders& Footer() const { return fFooter; }
  TExportPageSettings& PageSettings() { return fPageSettings; }
  const TExportPageSettings& PageSettings() const { return fPageSettings; }
  TExportWindowSettings& WindowSettings() { return fWindowSettings; }
  const TExportWindowSettings& WindowSettings() const { return fWindowSettings; }
  TExportNamedCells& NamedCells() { return fNamedCells; }
  const TExportNamedCells& NamedCells() const { return fNamedCells; }
  TExportWorkSheetProtection& Protection() { return fProtection; }
  const TExportWorkSheetProtection& Protection() const { return fProtection; }
  // Base style of the sheet (font name from the workbook's default font name, size 10).
  TExportCellStyle& Style() { return *fStyle; }
  const TExportCellStyle& Style() const { return *fStyle; }
  const std::string& ExcelNumberFormat() const { return fExcelNumberFormat; }
  TExportWorkSheet& SetExcelNumberFormat(const std::string& v) { fExcelNumberFormat = v; return *this; }

  // ---- rows and cells
  // Packs every style the sheet holds (rows with their cells, then columns,
  // then the sheet's own), so that writers can read them as they are.
  void PackStyles();
  // Packs the styles of the current last row, then appends (aPosition < 0) or inserts a row.
  TExportRow& AddRow(int aPosition = -1);
  // Appends aRowCount rows; the last one, or null when aRowCount <= 0.
  TExportRow* AddRows(int aRowCount);
  bool FindRow(int aRowIndex, TExportRow*& aRow) const;
  TExportRow* FindRow(int aRowIndex) const;
  TExportRow& FindCreateRow(int aRowIndex) { return fRows->GetER(aRowIndex); }
  bool FindCell(int aColIndex, int aRowIndex, TExportCell*& aCell) const;
  bool FindCell(const std::string& aCellColRow, TExportCell*& aCell) const;
  TExportCell* FindCell(int aColIndex, int aRowIndex) const;
  // Negative index: EExportException "TExportWorkSheet.FindCreateCell: invalid parameters".
  TExportCell& FindCreateCell(int aColIndex, int aRowIndex, TExportCellClass aCellClass = CellClass<TExportCellEmpty>(),
                              bool aTransform = false);
  // Null when the name does not parse.
  TExportCell* FindCreateCell(const std::string& aCellColRow, TExportCellClass aCellClass = CellClass<TExportCellEmpty>(),
                              bool aTransform = false);
  template <class T>
  T& FindCreateCellAs(int aColIndex, int aRowIndex) {
    return static_cast<T&>(FindCreateCell(aColIndex, aRowIndex, &T::ClassInfo, true));
  }
  std::string GetCellSqlText(int aColIndex, int aRowIndex) const;
  // Used size for writers' sheet dimension.
  int GetRealColCount(bool aConsiderWholeDocument) const;
  int GetRealRowCount(bool aConsiderWholeDocument) const;
  void DeleteEmptyRowsFromEnd();
  void DeleteEmptyCellsAndRowsFromEnd();

  // Column widths (one entry per column object and per column a cell reaches;
  // -1 = unknown) and row heights (one per row; with aOnlyRow >= 0 only that
  // row is computed, the others stay -1) in pixels, as the writers need them.
  void CalculateColWidthsRowHeights(const TCustomExporter& aExporter, std::vector<double>& aColWidths,
                                    std::vector<double>& aRowHeights, int aOnlyRow = -1) const;

  // ---- columns
  bool FindCol(int aColIndex, TExportCol*& aCol) const;
  TExportCol* FindCol(int aColIndex) const;
  TExportCol& FindCreateCol(int aColIndex) { return fCols->GetEC(aColIndex); }

  // ---- new-cell settings (read only when a cell is created)
  TCellHAlignment NewCellStringAlignment() const { return fNewCellStringAlignment; }
  TExportWorkSheet& SetNewCellStringAlignment(TCellHAlignment v) { fNewCellStringAlignment = v; return *this; }
  bool NewCellStringUseSharedStrings() const { return fNewCellStringUseSharedStrings; }
  TExportWorkSheet& SetNewCellStringUseSharedStrings(bool v) { fNewCellStringUseSharedStrings = v; return *this; }
  const std::string& NewCellStringFormat() const { return fNewCellStringFormat; }
  TExportWorkSheet& SetNewCellStringFormat(const std::string& v) { fNewCellStringFormat = v; return *this; }
  TCellHAlignment NewCellDateTimeAlignment() const { return fNewCellDateTimeAlignment; }
  TExportWorkSheet& SetNewCellDateTimeAlignment(TCellHAlignment v) { fNewCellDateTimeAlignment = v; return *this; }
  const std::string& NewCellDateFormat() const { return fNewCellDateFormat; }
  TExportWorkSheet& SetNewCellDateFormat(const std::string& v) { fNewCellDateFormat = v; return *this; }
  const std::string& NewCellTimeFormat() const { return fNewCellTimeFormat; }
  TExportWorkSheet& SetNewCellTimeFormat(const std::string& v) { fNewCellTimeFormat = v; return *this; }
  TCellHAlignment NewCellNumberAlignment() const { return fNewCellNumberAlignment; }
  TExportWorkSheet& SetNewCellNumberAlignment(TCellHAlignment v) { fNewCellNumberAlignment = v; return *this; }
  bool NewCellNumberEmptyIfZero() const { return fNewCellNumberEmptyIfZero; }
  TExportWorkSheet& SetNewCellNumberEmptyIfZero(bool v) { fNewCellNumberEmptyIfZero = v; return *this; }
  TCellVAlignment NewCellVAlignment() const { return fNewCellVAlignment; }
  TExportWorkSheet& SetNewCellVAlignment(TCellVAlignment v) { fNewCellVAlignment = v; return *this; }
  bool NewCellWrapText() const { return fNewCellWrapText; }
  TExportWorkSheet& SetNewCellWrapText(bool v) { fNewCellWrapText = v; return *this; }
  TColor NewCellBGColor() const { return fNewCellBGColor; }
  TExportWorkSheet& SetNewCellBGColor(TColor v) { fNewCellBGColor = v; return *this; }
  // The worksheet's own objects; change them in place.
  TExportFont& NewCellFont() { return fNewCellFont; }
  TExportFont& GetNewCellFont() { return fNewCellFont; }
  TExportCellBorders& NewCellBorders() { return fNewCellBorders; }
  TExportCellBorders& GetNewCellBorders() { return fNewCellBorders; }

 protected:
  void DoCreate() override;

 private:
  friend class TExportCell;
  // A cell's style is being changed in row aRowIndex. Changed cells hold private
  // style copies; when changes move on to another row, the row left behind is
  // packed, so that cells filled in any order (readers) end up sharing styles.
  void NoteCellStyleEdit(int aRowIndex);

  // The row of the last cell style change, -1 before any.
  int fStyleEditRow = -1;
  std::string fTitle;
  std::string fCodeName;
  std::unique_ptr<TExportRows> fRows;
  std::unique_ptr<TExportCols> fCols;
  TExportHeaders fHeader;
  TExportHeaders fFooter;
  TExportPageSettings fPageSettings{this};
  TExportWindowSettings fWindowSettings{this};
  TExportNamedCells fNamedCells;
  std::unique_ptr<TExportCellStyle> fStyle;
  std::string fExcelNumberFormat;
  TExportWorkSheetProtection fProtection;
  TExportWorkSheetVisibility fVisibility = ewvVisible;
  TCellHAlignment fNewCellStringAlignment = cahAuto;
  bool fNewCellStringUseSharedStrings = true;
  std::string fNewCellStringFormat;
  TCellHAlignment fNewCellDateTimeAlignment = cahCenter;
  std::string fNewCellDateFormat = "%sysdate%";
  std::string fNewCellTimeFormat = "%systime%";
  TCellHAlignment fNewCellNumberAlignment = cahRight;
  bool fNewCellNumberEmptyIfZero = false;
  TCellVAlignment fNewCellVAlignment = cavAuto;
  TExportCellBorders fNewCellBorders;
  bool fNewCellWrapText = false;
  TExportFont fNewCellFont{NewCellFontDefaults()};
  TColor fNewCellBGColor = clNone;

  static TExportFont NewCellFontDefaults();
};

// The worksheets of a workbook, in tab order.
class TExportWorkSheets : public TOwnedList<TExportWorkSheet> {
 public:
  explicit TExportWorkSheets(TExportWorkbook* aWorkbook) : fExportObject(aWorkbook) {}
  TExportWorkbook* ExportObject() const { return fExportObject; }
  // Never creates; list-index error outside the list.
  TExportWorkSheet& GetWS(int aIndex) const { return Get(aIndex); }
  // First worksheet with exactly this title (case-sensitive), or null.
  TExportWorkSheet* Find(const std::string& aTitle) const;

 private:
  TExportWorkbook* fExportObject;
};

}  // namespace sheet
