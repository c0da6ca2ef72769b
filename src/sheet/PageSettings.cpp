#include "sheet/PageSettings.h"

#include "sheet/Worksheet.h"

namespace sheet {

namespace {
TExportRange Absolute(const TExportRange& aRange, TExportWorkSheet* aSheet) {
  TExportRange r = aRange;
  r.SetWorkSheet(aSheet).SetCol1Abs(true).SetRow1Abs(true).SetCol2Abs(true).SetRow2Abs(true);
  return r;
}

struct TPaperSize {
  TExportPaperType fType;
  double fWidthMm;
  double fHeightMm;
};

// The spreadsheet paper codes that offers are printed on in practice.
constexpr TPaperSize kPaperSizes[] = {
    {eptLetter, 215.9, 279.4}, {eptLetterSmall, 215.9, 279.4}, {eptTabloid, 279.4, 431.8},
    {eptLedger, 431.8, 279.4}, {eptLegal, 215.9, 355.6},       {eptStatement, 139.7, 215.9},
    {eptExecutive, 184.15, 266.7}, {eptA3, 297, 420},          {eptA4, 210, 297},
    {eptA4Small, 210, 297},    {eptA5, 148, 210},
};

TPaperSize PaperOf(TExportPaperType aType) {
  for (const TPaperSize& paper : kPaperSizes) {
    if (paper.fType == aType) return paper;
  }
  return {eptA4, 210, 297};
}

constexpr double kPixelsPerCm = 96 / 2.54;

}  // namespace

double TExportPageSettings::PaperWidthMm() const {
  const TPaperSize paper = PaperOf(fPaperType);
  return fPageOrientation == epoLandscape ? paper.fHeightMm : paper.fWidthMm;
}

double TExportPageSettings::PaperHeightMm() const {
  const TPaperSize paper = PaperOf(fPaperType);
  return fPageOrientation == epoLandscape ? paper.fWidthMm : paper.fHeightMm;
}

double TExportPageSettings::PrintableWidth() const {
  return (PaperWidthMm() / 10 - fMarginLeft - fMarginRight) * kPixelsPerCm;
}

double TExportPageSettings::PrintableHeight() const {
  return (PaperHeightMm() / 10 - fMarginTop - fMarginBottom) * kPixelsPerCm;
}

std::string TExportPageSettings::PrintAreaName() const {
  if (!fPrintRange.HasColPart() && !fPrintRange.HasRowPart()) return {};
  return Absolute(fPrintRange, fWorkSheet).Name(true);
}

std::string TExportPageSettings::PrintTitlesName() const {
  std::string s;
  if (fColsToRepeat.HasColPart()) {
    TExportRange cols = fColsToRepeat;
    cols.SetRow(-1).SetRowSpan(-1);
    s = Absolute(cols, fWorkSheet).Name(true);
  }
  if (fRowsToRepeat.HasRowPart()) {
    TExportRange rows = fRowsToRepeat;
    rows.SetCol(-1).SetColSpan(-1);
    if (!s.empty()) s += ",";
    s += Absolute(rows, fWorkSheet).Name(true);
  }
  return s;
}

}  // namespace sheet
