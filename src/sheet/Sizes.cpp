#include "sheet/Sizes.h"

#include <algorithm>
#include <cmath>

#include "sheet/FontLineHeights.h"
#include "sheet/FormatRegistry.h"
#include "sheet/Worksheet.h"

namespace sheet {

int GetRowHeightFromFont(const TExportFont& aFont) {
  return RowHeightFromFont(aFont.Name(), aFont.Size(), aFont.Style().Escapement());
}

TMeasuredFont MeasuredFontOf(const TExportFont& aFont) {
  TMeasuredFont measured;
  measured.fName = aFont.Name();
  measured.fSize = aFont.Size();
  const TExportFontStyle& s = aFont.Style();
  measured.fBold = s.Bold() == efsYes;
  measured.fItalic = s.Italic() == efsYes;
  measured.fUnderline = s.Underline() != efuAuto && s.Underline() != efuNo;
  measured.fStrikeOut = s.StrikeOut() == efsYes;
  return measured;
}

double SheetDefaultColWidth(const TExportWorkSheet& aSheet) {
  const double w = aSheet.Cols().DefaultWidth();
  return w > 0 ? w : kDefaultColWidth;
}

double SheetDefaultRowHeight(const TExportWorkSheet& aSheet, bool aIsEmptyRow, bool* aIsFontHeight) {
  const double fontHeight = GetRowHeightFromFont(aSheet.Style().Font_ReadOnly());
  double result = fontHeight;
  if (aSheet.Rows().DefaultHeight() > 0 && aIsEmptyRow) result = aSheet.Rows().DefaultHeight();
  if (aIsFontHeight) *aIsFontHeight = result == fontHeight;
  return result;
}

namespace {

// Sub- and superscript text is drawn smaller.
TMeasuredFont ScriptScaledFont(const TExportFont& aFont) {
  TMeasuredFont measured = MeasuredFontOf(aFont);
  const auto esc = aFont.Style().Escapement();
  if (esc == efeSubscript || esc == efeSuperscript) measured.fSize = std::round(measured.fSize * 0.6);
  return measured;
}

}  // namespace

double CellAutoWidth(const TExportCell& aCell, const TCustomExporter& aExporter, TTextMeasure& aMeasure) {
  const TExportFont& font = aCell.Font_ReadOnly();
  const auto* str = dynamic_cast<const TExportCellString*>(&aCell);
  if (str && !str->RichTextTags().empty()) {
    double width = 0;
    bool first = true;
    for (const TRichTextRun& run : str->RichTextTags()) {
      if (!first) width += aExporter.RunSpacing();
      first = false;
      width += aMeasure.TextWidth(ScriptScaledFont(run.fFont ? *run.fFont : font), run.fText);
    }
    return width + aExporter.CellPadding();
  }
  return aMeasure.TextWidth(ScriptScaledFont(font), aCell.FormattedText()) + aExporter.CellPadding();
}

double CellAutoHeight(const TExportCell& aCell, double aWidth, const TCustomExporter& aExporter) {
  double height = GetRowHeightFromFont(aCell.Font_ReadOnly());
  const auto* str = dynamic_cast<const TExportCellString*>(&aCell);
  if (!str) return height;
  for (const TRichTextRun& run : str->RichTextTags())
    if (run.fFont) height = std::max<double>(height, GetRowHeightFromFont(*run.fFont));
  const TExportRow* row = aCell.Row();
  const TExportCalculateRowHeight mode = row ? row->CalculateRowHeight() : erhSingleLine;
  if (str->WrapText() && str->RowSpan() == 1 &&
      (mode == erhMultiLine || (mode == erhForceAuto && str->ColSpan() == 1)))
    return aExporter.GetMultiLineRowHeight(aCell, aWidth);
  return height;
}

double MultiLineCellHeight(const TExportCell& aCell, double aRealColWidth, TTextMeasure& aMeasure) {
  double width = aRealColWidth;
  const TExportWorkSheet* sheet = aCell.WorkSheet();
  if (width <= 0 && sheet) {
    if (const TExportCol* col = sheet->FindCol(aCell.ColIndex())) width = col->Width();
  }
  if (width <= 0) width = sheet ? SheetDefaultColWidth(*sheet) : kDefaultColWidth;
  const TExportFont& font = aCell.Font_ReadOnly();
  return MultiLineRowHeight(aMeasure, MeasuredFontOf(font), aCell.FormattedText(), width, GetRowHeightFromFont(font));
}

void TExportWorkSheet::CalculateColWidthsRowHeights(const TCustomExporter& aExporter, std::vector<double>& aColWidths,
                                                    std::vector<double>& aRowHeights, int aOnlyRow) const {
  const double defaultColWidth = SheetDefaultColWidth(*this);
  TTextMeasure& measure = DefaultTextMeasure();

  aColWidths.clear();
  for (const TExportCol& col : *fCols) aColWidths.push_back(col.Width() >= 0 ? col.Width() : defaultColWidth);
  std::vector<double> autoWidths(aColWidths.size(), -1);
  for (const TExportRow& row : *fRows) {
    const TExportCells& cells = row.Cells();
    for (int c = 0; c < cells.Count(); c += std::max(cells.At(c).ColSpan(), 1)) {
      if (c >= static_cast<int>(aColWidths.size())) {
        aColWidths.resize(static_cast<std::size_t>(c) + 1, -1);
        autoWidths.resize(static_cast<std::size_t>(c) + 1, -1);
      }
      const TExportCell& cell = cells.At(c);
      if (!cell.CalculateColWidth()) continue;
      double& best = autoWidths[static_cast<std::size_t>(c)];
      best = std::max(best, CellAutoWidth(cell, aExporter, measure));
    }
  }
  for (std::size_t i = 0; i < aColWidths.size(); ++i) {
    if (autoWidths[i] >= 0) aColWidths[i] = autoWidths[i];
    aColWidths[i] = std::min(aColWidths[i], kMaxComputedColWidth);
  }

  const double defaultRowHeight = SheetDefaultRowHeight(*this, false);
  aRowHeights.assign(static_cast<std::size_t>(fRows->Count()), -1);
  const int first = aOnlyRow >= 0 ? aOnlyRow : 0;
  const int last = aOnlyRow >= 0 ? std::min(aOnlyRow, fRows->Count() - 1) : fRows->Count() - 1;
  for (int r = first; r <= last; ++r) {
    const TExportRow& row = fRows->At(r);
    if (row.Height() >= 0) {
      aRowHeights[static_cast<std::size_t>(r)] = row.Height();
      continue;
    }
    double height = defaultRowHeight;
    const TExportCells& cells = row.Cells();
    for (int c = 0; c < cells.Count(); c += std::max(cells.At(c).ColSpan(), 1)) {
      const TExportCell& cell = cells.At(c);
      double width = 0;
      for (int k = c; k < c + std::max(cell.ColSpan(), 1); ++k) {
        const double w = k < static_cast<int>(aColWidths.size()) ? aColWidths[static_cast<std::size_t>(k)] : -1;
        width += w >= 0 ? w : defaultColWidth;
      }
      height = std::max(height, CellAutoHeight(cell, width, aExporter));
    }
    aRowHeights[static_cast<std::size_t>(r)] = height;
  }
}

namespace {
double SizeAt(const std::vector<double>& aSizes, int aIndex, double aDefault) {
  return aIndex >= 0 && aIndex < static_cast<int>(aSizes.size()) && aSizes[static_cast<std::size_t>(aIndex)] >= 0
             ? aSizes[static_cast<std::size_t>(aIndex)]
             : aDefault;
}

void Locate(double aPos, const std::vector<double>& aSizes, double aDefault, int& aIndex, int& aOffset) {
  int index = 0;
  double pos = std::max(aPos, 0.0);
  while (true) {
    const double s = SizeAt(aSizes, index, aDefault);
    if (s <= 0 && index >= static_cast<int>(aSizes.size())) break;
    if (s > 0 && pos < s) break;
    pos -= std::max(s, 0.0);
    ++index;
  }
  aIndex = index;
  aOffset = static_cast<int>(std::lround(pos));
}
}  // namespace

TExportCellPosition PositionToCell(double aX, double aY, const std::vector<double>& aColWidths,
                                   const std::vector<double>& aRowHeights, double aDefaultColWidth,
                                   double aDefaultRowHeight) {
  TExportCellPosition p;
  Locate(aX, aColWidths, aDefaultColWidth, p.fCol, p.fOffsetX);
  Locate(aY, aRowHeights, aDefaultRowHeight, p.fRow, p.fOffsetY);
  return p;
}

void CellToPosition(const TExportCellPosition& aCell, const std::vector<double>& aColWidths,
                    const std::vector<double>& aRowHeights, double aDefaultColWidth, double aDefaultRowHeight,
                    double& aX, double& aY) {
  aX = aCell.fOffsetX;
  for (int c = 0; c < aCell.fCol; ++c) aX += std::max(SizeAt(aColWidths, c, aDefaultColWidth), 0.0);
  aY = aCell.fOffsetY;
  for (int r = 0; r < aCell.fRow; ++r) aY += std::max(SizeAt(aRowHeights, r, aDefaultRowHeight), 0.0);
}

}  // namespace sheet
