#include "app/CustomerList.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sstream>

#include "app/MainWindow.h"
#include "app/Paths.h"
#include "app/TextOrder.h"
#include "sheet/Exceptions.h"
#include "sheet/FormatRegistry.h"
#include "sheet/Workbook.h"
#include "sheet/Worksheet.h"
#include "xls/ExporterXLS.h"
#include "xls/OleStorage.h"
#include "xls/XLSErrors.h"

namespace app {

namespace {

// The system's reason as the model's own file opening words it.
std::string ReasonOf(const EInOutError& error) {
  switch (error.Code()) {
    case EInOutError::kFileNotFound:
    case EInOutError::kPathNotFound:
      return std::strerror(ENOENT);
    case EInOutError::kAccessDenied:
      return std::strerror(EACCES);
    default:
      return error.what();
  }
}

std::string WithValue(std::string pattern, const std::string& value) {
  if (const std::size_t pos = pattern.find("%s"); pos != std::string::npos) pattern.replace(pos, 2, value);
  return pattern;
}

}  // namespace

// What a file that is no compound file looks like, for the message.
std::string LooksLike(std::string_view head) {
  if (head.starts_with("PK\x03\x04")) return " It is a ZIP archive, as an Excel 2007 (.xlsx) workbook is.";
  if (head.empty()) return " It is empty.";
  const bool text = std::all_of(head.begin(), head.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x20 || c == '\t' || c == '\r' || c == '\n';
  });
  return text ? " It looks like a text file." : "";
}

// The compound-file signature is checked on the first bytes: a file that is
// no workbook at all is refused before it is read whole.
void CheckCompoundFileSignature(const TFileSystem& fs, const std::string& path) {
  const std::string head = fs.ReadFileHead(path, 512);
  if (xls::HasCompoundFileSignature(head)) return;
  throw sheet::EExportFileException(std::string(xls::kMsgNotValidXls) + LooksLike(head) + " (" + path + ")");
}

void LoadWorkbookFile(const TFileSystem& fs, const std::string& path, sheet::TExportWorkbook& workbook) {
  xls::RegisterXlsFormat();
  sheet::TCustomExporter* exporter = sheet::ExporterRegistry().FindByFileName(path);
  if (!exporter) throw sheet::EExportFileNameException(WithValue(sheet::kMsgFileNotProcessed, path));
  if (fs.DirectoryExists(path)) {
    throw sheet::EExportFileException("Cannot open file \"" + path + "\". It is a folder, not a file.");
  }
  std::string bytes;
  try {
    if (sheet::NormalizeExtension(sheet::ExtractFileExt(path)) == "xls") CheckCompoundFileSignature(fs, path);
    bytes = fs.ReadFile(path);
  } catch (const EInOutError& error) {
    throw sheet::EExportFileException("Cannot open file \"" + path + "\". " + ReasonOf(error));
  }
  std::istringstream stream(std::move(bytes));
  try {
    workbook.LoadFromStream(stream, *exporter);
  } catch (const std::exception& error) {
    // The reader's own message ("Stream read error", "not a valid XLS")
    // does not say which file it read.
    throw sheet::EExportFileException("Cannot read file \"" + path + "\". " + error.what());
  }
}

TTextGrid CustomerGridFrom(const sheet::TExportWorkSheet& worksheet, const text::TRegionalSettings& region) {
  const sheet::TExportRows& rows = worksheet.Rows();
  const int rowCount = rows.Count();
  TTextGrid grid(1, static_cast<std::size_t>(std::max(rowCount, 1)));
  for (int r = 0; r < rowCount; ++r) {
    const sheet::TExportRow& row = rows.Get(r);
    const int cellCount = row.CellCount();
    if (static_cast<std::size_t>(cellCount) > grid.ColCount()) grid.SetColCount(static_cast<std::size_t>(cellCount));
    for (int c = 0; c < cellCount; ++c) grid.SetCell(c, r, row.Cells().Get(c).FormattedText(&region));
  }
  return grid;
}

std::string TMainWindow::CustomerListFilePath() const {
  return JoinPath(fSettings.ArticleListFolder, kCustomerListFileName);
}

void TMainWindow::CteniZakazniku() { ReadCustomerList(CustomerListFilePath()); }

// The grid is replaced only once the whole worksheet has been read, so a
// failed reading leaves the previous customers in place.
void TMainWindow::ReadCustomerList(const std::string& path) {
  sheet::TExportWorkbook workbook;
  LoadWorkbookFile(fFileSystem, path, workbook);
  Workspace.CustomerGrid = CustomerGridFrom(workbook.WorkSheets().Get(0), fSettings.Region);
}

void TMainWindow::FillCustomerChoice() {
  const TTextGrid& grid = Workspace.CustomerGrid;
  Window.CustomerChoiceItems.Clear();
  for (std::size_t r = 1; r < grid.RowCount(); ++r) {
    Window.CustomerChoiceItems.Add(grid.Cell(kCustomerFirm, static_cast<std::ptrdiff_t>(r)));
  }
  // Showing the first firm is not a choice: the customer fields keep their captions.
  Window.CustomerChoice = grid.Cell(kCustomerFirm, 1);
}

void TMainWindow::ComboBox1Change(int selectedIndex) {
  const TTextGrid& grid = Workspace.CustomerGrid;
  const std::ptrdiff_t r = static_cast<std::ptrdiff_t>(selectedIndex) + 1;
  Window.CustomerFirmField = grid.Cell(kCustomerFirm, r);
  Window.CustomerStreetField = grid.Cell(kCustomerStreet, r);
  Window.CustomerCityField = grid.Cell(kCustomerCity, r);
  Window.CustomerContactField = grid.Cell(kCustomerContact, r);
  Window.CustomerPhoneField = grid.Cell(kCustomerPhone, r);
  Window.CustomerIcoField = grid.Cell(kCustomerIco, r);
  Window.CustomerDicField = grid.Cell(kCustomerDic, r);
}

void TMainWindow::SelectCustomer(int index) {
  Window.CustomerChoice = Window.CustomerChoiceItems.Get(index);
  ComboBox1Change(index);
}

void TMainWindow::TypeCustomerName(const std::string& name) {
  Window.CustomerChoice = name;
  const auto& entries = Window.CustomerChoiceItems.Entries();
  const auto found = std::find_if(entries.begin(), entries.end(),
                                  [&name](const std::string& entry) { return SameTextNoCase(entry, name); });
  ComboBox1Change(found == entries.end() ? -1 : static_cast<int>(found - entries.begin()));
}

}  // namespace app
