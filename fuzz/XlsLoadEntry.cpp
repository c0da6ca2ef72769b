#include "XlsLoadEntry.h"

#include <string>

#include "sheet/Workbook.h"
#include "xls/ExporterXLS.h"
#include "xls/XLSBook.h"

namespace nabidka_fuzz {

void LoadXls(std::string_view bytes) {
  if (bytes.size() >= 8 && bytes.substr(0, 4) == "\xD0\xCF\x11\xE0") {
    sheet::TExportWorkbook workbook;
    xls::TExporterXLS exporter;
    exporter.LoadFromBytes(bytes, workbook);
    // Display texts run through the number formats the file brought.
    for (int s = 0; s < workbook.WorkSheets().Count(); ++s) {
      const sheet::TExportWorkSheet& sheet = workbook.WorkSheets().GetWS(s);
      for (int r = 0; r < sheet.Rows().Count() && r < 200; ++r) {
        const sheet::TExportRow& row = sheet.Rows().At(r);
        for (int c = 0; c < row.CellCount(); ++c) row.Cells().GetC(c).FormattedText();
      }
    }
  } else {
    xls::ReadXLSBook(bytes);
  }
}

}  // namespace nabidka_fuzz
