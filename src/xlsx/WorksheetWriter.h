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
class TExportRow;
class TExportWorkSheet;
class TExportWorkbook;
class TCustomExporter;
}  // namespace sheet

namespace xlsx {

class TDeflatedChunks;
class TXMLWriter;

// Writes one worksheet of a workbook whose styles are packed: the cell data
// first (streamed into deflated chunks; it decides the cell formats, merged
// ranges, breaks, links and pictures), then the column formats, the
// relationship and drawing parts, and last the sheet part, whose elements
// around the cell data are written in schema order.
class TWorksheetWriter {
 public:
  // A new chunk starts before a row once the current one holds this many cells.
  static constexpr int kChunkCells = 10000;
  static constexpr int kEmuPerPixel = 9535;

  TWorksheetWriter(TZipArchive& archive, TExporterXLSX_StyleSheet& styles, TXLSXSharedStrings_Export& sharedStrings,
                   const sheet::TCustomExporter& exporter, bool threaded);

  // Writes sheet `index` (0-based); returns the drawing part name ("" without pictures).
  std::string Write(const sheet::TExportWorkSheet& sheet, int index);
  // The definedName elements of the sheet's print area and print titles.
  static std::string DefinedNames(const sheet::TExportWorkSheet& sheet, int index);
  // The workbook's own defined names (after every sheet's).
  static std::string WorkbookDefinedNames(const sheet::TExportWorkbook& workbook);

 private:
  // The cells a row-spanning cell covers in the rows below it, with its format.
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
  // A <col> element: a run of columns alike.
  struct TColEntry {
    int fMin, fMax;
    double fWidth;
    int fXf;
    bool fHidden;
    int fLevel;
  };
  // What the passes over the sheet find for the parts and elements written after them.
  struct TSheetFindings {
    int fUsedCols = 0;
    std::vector<std::string> fMerges;
    std::vector<int> fRowBreaks;
    std::vector<int> fColBreaks;
    std::vector<THyperlink> fHyperlinks;
    std::vector<TPicture> fPictures;
    std::vector<TColEntry> fCols;
    int fSheetXf = -1;
    // Relationship ids: one per distinct link target, then the drawing's.
    std::vector<std::string> fLinkTargets;
    std::vector<int> fLinkRelIds;
    int fDrawingRelId = 0;
  };

  // ---- the cell data (SheetData.cpp)
  void WriteSheetData(const sheet::TExportWorkSheet& sheet, TDeflatedChunks& chunks);
  void WriteRow(TXMLWriter& w, const sheet::TExportWorkSheet& sheet, const sheet::TExportRow& row, int r, int& cells);
  int CellXf(const sheet::TExportCell& cell, const std::string& numberFormat, int col, int row);
  void WriteCell(TXMLWriter& w, const sheet::TExportCell& cell, int col, int row, int xf);
  void WriteStringCell(TXMLWriter& w, const sheet::TExportCell& cell, int col, int row);
  void WriteNumberCell(TXMLWriter& w, const sheet::TExportCell& cell);
  int WriteCoveredCells(TXMLWriter& w, const sheet::TExportRow& row, const sheet::TExportCell& cell, int c, int r,
                        int xf, const std::string& numberFormat);
  int WriteForcedCells(TXMLWriter& w, const sheet::TExportWorkSheet& sheet, int from, int r, int rowXf);
  void WriteRowsOnlyForcedRangesReach(TXMLWriter& w, int rowCount);
  int ForcedXf(int col, int row) const;
  int LastForcedCol(int row) const;
  int SheetXf(const sheet::TExportWorkSheet& sheet);
  void CollectPictures(const sheet::TExportCell& cell, int col, int row);

  // ---- what the cell data decided for the other parts
  void ResolveCols(const sheet::TExportWorkSheet& sheet);
  void ResolveRelationshipIds();
  void WriteSheetRels(int sheetNumber);
  void WriteDrawing(int sheetNumber);
  void WriteAnchor(TXMLWriter& w, const TPicture& picture, int index) const;

  // ---- the sheet part
  void WriteSheetPart(const sheet::TExportWorkSheet& sheet, int sheetNumber, const TDeflatedChunks& chunks);
  void WriteSheetPartHead(TXMLWriter& w, const sheet::TExportWorkSheet& sheet) const;
  void WriteSheetPartTail(TXMLWriter& w, const sheet::TExportWorkSheet& sheet) const;
  void WriteDimension(TXMLWriter& w, const sheet::TExportWorkSheet& sheet) const;
  void WriteSheetFormatPr(TXMLWriter& w) const;
  void WriteCols(TXMLWriter& w) const;
  void WriteMergeCells(TXMLWriter& w) const;
  void WriteHyperlinks(TXMLWriter& w) const;
  void WriteBreaks(TXMLWriter& w, const char* name, const std::vector<int>& ids, int max) const;
  void WriteDrawingRef(TXMLWriter& w) const;

  TZipArchive& fArchive;
  TExporterXLSX_StyleSheet& fStyles;
  TXLSXSharedStrings_Export& fSharedStrings;
  const sheet::TCustomExporter& fExporter;
  bool fThreaded;
  // State of the sheet being written.
  TSheetMetrics fMetrics;
  std::vector<TForcedRange> fForced;
  TSheetFindings fFound;
};

}  // namespace xlsx
