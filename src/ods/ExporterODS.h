#pragma once

#include <memory>
#include <string>

#include "sheet/FormatRegistry.h"
#include "xlsx/Stream.h"
#include "xlsx/ZipArchive.h"

namespace sheet {
class TExportWorkbook;
}

namespace ods {

// Writes a workbook model as an OpenDocument spreadsheet (registered as
// format 2: ods, ots): the mimetype entry first and stored, content.xml with
// the tables, styles.xml with the page layouts, meta.xml, the pictures and
// the manifest, over the ZIP archive and XML writer the XLSX format uses.
class TExporterODS : public sheet::TCustomExporter {
 public:
  TExporterODS();
  std::unique_ptr<sheet::TCustomExporter> CreateNew() const override;

  void SaveToStream(std::ostream& stream) override;
  void SaveWorkbook(sheet::TExportWorkbook& workbook, xlsx::TSeekableStream& stream);

  // Sizes come out as the XLSX format computes them, so both print alike.
  double CellPadding() const override { return 7; }
  double RunSpacing() const override { return 2; }
  double GetMultiLineRowHeight(const sheet::TExportCell& cell, double realColWidth) const override;
  int MaxColCount() const override { return 16384; }
  int MaxRowCount() const override { return 1048576; }

  // Time stamps of the entries and of meta.xml (local time now by default).
  TExporterODS& SetClock(xlsx::TZipClock clock) { fClock = std::move(clock); return *this; }
  TExporterODS& SetThreaded(bool threaded) { fThreaded = threaded; return *this; }

 private:
  void WriteContent(sheet::TExportWorkbook& workbook, xlsx::TZipArchive& archive) const;

  xlsx::TZipClock fClock;
  bool fThreaded = true;
};

// Puts the writer into the process-wide format registry in the place of its
// placeholder; calling it again changes nothing.
void RegisterOdsFormat();

}  // namespace ods
