#include "xlsx/StyleSheet.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "sheet/Color.h"
#include "sheet/Exceptions.h"
#include "sheet/NumberFormat.h"
#include "sheet/Workbook.h"
#include "text/RegionalSettings.h"
#include "xlsx/PackageParts.h"
#include "xlsx/XmlWriter.h"
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

TExporterXLSX_StyleSheet::TExporterXLSX_StyleSheet(const TExportWorkbook& workbook) : fWorkbook(workbook) {
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

std::size_t TExporterXLSX_StyleSheet::TStyleKeyHash::operator()(const TStyleKey& k) const {
  std::size_t h = std::hash<std::string>()(k.fNumberFormat);
  for (int f : k.fFields) h = h * 1000003u ^ static_cast<std::size_t>(static_cast<unsigned>(f));
  return h;
}

int TExporterXLSX_StyleSheet::XfFor(const TStyleKey& key) {
  const auto found = fXfIndex.find(key);
  if (found != fXfIndex.end()) return found->second;
  TExporterXLSX_Style xf;
  xf.fAlignment = static_cast<TCellHAlignment>(key.fFields[0]);
  xf.fIndent = key.fFields[1];
  xf.fVAlignment = static_cast<TCellVAlignment>(key.fFields[2]);
  xf.fWrapText = key.fFields[3] != 0;
  xf.fFillId = FillId(static_cast<TColor>(key.fFields[4]));
  xf.fRotation = key.fFields[5];
  xf.fOrientation = static_cast<TExportFlowOrientation>(key.fFields[6]);
  xf.fFontId = key.fFields[7];
  xf.fBorderId = key.fFields[8];
  xf.fProtection = static_cast<TExportCellProtection>(key.fFields[9]);
  xf.fNumFmtId = NumFmtId(key.fNumberFormat);
  const int index = static_cast<int>(fCellXfs.size());
  fCellXfs.push_back(xf);
  fXfIndex.emplace(key, index);
  return index;
}

int TExporterXLSX_StyleSheet::CreateAddStyleUnique(const TExportCellStyle& style, const std::string& numberFormat) {
  // Font and border ids mean something only once the style is packed.
  if (!style.Packed()) throw EExportException("A cell style was not packed before writing.");
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
  return XfFor(fScratchKey);
}

int TExporterXLSX_StyleSheet::WorkbookBordersCount() const {
  const int count = fWorkbook.BordersList().Count();
  // Merged cells' sets are numbered after the workbook's: its list must not grow once they exist.
  if (!fMergedBorders.empty() && count != fMergedBordersBase)
    throw EExportException("The workbook's border list changed while the workbook was written.");
  return count;
}

const TExportCellBorders& TExporterXLSX_StyleSheet::BordersAt(int id) const {
  const int count = WorkbookBordersCount();
  if (id >= 0 && id < count) return fWorkbook.BordersList().Get(id);
  return fMergedBorders.at(static_cast<std::size_t>(id - count));
}

int TExporterXLSX_StyleSheet::BordersIdFor(const TExportCellBorders& borders, int currentId) {
  if (BordersAt(currentId).SameAs(borders)) return currentId;
  const std::string footprint = borders.FootPrint();
  const int known = fWorkbook.BordersList().Find(footprint);
  if (known >= 0) return known;
  const int count = WorkbookBordersCount();
  const auto [it, added] = fMergedBordersIndex.emplace(footprint, count + static_cast<int>(fMergedBorders.size()));
  if (added) {
    if (fMergedBorders.empty()) fMergedBordersBase = count;
    fMergedBorders.push_back(borders);
  }
  return it->second;
}

int TExporterXLSX_StyleSheet::CreateAddStyleUniqueApplyBorders(const TExportCellStyle& style, const std::string& numberFormat,
                                                               int baseXf) {
  const TExporterXLSX_Style& base = fCellXfs.at(static_cast<std::size_t>(baseXf));
  TExportCellBorders merged = BordersAt(base.fBorderId);
  const TExportCellBorders& over = style.Borders_ReadOnly();
  for (int side = 0; side < kBorderCount; ++side) {
    const TExportCellBorder& b = over.GetI(static_cast<TCellBorder>(side));
    TExportCellBorder& target = merged.GetI(static_cast<TCellBorder>(side));
    if (b.Style() != ebAuto) target.SetStyle(b.Style());
    if (b.Color() != clNone) target.SetColor(b.Color());
  }
  TStyleKey key;
  key.fFields[0] = base.fAlignment;
  key.fFields[1] = base.fIndent;
  key.fFields[2] = base.fVAlignment;
  key.fFields[3] = base.fWrapText;
  key.fFields[4] = fFills.at(static_cast<std::size_t>(base.fFillId));
  key.fFields[5] = base.fRotation;
  key.fFields[6] = base.fOrientation;
  key.fFields[7] = base.fFontId;
  key.fFields[8] = BordersIdFor(merged, base.fBorderId);
  key.fFields[9] = base.fProtection;
  key.fNumberFormat = numberFormat;
  return XfFor(key);
}

namespace {

const char* BorderStyleName(TCellBorderStyle s) {
  static const char* const kNames[] = {"none",  "none",         "thin",    "medium",       "dashed",
                                       "dotted", "thick",       "double",  "hair",         "mediumDashed",
                                       "dashDot", "mediumDashDot", "dashDotDot", "mediumDashDotDot", "slantDashDot"};
  const int i = static_cast<int>(s);
  return i >= 0 && i < 15 ? kNames[i] : "none";
}

// <left>, <right>, <top>, <bottom> or <diagonal> of a border.
void WriteSide(TXMLWriter& w, const char* name, const TExportCellBorder& side) {
  w.Start(name);
  if (side.Style() == ebNone) return w.EndEmpty();
  w.Attribute("style", BorderStyleName(side.Style())).EndStart();
  w.Start("color").Attribute("rgb", ColorToARGB(side.Color())).EndEmpty();
  w.End(name);
}

bool IsDrawn(const TExportCellBorder& side) { return side.Style() != ebAuto && side.Style() != ebNone; }

// <b/> for yes, <b val="0"/> for no, nothing for automatic.
void WriteFlag(TXMLWriter& w, const char* name, TExportFontStyleBIS v) {
  if (v == efsYes) w.Start(name).EndEmpty();
  if (v == efsNo) w.Start(name).Attribute("val", "0").EndEmpty();
}

// <name val="..."/>
void WriteValElement(TXMLWriter& w, const char* name, std::string_view val) { w.Start(name).Attribute("val", val).EndEmpty(); }

// <u> with its kind.
void WriteUnderline(TXMLWriter& w, TExportFontStyleUnderline underline) {
  switch (underline) {
    case efuSingle: w.Start("u").EndEmpty(); break;
    case efuDouble: WriteValElement(w, "u", "double"); break;
    case efuSingleAccounting: WriteValElement(w, "u", "singleAccounting"); break;
    case efuDoubleAccounting: WriteValElement(w, "u", "doubleAccounting"); break;
    case efuNo: WriteValElement(w, "u", "none"); break;
    case efuAuto: break;
  }
}

// <font>: flags, underline, vertical alignment, size, colour, name.
void WriteFont(TXMLWriter& w, const TExportFont& f) {
  w.Start("font");
  const std::size_t body = w.OpenBody();
  WriteFlag(w, "b", f.Style().Bold());
  WriteFlag(w, "i", f.Style().Italic());
  WriteFlag(w, "strike", f.Style().StrikeOut());
  WriteUnderline(w, f.Style().Underline());
  if (f.Style().Escapement() == efeSuperscript) WriteValElement(w, "vertAlign", "superscript");
  if (f.Style().Escapement() == efeSubscript) WriteValElement(w, "vertAlign", "subscript");
  if (f.Size() >= 0) w.Start("sz").Attribute("val", f.Size()).EndEmpty();
  if (f.Color() != clNone) w.Start("color").Attribute("rgb", ColorToARGB(f.Color())).EndEmpty();
  if (!f.Name().empty()) WriteValElement(w, "name", f.Name());
  w.CloseBody(body, "font");
}

// <fill><patternFill>: none, the gray125 pattern every package lists second, or a solid colour.
void WriteFill(TXMLWriter& w, TColor color) {
  w.Start("fill").EndStart();
  w.Start("patternFill");
  if (color == clNone) {
    w.Attribute("patternType", "none").EndEmpty();
  } else if (color == TExporterXLSX_StyleSheet::kGray125Fill) {
    w.Attribute("patternType", "gray125").EndEmpty();
  } else {
    w.Attribute("patternType", "solid").EndStart();
    w.Start("fgColor").Attribute("rgb", ColorToARGB(color)).EndEmpty();
    w.Start("bgColor").Attribute("indexed", 64).EndEmpty();
    w.End("patternFill");
  }
  w.End("fill");
}

// <border>: the four sides, then the diagonal both diagonal flags share.
void WriteBorder(TXMLWriter& w, const TExportCellBorders& b) {
  w.Start("border");
  if (IsDrawn(b.DiagonalUp())) w.Attribute("diagonalUp", 1);
  if (IsDrawn(b.DiagonalDown())) w.Attribute("diagonalDown", 1);
  w.EndStart();
  WriteSide(w, "left", b.Left());
  WriteSide(w, "right", b.Right());
  WriteSide(w, "top", b.Top());
  WriteSide(w, "bottom", b.Bottom());
  if (IsDrawn(b.DiagonalUp()) || IsDrawn(b.DiagonalDown()))
    WriteSide(w, "diagonal", IsDrawn(b.DiagonalDown()) ? b.DiagonalDown() : b.DiagonalUp());
  w.End("border");
}

// <alignment> of an xf; written even when empty.
void WriteAlignment(TXMLWriter& w, const TExporterXLSX_Style& s) {
  static const char* const kHorizontal[] = {"", "left", "center", "right", "fill", "justify", "centerContinuous", "distributed"};
  static const char* const kVertical[] = {"", "top", "center", "bottom", "justify", "distributed"};
  w.Start("alignment");
  if (s.fAlignment > cahAuto && s.fAlignment <= cahDistributed) w.Attribute("horizontal", kHorizontal[s.fAlignment]);
  if (s.fVAlignment > cavAuto && s.fVAlignment <= cavDistributed) w.Attribute("vertical", kVertical[s.fVAlignment]);
  if (s.fWrapText) w.Attribute("wrapText", 1);
  if (s.fOrientation == efoTopToBottom)
    w.Attribute("textRotation", 255);
  else if (s.fRotation != 0)
    w.Attribute("textRotation", s.fRotation < 0 ? 90 - s.fRotation : s.fRotation);
  if ((s.fAlignment == cahLeft || s.fAlignment == cahRight) && s.fIndent > 0) w.Attribute("indent", s.fIndent);
  w.EndEmpty();
}

// <xf> of cellXfs, with its alignment and, for unlocked or hidden cells, protection.
void WriteCellXf(TXMLWriter& w, const TExporterXLSX_Style& s) {
  const bool unlockedOrHidden = s.fProtection != ecpLocked;
  w.Start("xf").Attribute("numFmtId", s.fNumFmtId).Attribute("fontId", s.fFontId).Attribute("fillId", s.fFillId);
  w.Attribute("borderId", s.fBorderId).Attribute("xfId", 0);
  w.Attribute("applyFont", 1).Attribute("applyFill", 1).Attribute("applyAlignment", 1);
  if (unlockedOrHidden) w.Attribute("applyProtection", 1);
  w.EndStart();
  WriteAlignment(w, s);
  if (unlockedOrHidden) {
    w.Start("protection").Attribute("hidden", (s.fProtection & ecpFormulaHidden) ? 1 : 0);
    w.Attribute("locked", (s.fProtection & ecpLocked) ? 1 : 0).EndEmpty();
  }
  w.End("xf");
}

// A system date or time placeholder becomes the platform's short format in
// spreadsheet notation (the resolver turns minutes "n" into "m" and "ampm" into "am/pm").
std::string ResolveSystemFormat(const std::string& code) {
  if (code.empty() || code[0] != '%') return code;
  return ResolveDateTimeFormat(code, text::ProcessRegionalSettings());
}

}  // namespace

// <numFmts>: the custom formats and the built-in ids whose codes depend on the reader's locale.
void TExporterXLSX_StyleSheet::WriteNumFmts(TXMLWriter& w) const {
  auto listed = [](int id) { return id > 163 || (id >= 5 && id <= 8) || (id >= 41 && id <= 44); };
  const auto count = std::count_if(fNumFmts.begin(), fNumFmts.end(), [&](const auto& f) { return listed(f.first); });
  w.Start("numFmts").Attribute("count", count);
  const std::size_t body = w.OpenBody();
  for (const auto& [id, code] : fNumFmts)
    if (listed(id)) w.Start("numFmt").Attribute("numFmtId", id).Attribute("formatCode", ResolveSystemFormat(code)).EndEmpty();
  w.CloseBody(body, "numFmts");
}

// <fonts>: the workbook's font list, in its order.
void TExporterXLSX_StyleSheet::WriteFonts(TXMLWriter& w) const {
  const TExportFontList& fonts = fWorkbook.Fonts();
  w.Start("fonts").Attribute("count", fonts.Count());
  const std::size_t body = w.OpenBody();
  for (int i = 0; i < fonts.Count(); ++i) WriteFont(w, fonts.Get(i));
  w.CloseBody(body, "fonts");
}

// <fills>
void TExporterXLSX_StyleSheet::WriteFills(TXMLWriter& w) const {
  w.Start("fills").Attribute("count", fFills.size()).EndStart();
  for (TColor c : fFills) WriteFill(w, c);
  w.End("fills");
}

// <borders>: the workbook's border sets, then those of merged cells.
void TExporterXLSX_StyleSheet::WriteBorders(TXMLWriter& w) const {
  const TExportCellBordersList& list = fWorkbook.BordersList();
  w.Start("borders").Attribute("count", WorkbookBordersCount() + static_cast<int>(fMergedBorders.size()));
  const std::size_t body = w.OpenBody();
  for (int i = 0; i < list.Count(); ++i) WriteBorder(w, list.Get(i));
  for (const TExportCellBorders& b : fMergedBorders) WriteBorder(w, b);
  w.CloseBody(body, "borders");
}

// <cellStyleXfs>: the one record the "Normal" style stands for.
void TExporterXLSX_StyleSheet::WriteCellStyleXfs(TXMLWriter& w) const {
  w.Start("cellStyleXfs").Attribute("count", 1).EndStart();
  w.Start("xf").Attribute("numFmtId", 0).Attribute("fontId", 0).Attribute("fillId", 0).Attribute("borderId", 0).EndEmpty();
  w.End("cellStyleXfs");
}

// <cellXfs>
void TExporterXLSX_StyleSheet::WriteCellXfs(TXMLWriter& w) const {
  w.Start("cellXfs").Attribute("count", fCellXfs.size()).EndStart();
  for (const TExporterXLSX_Style& s : fCellXfs) WriteCellXf(w, s);
  w.End("cellXfs");
}

// <cellStyles>: the built-in "Normal" style; readers warn about (or repair) a
// workbook without a default cell style.
void TExporterXLSX_StyleSheet::WriteCellStyles(TXMLWriter& w) const {
  w.Start("cellStyles").Attribute("count", 1).EndStart();
  w.Start("cellStyle").Attribute("name", "Normal").Attribute("xfId", 0).Attribute("builtinId", 0).EndEmpty();
  w.End("cellStyles");
}

std::string TExporterXLSX_StyleSheet::StylesXml() const {
  std::string out = kUtf8ByteOrderMark;
  TXMLWriter w(out);
  w.Declaration();
  w.Start("styleSheet").Attribute("xmlns", ns::kMain).EndStart();
  WriteNumFmts(w);
  WriteFonts(w);
  WriteFills(w);
  WriteBorders(w);
  WriteCellStyleXfs(w);
  WriteCellXfs(w);
  WriteCellStyles(w);
  w.End("styleSheet");
  return out;
}

void TExporterXLSX_StyleSheet::ExportXLSX(TZipArchive& archive) const {
  archive.AddFromBuffer("xl\\styles.xml", StylesXml(), TZipCompression::zcDeflate);
}

}  // namespace xlsx
