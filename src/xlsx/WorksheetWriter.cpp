#include "xlsx/WorksheetWriter.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "sheet/Workbook.h"
#include "text/Utf16.h"
#include "xlsx/DeflatedChunks.h"
#include "xlsx/PackageParts.h"
#include "xlsx/TextWriter.h"
#include "xlsx/XmlDocument.h"
#include "xlsx/XmlText.h"

namespace xlsx {

using namespace sheet;

namespace {

constexpr const char* kMarker = "{96C15ADC-8247-42E4-A5CD-659EA20A8AC0}";
constexpr double kInchesPerCm = 0.393700787401575;

void AppendAttrInt(std::string& buf, const char* name, long long value) {
  buf += ' ';
  buf += name;
  buf += "=\"";
  AppendInt(buf, value);
  buf += '"';
}

void AppendRef(std::string& buf, int col, int row) {
  buf += " r=\"";
  AppendCellRef(buf, col, row);
  buf += '"';
}

// An empty-element cell holding only its reference and format.
void AppendEmptyCell(std::string& buf, int col, int row, int xf) {
  buf += "<c";
  AppendRef(buf, col, row);
  AppendAttrInt(buf, "s", xf);
  buf += "/>";
}

std::string Num(double v) { return FloatToXmlText(v); }

}  // namespace

TWorksheetWriter::TWorksheetWriter(TZipArchive& archive, TExporterXLSX_StyleSheet& styles,
                                   TXLSXSharedStrings_Export& sharedStrings, const TCustomExporter& exporter, bool threaded)
    : fArchive(archive), fStyles(styles), fSharedStrings(sharedStrings), fExporter(exporter), fThreaded(threaded) {}

int TWorksheetWriter::ForcedXf(int col, int row) const {
  for (const TForcedRange& f : fForced)
    if (col >= f.fCol1 && col <= f.fCol2 && row >= f.fRow1 && row <= f.fRow2) return f.fXf;
  return -1;
}

void TWorksheetWriter::CollectPictures(TExportCell& cell, int col, int row) {
  if (!cell.DrawingsAssigned()) return;
  for (const TExportCellDrawing& d : cell.Drawings())
    if (d.Drawing() && d.Drawing()->IsImage()) fPictures->push_back({&d, col, row});
}

int TWorksheetWriter::LastForcedCol(int row) const {
  int last = -1;
  for (const TForcedRange& f : fForced)
    if (row >= f.fRow1 && row <= f.fRow2) last = std::max(last, f.fCol2);
  return last;
}

void TWorksheetWriter::StreamCells(TExportWorkSheet& sheet, std::string& dimension, std::vector<std::string>& merges,
                                   std::vector<int>& rowBreaks, TDeflatedChunks& chunks) {
  TExportWorkbook& workbook = *sheet.ExportObject();
  TExportRows& rows = sheet.Rows();
  const int rowCount = rows.Count();
  std::string& buf = chunks.Buffer();
  int cellsInChunk = 0;
  int maxCells = 0;
  int sheetXf = -1;
  auto sheetStyleXf = [&] {
    if (sheetXf < 0) sheetXf = fStyles.CreateAddStyleUnique(sheet.Style(), sheet.ExcelNumberFormat());
    return sheetXf;
  };
  workbook.DoProgress(epnRow, 0, rowCount);
  for (int r = 0; r < rowCount; ++r) {
    if (cellsInChunk > kChunkCells) {
      chunks.CloseChunk();
      cellsInChunk = 0;
      workbook.DoProgress(epnRow, r, rowCount, IntText(r));
    }
    TExportRow& row = rows.Get(r);
    std::erase_if(fForced, [r](const TForcedRange& f) { return f.fRow2 < r; });
    buf += "<row";
    int rowXf = -1;
    if (row.StyleAssigned() || row.ExcelNumberFormat() != sheet.ExcelNumberFormat()) {
      rowXf = fStyles.CreateAddStyleUnique(row.Style(), row.ExcelNumberFormat());
      AppendAttrInt(buf, "s", rowXf);
      buf += " customFormat=\"1\"";
    }
    buf += " ht=\"";
    AppendFloatXml(buf, fMetrics.RowHeight(static_cast<std::size_t>(r)) * 0.75);
    buf += '"';
    if (row.CalculateRowHeight() != erhForceAuto) buf += " customHeight=\"1\"";
    if (row.Hidden()) buf += " hidden=\"1\"";
    if (row.GroupLevel() > 0) AppendAttrInt(buf, "outlineLevel", row.GroupLevel());
    AppendAttrInt(buf, "r", static_cast<long long>(r) + 1);
    buf += '>';
    if (row.PageBreakBefore()) rowBreaks.push_back(r);

    TExportCells& cells = row.Cells();
    const int count = cells.Count();
    maxCells = std::max(maxCells, count);
    int c = 0;
    while (c < count) {
      TExportCell& cell = cells.GetC(c);
      const std::string numberFormat = cell.ExcelNumberFormatForWriter();
      const int forced = fForced.empty() ? -1 : ForcedXf(c, r);
      // Read only, so that cells keep sharing their styles; the style lookup packs,
      // which the cell does itself (and shares the result).
      int xf;
      if (forced >= 0) {
        xf = fStyles.CreateAddStyleUniqueApplyBorders(std::as_const(cell).Style(), numberFormat, forced);
      } else {
        cell.PackStyle();
        xf = fStyles.CreateAddStyleUnique(std::as_const(cell).Style(), numberFormat);
      }
      buf += "<c";
      AppendRef(buf, c, r);
      AppendAttrInt(buf, "s", xf);
      const TExportCellType kind = cell.CellType();
      if (kind == ectString) {
        const auto& s = static_cast<const TExportCellString&>(cell);
        if (!s.HyperLink().empty()) fHyperlinks.push_back({CellRef(c, r), s.HyperLink(), s.HyperLinkHint()});
        if (s.Text().empty()) {
          buf += "></c>";
        } else if ((!s.UseSharedStrings() && s.RichTextTags().empty()) || cell.FormulaAssigned()) {
          buf += " t=\"inlineStr\">";
          if (cell.FormulaAssigned()) {
            buf += "<f>";
            AppendCellText(buf, std::string_view(cell.Formula()).substr(1));
            buf += "</f>";
          }
          buf += "<is><t>";
          AppendCellText(buf, s.Text());
          buf += "</t></is></c>";
        } else {
          buf += " t=\"s\"><v>";
          AppendInt(buf, fSharedStrings.Add(s.Text()));
          buf += "</v></c>";
        }
      } else if (kind == ectEmpty) {
        buf += "></c>";
      } else {
        const auto& n = static_cast<const TExportCellCustomNumber&>(cell);
        const double v = n.Value();
        // Infinities have no spreadsheet form either: written like NaN, without a value.
        const bool omit = !std::isfinite(v) || (v == 0 && (!cell.ValueAssigned() || n.EmptyIfZero()));
        if (kind == ectBoolean && !omit) buf += " t=\"b\"";
        buf += '>';
        if (cell.FormulaAssigned()) {
          buf += "<f>";
          AppendCellText(buf, std::string_view(cell.Formula()).substr(1));
          buf += "</f>";
        }
        if (!omit) {
          buf += "<v>";
          AppendFloatXml(buf, v);
          buf += "</v>";
        }
        buf += "</c>";
      }
      ++cellsInChunk;
      CollectPictures(cell, c, r);
      const int colSpan = std::max(cell.ColSpan(), 1);
      const int rowSpan = std::max(cell.RowSpan(), 1);
      if (colSpan > 1 || rowSpan > 1) merges.push_back(RangeRef(c, r, colSpan, rowSpan));
      if (rowSpan > 1) fForced.push_back({c, c + colSpan - 1, r + 1, r + rowSpan - 1, xf});
      for (int k = 1; k < colSpan; ++k) {
        TExportCell* placeholder = row.FindCell(c + k);
        if (placeholder) CollectPictures(*placeholder, c + k, r);
        const int coveredXf =
            placeholder ? fStyles.CreateAddStyleUniqueApplyBorders(std::as_const(*placeholder).Style(), numberFormat, xf) : xf;
        AppendEmptyCell(buf, c + k, r, coveredXf);
        ++cellsInChunk;
      }
      c += colSpan;
    }
    const int lastForced = fForced.empty() ? -1 : LastForcedCol(r);
    for (int j = c; j <= lastForced; ++j) {
      int xf = ForcedXf(j, r);
      if (xf < 0) {
        TExportCol* col = sheet.FindCol(j);
        if (rowXf >= 0) xf = rowXf;
        else if (col && col->StyleAssigned()) xf = fStyles.CreateAddStyleUnique(col->Style(), col->ExcelNumberFormat());
        else xf = sheetStyleXf();
      }
      AppendEmptyCell(buf, j, r, xf);
      ++cellsInChunk;
    }
    buf += "</row>";
  }
  // Rows that only forced ranges reach.
  int lastRow = rowCount - 1;
  for (const TForcedRange& f : fForced) lastRow = std::max(lastRow, f.fRow2);
  for (int r = rowCount; r <= lastRow; ++r) {
    buf += "<row";
    AppendAttrInt(buf, "r", static_cast<long long>(r) + 1);
    buf += '>';
    const int last = LastForcedCol(r);
    for (int j = 0; j <= last; ++j) {
      const int xf = ForcedXf(j, r);
      if (xf >= 0) AppendEmptyCell(buf, j, r, xf);
    }
    buf += "</row>";
  }
  fForced.clear();
  chunks.Finish();
  dimension = rowCount == 0 ? "A1" : RangeRef(0, 0, std::max(maxCells, 1), rowCount);
}

std::string TWorksheetWriter::Write(TExportWorkSheet& sheet, int index) {
  const int n = index + 1;
  fMetrics = ComputeSheetMetrics(sheet, fExporter);

  std::string dimension;
  std::vector<std::string> merges;
  std::vector<int> rowBreaks;
  TDeflatedChunks chunks(fThreaded);
  std::vector<TPicture> pictures;  // in cell order, collected while the cells are written
  fPictures = &pictures;
  StreamCells(sheet, dimension, merges, rowBreaks, chunks);
  fPictures = nullptr;

  // Columns, after the cell data so their formats number after the cells'.
  struct TColEntry {
    int fMin, fMax;
    double fWidth;
    int fXf;
    bool fHidden;
    int fLevel;
  };
  std::vector<TColEntry> cols;
  std::vector<int> colBreaks;
  int sheetXf = -1;
  for (std::size_t j = 0; j < fMetrics.fColWidths.size(); ++j) {
    TExportCol* col = sheet.FindCol(static_cast<int>(j));
    int xf = -1;
    bool hidden = false;
    int level = 0;
    if (col) {
      xf = fStyles.CreateAddStyleUnique(col->StyleAssigned() ? col->Style() : sheet.Style(), col->ExcelNumberFormat());
      hidden = col->Hidden();
      level = col->GroupLevel();
      if (col->PageBreakBefore()) colBreaks.push_back(static_cast<int>(j));
    }
    if (!col || xf < 0) {
      if (sheetXf < 0) sheetXf = fStyles.CreateAddStyleUnique(sheet.Style(), sheet.ExcelNumberFormat());
      xf = sheetXf;
      hidden = false;
      level = 0;
    }
    const double width = fMetrics.fColWidths[j] < 0 ? fMetrics.fDefaultColWidth : fMetrics.fColWidths[j];
    if (xf == 0 && width == fMetrics.fDefaultColWidth && !hidden) continue;
    if (!cols.empty() && cols.back().fMax == static_cast<int>(j) && cols.back().fWidth == width && cols.back().fXf == xf &&
        cols.back().fHidden == hidden && cols.back().fLevel == level) {
      cols.back().fMax = static_cast<int>(j) + 1;
    } else {
      cols.push_back({static_cast<int>(j) + 1, static_cast<int>(j) + 1, width, xf, hidden, level});
    }
  }
  if (sheetXf < 0) sheetXf = fStyles.CreateAddStyleUnique(sheet.Style(), sheet.ExcelNumberFormat());

  // Relationship and drawing parts come before the sheet part: one external
  // relationship per distinct hyperlink target, then the drawing.
  std::vector<std::string> targets;
  std::vector<std::string> linkIds;
  for (const THyperlink& link : fHyperlinks) {
    auto it = std::find(targets.begin(), targets.end(), link.fTarget);
    if (it == targets.end()) it = targets.insert(targets.end(), link.fTarget);
    linkIds.push_back("rId" + IntText(static_cast<long long>(it - targets.begin()) + 1));
  }
  const std::string drawingRelId = "rId" + IntText(static_cast<long long>(targets.size()) + 1);
  if (!pictures.empty() || !targets.empty()) {
    std::string rels = kXmlDeclarationLine;
    rels += std::string("<Relationships xmlns=\"") + ns::kPackageRelationships + "\">";
    for (std::size_t i = 0; i < targets.size(); ++i)
      rels += "<Relationship Id=\"rId" + IntText(static_cast<long long>(i) + 1) + "\" Type=\"" + ns::kRelationships +
              "/hyperlink\" Target=\"" + TemplateEscape(targets[i], true) + "\" TargetMode=\"External\"/>";
    if (!pictures.empty())
      rels += "<Relationship Id=\"" + drawingRelId + "\" Type=\"" + ns::kRelationships + "/drawing\" Target=\"/xl/drawings/drawing" +
              IntText(n) + ".xml\" />";
    rels += "</Relationships>";
    fArchive.AddFromBuffer("xl\\worksheets\\_rels\\sheet" + IntText(n) + ".xml.rels", rels);
  }
  if (!pictures.empty()) {
    WriteDrawing(pictures, n);
  }

  // The frame around the cell data.
  const TExportWindowSettings& window = sheet.WindowSettings();
  const TExportPageSettings& page = sheet.PageSettings();
  TXMLDocument frame(true, "worksheet");
  TXMLNode& root = *frame.Root();
  root.SetAttribute("xmlns", ns::kMain);
  root.SetAttribute("xmlns:r", ns::kRelationships);
  TXMLNode& sheetPr = root.AddChild("sheetPr");
  if (!sheet.CodeName().empty()) sheetPr.SetAttribute("codeName", sheet.CodeName());
  if (window.TabColor() != clNone) sheetPr.AddChild("tabColor").SetAttribute("rgb", ColorToARGB(window.TabColor()));
  sheetPr.AddChild("outlinePr")
      .SetAttribute("summaryBelow", window.ShowGroupButtonsTopRow() ? "0" : "1")
      .SetAttribute("summaryRight", window.ShowGroupButtonsLeftCol() ? "0" : "1");
  if (page.ScaleType() == estFitToPage) sheetPr.AddChild("pageSetUpPr").SetAttribute("fitToPage", "1");
  root.AddChild("dimension").SetAttribute("ref", dimension);
  TXMLNode& view = root.AddChild("sheetViews").AddChild("sheetView");
  if (window.View() == ewvPageBreakPreview) view.SetAttribute("view", "pageBreakPreview");
  if (window.View() == ewvPageLayout) view.SetAttribute("view", "pageLayout");
  if (window.Scale() != 100) view.SetAttribute("zoomScale", IntText(window.Scale()));
  if (window.ShowFormulas()) view.SetAttribute("showFormulas", "1");
  if (!window.ShowZeros()) view.SetAttribute("showZeros", "0");
  if (!window.ShowGridLines()) view.SetAttribute("showGridLines", "0");
  if (!window.ShowHeaders()) view.SetAttribute("showRowColHeaders", "0");
  if (window.TopLeftCell().fRow > 0 || window.TopLeftCell().fCol > 0)
    view.SetAttribute("topLeftCell", CellRef(window.TopLeftCell().fCol, window.TopLeftCell().fRow));
  view.SetAttribute("workbookViewId", "0");
  if (window.SplitActive()) {
    view.AddChild("pane")
        .SetAttribute("xSplit", IntText(window.Split().fCol))
        .SetAttribute("ySplit", IntText(window.Split().fRow))
        .SetAttribute("topLeftCell", CellRef(window.Split().fCol, window.Split().fRow))
        .SetAttribute("state", "frozen");
  } else {
    const TExportRange& sel = window.Selection();
    const int c0 = std::max(sel.Col(), 0), r0 = std::max(sel.Row(), 0);
    view.AddChild("selection")
        .SetAttribute("activeCell", CellRef(c0, r0))
        .SetAttribute("sqref", CellRef(c0, r0) + ":" + CellRef(c0 + std::max(sel.ColSpan(), 1) - 1, r0 + std::max(sel.RowSpan(), 1) - 1));
  }
  root.AddChild("sheetFormatPr")
      .SetAttribute("baseColWidth", "10")
      .SetAttribute("defaultColWidth", Num(fMetrics.WidthInChars(fMetrics.fDefaultColWidth)))
      .SetAttribute("defaultRowHeight", Num(fMetrics.fDefaultRowHeight * 0.75))
      .SetAttribute("customHeight", "1");
  TXMLNode& colsNode = root.AddChild("cols");
  for (const TColEntry& e : cols) {
    TXMLNode& col = colsNode.AddChild("col");
    col.SetAttribute("min", IntText(e.fMin)).SetAttribute("max", IntText(e.fMax));
    col.SetAttribute("width", Num(fMetrics.WidthInChars(e.fWidth))).SetAttribute("customWidth", "1");
    if (e.fHidden) col.SetAttribute("hidden", "1");
    if (e.fLevel > 0) col.SetAttribute("outlineLevel", IntText(e.fLevel));
    if (e.fXf >= 0) col.SetAttribute("style", IntText(e.fXf));
  }
  const int listed = static_cast<int>(fMetrics.fColWidths.size());
  if (sheetXf > 0 && listed < 16384) {
    colsNode.AddChild("col")
        .SetAttribute("min", IntText(listed + 1))
        .SetAttribute("max", "16384")
        .SetAttribute("width", Num(fMetrics.WidthInChars(fMetrics.fDefaultColWidth)))
        .SetAttribute("style", IntText(sheetXf));
  }
  if (colsNode.ChildCount() == 0) root.RemoveChild(colsNode);
  root.AddTextChild("sheetData", kMarker);
  if (sheet.Protection().fProtected)
    root.AddChild("sheetProtection").SetAttribute("sheet", "1").SetAttribute("objects", "1").SetAttribute("scenarios", "1");
  if (window.AutoFilter().HasColPart() || window.AutoFilter().HasRowPart())
    root.AddChild("autoFilter").SetAttribute("ref", RangeRef(window.AutoFilter().Col(), window.AutoFilter().Row(),
                                                             window.AutoFilter().ColSpan(), window.AutoFilter().RowSpan()));
  if (!merges.empty()) {
    TXMLNode& m = root.AddChild("mergeCells");
    m.SetAttribute("count", IntText(static_cast<long long>(merges.size())));
    for (const std::string& ref : merges) m.AddChild("mergeCell").SetAttribute("ref", ref);
  }
  if (!fHyperlinks.empty()) {
    TXMLNode& links = root.AddChild("hyperlinks");
    for (std::size_t i = 0; i < fHyperlinks.size(); ++i) {
      TXMLNode& link = links.AddChild("hyperlink");
      link.SetAttribute("ref", fHyperlinks[i].fRef).SetAttribute("r:id", linkIds[i]);
      if (!fHyperlinks[i].fHint.empty()) link.SetAttribute("tooltip", fHyperlinks[i].fHint);
    }
    fHyperlinks.clear();
  }
  // Page setup.
  const TExportCenterTable center = page.CenterTable();
  if (center != 0 || page.PrintHeaders() || page.PrintGridLines()) {
    TXMLNode& po = root.AddChild("printOptions");
    if (center & ectHorizontal) po.SetAttribute("horizontalCentered", "1");
    if (center & ectVertical) po.SetAttribute("verticalCentered", "1");
    if (page.PrintHeaders()) po.SetAttribute("headings", "1");
    if (page.PrintGridLines()) po.SetAttribute("gridLines", "1");
  }
  root.AddChild("pageMargins")
      .SetAttribute("left", Num(page.MarginLeft() * kInchesPerCm))
      .SetAttribute("right", Num(page.MarginRight() * kInchesPerCm))
      .SetAttribute("top", Num(page.MarginTop() * kInchesPerCm))
      .SetAttribute("bottom", Num(page.MarginBottom() * kInchesPerCm))
      .SetAttribute("header", Num(std::max(page.MarginTop() - sheet.Header().Height(), 0.0) * kInchesPerCm))
      .SetAttribute("footer", Num(std::max(page.MarginBottom() - sheet.Footer().Height(), 0.0) * kInchesPerCm));
  TXMLNode& setup = root.AddChild("pageSetup");
  if (page.PrintScale() != 100) setup.SetAttribute("scale", IntText(page.PrintScale()));
  setup.SetAttribute("orientation", page.PageOrientation() == epoLandscape ? "landscape" : "portrait");
  setup.SetAttribute("pageOrder", page.PageOrder() == efoLeftToRight ? "overThenDown" : "downThenOver");
  setup.SetAttribute("paperSize", IntText(page.PaperType()));
  setup.SetAttribute("fitToWidth", IntText(page.FitWidthToPages()));
  setup.SetAttribute("fitToHeight", IntText(page.FitHeightToPages()));
  if (page.UseFirstPageNumber()) {
    setup.SetAttribute("firstPageNumber", IntText(page.FirstPageNumber()));
    setup.SetAttribute("useFirstPageNumber", "1");
  }
  if (sheet.Header().Present() || sheet.Footer().Present()) {
    TXMLNode& hf = root.AddChild("headerFooter");
    if (sheet.Header().Present()) hf.AddTextChild("oddHeader", sheet.Header().ExcelFormattedText());
    if (sheet.Footer().Present()) hf.AddTextChild("oddFooter", sheet.Footer().ExcelFormattedText());
  }
  if (!rowBreaks.empty()) {
    TXMLNode& b = root.AddChild("rowBreaks");
    b.SetAttribute("count", IntText(static_cast<long long>(rowBreaks.size())))
        .SetAttribute("manualBreakCount", IntText(static_cast<long long>(rowBreaks.size())));
    // A row break spans the columns (max: the last column), a column break the rows.
    for (int r : rowBreaks) b.AddChild("brk").SetAttribute("id", IntText(r)).SetAttribute("max", "16383").SetAttribute("man", "1");
  }
  if (!colBreaks.empty()) {
    TXMLNode& b = root.AddChild("colBreaks");
    b.SetAttribute("count", IntText(static_cast<long long>(colBreaks.size())))
        .SetAttribute("manualBreakCount", IntText(static_cast<long long>(colBreaks.size())));
    for (int c : colBreaks) b.AddChild("brk").SetAttribute("id", IntText(c)).SetAttribute("max", "1048575").SetAttribute("man", "1");
  }
  if (!pictures.empty()) root.AddChild("drawing").SetAttribute("r:id", drawingRelId);

  const std::string frameXml = frame.XML_UTF8();
  const std::size_t marker = frameXml.find(kMarker);
  TZipEntryStream* entry = fArchive.AddFromExternalStreamPrepare("xl\\worksheets\\sheet" + IntText(n) + ".xml");
  if (entry) {
    try {
      const std::string before = frameXml.substr(0, marker);
      entry->Write(before);
      TExportWorkbook& workbook = *sheet.ExportObject();
      chunks.WriteTo(*entry, [&](int pos, int count) { workbook.DoProgress(epnCompress, pos, count); });
      entry->Write(std::string_view(frameXml).substr(marker + std::char_traits<char>::length(kMarker)));
    } catch (...) {
      try { fArchive.AddFromExternalStreamFinish(); } catch (...) {}
      throw;
    }
    fArchive.AddFromExternalStreamFinish();
  }
  return pictures.empty() ? std::string() : "xl/drawings/drawing" + IntText(n) + ".xml";
}

}  // namespace xlsx
