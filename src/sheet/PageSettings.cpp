#include "sheet/PageSettings.h"

#include "sheet/Worksheet.h"

namespace sheet {

namespace {
TExportRange Absolute(const TExportRange& aRange, TExportWorkSheet* aSheet) {
  TExportRange r = aRange;
  r.SetWorkSheet(aSheet).SetCol1Abs(true).SetRow1Abs(true).SetCol2Abs(true).SetRow2Abs(true);
  return r;
}
}  // namespace

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
