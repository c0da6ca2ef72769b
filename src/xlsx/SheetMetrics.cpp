#include "xlsx/SheetMetrics.h"

#include <algorithm>
#include <cmath>

#include "sheet/Sizes.h"
#include "sheet/TextMeasure.h"
#include "sheet/Workbook.h"

namespace xlsx {

double TSheetMetrics::WidthInChars(double pixels) const {
  const double chars = pixels / (fDigitWidth > 0 ? fDigitWidth : 7);
  return std::clamp(chars, 0.0, 255.99609375);
}

TSheetMetrics ComputeSheetMetrics(const sheet::TExportWorkSheet& sheet, const sheet::TCustomExporter& exporter) {
  TSheetMetrics m;
  m.fDefaultColWidth = sheet::SheetDefaultColWidth(sheet);
  m.fDefaultRowHeight = sheet::SheetDefaultRowHeight(sheet, true);
  sheet.CalculateColWidthsRowHeights(exporter, m.fColWidths, m.fRowHeights);
  const sheet::TExportWorkbook* workbook = sheet.ExportObject();
  const sheet::TExportFont& standard = workbook ? workbook->StandardFont() : sheet.Style().Font_ReadOnly();
  m.fDigitWidth = static_cast<int>(std::floor(sheet::DefaultTextMeasure().AverageDigitWidth(sheet::MeasuredFontOf(standard))));
  return m;
}

}  // namespace xlsx
