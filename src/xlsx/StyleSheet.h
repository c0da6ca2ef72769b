#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "sheet/Style.h"
#include "sheet/Types.h"
#include "xlsx/ZipArchive.h"

namespace sheet {
class TExportWorkbook;
}

namespace xlsx {

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

// Cell formats made unique by footprint while the sheets are written, then
// written as xl/styles.xml. xf 0 is a fixed default no model style maps to;
// the first custom number format gets id 165.
class TExporterXLSX_StyleSheet {
 public:
  static constexpr sheet::TColor kGray125Fill = static_cast<sheet::TColor>(0xFF00000F);

  explicit TExporterXLSX_StyleSheet(sheet::TExportWorkbook& workbook);

  // Packs `style` first.
  int CreateAddStyleUnique(sheet::TExportCellStyle& style, const std::string& numberFormat);
  // Leaves `style` as it is (cells share their styles read-only); an unpacked one is looked up through a packed copy.
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
  int FillId(sheet::TColor color);
  int Add(const std::string& footprint, const sheet::TExportCellStyle& style, const std::string& numberFormat);

  // The fields a footprint is made of; equal keys have equal footprints, so
  // a cell whose key was seen before skips building the footprint text.
  struct TStyleKey {
    int fFields[10];
    std::string fNumberFormat;
    bool operator==(const TStyleKey&) const = default;
  };
  struct TStyleKeyHash {
    std::size_t operator()(const TStyleKey& k) const;
  };

  sheet::TExportWorkbook& fWorkbook;
  std::unordered_map<TStyleKey, int, TStyleKeyHash> fKeyCache;
  TStyleKey fScratchKey;
  std::unordered_map<std::string, int> fFootPrintTable;
  std::vector<TExporterXLSX_Style> fCellXfs;
  std::vector<sheet::TColor> fFills;
  std::vector<std::pair<int, std::string>> fNumFmts;
  std::unordered_map<std::string, int> fNumFmtIndex;
};

}  // namespace xlsx
