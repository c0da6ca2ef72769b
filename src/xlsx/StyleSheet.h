#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "sheet/Borders.h"
#include "sheet/Style.h"
#include "sheet/Types.h"
#include "xlsx/ZipArchive.h"

namespace sheet {
class TExportWorkbook;
}

namespace xlsx {

class TXMLWriter;

// One cell format (xf) of the package's style sheet.
struct TExporterXLSX_Style {
  int fFontId = 0;
  int fBorderId = 0;
  int fFillId = 0;
  int fNumFmtId = 0;
  sheet::TCellHAlignment fAlignment = sheet::cahAuto;
  sheet::TCellVAlignment fVAlignment = sheet::cavAuto;
  int fIndent = 0;
  bool fWrapText = false;
  sheet::TExportFlowOrientation fOrientation = sheet::efoLeftToRight;
  int fRotation = 0;
  sheet::TExportCellProtection fProtection = sheet::ecpLocked;
};

// "FF" + RRGGBB of a model colour (system colours resolved, none and default as black).
std::string ColorToARGB(sheet::TColor color);

// Cell formats made unique while the sheets are written, then written as
// xl/styles.xml. xf 0 is a fixed default no model style maps to; the first
// custom number format gets id 165. The workbook is only read: its styles are
// packed before writing, fonts and border sets are the workbook's lists, and
// the border sets that only merged cells need (a spanning cell's borders laid
// over a covered cell's) are kept here, numbered after the workbook's.
class TExporterXLSX_StyleSheet {
 public:
  static constexpr sheet::TColor kGray125Fill = static_cast<sheet::TColor>(0xFF00000F);

  explicit TExporterXLSX_StyleSheet(const sheet::TExportWorkbook& workbook);

  // The xf of a packed style with a number format; EExportException for an unpacked one.
  int CreateAddStyleUnique(const sheet::TExportCellStyle& style, const std::string& numberFormat);
  // The base xf with the borders of `style` laid over it (sides other than
  // ebAuto replace the style, colours other than none the colour).
  int CreateAddStyleUniqueApplyBorders(const sheet::TExportCellStyle& style, const std::string& numberFormat, int baseXf);

  int XfCount() const { return static_cast<int>(fCellXfs.size()); }
  const TExporterXLSX_Style& Xf(int index) const { return fCellXfs.at(static_cast<std::size_t>(index)); }
  int FillCount() const { return static_cast<int>(fFills.size()); }
  int NumFmtId(const std::string& code);

  // Writes xl/styles.xml (deflated, with a byte-order mark).
  void ExportXLSX(TZipArchive& archive) const;
  std::string StylesXml() const;

 private:
  // The fields an xf is made of, before fill and number format get their ids.
  struct TStyleKey {
    int fFields[10];
    std::string fNumberFormat;
    bool operator==(const TStyleKey&) const = default;
  };
  struct TStyleKeyHash {
    std::size_t operator()(const TStyleKey& k) const;
  };

  int XfFor(const TStyleKey& key);
  int FillId(sheet::TColor color);
  int WorkbookBordersCount() const;
  const sheet::TExportCellBorders& BordersAt(int id) const;
  int BordersIdFor(const sheet::TExportCellBorders& borders, int currentId);

  void WriteNumFmts(TXMLWriter& w) const;
  void WriteFonts(TXMLWriter& w) const;
  void WriteFills(TXMLWriter& w) const;
  void WriteBorders(TXMLWriter& w) const;
  void WriteCellStyleXfs(TXMLWriter& w) const;
  void WriteCellXfs(TXMLWriter& w) const;
  void WriteCellStyles(TXMLWriter& w) const;

  const sheet::TExportWorkbook& fWorkbook;
  std::unordered_map<TStyleKey, int, TStyleKeyHash> fXfIndex;
  TStyleKey fScratchKey;
  std::vector<TExporterXLSX_Style> fCellXfs;
  std::vector<sheet::TColor> fFills;
  std::vector<std::pair<int, std::string>> fNumFmts;
  std::unordered_map<std::string, int> fNumFmtIndex;
  // Border sets of merged cells that the workbook's list does not hold, by footprint.
  std::vector<sheet::TExportCellBorders> fMergedBorders;
  std::unordered_map<std::string, int> fMergedBordersIndex;
  // The workbook's border count when the first of them was numbered.
  int fMergedBordersBase = 0;
};

}  // namespace xlsx
