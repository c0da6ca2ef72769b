#pragma once

#include <string>

#include "app/FileSystem.h"
#include "app/TextTables.h"
#include "text/RegionalSettings.h"

namespace sheet {
class TExportWorkbook;
class TExportWorkSheet;
}  // namespace sheet

// The customer list: a workbook kept by the user, first worksheet, row 0 a
// header row, one customer per row with the firm in column B. The window's
// side (reading at start-up, the chooser, the customer fields) is in
// TMainWindow; these are the pieces it is built from.
namespace app {

// Columns of a customer row in CustomerGrid.
enum TCustomerColumn : int {
  kCustomerFirm = 1,
  kCustomerStreet = 2,
  kCustomerCity = 3,
  kCustomerIco = 4,
  kCustomerDic = 5,
  kCustomerContact = 6,
  kCustomerPhone = 7,
};

// Loads a workbook file read through `fs` with the format its extension
// selects (the XLS reader for .xls and .xlt). Errors: EExportFileNameException
// for an extension no format takes, EExportFileException "Cannot open file
// "%s". %s" when the file cannot be read, and the reader's own errors for a
// file that is not a valid workbook.
void LoadWorkbookFile(const TFileSystem& fs, const std::string& path, sheet::TExportWorkbook& workbook);

// The worksheet as a grid of displayed texts: max(rows, 1) rows, as many
// columns as the widest row has cells (at least one).
TTextGrid CustomerGridFrom(const sheet::TExportWorkSheet& worksheet, const text::TRegionalSettings& region);

}  // namespace app
