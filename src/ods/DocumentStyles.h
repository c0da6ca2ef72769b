#pragma once

#include <string>
#include <vector>

namespace sheet {
class TExportWorkbook;
}

namespace xlsx {
class TXMLWriter;
}

// styles.xml of an OpenDocument spreadsheet: the default cell style from the
// workbook's standard font, and for every worksheet a page layout (paper,
// orientation, margins, scaling, centring, what is printed) with a master
// page carrying its header and footer.
namespace ods {

// The master page of sheet `index` (0-based), as the table styles name it.
std::string MasterPageName(int index);
// The font families the workbook's cells and headers use, for the font face declarations.
std::vector<std::string> WorkbookFontNames(const sheet::TExportWorkbook& workbook);
// <office:font-face-decls> of those fonts; each part that names a font declares it.
void WriteFontFaces(xlsx::TXMLWriter& w, const sheet::TExportWorkbook& workbook);
std::string DocumentStylesXml(const sheet::TExportWorkbook& workbook);

}  // namespace ods
