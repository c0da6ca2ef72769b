#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "sheet/FormatRegistry.h"
#include "xlsx/Stream.h"
#include "xlsx/ZipArchive.h"

namespace sheet {
class TExportWorkbook;
}

namespace xlsx {

class TExporterXLSX_StyleSheet;
class TXLSXSharedStrings_Export;
struct TPackageInfo;

// Writes a workbook model as an Office Open XML spreadsheet package
// (registered as the default format: xlsx, xlsm, xltx, xltm).
class TExporterXLSX : public sheet::TCustomExporter {
 public:
  static constexpr int kMaxCols = 16384;
  static constexpr int kMaxRows = 1048576;

  TExporterXLSX();
  std::unique_ptr<sheet::TCustomExporter> CreateNew() const override;

  // Writes Owner() into the stream; the stream is written front to back with
  // seeks back to entry headers, and is never closed or renamed here.
  void SaveToStream(std::ostream& stream) override;
  // The same for a workbook and any seekable destination.
  void SaveWorkbook(sheet::TExportWorkbook& workbook, TSeekableStream& stream);

  double CellPadding() const override { return 7; }
  double RunSpacing() const override { return 2; }
  double GetMultiLineRowHeight(const sheet::TExportCell& cell, double realColWidth) const override;
  int MaxColCount() const override { return kMaxCols; }
  int MaxRowCount() const override { return kMaxRows; }

  // Time stamps of the package entries (local time now by default); tests fix it for reproducible files.
  TExporterXLSX& SetClock(TZipClock clock) { fClock = std::move(clock); return *this; }
  // Compress sheet data on a worker thread while the next rows are written.
  TExporterXLSX& SetThreaded(bool threaded) { fThreaded = threaded; return *this; }

 private:
  void WriteWorksheets(sheet::TExportWorkbook& workbook, TZipArchive& archive, TExporterXLSX_StyleSheet& styles,
                       TXLSXSharedStrings_Export& sharedStrings, TPackageInfo& info) const;

  TZipClock fClock;
  bool fThreaded = true;
};

// Puts the XLSX writer into the process-wide format registry as format 0
// (replacing the placeholder); calling it again changes nothing.
void RegisterXlsxFormat();

}  // namespace xlsx
