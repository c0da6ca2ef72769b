#pragma once

#include <memory>
#include <string>

#include "sheet/FormatRegistry.h"
#include "text/RegionalSettings.h"
#include "xlsx/ZipArchive.h"

namespace sheet {
class TExportWorkSheet;
}

namespace csv {

// The list separator of a region: ";" where the decimal separator is a comma
// (as in Czech), "," elsewhere.
char ListSeparator(const text::TRegionalSettings& region);

// One worksheet as CSV text: UTF-8 with a byte-order mark, lines ended by
// CR LF, every line as many fields as the widest row has cells, a field
// quoted when it holds the separator, a quote or a line break (quotes
// doubled, line breaks as LF). Cells a spanning cell covers are empty fields.
std::string WorksheetCsv(const sheet::TExportWorkSheet& sheet, const text::TRegionalSettings& region);

// Writes the worksheet shown first when the workbook opens as CSV ("CSV
// comma-separated text": csv, txt).
class TExporterCSV : public sheet::TCustomExporter {
 public:
  TExporterCSV();
  std::unique_ptr<sheet::TCustomExporter> CreateNew() const override;
  void SaveToStream(std::ostream& stream) override;
};

// Writes every worksheet as CSV into a ZIP archive ("Zipped CSV": zip), one
// entry a worksheet named after it.
class TExporterZIPCSV : public sheet::TCustomExporter {
 public:
  TExporterZIPCSV();
  std::unique_ptr<sheet::TCustomExporter> CreateNew() const override;
  void SaveToStream(std::ostream& stream) override;
  TExporterZIPCSV& SetClock(xlsx::TZipClock clock) { fClock = std::move(clock); return *this; }

 private:
  xlsx::TZipClock fClock;
};

// Puts both writers into the process-wide format registry in the places of
// their placeholders; calling it again changes nothing.
void RegisterCsvFormats();

}  // namespace csv
