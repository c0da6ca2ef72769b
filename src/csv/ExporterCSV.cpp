#include "csv/ExporterCSV.h"

#include <algorithm>
#include <ostream>
#include <vector>

#include "sheet/Workbook.h"
#include "text/TextCase.h"
#include "xlsx/Stream.h"
#include "xlsx/XmlWriter.h"

namespace csv {

using namespace sheet;

namespace {

// A field quoted when it must be. A line break inside a cell is written as
// LF, as spreadsheet programs keep it in a cell, so that CR LF only ever
// ends a line.
void AppendField(std::string& out, const std::string& field, char separator) {
  if (field.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string::npos) {
    out += field;
    return;
  }
  out += '"';
  for (std::size_t i = 0; i < field.size(); ++i) {
    const char c = field[i];
    if (c == '\r') {
      out += '\n';
      if (i + 1 < field.size() && field[i + 1] == '\n') ++i;
      continue;
    }
    out += c;
    if (c == '"') out += '"';
  }
  out += '"';
}

// The cells spanning cells cover, as a mask per row and column.
std::vector<std::vector<bool>> CoveredCells(const TExportWorkSheet& sheet, int width) {
  const TExportRows& rows = sheet.Rows();
  std::vector<std::vector<bool>> covered(static_cast<std::size_t>(rows.Count()));
  for (int r = 0; r < rows.Count(); ++r) {
    const TExportCells& cells = rows.Get(r).Cells();
    for (int c = 0; c < cells.Count(); ++c) {
      const int colSpan = std::max(cells.GetC(c).ColSpan(), 1), rowSpan = std::max(cells.GetC(c).RowSpan(), 1);
      if (colSpan == 1 && rowSpan == 1) continue;
      for (int rr = r; rr < std::min(r + rowSpan, rows.Count()); ++rr) {
        auto& mask = covered[static_cast<std::size_t>(rr)];
        mask.resize(static_cast<std::size_t>(width));
        for (int cc = c; cc < std::min(c + colSpan, width); ++cc)
          if (rr != r || cc != c) mask[static_cast<std::size_t>(cc)] = true;
      }
    }
  }
  return covered;
}

void SaveSheetCsv(std::ostream& stream, const TExportWorkSheet& sheet) {
  const std::string text = WorksheetCsv(sheet, text::ProcessRegionalSettings());
  stream.write(text.data(), static_cast<std::streamsize>(text.size()));
  stream.flush();
  if (!stream) throw xlsx::EStreamError("Error writing to the destination stream");
}

// An entry name from a worksheet title, unique within the archive even where
// names are compared without case («Židle» and «židle» are two worksheets
// but would be one file when the archive is unpacked on Windows).
std::string EntryName(const std::string& title, std::vector<std::string>& taken) {
  const std::string base = FileNameFromTitle(title);
  std::string name = base + ".csv";
  for (int n = 2; std::find(taken.begin(), taken.end(), text::LowerCase(name)) != taken.end(); ++n)
    name = base + " (" + std::to_string(n) + ").csv";
  taken.push_back(text::LowerCase(name));
  return name;
}

}  // namespace

char ListSeparator(const text::TRegionalSettings& region) { return region.fDecimalSeparator == "," ? ';' : ','; }

// The fields are the texts the cells show, not their raw values: an import
// into accounting or a spreadsheet then reads the rounding, the decimal
// separator and the dates the dealer saw in the offer, where the stored
// doubles would give 3489.9999999 or a date's serial number.
std::string WorksheetCsv(const TExportWorkSheet& sheet, const text::TRegionalSettings& region) {
  const char separator = ListSeparator(region);
  const TExportRows& rows = sheet.Rows();
  int width = 0;
  for (int r = 0; r < rows.Count(); ++r) width = std::max(width, rows.Get(r).Cells().Count());
  const std::vector<std::vector<bool>> covered = CoveredCells(sheet, width);
  std::string out = xlsx::kUtf8ByteOrderMark;
  for (int r = 0; r < rows.Count(); ++r) {
    const TExportCells& cells = rows.Get(r).Cells();
    const std::vector<bool>& mask = covered[static_cast<std::size_t>(r)];
    for (int c = 0; c < width; ++c) {
      if (c > 0) out += separator;
      const bool hidden = static_cast<std::size_t>(c) < mask.size() && mask[static_cast<std::size_t>(c)];
      if (c < cells.Count() && !hidden) AppendField(out, cells.GetC(c).FormattedText(&region), separator);
    }
    out += "\r\n";
  }
  return out;
}

TExporterCSV::TExporterCSV() : TCustomExporter(kFormatCsv, "CSV comma-separated text", {"csv", "txt"}) {}

std::unique_ptr<TCustomExporter> TExporterCSV::CreateNew() const { return std::make_unique<TExporterCSV>(); }

void TExporterCSV::SaveToStream(std::ostream& stream) {
  if (!Owner()) throw EExportException("TExporterCSV.SaveToStream: no workbook to save");
  TExportWorkbook& workbook = *Owner();
  workbook.DoProgress(epnStart, 0, 1, kProgressExport);
  const int index = workbook.OpenWorkSheetIndex();
  if (index >= 0) SaveSheetCsv(stream, workbook.WorkSheets().GetWS(index));
  workbook.DoProgress(epnFinish, 1, 1);
}

TExporterZIPCSV::TExporterZIPCSV() : TCustomExporter(kFormatZipCsv, "Zipped CSV", {"zip"}) {}

std::unique_ptr<TCustomExporter> TExporterZIPCSV::CreateNew() const {
  auto copy = std::make_unique<TExporterZIPCSV>();
  copy->fClock = fClock;
  return copy;
}

void TExporterZIPCSV::SaveToStream(std::ostream& stream) {
  if (!Owner()) throw EExportException("TExporterZIPCSV.SaveToStream: no workbook to save");
  TExportWorkbook& workbook = *Owner();
  workbook.CheckTitles();
  workbook.DoProgress(epnStart, 0, 1, kProgressExport);
  xlsx::TOStreamAdapter destination(stream);
  xlsx::TZipArchive archive;
  if (fClock) archive.SetClock(fClock);
  archive.OpenStream(destination, xlsx::TZipMode::zmWrite);
  const text::TRegionalSettings region = text::ProcessRegionalSettings();
  const TExportWorkSheets& sheets = workbook.WorkSheets();
  std::vector<std::string> taken;
  for (int i = 0; i < sheets.Count(); ++i) {
    workbook.DoProgress(epnWorksheet, i, sheets.Count(), sheets.GetWS(i).Title());
    archive.AddFromBuffer(EntryName(sheets.GetWS(i).Title(), taken), WorksheetCsv(sheets.GetWS(i), region));
  }
  workbook.DoProgress(epnSave, 0, 1);
  archive.Close();
  stream.flush();
  if (!stream) throw xlsx::EStreamError("Error writing to the destination stream");
  workbook.DoProgress(epnFinish, 1, 1);
}

void RegisterCsvFormats() {
  TExporterRegistry& registry = ExporterRegistry();
  if (!registry.Find<TExporterCSV>()) registry.Register(std::make_unique<TExporterCSV>());
  if (!registry.Find<TExporterZIPCSV>()) registry.Register(std::make_unique<TExporterZIPCSV>());
}

}  // namespace csv
