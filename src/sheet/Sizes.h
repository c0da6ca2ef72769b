#pragma once

#include <vector>

#include "sheet/Font.h"
#include "sheet/Images.h"
#include "sheet/TextMeasure.h"

// Column widths and row heights as the file writers compute them, in pixels.
namespace sheet {

class TCustomExporter;
class TExportCell;
class TExportWorkSheet;

// Widest computed column width.
inline constexpr double kMaxComputedColWidth = 2301;
// Column width used when neither the column nor the worksheet gives one.
inline constexpr double kDefaultColWidth = 80;

// Pixel height of one text line in the font (font table, factors 1.124 and 1.75).
int GetRowHeightFromFont(const TExportFont& aFont);
// The measuring service's description of a model font.
TMeasuredFont MeasuredFontOf(const TExportFont& aFont);

// Cols.DefaultWidth when > 0, else 80.
double SheetDefaultColWidth(const TExportWorkSheet& aSheet);
// Line height of the sheet style's font; Rows.DefaultHeight instead for a row
// that does not exist when that is > 0. aIsFontHeight (optional) tells whether
// the result is the font-based height.
double SheetDefaultRowHeight(const TExportWorkSheet& aSheet, bool aIsEmptyRow, bool* aIsFontHeight = nullptr);

// Automatic width of a cell: its display text on one line in its font (sub- and
// superscript at 60 %), rich-text runs each in their own font with the
// exporter's run spacing between them, plus the exporter's cell padding.
double CellAutoWidth(const TExportCell& aCell, const TCustomExporter& aExporter, TTextMeasure& aMeasure);
// Automatic height of a cell given the width of the columns it spans.
double CellAutoHeight(const TExportCell& aCell, double aWidth, const TCustomExporter& aExporter);
// Height of a wrapped string cell as the XLSX and XLS writers compute it (for
// their GetMultiLineRowHeight): the available width falls back to the cell's
// column width and then to the sheet default.
double MultiLineCellHeight(const TExportCell& aCell, double aRealColWidth, TTextMeasure& aMeasure);

// Pixel position <-> cell and offset, with the given sizes (negative or
// missing entries count as the defaults).
TExportCellPosition PositionToCell(double aX, double aY, const std::vector<double>& aColWidths,
                                   const std::vector<double>& aRowHeights, double aDefaultColWidth,
                                   double aDefaultRowHeight);
void CellToPosition(const TExportCellPosition& aCell, const std::vector<double>& aColWidths,
                    const std::vector<double>& aRowHeights, double aDefaultColWidth, double aDefaultRowHeight,
                    double& aX, double& aY);

}  // namespace sheet
