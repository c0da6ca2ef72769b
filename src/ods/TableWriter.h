#pragma once

#include <string>
#include <vector>

#include "text/RegionalSettings.h"
#include "xlsx/SheetMetrics.h"

namespace sheet {
class TCustomExporter;
class TExportCell;
class TExportRow;
class TExportWorkSheet;
}  // namespace sheet

namespace xlsx {
class TDeflatedChunks;
class TXMLWriter;
}  // namespace xlsx

namespace ods {

class TAutomaticStyles;

// Writes one worksheet with packed styles as <table:table> of content.xml:
// its columns, its rows (runs of empty rows alike as one element), cells
// with their values and the texts the model shows for them, spanned and
// covered cells, pictures as frames in their cells, the rows printed on
// every page and the print range. Column widths and row heights are the
// model's, in centimetres.
class TTableWriter {
 public:
  static constexpr int kChunkCells = 10000;

  TTableWriter(TAutomaticStyles& styles, const sheet::TCustomExporter& exporter, text::TRegionalSettings region);

  void Write(const sheet::TExportWorkSheet& sheet, const std::string& masterPage, xlsx::TDeflatedChunks& chunks);

 private:
  // The cells a row-spanning cell covers in the rows below it.
  struct TCoveredRange {
    int fCol1, fCol2, fRow1, fRow2;
    std::string fStyle;
  };
  // Empty cells or rows alike are written once with a repeat count.
  struct TPendingRun {
    std::string fMarkup;  // the element without its repeat count and end
    int fCount = 0;
  };

  void WriteColumns(xlsx::TXMLWriter& w, const sheet::TExportWorkSheet& sheet, int columns);
  void WriteRow(xlsx::TXMLWriter& w, const sheet::TExportWorkSheet& sheet, int r);
  std::string RowStart(const sheet::TExportWorkSheet& sheet, int r);
  bool RowIsEmpty(const sheet::TExportWorkSheet& sheet, int r) const;
  struct TShownValue {
    std::string fText, fLink;
  };
  void WriteCells(xlsx::TXMLWriter& w, const sheet::TExportRow* row, int r);
  void WriteCell(xlsx::TXMLWriter& w, const sheet::TExportCell& cell, const std::string& style);
  TShownValue WriteValue(xlsx::TXMLWriter& w, const sheet::TExportCell& cell);
  void WritePictures(xlsx::TXMLWriter& w, const sheet::TExportCell& cell);
  void WriteCovered(xlsx::TXMLWriter& w, const sheet::TExportCell* placeholder, const std::string& style);
  const TCoveredRange* CoveredAt(int col, int row) const;
  int LastCoveredCol(int row) const;

  void AddRun(xlsx::TXMLWriter& w, TPendingRun& run, const std::string& markup, const char* repeatAttribute,
              const char* element);
  void FlushRun(xlsx::TXMLWriter& w, TPendingRun& run, const char* repeatAttribute, const char* element);

  TAutomaticStyles& fStyles;
  const sheet::TCustomExporter& fExporter;
  text::TRegionalSettings fRegion;
  bool fUse1904 = false;
  xlsx::TSheetMetrics fMetrics;
  std::vector<TCoveredRange> fCovered;
  TPendingRun fEmptyCells, fEmptyRows;
  int fFrames = 0;
};

}  // namespace ods
