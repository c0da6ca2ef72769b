#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "sheet/OwnedList.h"
#include "sheet/Style.h"
#include "sheet/Types.h"

namespace sheet {

class TExportWorkSheet;

// A width that depends on a font's average digit width, measured the first
// time any such width is asked for and then kept: a reader that only wants
// cell texts never measures a font. Shared by the columns that use it.
class TLazyDigitWidth {
 public:
  explicit TLazyDigitWidth(std::function<double()> measure) : fMeasure(std::move(measure)) {}
  double DigitWidth() const {
    std::call_once(fOnce, [this] { fDigitWidth = fMeasure(); });
    return fDigitWidth;
  }

 private:
  std::function<double()> fMeasure;
  mutable std::once_flag fOnce;
  mutable double fDigitWidth = 0;
};

// A width in pixels from the digit width.
struct TLazyWidth {
  std::shared_ptr<const TLazyDigitWidth> fDigits;
  std::function<double(double digitWidth)> fPixels;
  double Get() const { return fPixels(fDigits->DigitWidth()); }
};

// A width in pixels: given, or measured when it is first asked for.
class TWidthInPixels {
 public:
  double Get() const { return fLazy ? fLazy->Get() : fPixels; }
  void Set(double pixels) {
    fPixels = pixels;
    fLazy.reset();
  }
  void SetLazy(TLazyWidth width) { fLazy = std::make_unique<TLazyWidth>(std::move(width)); }

 private:
  double fPixels = -1;  // negative: the default
  std::unique_ptr<TLazyWidth> fLazy;
};

class TExportCol : public TOwnedListObject {
 public:
  TExportCol();
  ~TExportCol() override;
  int ColIndex() const { return IndexInList(); }
  TExportWorkSheet* WorkSheet() const;

  // Pixels; negative = the worksheet's default width.
  double Width() const { return fWidth.Get(); }
  TExportCol& SetWidth(double aWidth) {
    fWidth.Set(aWidth);
    return *this;
  }
  // A width measured only when it is asked for.
  TExportCol& SetLazyWidth(TLazyWidth width) {
    fWidth.SetLazy(std::move(width));
    return *this;
  }
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
  TWidthInPixels fWidth;
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
  double DefaultWidth() const { return fDefaultWidth.Get(); }
  TExportCols& SetDefaultWidth(double v) {
    fDefaultWidth.Set(v);
    return *this;
  }
  TExportCols& SetLazyDefaultWidth(TLazyWidth width) {
    fDefaultWidth.SetLazy(std::move(width));
    return *this;
  }
  void GroupCols(int aLeftCol, int aRightCol, bool aHideCols);
  void UnGroupCols(int aLeftCol, int aRightCol, bool aShowCols);

 private:
  TExportWorkSheet* fWorkSheet;
  TWidthInPixels fDefaultWidth;
};

}  // namespace sheet
