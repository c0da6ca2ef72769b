#include "xlsx/SheetMetrics.h"

#include <algorithm>

#include "sheet/Workbook.h"

namespace xlsx {

double TSheetMetrics::WidthInChars(double pixels) const {
  const double chars = pixels / (fDigitWidth > 0 ? fDigitWidth : 7);
  return std::clamp(chars, 0.0, 255.99609375);
}

namespace {

// Line height of a font in pixels; only the common fonts' table rows are known here.
int RowHeightFromFont(const sheet::TExportFont& font) {
  static const int kArial[] = {2, 4, 5, 6, 7, 10, 12, 14, 15, 16, 17, 18, 19, 22, 23, 24};
  const int size = font.Size();
  int height = static_cast<int>(size * 1.75);
  if (font.Name() == "Arial" && size >= 1 && size <= 16)
    height = std::max(static_cast<int>(kArial[size - 1] * 1.124), height);
  if (font.Style().Escapement() == sheet::efeSubscript) height = static_cast<int>(height * 1.25);
  return height;
}

}  // namespace

TSheetMetrics ComputeSheetMetrics(sheet::TExportWorkSheet& sheet, const sheet::TCustomExporter&) {
  TSheetMetrics m;
  m.fDefaultColWidth = sheet.Cols().DefaultWidth() > 0 ? sheet.Cols().DefaultWidth() : 80;
  m.fDefaultRowHeight =
      sheet.Rows().DefaultHeight() > 0 ? sheet.Rows().DefaultHeight() : RowHeightFromFont(sheet.Style().Font_ReadOnly());
  const double fontRowHeight = RowHeightFromFont(sheet.Style().Font_ReadOnly());
  for (int j = 0; j < sheet.Cols().Count(); ++j) {
    const double w = sheet.Cols().Get(j).Width();
    m.fColWidths.push_back(w >= 0 ? w : m.fDefaultColWidth);
  }
  m.fRowHeights.reserve(static_cast<std::size_t>(sheet.Rows().Count()));
  for (const sheet::TExportRow& row : sheet.Rows()) {
    if (static_cast<std::size_t>(row.CellCount()) > m.fColWidths.size())
      m.fColWidths.resize(static_cast<std::size_t>(row.CellCount()), -1);
    double h = row.Height();
    if (h < 0) {
      h = fontRowHeight;
      for (const sheet::TExportCell& cell : row.Cells())
        h = std::max<double>(h, RowHeightFromFont(cell.Font_ReadOnly()));
    }
    m.fRowHeights.push_back(h);
  }
  return m;
}

}  // namespace xlsx
