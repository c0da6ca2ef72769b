#pragma once

#include <memory>
#include <string>

#include "sheet/OwnedList.h"
#include "sheet/Style.h"
#include "sheet/Types.h"

namespace sheet {

class TExportWorkSheet;

class TExportCol : public TOwnedListObject {
 public:
  TExportCol();
  ~TExportCol() override;
  int ColIndex() const { return IndexInList(); }
  TExportWorkSheet* WorkSheet() const;

  // Pixels; negative = the worksheet's default width.
  double Width() const { return fWidth; }
  TExportCol& SetWidth(double aWidth) { fWidth = aWidth; return *this; }
  bool Hidden() const { return fHidden; }
  TExportCol& SetHidden(bool v) { fHidden = v; return *this; }
  bool PageBreakBefore() const { return fPageBreakBefore; }
  TExportCol& SetPageBreakBefore(bool v) { fPageBreakBefore = v; return *this; }
  TExportGroupLevel GroupLevel() const { return fGroupLevel; }
  // Clamped to 0 ... 7.
  TExportCol& SetGroupLevel(TExportGroupLevel aLevel);
  TExportCol& IncGroupLevel(int aAdd) { return SetGroupLevel(fGroupLevel + aAdd); }
  // The column's own style, created on first access as a copy of the worksheet style.
  TExportCellStyle& Style();
  bool StyleAssigned() const { return fStyle != nullptr; }
  TExportCellStyle* StyleIfAssigned() const { return fStyle.get(); }
  const std::string& ExcelNumberFormat() const { return fExcelNumberFormat; }
  TExportCol& SetExcelNumberFormat(const std::string& v) { fExcelNumberFormat = v; return *this; }

 protected:
  void DoCreate() override;

 private:
  double fWidth = -1;
  bool fHidden = false;
  bool fPageBreakBefore = false;
  std::unique_ptr<TExportCellStyle> fStyle;
  TExportGroupLevel fGroupLevel = 0;
  std::string fExcelNumberFormat;
};

class TExportCols : public TOwnedList<TExportCol> {
 public:
  explicit TExportCols(TExportWorkSheet* aWorkSheet) : fWorkSheet(aWorkSheet) {}
  TExportWorkSheet* WorkSheet() const { return fWorkSheet; }
  // Column aIndex, appending columns until it exists.
  TExportCol& GetEC(int aIndex);
  double DefaultWidth() const { return fDefaultWidth; }
  TExportCols& SetDefaultWidth(double v) { fDefaultWidth = v; return *this; }
  void GroupCols(int aLeftCol, int aRightCol, bool aHideCols);
  void UnGroupCols(int aLeftCol, int aRightCol, bool aShowCols);

 private:
  TExportWorkSheet* fWorkSheet;
  double fDefaultWidth = -1;
};

}  // namespace sheet
