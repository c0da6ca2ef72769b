#include "ods/TableWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "ods/AutomaticStyles.h"
#include "ods/OdfText.h"
#include "ods/OdfUnits.h"
#include "sheet/Workbook.h"
#include "xlsx/DeflatedChunks.h"
#include "xlsx/XmlText.h"
#include "xlsx/XmlWriter.h"

namespace ods {

using namespace sheet;
using xlsx::TXMLWriter;

namespace {

// Cell texts are the user's: characters XML cannot carry are left out by
// the paragraph writer, bytes that are no UTF-8 become U+FFFD.
constexpr xlsx::TXMLWriterSettings kContentXml{xlsx::TXMLLineBreak::lbLF, false};

// A date serial as "2026-12-09T10:30:00": days from 30 December 1899 (the
// day both spreadsheet formats count from for the dates they agree on), or
// from 1 January 1904.
std::string IsoDateTime(double serial, bool use1904) {
  double whole = std::floor(serial);
  long long seconds = std::llround((serial - whole) * 86400.0);
  if (seconds >= 86400) {
    seconds -= 86400;
    whole += 1;
  }
  // Civil date from days since 1970-01-01 (H. Hinnant's algorithm).
  const long long z = static_cast<long long>(whole) + (use1904 ? 1462 : 0) - 25569 + 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const long long d = doy - (153 * mp + 2) / 5 + 1;
  const long long m = mp < 10 ? mp + 3 : mp - 9;
  const long long y = yoe + era * 400 + (m <= 2 ? 1 : 0);
  char out[128];
  std::snprintf(out, sizeof out, "%04lld-%02lld-%02lldT%02lld:%02lld:%02lld", y, m, d, seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  return out;
}

// A time serial as an ISO duration, "PT10H30M00S"; days count as hours.
std::string IsoDuration(double serial) {
  const long long seconds = std::llround(std::fabs(serial) * 86400.0);
  char out[48];
  std::snprintf(out, sizeof out, "%sPT%lldH%02lldM%02lldS", serial < 0 ? "-" : "", seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  return out;
}

bool OmitsValue(const TExportCellCustomNumber& n) {
  const double v = n.Value();
  return !std::isfinite(v) || (v == 0 && (!n.ValueAssigned() || n.EmptyIfZero()));
}

}  // namespace

TTableWriter::TTableWriter(TAutomaticStyles& styles, const TCustomExporter& exporter, text::TRegionalSettings region)
    : fStyles(styles), fExporter(exporter), fRegion(std::move(region)) {}

void TTableWriter::Write(const TExportWorkSheet& sheet, const std::string& masterPage, xlsx::TDeflatedChunks& chunks) {
  TExportWorkbook& workbook = *sheet.ExportObject();
  fUse1904 = workbook.Use1904DateSystem();
  fMetrics = xlsx::ComputeSheetMetrics(sheet, fExporter);
  fCovered.clear();
  TXMLWriter w(chunks.Buffer(), kContentXml);

  const TExportRows& rows = sheet.Rows();
  int lastRow = rows.Count() - 1, columns = 1;
  for (int r = 0; r < rows.Count(); ++r) {
    const TExportRow& row = rows.Get(r);
    columns = std::max(columns, row.Cells().Count());
    for (int c = 0; c < row.Cells().Count(); ++c)
      lastRow = std::max(lastRow, r + std::max(row.Cells().GetC(c).RowSpan(), 1) - 1);
  }
  columns = std::max(columns, static_cast<int>(fMetrics.fColWidths.size()));
  // Rows and columns printed on every page are written even where they are empty.
  const TExportRange& titleRows = sheet.PageSettings().RowsToRepeat();
  const TExportRange& titleCols = sheet.PageSettings().ColsToRepeat();
  if (titleRows.HasRowPart()) lastRow = std::max(lastRow, titleRows.BottomRow());
  if (titleCols.HasColPart()) columns = std::max(columns, titleCols.RightCol() + 1);

  w.Start("table:table").Attribute("table:name", sheet.Title());
  w.Attribute("table:style-name", fStyles.TableStyle(masterPage, sheet.Visibility() == ewvVisible));
  const TExportRange& area = sheet.PageSettings().PrintRange();
  if (area.HasColPart() || area.HasRowPart()) {
    const int c1 = area.HasColPart() ? area.Col() : 0, r1 = area.HasRowPart() ? area.Row() : 0;
    const int c2 = area.HasColPart() ? area.RightCol() : columns - 1, r2 = area.HasRowPart() ? area.BottomRow() : std::max(lastRow, 0);
    w.Attribute("table:print-ranges", AbsoluteRangeAddress(sheet.Title(), c1, r1, c2, r2));
  }
  w.EndStart();
  WriteColumns(w, sheet, columns);

  const TExportRange& titles = titleRows;
  int cellsInChunk = 0;
  workbook.DoProgress(epnRow, 0, rows.Count());
  for (int r = 0; r <= lastRow; ++r) {
    std::erase_if(fCovered, [r](const TCoveredRange& c) { return c.fRow2 < r; });
    if (titles.HasRowPart() && r == titles.Row()) {
      FlushRun(w, fEmptyRows, "table:number-rows-repeated", "table:table-row");
      w.Start("table:table-header-rows").EndStart();
    }
    WriteRow(w, sheet, r);
    if (titles.HasRowPart() && r == titles.BottomRow()) {
      FlushRun(w, fEmptyRows, "table:number-rows-repeated", "table:table-row");
      w.End("table:table-header-rows");
    }
    if (r < rows.Count() && (cellsInChunk += rows.Get(r).Cells().Count()) > kChunkCells) {
      FlushRun(w, fEmptyRows, "table:number-rows-repeated", "table:table-row");
      chunks.CloseChunk();
      cellsInChunk = 0;
      workbook.DoProgress(epnRow, r, rows.Count(), xlsx::IntText(r));
    }
  }
  FlushRun(w, fEmptyRows, "table:number-rows-repeated", "table:table-row");
  w.End("table:table");
  chunks.CloseChunk();
}

// <table:table-column>s: runs of columns alike, the columns printed on every
// page inside <table:table-header-columns>.
void TTableWriter::WriteColumns(TXMLWriter& w, const TExportWorkSheet& sheet, int columns) {
  const TExportRange& titles = sheet.PageSettings().ColsToRepeat();
  TPendingRun run;
  for (int j = 0; j < columns; ++j) {
    const TExportCol* col = sheet.FindCol(j);
    const bool breakBefore = col && col->PageBreakBefore();
    std::string markup = "<table:table-column table:style-name=\"" +
                         fStyles.ColumnStyle(fMetrics.ColWidth(static_cast<std::size_t>(j)), breakBefore) + "\"";
    const TExportCellStyle& style = col && col->StyleAssigned() ? *col->StyleIfAssigned() : sheet.Style();
    markup += " table:default-cell-style-name=\"" +
              fStyles.CellStyle(style, col ? col->ExcelNumberFormat() : sheet.ExcelNumberFormat()) + "\"";
    if (col && col->Hidden()) markup += " table:visibility=\"collapse\"";
    if (titles.HasColPart() && j == titles.Col()) {
      FlushRun(w, run, "table:number-columns-repeated", nullptr);
      w.Start("table:table-header-columns").EndStart();
    }
    AddRun(w, run, markup, "table:number-columns-repeated", nullptr);
    if (titles.HasColPart() && j == titles.RightCol()) {
      FlushRun(w, run, "table:number-columns-repeated", nullptr);
      w.End("table:table-header-columns");
    }
  }
  FlushRun(w, run, "table:number-columns-repeated", nullptr);
}

// The start tag of row r without its end: style, visibility, default cell style.
std::string TTableWriter::RowStart(const TExportWorkSheet& sheet, int r) {
  const TExportRow* row = r < sheet.Rows().Count() ? &sheet.Rows().Get(r) : nullptr;
  const bool breakBefore = row && row->PageBreakBefore();
  const bool optimal = !row || row->CalculateRowHeight() == erhForceAuto;
  std::string markup = "<table:table-row table:style-name=\"" +
                       fStyles.RowStyle(fMetrics.RowHeight(static_cast<std::size_t>(r)), breakBefore, optimal) + "\"";
  if (row && row->Hidden()) markup += " table:visibility=\"collapse\"";
  if (row && (row->StyleAssigned() || row->ExcelNumberFormat() != sheet.ExcelNumberFormat())) {
    const TExportCellStyle& style = row->StyleAssigned() ? *row->StyleIfAssigned() : sheet.Style();
    markup += " table:default-cell-style-name=\"" + fStyles.CellStyle(style, row->ExcelNumberFormat()) + "\"";
  }
  return markup;
}

bool TTableWriter::RowIsEmpty(const TExportWorkSheet& sheet, int r) const {
  return (r >= sheet.Rows().Count() || sheet.Rows().Get(r).Cells().Count() == 0) && LastCoveredCol(r) < 0;
}

void TTableWriter::WriteRow(TXMLWriter& w, const TExportWorkSheet& sheet, int r) {
  const std::string start = RowStart(sheet, r);
  if (RowIsEmpty(sheet, r)) {
    // An empty row still holds one cell in the notation.
    AddRun(w, fEmptyRows, start, "table:number-rows-repeated", "table:table-row");
    return;
  }
  FlushRun(w, fEmptyRows, "table:number-rows-repeated", "table:table-row");
  w.Raw(start);
  w.Raw(">");
  WriteCells(w, r < sheet.Rows().Count() ? &sheet.Rows().Get(r) : nullptr, r);
  w.End("table:table-row");
}

void TTableWriter::WriteCells(TXMLWriter& w, const TExportRow* row, int r) {
  const int count = row ? row->Cells().Count() : 0;
  const int last = std::max(count - 1, LastCoveredCol(r));
  for (int c = 0; c <= last;) {
    if (const TCoveredRange* covered = CoveredAt(c, r)) {
      WriteCovered(w, c < count ? &row->Cells().GetC(c) : nullptr, covered->fStyle);
      ++c;
      continue;
    }
    if (c >= count) {
      AddRun(w, fEmptyCells, "<table:table-cell", "table:number-columns-repeated", nullptr);
      ++c;
      continue;
    }
    const TExportCell& cell = row->Cells().GetC(c);
    const std::string& style = fStyles.CellStyle(cell.Style(), cell.ExcelNumberFormatForWriter());
    const int colSpan = std::max(cell.ColSpan(), 1), rowSpan = std::max(cell.RowSpan(), 1);
    WriteCell(w, cell, style);
    if (rowSpan > 1) fCovered.push_back({c, c + colSpan - 1, r + 1, r + rowSpan - 1, style});
    for (int k = 1; k < colSpan; ++k) WriteCovered(w, row->FindCell(c + k), style);
    c += colSpan;
  }
  FlushRun(w, fEmptyCells, "table:number-columns-repeated", nullptr);
}

// <table:table-cell> with spans, value, pictures and shown text.
void TTableWriter::WriteCell(TXMLWriter& w, const TExportCell& cell, const std::string& style) {
  const bool spans = cell.ColSpan() > 1 || cell.RowSpan() > 1;
  if (cell.CellType() == ectEmpty && !cell.DrawingsIfAny() && !spans) {
    AddRun(w, fEmptyCells, "<table:table-cell table:style-name=\"" + style + "\"", "table:number-columns-repeated", nullptr);
    return;
  }
  FlushRun(w, fEmptyCells, "table:number-columns-repeated", nullptr);
  w.Start("table:table-cell").Attribute("table:style-name", style);
  if (spans) {
    w.Attribute("table:number-columns-spanned", std::max(cell.ColSpan(), 1));
    w.Attribute("table:number-rows-spanned", std::max(cell.RowSpan(), 1));
  }
  const TShownValue shown = WriteValue(w, cell);
  const std::size_t body = w.OpenBody();
  WritePictures(w, cell);
  if (!shown.fText.empty()) WriteParagraphs(w, shown.fText, shown.fLink);
  w.CloseBody(body, "table:table-cell");
}

// The value attributes of a cell; returns the text to show and a link.
TTableWriter::TShownValue TTableWriter::WriteValue(TXMLWriter& w, const TExportCell& cell) {
  const TExportCellType kind = cell.CellType();
  if (kind == ectEmpty) return {};
  if (kind == ectString) {
    const auto& s = static_cast<const TExportCellString&>(cell);
    if (s.Text().empty()) return {};
    w.Attribute("office:value-type", "string");
    return {s.Text(), s.HyperLink()};
  }
  const auto& n = static_cast<const TExportCellCustomNumber&>(cell);
  if (OmitsValue(n)) return {};
  const double v = n.Value();
  switch (kind) {
    case ectPercent:
      w.Attribute("office:value-type", "percentage").NumberAttribute("office:value", v);
      break;
    case ectDate:
    case ectDateTime:
      w.Attribute("office:value-type", "date").Attribute("office:date-value", IsoDateTime(v, fUse1904));
      break;
    case ectTime:
      w.Attribute("office:value-type", "time").Attribute("office:time-value", IsoDuration(v));
      break;
    case ectBoolean:
      w.Attribute("office:value-type", "boolean").Attribute("office:boolean-value", v != 0 ? "true" : "false");
      break;
    default:
      w.Attribute("office:value-type", "float").NumberAttribute("office:value", v);
      break;
  }
  return {cell.FormattedText(&fRegion), {}};
}

// <draw:frame>s of the cell's pictures, placed from the cell's corner with the model's size.
void TTableWriter::WritePictures(TXMLWriter& w, const TExportCell& cell) {
  const TExportCellDrawings* drawings = cell.DrawingsIfAny();
  if (!drawings) return;
  for (const TExportCellDrawing& d : *drawings) {
    if (!d.Drawing() || !d.Drawing()->IsImage()) continue;
    const auto& image = static_cast<const TExportImage&>(*d.Drawing());
    const TExportRect& rect = d.Rect();
    w.Start("draw:frame").Attribute("draw:z-index", fFrames++).Attribute("draw:name", image.Name());
    w.Attribute("draw:style-name", fStyles.GraphicStyle(d.DrawingStyle()));
    w.Attribute("svg:width", CmFromPixels(rect.Width())).Attribute("svg:height", CmFromPixels(rect.Height()));
    w.Attribute("svg:x", CmFromPixels(rect.Left)).Attribute("svg:y", CmFromPixels(rect.Top)).EndStart();
    w.Start("draw:image").Attribute("xlink:href", PicturePath(image)).Attribute("xlink:type", "simple");
    w.Attribute("xlink:show", "embed").Attribute("xlink:actuate", "onLoad").EndEmpty();
    w.TextElement("svg:desc", image.Name() + "." + image.Ext());
    w.End("draw:frame");
  }
}

// <table:covered-table-cell>: under a spanning cell; pictures placed on it stay.
void TTableWriter::WriteCovered(TXMLWriter& w, const TExportCell* placeholder, const std::string& style) {
  if (!placeholder || !placeholder->DrawingsIfAny()) {
    AddRun(w, fEmptyCells, "<table:covered-table-cell table:style-name=\"" + style + "\"", "table:number-columns-repeated",
           nullptr);
    return;
  }
  FlushRun(w, fEmptyCells, "table:number-columns-repeated", nullptr);
  w.Start("table:covered-table-cell").Attribute("table:style-name", style).EndStart();
  WritePictures(w, *placeholder);
  w.End("table:covered-table-cell");
}

const TTableWriter::TCoveredRange* TTableWriter::CoveredAt(int col, int row) const {
  for (const TCoveredRange& c : fCovered)
    if (col >= c.fCol1 && col <= c.fCol2 && row >= c.fRow1 && row <= c.fRow2) return &c;
  return nullptr;
}

int TTableWriter::LastCoveredCol(int row) const {
  int last = -1;
  for (const TCoveredRange& c : fCovered)
    if (row >= c.fRow1 && row <= c.fRow2) last = std::max(last, c.fCol2);
  return last;
}

// Adds one element to a run of equal ones; a different one ends the run.
// `element` is the end tag's name, or none for an empty element.
void TTableWriter::AddRun(TXMLWriter& w, TPendingRun& run, const std::string& markup, const char* repeatAttribute,
                          const char* element) {
  if (run.fCount > 0 && run.fMarkup != markup) FlushRun(w, run, repeatAttribute, element);
  run.fMarkup = markup;
  ++run.fCount;
}

void TTableWriter::FlushRun(TXMLWriter& w, TPendingRun& run, const char* repeatAttribute, const char* element) {
  if (run.fCount == 0) return;
  w.Raw(run.fMarkup);
  if (run.fCount > 1) w.Attribute(repeatAttribute, run.fCount);
  if (element) {
    // A repeated empty row holds one empty cell.
    w.Raw("><table:table-cell/>");
    w.End(element);
  } else {
    w.EndEmpty();
  }
  run.fCount = 0;
}

}  // namespace ods
