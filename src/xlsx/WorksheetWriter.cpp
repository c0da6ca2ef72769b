#include "xlsx/WorksheetWriter.h"

#include <algorithm>
#include <unordered_map>

#include "sheet/Workbook.h"
#include "xlsx/DeflatedChunks.h"
#include "xlsx/PackageParts.h"
#include "xlsx/XmlText.h"
#include "xlsx/XmlWriter.h"

namespace xlsx {

using namespace sheet;

namespace {

constexpr double kInchesPerCm = 0.393700787401575;
constexpr int kLastColumn = 16383;
constexpr int kLastRow = 1048575;
// Line breaks in the sheet part's texts (header and footer) are written as CR LF.
constexpr TXMLWriterSettings kSheetPartXml{TXMLLineBreak::lbCRLF, true};

// <sheetPr>: code name, tab colour, outline settings, fit to page.
void WriteSheetPr(TXMLWriter& w, const TExportWorkSheet& sheet) {
  const TExportWindowSettings& window = sheet.WindowSettings();
  w.Start("sheetPr");
  if (!sheet.CodeName().empty()) w.Attribute("codeName", sheet.CodeName());
  w.EndStart();
  if (window.TabColor() != clNone) w.Start("tabColor").Attribute("rgb", ColorToARGB(window.TabColor())).EndEmpty();
  w.Start("outlinePr").Attribute("summaryBelow", window.ShowGroupButtonsTopRow() ? 0 : 1);
  w.Attribute("summaryRight", window.ShowGroupButtonsLeftCol() ? 0 : 1).EndEmpty();
  if (sheet.PageSettings().ScaleType() == estFitToPage) w.Start("pageSetUpPr").Attribute("fitToPage", 1).EndEmpty();
  w.End("sheetPr");
}

// <pane> of frozen rows and columns, or else <selection>.
void WritePaneOrSelection(TXMLWriter& w, const TExportWindowSettings& window) {
  if (window.SplitActive()) {
    const TExportWindowSplit& split = window.Split();
    w.Start("pane").Attribute("xSplit", split.fCol).Attribute("ySplit", split.fRow);
    w.CellRefAttribute("topLeftCell", split.fCol, split.fRow).Attribute("state", "frozen").EndEmpty();
    return;
  }
  const TExportRange& sel = window.Selection();
  const int c0 = std::max(sel.Col(), 0), r0 = std::max(sel.Row(), 0);
  const std::string first = CellRef(c0, r0);
  const std::string last = CellRef(c0 + std::max(sel.ColSpan(), 1) - 1, r0 + std::max(sel.RowSpan(), 1) - 1);
  w.Start("selection").Attribute("activeCell", first).Attribute("sqref", first + ":" + last).EndEmpty();
}

// <sheetViews> with the one <sheetView>.
void WriteSheetViews(TXMLWriter& w, const TExportWindowSettings& window) {
  w.Start("sheetViews").EndStart();
  w.Start("sheetView");
  if (window.View() == ewvPageBreakPreview) w.Attribute("view", "pageBreakPreview");
  if (window.View() == ewvPageLayout) w.Attribute("view", "pageLayout");
  if (window.Scale() != 100) w.Attribute("zoomScale", window.Scale());
  if (window.ShowFormulas()) w.Attribute("showFormulas", 1);
  if (!window.ShowZeros()) w.Attribute("showZeros", 0);
  if (!window.ShowGridLines()) w.Attribute("showGridLines", 0);
  if (!window.ShowHeaders()) w.Attribute("showRowColHeaders", 0);
  if (window.TopLeftCell().fRow > 0 || window.TopLeftCell().fCol > 0)
    w.CellRefAttribute("topLeftCell", window.TopLeftCell().fCol, window.TopLeftCell().fRow);
  w.Attribute("workbookViewId", 0).EndStart();
  WritePaneOrSelection(w, window);
  w.End("sheetView");
  w.End("sheetViews");
}

// <sheetProtection>
void WriteSheetProtection(TXMLWriter& w, const TExportWorkSheet& sheet) {
  if (!sheet.Protection().fProtected) return;
  w.Start("sheetProtection").Attribute("sheet", 1).Attribute("objects", 1).Attribute("scenarios", 1).EndEmpty();
}

// <autoFilter>
void WriteAutoFilter(TXMLWriter& w, const TExportRange& filter) {
  if (!filter.HasColPart() && !filter.HasRowPart()) return;
  w.Start("autoFilter").Attribute("ref", RangeRef(filter.Col(), filter.Row(), filter.ColSpan(), filter.RowSpan())).EndEmpty();
}

// <printOptions>: centring, headings and grid lines.
void WritePrintOptions(TXMLWriter& w, const TExportPageSettings& page) {
  const TExportCenterTable center = page.CenterTable();
  if (center == 0 && !page.PrintHeaders() && !page.PrintGridLines()) return;
  w.Start("printOptions");
  if (center & ectHorizontal) w.Attribute("horizontalCentered", 1);
  if (center & ectVertical) w.Attribute("verticalCentered", 1);
  if (page.PrintHeaders()) w.Attribute("headings", 1);
  if (page.PrintGridLines()) w.Attribute("gridLines", 1);
  w.EndEmpty();
}

// <pageMargins> in inches; header and footer stand inside the top and bottom margins.
void WritePageMargins(TXMLWriter& w, const TExportWorkSheet& sheet) {
  const TExportPageSettings& page = sheet.PageSettings();
  w.Start("pageMargins");
  w.NumberAttribute("left", page.MarginLeft() * kInchesPerCm).NumberAttribute("right", page.MarginRight() * kInchesPerCm);
  w.NumberAttribute("top", page.MarginTop() * kInchesPerCm).NumberAttribute("bottom", page.MarginBottom() * kInchesPerCm);
  w.NumberAttribute("header", std::max(page.MarginTop() - sheet.Header().Height(), 0.0) * kInchesPerCm);
  w.NumberAttribute("footer", std::max(page.MarginBottom() - sheet.Footer().Height(), 0.0) * kInchesPerCm);
  w.EndEmpty();
}

// <pageSetup>
void WritePageSetup(TXMLWriter& w, const TExportPageSettings& page) {
  w.Start("pageSetup");
  if (page.PrintScale() != 100) w.Attribute("scale", page.PrintScale());
  w.Attribute("orientation", page.PageOrientation() == epoLandscape ? "landscape" : "portrait");
  w.Attribute("pageOrder", page.PageOrder() == efoLeftToRight ? "overThenDown" : "downThenOver");
  w.Attribute("paperSize", page.PaperType());
  w.Attribute("fitToWidth", page.FitWidthToPages()).Attribute("fitToHeight", page.FitHeightToPages());
  if (page.UseFirstPageNumber()) w.Attribute("firstPageNumber", page.FirstPageNumber()).Attribute("useFirstPageNumber", 1);
  w.EndEmpty();
}

// <headerFooter> with the odd pages' header and footer.
void WriteHeaderFooter(TXMLWriter& w, const TExportWorkSheet& sheet) {
  if (!sheet.Header().Present() && !sheet.Footer().Present()) return;
  w.Start("headerFooter").EndStart();
  if (sheet.Header().Present()) w.TextElement("oddHeader", sheet.Header().ExcelFormattedText());
  if (sheet.Footer().Present()) w.TextElement("oddFooter", sheet.Footer().ExcelFormattedText());
  w.End("headerFooter");
}

}  // namespace

TWorksheetWriter::TWorksheetWriter(TZipArchive& archive, TExporterXLSX_StyleSheet& styles,
                                   TXLSXSharedStrings_Export& sharedStrings, const TCustomExporter& exporter, bool threaded)
    : fArchive(archive), fStyles(styles), fSharedStrings(sharedStrings), fExporter(exporter), fThreaded(threaded) {}

std::string TWorksheetWriter::Write(const TExportWorkSheet& sheet, int index) {
  const int n = index + 1;
  fMetrics = ComputeSheetMetrics(sheet, fExporter);
  fFound = {};
  TDeflatedChunks chunks(fThreaded);
  WriteSheetData(sheet, chunks);
  // The columns' formats are numbered after the cells'.
  ResolveCols(sheet);
  ResolveRelationshipIds();
  WriteSheetRels(n);
  if (!fFound.fPictures.empty()) WriteDrawing(n);
  WriteSheetPart(sheet, n, chunks);
  const bool pictures = !fFound.fPictures.empty();
  fFound = {};
  return pictures ? "xl/drawings/drawing" + IntText(n) + ".xml" : std::string();
}

// Runs of columns alike, in the order their formats were first needed.
void TWorksheetWriter::ResolveCols(const TExportWorkSheet& sheet) {
  std::vector<TColEntry>& cols = fFound.fCols;
  for (std::size_t j = 0; j < fMetrics.fColWidths.size(); ++j) {
    const int index = static_cast<int>(j);
    const TExportCol* col = sheet.FindCol(index);
    int xf;
    bool hidden = false;
    int level = 0;
    if (col) {
      xf = fStyles.CreateAddStyleUnique(col->StyleAssigned() ? *col->StyleIfAssigned() : sheet.Style(), col->ExcelNumberFormat());
      hidden = col->Hidden();
      level = col->GroupLevel();
      if (col->PageBreakBefore()) fFound.fColBreaks.push_back(index);
    } else {
      xf = SheetXf(sheet);
    }
    const double width = fMetrics.fColWidths[j] < 0 ? fMetrics.fDefaultColWidth : fMetrics.fColWidths[j];
    if (xf == 0 && width == fMetrics.fDefaultColWidth && !hidden) continue;
    TColEntry* last = cols.empty() ? nullptr : &cols.back();
    if (last && last->fMax == index && last->fWidth == width && last->fXf == xf && last->fHidden == hidden && last->fLevel == level)
      last->fMax = index + 1;
    else
      cols.push_back({index + 1, index + 1, width, xf, hidden, level});
  }
  SheetXf(sheet);
}

// One external relationship per distinct link target, then the drawing's.
void TWorksheetWriter::ResolveRelationshipIds() {
  std::unordered_map<std::string, int> ids;
  for (const THyperlink& link : fFound.fHyperlinks) {
    const auto [it, added] = ids.emplace(link.fTarget, static_cast<int>(fFound.fLinkTargets.size()) + 1);
    if (added) fFound.fLinkTargets.push_back(link.fTarget);
    fFound.fLinkRelIds.push_back(it->second);
  }
  fFound.fDrawingRelId = static_cast<int>(fFound.fLinkTargets.size()) + 1;
}

// xl/worksheets/_rels/sheetN.xml.rels, when the sheet has links or pictures.
void TWorksheetWriter::WriteSheetRels(int n) {
  if (fFound.fPictures.empty() && fFound.fLinkTargets.empty()) return;
  const std::string drawing = fFound.fPictures.empty() ? std::string() : "/xl/drawings/drawing" + IntText(n) + ".xml";
  fArchive.AddFromBuffer("xl\\worksheets\\_rels\\sheet" + IntText(n) + ".xml.rels", SheetRelsXml(fFound.fLinkTargets, drawing));
}

// xl/worksheets/sheetN.xml: the elements before the cell data, the deflated
// cell data as they are, the elements after it.
void TWorksheetWriter::WriteSheetPart(const TExportWorkSheet& sheet, int n, const TDeflatedChunks& chunks) {
  std::string head, tail;
  TXMLWriter headWriter(head, kSheetPartXml), tailWriter(tail, kSheetPartXml);
  WriteSheetPartHead(headWriter, sheet);
  WriteSheetPartTail(tailWriter, sheet);
  TExportWorkbook& workbook = *sheet.ExportObject();
  fArchive.AddFromWriter("xl\\worksheets\\sheet" + IntText(n) + ".xml", [&](TZipEntryStream& entry) {
    entry.Write(head);
    chunks.WriteTo(entry, [&](int pos, int count) { workbook.DoProgress(epnCompress, pos, count); });
    entry.Write(tail);
  });
}

// From the declaration to <sheetData>, in schema order.
void TWorksheetWriter::WriteSheetPartHead(TXMLWriter& w, const TExportWorkSheet& sheet) const {
  w.Declaration();
  w.Start("worksheet").Attribute("xmlns", ns::kMain).Attribute("xmlns:r", ns::kRelationships).EndStart();
  WriteSheetPr(w, sheet);
  WriteDimension(w, sheet);
  WriteSheetViews(w, sheet.WindowSettings());
  WriteSheetFormatPr(w);
  WriteCols(w);
  w.Start("sheetData").EndStart();
}

// From </sheetData> to the end, in schema order.
void TWorksheetWriter::WriteSheetPartTail(TXMLWriter& w, const TExportWorkSheet& sheet) const {
  w.End("sheetData");
  WriteSheetProtection(w, sheet);
  WriteAutoFilter(w, sheet.WindowSettings().AutoFilter());
  WriteMergeCells(w);
  WriteHyperlinks(w);
  WritePrintOptions(w, sheet.PageSettings());
  WritePageMargins(w, sheet);
  WritePageSetup(w, sheet.PageSettings());
  WriteHeaderFooter(w, sheet);
  // A row break spans the columns (max: the last column), a column break the rows.
  WriteBreaks(w, "rowBreaks", fFound.fRowBreaks, kLastColumn);
  WriteBreaks(w, "colBreaks", fFound.fColBreaks, kLastRow);
  WriteDrawingRef(w);
  w.End("worksheet");
}

// <dimension>: the rows and the widest row's cells.
void TWorksheetWriter::WriteDimension(TXMLWriter& w, const TExportWorkSheet& sheet) const {
  const int rows = sheet.Rows().Count();
  w.Start("dimension").Attribute("ref", rows == 0 ? "A1" : RangeRef(0, 0, std::max(fFound.fUsedCols, 1), rows)).EndEmpty();
}

// <sheetFormatPr>: default column width in characters, default row height in points.
void TWorksheetWriter::WriteSheetFormatPr(TXMLWriter& w) const {
  w.Start("sheetFormatPr").Attribute("baseColWidth", 10);
  w.NumberAttribute("defaultColWidth", fMetrics.WidthInChars(fMetrics.fDefaultColWidth));
  w.NumberAttribute("defaultRowHeight", fMetrics.fDefaultRowHeight * 0.75).Attribute("customHeight", 1).EndEmpty();
}

// <cols>: the runs of columns, then the sheet's format for all columns after them.
void TWorksheetWriter::WriteCols(TXMLWriter& w) const {
  const int listed = static_cast<int>(fMetrics.fColWidths.size());
  const bool rest = fFound.fSheetXf > 0 && listed <= kLastColumn;
  if (fFound.fCols.empty() && !rest) return;
  w.Start("cols").EndStart();
  for (const TColEntry& e : fFound.fCols) {
    w.Start("col").Attribute("min", e.fMin).Attribute("max", e.fMax);
    w.NumberAttribute("width", fMetrics.WidthInChars(e.fWidth)).Attribute("customWidth", 1);
    if (e.fHidden) w.Attribute("hidden", 1);
    if (e.fLevel > 0) w.Attribute("outlineLevel", e.fLevel);
    if (e.fXf >= 0) w.Attribute("style", e.fXf);
    w.EndEmpty();
  }
  if (rest) {
    w.Start("col").Attribute("min", listed + 1).Attribute("max", kLastColumn + 1);
    w.NumberAttribute("width", fMetrics.WidthInChars(fMetrics.fDefaultColWidth)).Attribute("style", fFound.fSheetXf).EndEmpty();
  }
  w.End("cols");
}

// <mergeCells>
void TWorksheetWriter::WriteMergeCells(TXMLWriter& w) const {
  if (fFound.fMerges.empty()) return;
  w.Start("mergeCells").Attribute("count", fFound.fMerges.size()).EndStart();
  for (const std::string& ref : fFound.fMerges) w.Start("mergeCell").Attribute("ref", ref).EndEmpty();
  w.End("mergeCells");
}

// <hyperlinks>, each pointing at its target's relationship.
void TWorksheetWriter::WriteHyperlinks(TXMLWriter& w) const {
  if (fFound.fHyperlinks.empty()) return;
  w.Start("hyperlinks").EndStart();
  for (std::size_t i = 0; i < fFound.fHyperlinks.size(); ++i) {
    const THyperlink& link = fFound.fHyperlinks[i];
    w.Start("hyperlink").Attribute("ref", link.fRef).Attribute("r:id", "rId" + IntText(fFound.fLinkRelIds[i]));
    if (!link.fHint.empty()) w.Attribute("tooltip", link.fHint);
    w.EndEmpty();
  }
  w.End("hyperlinks");
}

// <rowBreaks> or <colBreaks>: manual breaks before the given rows or columns.
void TWorksheetWriter::WriteBreaks(TXMLWriter& w, const char* name, const std::vector<int>& ids, int max) const {
  if (ids.empty()) return;
  w.Start(name).Attribute("count", ids.size()).Attribute("manualBreakCount", ids.size()).EndStart();
  for (int id : ids) w.Start("brk").Attribute("id", id).Attribute("max", max).Attribute("man", 1).EndEmpty();
  w.End(name);
}

// <drawing>, the reference to the sheet's drawing part.
void TWorksheetWriter::WriteDrawingRef(TXMLWriter& w) const {
  if (fFound.fPictures.empty()) return;
  w.Start("drawing").Attribute("r:id", "rId" + IntText(fFound.fDrawingRelId)).EndEmpty();
}

}  // namespace xlsx
