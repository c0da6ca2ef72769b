#include "xlsx/StyleSheet.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "sheet/Color.h"
#include "sheet/NumberFormat.h"
#include "sheet/Workbook.h"
#include "text/RegionalSettings.h"
#include "xlsx/XmlDocument.h"
#include "xlsx/XmlText.h"

namespace xlsx {

using namespace sheet;

std::string ColorToARGB(TColor color) {
  static const char* const kHex = "0123456789ABCDEF";
  const int rgb = ColorToRGB(color);
  std::string out = "FF";
  for (int shift = 20; shift >= 0; shift -= 4) out += kHex[(rgb >> shift) & 0xF];
  return out;
}

TExporterXLSX_StyleSheet::TExporterXLSX_StyleSheet(TExportWorkbook& workbook) : fWorkbook(workbook) {
  fFootPrintTable.emplace("<<<default>>>", 0);
  TExporterXLSX_Style def;
  def.fBorderId = 0;
  fCellXfs.push_back(def);
  fFills = {clNone, kGray125Fill};
  const std::pair<int, const char*> builtIns[] = {
      {0, ""},          {1, "0"},         {2, "0.00"},          {3, "#,##0"},          {4, "#,##0.00"},
      {9, "0%"},        {10, "0.00%"},    {11, "0.00E+00"},     {12, "# ?/?"},         {13, "# ?" "?/?" "?"},
      {14, "%sysdate%"}, {15, "d-mmm-yy"}, {16, "d-mmm"},       {17, "mmm-yy"},        {18, "h:mm am/pm"},
      {19, "h:mm:ss am/pm"}, {20, "h:mm"}, {21, "h:mm:ss"},     {22, "%sysdatetimews%"}, {37, "#,##0 ;(#,##0)"},
      {38, "#,##0 ;[Red](#,##0)"}, {39, "#,##0.00;(#,##0.00)"}, {40, "#,##0.00;[Red](#,##0.00)"},
      {45, "mm:ss"},    {46, "[h]:mm:ss"}, {47, "mmss.0"},      {48, "##0.0E+0"},      {49, "@"}};
  for (const auto& [id, code] : builtIns) {
    fNumFmts.emplace_back(id, code);
    fNumFmtIndex.emplace(code, id);
  }
}

int TExporterXLSX_StyleSheet::NumFmtId(const std::string& code) {
  const auto it = fNumFmtIndex.find(code);
  if (it != fNumFmtIndex.end()) return it->second;
  int highest = 0;
  for (const auto& f : fNumFmts) highest = std::max(highest, f.first);
  const int id = std::max(highest + 1, 165);
  fNumFmts.emplace_back(id, code);
  fNumFmtIndex.emplace(code, id);
  return id;
}

int TExporterXLSX_StyleSheet::FillId(TColor color) {
  const auto it = std::find(fFills.begin(), fFills.end(), color);
  if (it != fFills.end()) return static_cast<int>(it - fFills.begin());
  fFills.push_back(color);
  return static_cast<int>(fFills.size()) - 1;
}

int TExporterXLSX_StyleSheet::Add(const std::string& footprint, const TExportCellStyle& style, const std::string& numberFormat) {
  TExporterXLSX_Style xf;
  xf.fFontId = style.FontId();
  xf.fBorderId = style.BordersId();
  xf.fFillId = FillId(style.BGColor());
  xf.fNumFmtId = NumFmtId(numberFormat);
  xf.fAlignment = style.Alignment();
  xf.fVAlignment = style.VAlignment();
  xf.fIndent = style.Indent();
  xf.fWrapText = style.WrapText();
  xf.fOrientation = style.Orientation();
  xf.fRotation = style.Rotation();
  xf.fProtection = style.Protection();
  const int index = static_cast<int>(fCellXfs.size());
  fCellXfs.push_back(xf);
  fFootPrintTable.emplace(footprint, index);
  return index;
}

std::size_t TExporterXLSX_StyleSheet::TStyleKeyHash::operator()(const TStyleKey& k) const {
  std::size_t h = std::hash<std::string>()(k.fNumberFormat);
  for (int f : k.fFields) h = h * 1000003u ^ static_cast<std::size_t>(static_cast<unsigned>(f));
  return h;
}

int TExporterXLSX_StyleSheet::CreateAddStyleUnique(TExportCellStyle& style, const std::string& numberFormat) {
  style.PackStyle();
  return CreateAddStyleUnique(std::as_const(style), numberFormat);
}

int TExporterXLSX_StyleSheet::CreateAddStyleUnique(const TExportCellStyle& style, const std::string& numberFormat) {
  if (!style.Packed()) {
    TExportCellStyle packed(&style.ExportObject());
    packed.Assign(style);
    return CreateAddStyleUnique(packed, numberFormat);
  }
  fScratchKey.fFields[0] = style.Alignment();
  fScratchKey.fFields[1] = style.Indent();
  fScratchKey.fFields[2] = style.VAlignment();
  fScratchKey.fFields[3] = style.WrapText();
  fScratchKey.fFields[4] = style.BGColor();
  fScratchKey.fFields[5] = style.Rotation();
  fScratchKey.fFields[6] = style.Orientation();
  fScratchKey.fFields[7] = style.FontId();
  fScratchKey.fFields[8] = style.BordersId();
  fScratchKey.fFields[9] = style.Protection();
  fScratchKey.fNumberFormat = numberFormat;
  const auto cached = fKeyCache.find(fScratchKey);
  if (cached != fKeyCache.end()) return cached->second;
  const std::string footprint = style.PackedFootPrint(numberFormat);
  const auto it = fFootPrintTable.find(footprint);
  const int xf = it != fFootPrintTable.end() ? it->second : Add(footprint, style, numberFormat);
  fKeyCache.emplace(fScratchKey, xf);
  return xf;
}

int TExporterXLSX_StyleSheet::CreateAddStyleUniqueApplyBorders(const TExportCellStyle& style, const std::string& numberFormat,
                                                               int baseXf) {
  const TExporterXLSX_Style& base = fCellXfs.at(static_cast<std::size_t>(baseXf));
  TExportCellStyle temp(&fWorkbook);
  temp.SetAlignment(base.fAlignment);
  temp.SetVAlignment(base.fVAlignment);
  temp.SetIndent(static_cast<std::uint8_t>(base.fIndent));
  temp.SetAlignment(base.fAlignment);
  temp.SetWrapText(base.fWrapText);
  temp.SetOrientation(base.fOrientation);
  temp.SetRotation(base.fRotation);
  temp.SetProtection(base.fProtection);
  temp.SetBGColor(fFills.at(static_cast<std::size_t>(base.fFillId)));
  temp.SetFontId(base.fFontId);
  temp.SetBordersId(base.fBorderId);
  const TExportCellBorders& over = style.Borders_ReadOnly();
  bool changed = false;
  for (int side = 0; side < kBorderCount; ++side) {
    const TExportCellBorder& b = over.GetI(static_cast<TCellBorder>(side));
    if (b.Style() != ebAuto || b.Color() != clNone) changed = true;
  }
  if (changed) {
    TExportCellBorders& mine = temp.Borders();
    for (int side = 0; side < kBorderCount; ++side) {
      const TExportCellBorder& b = over.GetI(static_cast<TCellBorder>(side));
      TExportCellBorder& target = mine.GetI(static_cast<TCellBorder>(side));
      if (b.Style() != ebAuto) target.SetStyle(b.Style());
      if (b.Color() != clNone) target.SetColor(b.Color());
    }
  }
  return CreateAddStyleUnique(temp, numberFormat);
}

namespace {

const char* BorderStyleName(TCellBorderStyle s) {
  static const char* const kNames[] = {"none",  "none",         "thin",    "medium",       "dashed",
                                       "dotted", "thick",       "double",  "hair",         "mediumDashed",
                                       "dashDot", "mediumDashDot", "dashDotDot", "mediumDashDotDot", "slantDashDot"};
  const int i = static_cast<int>(s);
  return i >= 0 && i < 15 ? kNames[i] : "none";
}

void AddSide(TXMLNode& border, const char* name, const TExportCellBorder& side) {
  TXMLNode& node = border.AddChild(name);
  if (side.Style() == ebNone) return;
  node.SetAttribute("style", BorderStyleName(side.Style()));
  node.AddChild("color").SetAttribute("rgb", ColorToARGB(side.Color()));
}

bool IsDrawn(const TExportCellBorder& side) { return side.Style() != ebAuto && side.Style() != ebNone; }

void AddFlag(TXMLNode& font, const char* name, TExportFontStyleBIS v) {
  if (v == efsYes) font.AddChild(name);
  if (v == efsNo) font.AddChild(name).SetAttribute("val", "0");
}

// A system date or time placeholder becomes the platform's short format in
// spreadsheet notation (the resolver turns minutes "n" into "m" and "ampm" into "am/pm").
std::string ResolveSystemFormat(const std::string& code) {
  if (code.empty() || code[0] != '%') return code;
  return ResolveDateTimeFormat(code, text::ProcessRegionalSettings());
}

}  // namespace

std::string TExporterXLSX_StyleSheet::StylesXml() const {
  TXMLDocument doc(true, "styleSheet");
  TXMLNode& root = *doc.Root();
  root.SetAttribute("xmlns", "http://schemas.openxmlformats.org/spreadsheetml/2006/main");

  TXMLNode& numFmts = root.AddChild("numFmts");
  numFmts.SetAttribute("count", "0");
  int custom = 0;
  for (const auto& [id, code] : fNumFmts) {
    if (!(id > 163 || (id >= 5 && id <= 8) || (id >= 41 && id <= 44))) continue;
    TXMLNode& f = numFmts.AddChild("numFmt");
    f.SetAttribute("numFmtId", IntText(id));
    f.SetAttribute("formatCode", ResolveSystemFormat(code));
    ++custom;
  }
  numFmts.SetAttribute("count", IntText(custom));

  const TExportFontList& fontList = fWorkbook.Fonts();
  TXMLNode& fonts = root.AddChild("fonts");
  fonts.SetAttribute("count", IntText(fontList.Count()));
  for (int i = 0; i < fontList.Count(); ++i) {
    const TExportFont& f = fontList.Get(i);
    TXMLNode& font = fonts.AddChild("font");
    AddFlag(font, "b", f.Style().Bold());
    AddFlag(font, "i", f.Style().Italic());
    AddFlag(font, "strike", f.Style().StrikeOut());
    switch (f.Style().Underline()) {
      case efuSingle: font.AddChild("u"); break;
      case efuDouble: font.AddChild("u").SetAttribute("val", "double"); break;
      case efuSingleAccounting: font.AddChild("u").SetAttribute("val", "singleAccounting"); break;
      case efuDoubleAccounting: font.AddChild("u").SetAttribute("val", "doubleAccounting"); break;
      case efuNo: font.AddChild("u").SetAttribute("val", "none"); break;
      case efuAuto: break;
    }
    if (f.Style().Escapement() == efeSuperscript) font.AddChild("vertAlign").SetAttribute("val", "superscript");
    if (f.Style().Escapement() == efeSubscript) font.AddChild("vertAlign").SetAttribute("val", "subscript");
    if (f.Size() >= 0) font.AddChild("sz").SetAttribute("val", IntText(f.Size()));
    if (f.Color() != clNone) font.AddChild("color").SetAttribute("rgb", ColorToARGB(f.Color()));
    if (!f.Name().empty()) font.AddChild("name").SetAttribute("val", f.Name());
  }

  TXMLNode& fills = root.AddChild("fills");
  fills.SetAttribute("count", IntText(static_cast<long long>(fFills.size())));
  for (TColor c : fFills) {
    TXMLNode& pattern = fills.AddChild("fill").AddChild("patternFill");
    if (c == clNone) {
      pattern.SetAttribute("patternType", "none");
    } else if (c == kGray125Fill) {
      pattern.SetAttribute("patternType", "gray125");
    } else {
      pattern.SetAttribute("patternType", "solid");
      pattern.AddChild("fgColor").SetAttribute("rgb", ColorToARGB(c));
      pattern.AddChild("bgColor").SetAttribute("indexed", "64");
    }
  }

  const TExportCellBordersList& borderList = fWorkbook.BordersList();
  TXMLNode& borders = root.AddChild("borders");
  borders.SetAttribute("count", IntText(borderList.Count()));
  for (int i = 0; i < borderList.Count(); ++i) {
    const TExportCellBorders& b = borderList.Get(i);
    TXMLNode& border = borders.AddChild("border");
    if (IsDrawn(b.DiagonalUp())) border.SetAttribute("diagonalUp", "1");
    if (IsDrawn(b.DiagonalDown())) border.SetAttribute("diagonalDown", "1");
    AddSide(border, "left", b.Left());
    AddSide(border, "right", b.Right());
    AddSide(border, "top", b.Top());
    AddSide(border, "bottom", b.Bottom());
    if (IsDrawn(b.DiagonalUp()) || IsDrawn(b.DiagonalDown()))
      AddSide(border, "diagonal", IsDrawn(b.DiagonalDown()) ? b.DiagonalDown() : b.DiagonalUp());
  }

  TXMLNode& styleXfs = root.AddChild("cellStyleXfs");
  styleXfs.SetAttribute("count", "1");
  styleXfs.AddChild("xf").SetAttribute("numFmtId", "0").SetAttribute("fontId", "0").SetAttribute("fillId", "0").SetAttribute("borderId", "0");

  static const char* const kHorizontal[] = {"", "left", "center", "right", "fill", "justify", "centerContinuous", "distributed"};
  static const char* const kVertical[] = {"", "top", "center", "bottom", "justify", "distributed"};
  TXMLNode& cellXfs = root.AddChild("cellXfs");
  cellXfs.SetAttribute("count", IntText(static_cast<long long>(fCellXfs.size())));
  for (const TExporterXLSX_Style& s : fCellXfs) {
    TXMLNode& xf = cellXfs.AddChild("xf");
    xf.SetAttribute("numFmtId", IntText(s.fNumFmtId));
    xf.SetAttribute("fontId", IntText(s.fFontId));
    xf.SetAttribute("fillId", IntText(s.fFillId));
    xf.SetAttribute("borderId", IntText(s.fBorderId));
    xf.SetAttribute("xfId", "0");
    xf.SetAttribute("applyFont", "1");
    xf.SetAttribute("applyFill", "1");
    xf.SetAttribute("applyAlignment", "1");
    const bool unlockedOrHidden = s.fProtection != ecpLocked;
    if (unlockedOrHidden) xf.SetAttribute("applyProtection", "1");
    TXMLNode& alignment = xf.AddChild("alignment");
    if (s.fAlignment > cahAuto && s.fAlignment <= cahDistributed) alignment.SetAttribute("horizontal", kHorizontal[s.fAlignment]);
    if (s.fVAlignment > cavAuto && s.fVAlignment <= cavDistributed) alignment.SetAttribute("vertical", kVertical[s.fVAlignment]);
    if (s.fWrapText) alignment.SetAttribute("wrapText", "1");
    if (s.fOrientation == efoTopToBottom)
      alignment.SetAttribute("textRotation", "255");
    else if (s.fRotation != 0)
      alignment.SetAttribute("textRotation", IntText(s.fRotation < 0 ? 90 - s.fRotation : s.fRotation));
    if ((s.fAlignment == cahLeft || s.fAlignment == cahRight) && s.fIndent > 0)
      alignment.SetAttribute("indent", IntText(s.fIndent));
    if (unlockedOrHidden) {
      TXMLNode& protection = xf.AddChild("protection");
      protection.SetAttribute("hidden", (s.fProtection & ecpFormulaHidden) ? "1" : "0");
      protection.SetAttribute("locked", (s.fProtection & ecpLocked) ? "1" : "0");
    }
  }
  // The built-in "Normal" style the style record above stands for; readers
  // warn about (or repair) a workbook without a default cell style.
  root.AddChild("cellStyles")
      .SetAttribute("count", "1")
      .AddChild("cellStyle")
      .SetAttribute("name", "Normal")
      .SetAttribute("xfId", "0")
      .SetAttribute("builtinId", "0");
  TStringWriteStream out;
  doc.SaveToStream(out);
  return std::move(out.Data());
}

void TExporterXLSX_StyleSheet::ExportXLSX(TZipArchive& archive) const {
  archive.AddFromBuffer("xl\\styles.xml", StylesXml(), TZipCompression::zcDeflate);
}

}  // namespace xlsx
