#pragma once

#include <string>
#include <vector>

#include "xlsx/SharedStrings.h"
#include "xlsx/SheetMetrics.h"
#include "xlsx/StyleSheet.h"
#include "xlsx/ZipArchive.h"

namespace sheet {
class TExportCell;
class TExportCellDrawing;
class TExportCustomExporter;
class TExportWorkSheet;
class TExportWorkbook;
class TCustomExporter;
}  // namespace sheet

namespace xlsx {

// Writes one worksheet: its cell data (streamed into deflated chunks), then
// its drawing and relationship parts, then the sheet part itself.
class TWorksheetWriter {
 public:
  // A new chunk starts before a row once the current one holds this many cells.
  static constexpr int kChunkCells = 10000;
  static constexpr int kEmuPerPixel = 9535;

  TWorksheetWriter(TZipArchive& archive, TExporterXLSX_StyleSheet& styles, TXLSXSharedStrings_Export& sharedStrings,
                   const sheet::TCustomExporter& exporter, bool threaded);

  // Writes sheet `index` (0-based); returns the drawing part name ("" without pictures).
  std::string Write(sheet::TExportWorkSheet& sheet, int index);
  // The definedName elements of the sheet's print area and print titles.
  static std::string DefinedNames(const sheet::TExportWorkSheet& sheet, int index);
  // The workbook's own defined names (after every sheet's).
  static std::string WorkbookDefinedNames(const sheet::TExportWorkbook& workbook);

 private:
  struct TForcedRange {
    int fCol1, fCol2, fRow1, fRow2, fXf;
  };
  struct THyperlink {
    std::string fRef, fTarget, fHint;
  };
  struct TPicture {
    const sheet::TExportCellDrawing* fPlacement;
    int fCol, fRow;
  };

  void StreamCells(sheet::TExportWorkSheet& sheet, std::string& dimension, std::vector<std::string>& merges,
                   std::vector<int>& rowBreaks, class TDeflatedChunks& chunks);
  int ForcedXf(int col, int row) const;
  int LastForcedCol(int row) const;
  void CollectPictures(sheet::TExportCell& cell, int col, int row);
  void WriteDrawing(const std::vector<TPicture>& pictures, int sheetNumber);

  TZipArchive& fArchive;
  TExporterXLSX_StyleSheet& fStyles;
  TXLSXSharedStrings_Export& fSharedStrings;
  const sheet::TCustomExporter& fExporter;
  bool fThreaded;
  TSheetMetrics fMetrics;
  std::vector<TForcedRange> fForced;
  std::vector<THyperlink> fHyperlinks;
  std::vector<TPicture>* fPictures = nullptr;
};

}  // namespace xlsx
