#pragma once

#include <vector>

namespace sheet {
class TCustomExporter;
class TExportFont;
class TExportWorkSheet;
class TExportWorkbook;
}  // namespace sheet

namespace xlsx {

// Sizes of one worksheet in pixels, computed once before its cell data are
// written: per column and per row, plus the defaults for everything beyond.
struct TSheetMetrics {
  std::vector<double> fColWidths;
  std::vector<double> fRowHeights;
  double fDefaultColWidth = 80;
  double fDefaultRowHeight = 17;
  // Average digit width of the workbook's standard font: pixels per character of column width.
  int fDigitWidth = 7;

  double ColWidth(std::size_t col) const {
    return col < fColWidths.size() && fColWidths[col] >= 0 ? fColWidths[col] : fDefaultColWidth;
  }
  double RowHeight(std::size_t row) const {
    return row < fRowHeights.size() && fRowHeights[row] >= 0 ? fRowHeights[row] : fDefaultRowHeight;
  }
  // A pixel width as column width in characters, clamped to 0 ... 255.99609375.
  double WidthInChars(double pixels) const;
};

TSheetMetrics ComputeSheetMetrics(const sheet::TExportWorkSheet& sheet, const sheet::TCustomExporter& exporter);

}  // namespace xlsx
