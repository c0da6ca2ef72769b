#pragma once

#include <array>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "text/RegionalSettings.h"

namespace sheet {
class TExportCellStyle;
class TExportFont;
class TExportWorkbook;
struct TExportDrawingStyle;
}  // namespace sheet

namespace xlsx {
class TXMLWriter;
}

namespace ods {

// <style:text-properties> of a font: family, size, colour, weight, posture,
// underline, strike-through and position. Unset parts are left out.
void WriteTextProperties(xlsx::TXMLWriter& w, const sheet::TExportFont& font);

// The automatic styles of content.xml, made as the sheets are written and
// named in order of first use: cells "ce1" …, columns "co1" …, rows "ro1" …,
// tables "ta1" …, pictures "gr1" …, data styles "N1" …. Cell styles are
// read from packed model styles (font and border ids of the workbook's lists).
class TAutomaticStyles {
 public:
  TAutomaticStyles(const sheet::TExportWorkbook& workbook, text::TRegionalSettings region);

  const std::string& CellStyle(const sheet::TExportCellStyle& style, const std::string& numberFormat);
  const std::string& ColumnStyle(double widthPixels, bool breakBefore);
  const std::string& RowStyle(double heightPixels, bool breakBefore, bool optimalHeight);
  // The style of a table printed with the master page `masterPage`.
  std::string TableStyle(const std::string& masterPage, bool visible);
  const std::string& GraphicStyle(const sheet::TExportDrawingStyle& style);

  // <office:automatic-styles> with every style made so far.
  void Write(xlsx::TXMLWriter& w) const;

 private:
  struct TCellKey {
    std::array<int, 10> fFields{};
    std::string fNumberFormat;
    bool operator==(const TCellKey&) const = default;
  };
  struct TCellKeyHash {
    std::size_t operator()(const TCellKey& k) const;
  };
  // One family's styles: the XML of each (in order) and the names by key.
  struct TFamily {
    std::vector<std::string> fXml;
    std::unordered_map<std::string, std::string> fNames;
  };

  const std::string& Named(TFamily& family, const std::string& prefix, const std::string& key,
                           const std::function<void(xlsx::TXMLWriter&, const std::string&)>& write);
  std::string DataStyle(const std::string& numberFormat);
  void WriteCellStyle(xlsx::TXMLWriter& w, const std::string& name, const TCellKey& key, const std::string& dataStyle) const;

  const sheet::TExportWorkbook& fWorkbook;
  text::TRegionalSettings fRegion;
  std::unordered_map<TCellKey, std::string, TCellKeyHash> fCellNames;
  std::vector<std::string> fCellXml;
  TFamily fColumns, fRows, fTables, fGraphics;
  std::unordered_map<std::string, std::string> fDataStyleNames;  // "" for General
  std::vector<std::string> fDataStyleXml;
};

}  // namespace ods
