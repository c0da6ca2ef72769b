#include "ods/AutomaticStyles.h"

#include <algorithm>

#include "ods/DataStyles.h"
#include "ods/OdfUnits.h"
#include "sheet/Workbook.h"
#include "xlsx/XmlText.h"
#include "xlsx/XmlWriter.h"

namespace ods {

using namespace sheet;
using xlsx::TXMLWriter;

namespace {

// A border side as fo:border value: width, line and colour; "" for no line.
std::string BorderValue(const TExportCellBorder& side) {
  const char* line = nullptr;
  switch (side.Style()) {
    case ebThin: line = "0.74pt solid"; break;
    case ebMedium: line = "1.76pt solid"; break;
    case ebThick: line = "2.49pt solid"; break;
    case ebDouble: line = "2.26pt double"; break;
    case ebHair: line = "0.26pt solid"; break;
    case ebDotted: line = "0.74pt dotted"; break;
    case ebDashed:
    case ebDashDotted:
    case ebDashDotDotted: line = "0.74pt dashed"; break;
    case ebMediumDashed:
    case ebMediumDashDotted:
    case ebMediumDashDotDotted:
    case ebSlantedDashDotted: line = "1.76pt dashed"; break;
    default: return {};
  }
  return std::string(line) + " " + HexColor(side.Color() == clNone ? clBlack : side.Color());
}

void WriteBorderSide(TXMLWriter& w, const char* attribute, const TExportCellBorder& side) {
  const std::string value = BorderValue(side);
  w.Attribute(attribute, value.empty() ? "none" : value);
}

const char* HorizontalAlign(TCellHAlignment a) {
  switch (a) {
    case cahLeft:
    case cahFilled: return "start";
    case cahCenter:
    case cahCenterContinuous: return "center";
    case cahRight: return "end";
    case cahJustify:
    case cahDistributed: return "justify";
    default: return nullptr;
  }
}

const char* VerticalAlign(TCellVAlignment a) {
  switch (a) {
    case cavTop: return "top";
    case cavCenter:
    case cavJustify:
    case cavDistributed: return "middle";
    case cavBottom: return "bottom";
    default: return nullptr;
  }
}

const char* CellProtect(int protection) {
  const bool locked = protection & ecpLocked, hidden = protection & ecpFormulaHidden;
  if (locked && hidden) return "protected formula-hidden";
  if (hidden) return "formula-hidden";
  return locked ? "protected" : "none";
}

// Field order of a cell style key.
enum { kAlign, kIndent, kVAlign, kWrap, kFill, kRotation, kOrientation, kFont, kBorders, kProtection };

}  // namespace

void WriteTextProperties(TXMLWriter& w, const TExportFont& font) {
  const TExportFontStyle& s = font.Style();
  w.Start("style:text-properties");
  if (!font.Name().empty()) w.Attribute("style:font-name", font.Name());
  if (font.Size() > 0) {
    const std::string size = xlsx::IntText(font.Size()) + "pt";
    w.Attribute("fo:font-size", size).Attribute("style:font-size-asian", size).Attribute("style:font-size-complex", size);
  }
  if (font.Color() != clNone) w.Attribute("fo:color", HexColor(font.Color()));
  if (s.Bold() != efsAuto) w.Attribute("fo:font-weight", s.Bold() == efsYes ? "bold" : "normal");
  if (s.Italic() != efsAuto) w.Attribute("fo:font-style", s.Italic() == efsYes ? "italic" : "normal");
  if (s.StrikeOut() != efsAuto) w.Attribute("style:text-line-through-style", s.StrikeOut() == efsYes ? "solid" : "none");
  if (s.Underline() == efuNo) w.Attribute("style:text-underline-style", "none");
  if (s.Underline() != efuAuto && s.Underline() != efuNo) {
    w.Attribute("style:text-underline-style", "solid").Attribute("style:text-underline-width", "auto");
    w.Attribute("style:text-underline-color", "font-color");
    if (s.Underline() == efuDouble || s.Underline() == efuDoubleAccounting) w.Attribute("style:text-underline-type", "double");
  }
  if (s.Escapement() == efeSuperscript) w.Attribute("style:text-position", "super 58%");
  if (s.Escapement() == efeSubscript) w.Attribute("style:text-position", "sub 58%");
  w.EndEmpty();
}

TAutomaticStyles::TAutomaticStyles(const TExportWorkbook& workbook, text::TRegionalSettings region)
    : fWorkbook(workbook), fRegion(std::move(region)) {}

std::size_t TAutomaticStyles::TCellKeyHash::operator()(const TCellKey& k) const {
  std::size_t h = std::hash<std::string>()(k.fNumberFormat);
  for (int f : k.fFields) h = h * 1000003u ^ static_cast<std::size_t>(static_cast<unsigned>(f));
  return h;
}

std::string TAutomaticStyles::DataStyle(const std::string& numberFormat) {
  const auto found = fDataStyleNames.find(numberFormat);
  if (found != fDataStyleNames.end()) return found->second;
  std::string xml;
  TXMLWriter w(xml);
  const std::string name = "N" + xlsx::IntText(static_cast<long long>(fDataStyleXml.size()) + 1);
  const bool written = WriteDataStyle(w, numberFormat, name, fRegion);
  if (written) fDataStyleXml.push_back(std::move(xml));
  return fDataStyleNames.emplace(numberFormat, written ? name : std::string()).first->second;
}

const std::string& TAutomaticStyles::CellStyle(const TExportCellStyle& style, const std::string& numberFormat) {
  if (!style.Packed()) throw EExportException("A cell style was not packed before writing.");
  TCellKey key;
  key.fFields = {style.Alignment(), style.Indent(),      style.VAlignment(), style.WrapText(), static_cast<int>(style.BGColor()),
                 style.Rotation(),  style.Orientation(), style.FontId(),     style.BordersId(), style.Protection()};
  key.fNumberFormat = numberFormat;
  const auto found = fCellNames.find(key);
  if (found != fCellNames.end()) return found->second;
  const std::string name = "ce" + xlsx::IntText(static_cast<long long>(fCellXml.size()) + 1);
  std::string xml;
  TXMLWriter w(xml);
  WriteCellStyle(w, name, key, DataStyle(numberFormat));
  fCellXml.push_back(std::move(xml));
  return fCellNames.emplace(std::move(key), name).first->second;
}

// <style:style> of the table-cell family: cell, paragraph and text properties.
void TAutomaticStyles::WriteCellStyle(TXMLWriter& w, const std::string& name, const TCellKey& key,
                                      const std::string& dataStyle) const {
  const auto& f = key.fFields;
  w.Start("style:style").Attribute("style:name", name).Attribute("style:family", "table-cell");
  w.Attribute("style:parent-style-name", "Default");
  if (!dataStyle.empty()) w.Attribute("style:data-style-name", dataStyle);
  w.EndStart();

  w.Start("style:table-cell-properties");
  const auto horizontal = static_cast<TCellHAlignment>(f[kAlign]);
  w.Attribute("style:text-align-source", HorizontalAlign(horizontal) ? "fix" : "value-type");
  if (horizontal == cahFilled) w.Attribute("style:repeat-content", "true");
  const auto fill = static_cast<TColor>(f[kFill]);
  w.Attribute("fo:background-color", fill == clNone ? std::string("transparent") : HexColor(fill));
  if (f[kWrap]) w.Attribute("fo:wrap-option", "wrap");
  if (const char* v = VerticalAlign(static_cast<TCellVAlignment>(f[kVAlign]))) w.Attribute("style:vertical-align", v);
  if (f[kOrientation] == efoTopToBottom) w.Attribute("style:direction", "ttb");
  else if (f[kRotation] != 0) w.Attribute("style:rotation-angle", f[kRotation] < 0 ? 360 + f[kRotation] : f[kRotation]);
  if (f[kProtection] != ecpLocked) w.Attribute("style:cell-protect", CellProtect(f[kProtection]));
  const TExportCellBordersList& borders = fWorkbook.BordersList();
  if (f[kBorders] >= 0 && f[kBorders] < borders.Count()) {
    const TExportCellBorders& b = borders.Get(f[kBorders]);
    WriteBorderSide(w, "fo:border-left", b.Left());
    WriteBorderSide(w, "fo:border-right", b.Right());
    WriteBorderSide(w, "fo:border-top", b.Top());
    WriteBorderSide(w, "fo:border-bottom", b.Bottom());
    if (!BorderValue(b.DiagonalUp()).empty()) w.Attribute("style:diagonal-bl-tr", BorderValue(b.DiagonalUp()));
    if (!BorderValue(b.DiagonalDown()).empty()) w.Attribute("style:diagonal-tl-br", BorderValue(b.DiagonalDown()));
  }
  w.EndEmpty();

  if (const char* align = HorizontalAlign(horizontal)) {
    w.Start("style:paragraph-properties").Attribute("fo:text-align", align);
    // An indent step is about three digits of the standard font wide.
    if (f[kIndent] > 0 && (horizontal == cahLeft || horizontal == cahRight))
      w.Attribute(horizontal == cahLeft ? "fo:margin-left" : "fo:margin-right", CmFromPixels(f[kIndent] * 21.0));
    w.EndEmpty();
  }
  const TExportFontList& fonts = fWorkbook.Fonts();
  if (f[kFont] >= 0 && f[kFont] < fonts.Count()) WriteTextProperties(w, fonts.Get(f[kFont]));
  w.End("style:style");
}

const std::string& TAutomaticStyles::Named(TFamily& family, const std::string& prefix, const std::string& key,
                                           const std::function<void(TXMLWriter&, const std::string&)>& write) {
  const auto found = family.fNames.find(key);
  if (found != family.fNames.end()) return found->second;
  const std::string name = prefix + xlsx::IntText(static_cast<long long>(family.fXml.size()) + 1);
  std::string xml;
  TXMLWriter w(xml);
  write(w, name);
  family.fXml.push_back(std::move(xml));
  return family.fNames.emplace(key, name).first->second;
}

const std::string& TAutomaticStyles::ColumnStyle(double widthPixels, bool breakBefore) {
  const std::string width = CmFromPixels(widthPixels);
  return Named(fColumns, "co", width + (breakBefore ? "|page" : ""), [&](TXMLWriter& w, const std::string& name) {
    w.Start("style:style").Attribute("style:name", name).Attribute("style:family", "table-column").EndStart();
    w.Start("style:table-column-properties").Attribute("fo:break-before", breakBefore ? "page" : "auto");
    w.Attribute("style:column-width", width).EndEmpty();
    w.End("style:style");
  });
}

const std::string& TAutomaticStyles::RowStyle(double heightPixels, bool breakBefore, bool optimalHeight) {
  const std::string height = CmFromPixels(heightPixels);
  const std::string key = height + (breakBefore ? "|page" : "") + (optimalHeight ? "|optimal" : "");
  return Named(fRows, "ro", key, [&](TXMLWriter& w, const std::string& name) {
    w.Start("style:style").Attribute("style:name", name).Attribute("style:family", "table-row").EndStart();
    w.Start("style:table-row-properties").Attribute("style:row-height", height);
    w.Attribute("fo:break-before", breakBefore ? "page" : "auto");
    w.Attribute("style:use-optimal-row-height", optimalHeight ? "true" : "false").EndEmpty();
    w.End("style:style");
  });
}

std::string TAutomaticStyles::TableStyle(const std::string& masterPage, bool visible) {
  return Named(fTables, "ta", masterPage + (visible ? "" : "|hidden"), [&](TXMLWriter& w, const std::string& name) {
    w.Start("style:style").Attribute("style:name", name).Attribute("style:family", "table");
    w.Attribute("style:master-page-name", masterPage).EndStart();
    w.Start("style:table-properties").Attribute("table:display", visible ? "true" : "false").EndEmpty();
    w.End("style:style");
  });
}

const std::string& TAutomaticStyles::GraphicStyle(const TExportDrawingStyle& style) {
  const TExportDrawingFill& fill = style.fFill;
  const TExportDrawingBorder& line = style.fBorder;
  std::string key;
  for (long long v : {static_cast<long long>(fill.fStyle), static_cast<long long>(fill.fColor),
                      static_cast<long long>(line.fFillStyle), static_cast<long long>(line.fColor),
                      static_cast<long long>(line.fSize), static_cast<long long>(line.fLineStyle)}) {
    xlsx::AppendInt(key, v);
    key += ',';
  }
  return Named(fGraphics, "gr", key, [&](TXMLWriter& w, const std::string& name) {
    w.Start("style:style").Attribute("style:name", name).Attribute("style:family", "graphic").EndStart();
    w.Start("style:graphic-properties");
    if (line.fFillStyle == edfNone) {
      w.Attribute("draw:stroke", "none");
    } else {
      w.Attribute("draw:stroke", line.fLineStyle == ebsSolid ? "solid" : "dash");
      if (line.fFillStyle == edfColor) w.Attribute("svg:stroke-color", HexColor(line.fColor));
      // Line widths are kept in units of 8800 EMU, 12700 to the point.
      if (line.fSize >= 0) w.Attribute("svg:stroke-width", Cm(line.fSize * 8800.0 / 360000.0));
    }
    if (fill.fStyle == edfColor) w.Attribute("draw:fill", "solid").Attribute("draw:fill-color", HexColor(fill.fColor));
    else w.Attribute("draw:fill", "none");
    w.EndEmpty();
    w.End("style:style");
  });
}

void TAutomaticStyles::Write(TXMLWriter& w) const {
  w.Start("office:automatic-styles").EndStart();
  for (const std::string& xml : fDataStyleXml) w.Raw(xml);
  for (const TFamily* family : {&fColumns, &fRows, &fTables})
    for (const std::string& xml : family->fXml) w.Raw(xml);
  for (const std::string& xml : fCellXml) w.Raw(xml);
  for (const std::string& xml : fGraphics.fXml) w.Raw(xml);
  w.End("office:automatic-styles");
}

}  // namespace ods
