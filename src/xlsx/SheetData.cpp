// The cell data of a worksheet part: <sheetData> with its rows and cells,
// streamed into deflated chunks. While the cells are written their formats
// get their xf numbers, and merged ranges, row breaks, links and pictures
// are collected for the elements and parts written after them.
#include <algorithm>
#include <cmath>

#include "sheet/Workbook.h"
#include "xlsx/DeflatedChunks.h"
#include "xlsx/WorksheetWriter.h"
#include "xlsx/XmlWriter.h"

namespace xlsx {

using namespace sheet;

namespace {

// A cell holding only its reference and format: a covered or forced cell.
void WriteEmptyCell(TXMLWriter& w, int col, int row, int xf) {
  w.Start("c").CellRefAttribute("r", col, row).Attribute("s", xf).EndEmpty();
}

// <f>: the formula without its leading "=".
void WriteFormula(TXMLWriter& w, const TExportCell& cell) {
  if (!cell.FormulaAssigned()) return;
  w.Start("f").EndStart();
  w.CellText(std::string_view(cell.Formula()).substr(1));
  w.End("f");
}

// The style a row's cells fall back to; a row without its own style has the sheet's.
const TExportCellStyle& RowStyle(const TExportWorkSheet& sheet, const TExportRow& row) {
  return row.StyleAssigned() ? *row.StyleIfAssigned() : sheet.Style();
}

}  // namespace

int TWorksheetWriter::ForcedXf(int col, int row) const {
  for (const TForcedRange& f : fForced)
    if (col >= f.fCol1 && col <= f.fCol2 && row >= f.fRow1 && row <= f.fRow2) return f.fXf;
  return -1;
}

int TWorksheetWriter::LastForcedCol(int row) const {
  int last = -1;
  for (const TForcedRange& f : fForced)
    if (row >= f.fRow1 && row <= f.fRow2) last = std::max(last, f.fCol2);
  return last;
}

int TWorksheetWriter::SheetXf(const TExportWorkSheet& sheet) {
  if (fFound.fSheetXf < 0) fFound.fSheetXf = fStyles.CreateAddStyleUnique(sheet.Style(), sheet.ExcelNumberFormat());
  return fFound.fSheetXf;
}

void TWorksheetWriter::CollectPictures(const TExportCell& cell, int col, int row) {
  const TExportCellDrawings* drawings = cell.DrawingsIfAny();
  if (!drawings) return;
  for (const TExportCellDrawing& d : *drawings)
    if (d.Drawing() && d.Drawing()->IsImage()) fFound.fPictures.push_back({&d, col, row});
}

// <sheetData>'s content, chunk by chunk.
void TWorksheetWriter::WriteSheetData(const TExportWorkSheet& sheet, TDeflatedChunks& chunks) {
  TExportWorkbook& workbook = *sheet.ExportObject();
  const TExportRows& rows = sheet.Rows();
  const int rowCount = rows.Count();
  TXMLWriter w(chunks.Buffer());
  int cellsInChunk = 0;
  workbook.DoProgress(epnRow, 0, rowCount);
  for (int r = 0; r < rowCount; ++r) {
    if (cellsInChunk > kChunkCells) {
      chunks.CloseChunk();
      cellsInChunk = 0;
      workbook.DoProgress(epnRow, r, rowCount, IntText(r));
    }
    std::erase_if(fForced, [r](const TForcedRange& f) { return f.fRow2 < r; });
    WriteRow(w, sheet, rows.Get(r), r, cellsInChunk);
  }
  WriteRowsOnlyForcedRangesReach(w, rowCount);
  fForced.clear();
  chunks.Finish();
}

// <row> with its cells, the cells a spanning cell covers, and the cells that
// row-spanning cells above reach.
void TWorksheetWriter::WriteRow(TXMLWriter& w, const TExportWorkSheet& sheet, const TExportRow& row, int r, int& cells) {
  w.Start("row");
  int rowXf = -1;
  if (row.StyleAssigned() || row.ExcelNumberFormat() != sheet.ExcelNumberFormat()) {
    rowXf = fStyles.CreateAddStyleUnique(RowStyle(sheet, row), row.ExcelNumberFormat());
    w.Attribute("s", rowXf).Attribute("customFormat", 1);
  }
  w.NumberAttribute("ht", fMetrics.RowHeight(static_cast<std::size_t>(r)) * 0.75);
  if (row.CalculateRowHeight() != erhForceAuto) w.Attribute("customHeight", 1);
  if (row.Hidden()) w.Attribute("hidden", 1);
  if (row.GroupLevel() > 0) w.Attribute("outlineLevel", row.GroupLevel());
  w.Attribute("r", r + 1).EndStart();
  if (row.PageBreakBefore()) fFound.fRowBreaks.push_back(r);

  const TExportCells& rowCells = row.Cells();
  const int count = rowCells.Count();
  fFound.fUsedCols = std::max(fFound.fUsedCols, count);
  int c = 0;
  while (c < count) {
    const TExportCell& cell = rowCells.GetC(c);
    const std::string numberFormat = cell.ExcelNumberFormatForWriter();
    const int xf = CellXf(cell, numberFormat, c, r);
    WriteCell(w, cell, c, r, xf);
    ++cells;
    CollectPictures(cell, c, r);
    const int covered = WriteCoveredCells(w, row, cell, c, r, xf, numberFormat);
    cells += covered;
    c += covered + 1;
  }
  cells += WriteForcedCells(w, sheet, c, r, rowXf);
  w.End("row");
}

// A cell below a row-spanning cell takes that cell's format with its own borders over it.
int TWorksheetWriter::CellXf(const TExportCell& cell, const std::string& numberFormat, int col, int row) {
  const int forced = fForced.empty() ? -1 : ForcedXf(col, row);
  if (forced >= 0) return fStyles.CreateAddStyleUniqueApplyBorders(cell.Style(), numberFormat, forced);
  return fStyles.CreateAddStyleUnique(cell.Style(), numberFormat);
}

// <c> with its value: inline or shared string, number or boolean, and formula.
void TWorksheetWriter::WriteCell(TXMLWriter& w, const TExportCell& cell, int col, int row, int xf) {
  w.Start("c").CellRefAttribute("r", col, row).Attribute("s", xf);
  const TExportCellType kind = cell.CellType();
  if (kind == ectString) {
    WriteStringCell(w, cell, col, row);
  } else if (kind == ectEmpty) {
    w.EndStart();
  } else {
    WriteNumberCell(w, cell);
  }
  w.End("c");
}

// The rest of a string cell's <c>: its type, and <is> or <v> with the shared string's index.
void TWorksheetWriter::WriteStringCell(TXMLWriter& w, const TExportCell& cell, int col, int row) {
  const auto& s = static_cast<const TExportCellString&>(cell);
  if (!s.HyperLink().empty()) fFound.fHyperlinks.push_back({CellRef(col, row), s.HyperLink(), s.HyperLinkHint()});
  if (s.Text().empty()) return w.EndStart();
  // A formula's cached text and plain texts are written in place; rich and
  // long texts go to the shared strings.
  if ((!s.UseSharedStrings() && s.RichTextTags().empty()) || cell.FormulaAssigned()) {
    w.Attribute("t", "inlineStr").EndStart();
    WriteFormula(w, cell);
    w.Raw("<is><t>");
    w.CellText(s.Text());
    w.Raw("</t></is>");
  } else {
    w.Attribute("t", "s").EndStart();
    w.Raw("<v>");
    w.Integer(fSharedStrings.Add(s.Text()));
    w.Raw("</v>");
  }
}

// The rest of a number, date or boolean cell's <c>: <f> and <v>.
void TWorksheetWriter::WriteNumberCell(TXMLWriter& w, const TExportCell& cell) {
  const auto& n = static_cast<const TExportCellCustomNumber&>(cell);
  const double v = n.Value();
  // Infinities have no spreadsheet form either: written like NaN, without a value.
  const bool omit = !std::isfinite(v) || (v == 0 && (!cell.ValueAssigned() || n.EmptyIfZero()));
  if (cell.CellType() == ectBoolean && !omit) w.Attribute("t", "b");
  w.EndStart();
  WriteFormula(w, cell);
  if (omit) return;
  w.Raw("<v>");
  w.Number(v);
  w.Raw("</v>");
}

// The cells a column-spanning cell covers in its row; records the merged range
// and, for a row span, the cells it covers below. Returns the covered count.
int TWorksheetWriter::WriteCoveredCells(TXMLWriter& w, const TExportRow& row, const TExportCell& cell, int c, int r,
                                        int xf, const std::string& numberFormat) {
  const int colSpan = std::max(cell.ColSpan(), 1);
  const int rowSpan = std::max(cell.RowSpan(), 1);
  if (colSpan > 1 || rowSpan > 1) fFound.fMerges.push_back(RangeRef(c, r, colSpan, rowSpan));
  if (rowSpan > 1) fForced.push_back({c, c + colSpan - 1, r + 1, r + rowSpan - 1, xf});
  for (int k = 1; k < colSpan; ++k) {
    const TExportCell* placeholder = row.FindCell(c + k);
    if (placeholder) CollectPictures(*placeholder, c + k, r);
    const int coveredXf = placeholder ? fStyles.CreateAddStyleUniqueApplyBorders(placeholder->Style(), numberFormat, xf) : xf;
    WriteEmptyCell(w, c + k, r, coveredXf);
  }
  return colSpan - 1;
}

// Cells past the row's own that row-spanning cells above reach; the gaps
// between them take the row's, the column's or the sheet's format.
int TWorksheetWriter::WriteForcedCells(TXMLWriter& w, const TExportWorkSheet& sheet, int from, int r, int rowXf) {
  const int lastForced = fForced.empty() ? -1 : LastForcedCol(r);
  int written = 0;
  for (int j = from; j <= lastForced; ++j, ++written) {
    int xf = ForcedXf(j, r);
    if (xf < 0) {
      const TExportCol* col = sheet.FindCol(j);
      if (rowXf >= 0) xf = rowXf;
      else if (col && col->StyleAssigned()) xf = fStyles.CreateAddStyleUnique(*col->StyleIfAssigned(), col->ExcelNumberFormat());
      else xf = SheetXf(sheet);
    }
    WriteEmptyCell(w, j, r, xf);
  }
  return written;
}

// Rows past the sheet's last that only row-spanning cells reach.
void TWorksheetWriter::WriteRowsOnlyForcedRangesReach(TXMLWriter& w, int rowCount) {
  int lastRow = rowCount - 1;
  for (const TForcedRange& f : fForced) lastRow = std::max(lastRow, f.fRow2);
  for (int r = rowCount; r <= lastRow; ++r) {
    w.Start("row").Attribute("r", r + 1).EndStart();
    const int last = LastForcedCol(r);
    for (int j = 0; j <= last; ++j) {
      const int xf = ForcedXf(j, r);
      if (xf >= 0) WriteEmptyCell(w, j, r, xf);
    }
    w.End("row");
  }
}

}  // namespace xlsx
