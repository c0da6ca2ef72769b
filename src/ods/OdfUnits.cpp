#include "ods/OdfUnits.h"

#include <cmath>

#include "sheet/Color.h"
#include "sheet/Images.h"
#include "xlsx/XmlText.h"

namespace ods {

std::string Cm(double centimetres) {
  // Thousandths of a millimetre are far below what a printer or screen shows.
  const double rounded = std::round(centimetres * 100000.0) / 100000.0;
  return xlsx::FloatToXmlText(rounded == 0 ? 0.0 : rounded) + "cm";
}

std::string CmFromPixels(double pixels) { return Cm(pixels * 2.54 / 96.0); }

std::string HexColor(sheet::TColor color) {
  static const char* const kHex = "0123456789abcdef";
  const int rgb = sheet::ColorToRGB(color);
  std::string out = "#";
  for (int shift = 20; shift >= 0; shift -= 4) out += kHex[(rgb >> shift) & 0xF];
  return out;
}

std::string FontFamily(std::string_view name) {
  if (name.find(' ') == std::string_view::npos) return std::string(name);
  return "'" + std::string(name) + "'";
}

std::string QuotedTableName(std::string_view name) {
  std::string out = "'";
  for (char c : name) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out + "'";
}

std::string AbsoluteRangeAddress(std::string_view table, int col1, int row1, int col2, int row2) {
  std::string out = "$" + QuotedTableName(table) + ".$";
  xlsx::AppendColumnLetters(out, col1);
  out += "$";
  xlsx::AppendInt(out, static_cast<long long>(row1) + 1);
  out += ":.$";
  xlsx::AppendColumnLetters(out, col2);
  out += "$";
  xlsx::AppendInt(out, static_cast<long long>(row2) + 1);
  return out;
}

std::string PicturePath(const sheet::TExportImage& image) {
  return "Pictures/image" + xlsx::IntText(image.DrawingIndex() + 1) + "." + image.Ext();
}

}  // namespace ods
