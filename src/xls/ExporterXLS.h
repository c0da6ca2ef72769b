#pragma once

#include <iosfwd>
#include <memory>
#include <string_view>

#include "sheet/FormatRegistry.h"
#include "xls/XLSErrors.h"

namespace sheet {
class TExportWorkbook;
}

namespace xls {

inline constexpr const char* kMsgXlsWriteUnsupported =
    "The workbook was not saved: the XLS (Excel 97-2003) format can be read but not written. Save it as "
    "\"Excel 2007\" (.xlsx), which every spreadsheet program opens.";

// Reads Excel 97-2003 (BIFF8) workbooks into the document model (registered
// as format 1: xls, xlt). Writing this format is not supported.
class TExporterXLS : public sheet::TCustomExporter {
 public:
  static constexpr int kMaxCols = 256;
  static constexpr int kMaxRows = 65536;

  TExporterXLS();
  std::unique_ptr<sheet::TCustomExporter> CreateNew() const override;

  // Removes the workbook's worksheets and fills it from the compound file in
  // the stream. Errors: EOleStorageException ("The file could not be opened.",
  // "The file is not a valid XLS (Excel 97-2003) file."), EExportFileException
  // (the old 5.0/95 format), EXLSSharedStrings, EStreamReadError, EXLSEncrypted.
  bool LoadFromStream(std::istream& stream, sheet::TExportWorkbook& workbook) override;
  // Raises EExportException: this format is read only.
  void SaveToStream(std::ostream& stream) override;
  // The same for a file's bytes already in memory.
  bool LoadFromBytes(std::string_view bytes, sheet::TExportWorkbook& workbook);

  double CellPadding() const override { return 7; }
  double RunSpacing() const override { return 2; }
  int MaxColCount() const override { return kMaxCols; }
  int MaxRowCount() const override { return kMaxRows; }
};

// Puts the XLS reader into the process-wide format registry as format 1
// (replacing the placeholder); calling it again changes nothing.
void RegisterXlsFormat();

}  // namespace xls
