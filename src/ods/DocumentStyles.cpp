#include "ods/DocumentStyles.h"

#include <algorithm>

#include "ods/AutomaticStyles.h"
#include "ods/Namespaces.h"
#include "ods/OdfText.h"
#include "ods/OdfUnits.h"
#include "sheet/Workbook.h"
#include "xlsx/XmlText.h"
#include "xlsx/XmlWriter.h"

namespace ods {

using namespace sheet;
using xlsx::TXMLWriter;

namespace {

// The header's and footer's distance from the body: part of the height the
// model gives them, so that the body starts where the margin says.
constexpr double kHeaderSpacingCm = 0.25;

// <office:styles>: the standard font for every cell, pictures without fill or line.
void WriteCommonStyles(TXMLWriter& w, const TExportWorkbook& workbook) {
  w.Start("office:styles").EndStart();
  w.Start("style:default-style").Attribute("style:family", "table-cell").EndStart();
  WriteTextProperties(w, workbook.StandardFont());
  w.End("style:default-style");
  w.Start("style:default-style").Attribute("style:family", "graphic").EndStart();
  w.Start("style:graphic-properties").Attribute("draw:fill", "none").Attribute("draw:stroke", "none").EndEmpty();
  w.End("style:default-style");
  w.Start("style:style").Attribute("style:name", "Default").Attribute("style:family", "table-cell").EndEmpty();
  w.End("office:styles");
}

std::string PrintedParts(const TExportPageSettings& page) {
  std::string parts = "charts drawings objects zero-values";
  if (page.PrintGridLines()) parts += " grid";
  if (page.PrintHeaders()) parts += " headers";
  return parts;
}

const char* TableCentering(TExportCenterTable center) {
  const bool h = center & ectHorizontal, v = center & ectVertical;
  return h && v ? "both" : h ? "horizontal" : v ? "vertical" : "none";
}

// <style:header-style> or <style:footer-style>: the part's height below or above the body.
void WriteHeaderStyle(TXMLWriter& w, const char* element, const TExportHeaders& part, bool header) {
  w.Start(element);
  if (!part.Present()) return w.EndEmpty();
  w.EndStart();
  const double spacing = std::min(kHeaderSpacingCm, part.Height() / 2);
  w.Start("style:header-footer-properties").Attribute("fo:min-height", Cm(part.Height() - spacing));
  w.Attribute("fo:margin-left", "0cm").Attribute("fo:margin-right", "0cm");
  w.Attribute(header ? "fo:margin-bottom" : "fo:margin-top", Cm(spacing)).EndEmpty();
  w.End(element);
}

// <style:page-layout> of one sheet.
void WritePageLayout(TXMLWriter& w, const TExportWorkSheet& sheet, int index) {
  const TExportPageSettings& page = sheet.PageSettings();
  w.Start("style:page-layout").Attribute("style:name", "pm" + xlsx::IntText(index + 1)).EndStart();
  w.Start("style:page-layout-properties");
  w.Attribute("fo:page-width", Cm(page.PaperWidthMm() / 10)).Attribute("fo:page-height", Cm(page.PaperHeightMm() / 10));
  w.Attribute("style:print-orientation", page.PageOrientation() == epoLandscape ? "landscape" : "portrait");
  // The margins the model gives reach to the body; a header or footer stands inside them.
  const double top = page.MarginTop() - (sheet.Header().Present() ? sheet.Header().Height() : 0);
  const double bottom = page.MarginBottom() - (sheet.Footer().Present() ? sheet.Footer().Height() : 0);
  w.Attribute("fo:margin-top", Cm(std::max(top, 0.0))).Attribute("fo:margin-bottom", Cm(std::max(bottom, 0.0)));
  w.Attribute("fo:margin-left", Cm(page.MarginLeft())).Attribute("fo:margin-right", Cm(page.MarginRight()));
  w.Attribute("style:print-page-order", page.PageOrder() == efoLeftToRight ? "ltr" : "ttb");
  if (page.UseFirstPageNumber()) w.Attribute("style:first-page-number", page.FirstPageNumber());
  else w.Attribute("style:first-page-number", "continue");
  if (page.ScaleType() == estFitToPage) {
    if (page.FitWidthToPages() > 0) w.Attribute("style:scale-to-X", page.FitWidthToPages());
    if (page.FitHeightToPages() > 0) w.Attribute("style:scale-to-Y", page.FitHeightToPages());
  } else {
    w.Attribute("style:scale-to", xlsx::IntText(page.PrintScale()) + "%");
  }
  w.Attribute("style:table-centering", TableCentering(page.CenterTable()));
  w.Attribute("style:print", PrintedParts(page)).EndEmpty();
  WriteHeaderStyle(w, "style:header-style", sheet.Header(), true);
  WriteHeaderStyle(w, "style:footer-style", sheet.Footer(), false);
  w.End("style:page-layout");
}

// The paragraph styles of the header and footer parts, one per part:
// "MP<sheet>_<k>". The font is the paragraph's, so fields take it too
// (readers that know no fields inside a text span skip them there).
std::string PartTextStyle(int index, int part) { return "MP" + xlsx::IntText(index + 1) + "_" + xlsx::IntText(part); }

void WritePartTextStyles(TXMLWriter& w, const TExportWorkSheet& sheet, int index) {
  const TExportHeaders* parts[] = {&sheet.Header(), &sheet.Footer()};
  for (int p = 0; p < 2; ++p)
    for (int k = 0; k < 3; ++k) {
      const TExportHeader& part = parts[p]->GetItem(k);
      if (part.Text().empty()) continue;
      w.Start("style:style").Attribute("style:name", PartTextStyle(index, p * 3 + k)).Attribute("style:family", "paragraph");
      w.EndStart();
      WriteTextProperties(w, part.Font());
      w.End("style:style");
    }
}

// One line of a header part: its texts with the placeholders as fields.
void WritePartLine(TXMLWriter& w, std::string_view line) {
  static const std::pair<std::string_view, const char*> kFields[] = {
      {"[PAGENUMBER]", "<text:page-number>1</text:page-number>"},
      {"[PAGECOUNT]", "<text:page-count>1</text:page-count>"},
      {"[SHEETNAME]", "<text:sheet-name>?</text:sheet-name>"},
      {"[DATE]", "<text:date/>"},
      {"[TIME]", "<text:time/>"},
      {"[FILENAME]", "<text:file-name text:display=\"name-and-extension\"/>"}};
  std::size_t from = 0;
  while (from < line.size()) {
    std::size_t at = std::string_view::npos;
    const char* field = nullptr;
    std::size_t length = 0;
    for (const auto& [token, xml] : kFields) {
      const std::size_t found = line.find(token, from);
      if (found < at) {
        at = found;
        field = xml;
        length = token.size();
      }
    }
    WriteSpanText(w, line.substr(from, at == std::string_view::npos ? std::string_view::npos : at - from));
    if (at == std::string_view::npos) break;
    w.Raw(field);
    from = at + length;
  }
}

// <style:region-left|center|right> with the part's lines as paragraphs.
void WriteRegion(TXMLWriter& w, const char* element, const TExportHeader& part, const std::string& textStyle) {
  if (part.Text().empty()) return;
  w.Start(element).EndStart();
  const std::string& text = part.Text();
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find_first_of("\r\n", start);
    w.Start("text:p").Attribute("text:style-name", textStyle).EndStart();
    WritePartLine(w, std::string_view(text).substr(start, end == std::string::npos ? std::string::npos : end - start));
    w.End("text:p");
    if (end == std::string::npos) break;
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  w.End(element);
}

void WriteHeaderOrFooter(TXMLWriter& w, const char* element, const TExportHeaders& parts, int index, int first) {
  if (!parts.Present()) {
    w.Start(element).Attribute("style:display", "false").EndEmpty();
    return;
  }
  w.Start(element).EndStart();
  static const char* const kRegions[] = {"style:region-left", "style:region-center", "style:region-right"};
  for (int k = 0; k < 3; ++k) WriteRegion(w, kRegions[k], parts.GetItem(k), PartTextStyle(index, first + k));
  w.End(element);
}

void WriteMasterPage(TXMLWriter& w, const TExportWorkSheet& sheet, int index) {
  w.Start("style:master-page").Attribute("style:name", MasterPageName(index));
  w.Attribute("style:page-layout-name", "pm" + xlsx::IntText(index + 1)).EndStart();
  WriteHeaderOrFooter(w, "style:header", sheet.Header(), index, 0);
  WriteHeaderOrFooter(w, "style:footer", sheet.Footer(), index, 3);
  w.End("style:master-page");
}

}  // namespace

std::string MasterPageName(int index) { return "PageStyle" + xlsx::IntText(index + 1); }

std::vector<std::string> WorkbookFontNames(const TExportWorkbook& workbook) {
  std::vector<std::string> names;
  auto note = [&](const std::string& name) {
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  };
  for (int i = 0; i < workbook.Fonts().Count(); ++i) note(workbook.Fonts().Get(i).Name());
  const TExportWorkSheets& sheets = workbook.WorkSheets();
  for (int s = 0; s < sheets.Count(); ++s)
    for (const TExportHeaders* parts : {&sheets.GetWS(s).Header(), &sheets.GetWS(s).Footer()})
      for (int k = 0; k < 3; ++k) note(parts->GetItem(k).Font().Name());
  return names;
}

void WriteFontFaces(TXMLWriter& w, const TExportWorkbook& workbook) {
  w.Start("office:font-face-decls").EndStart();
  for (const std::string& name : WorkbookFontNames(workbook))
    w.Start("style:font-face").Attribute("style:name", name).Attribute("svg:font-family", FontFamily(name)).EndEmpty();
  w.End("office:font-face-decls");
}

std::string DocumentStylesXml(const TExportWorkbook& workbook) {
  std::string out;
  // Header texts are the user's: characters XML cannot carry are left out.
  TXMLWriter w(out, {xlsx::TXMLLineBreak::lbLF, false});
  w.Raw("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
  w.Start("office:document-styles");
  WriteNamespaces(w);
  w.Attribute("office:version", kOdfVersion).EndStart();
  WriteFontFaces(w, workbook);
  WriteCommonStyles(w, workbook);
  const TExportWorkSheets& sheets = workbook.WorkSheets();
  w.Start("office:automatic-styles").EndStart();
  for (int i = 0; i < sheets.Count(); ++i) {
    WritePageLayout(w, sheets.GetWS(i), i);
    WritePartTextStyles(w, sheets.GetWS(i), i);
  }
  w.End("office:automatic-styles");
  w.Start("office:master-styles").EndStart();
  for (int i = 0; i < sheets.Count(); ++i) WriteMasterPage(w, sheets.GetWS(i), i);
  w.End("office:master-styles");
  w.End("office:document-styles");
  return out;
}

}  // namespace ods
