#pragma once

#include <string>
#include <vector>

namespace sheet {
class TExportWorkbook;
}

namespace xlsx {

// The fixed parts of the package: templates with a few values spliced in.
namespace ns {
inline constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr const char* kRelationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr const char* kPackageRelationships = "http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr const char* kXdr = "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing";
inline constexpr const char* kA = "http://schemas.openxmlformats.org/drawingml/2006/main";
}  // namespace ns

inline constexpr const char* kXmlDeclarationLine = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";

struct TPackageInfo {
  int fSheetCount = 0;
  std::vector<std::string> fDrawingParts;  // "xl/drawings/drawing1.xml"
  std::vector<std::pair<std::string, std::string>> fImageExtensions;  // (extension, media type), first-use order
  bool fHasSharedStrings = false;
  bool fHasFormulas = false;
  // Per sheet: the definedName elements (already formatted).
  std::string fDefinedNames;
};

std::string MediaType(const std::string& extension);
std::string ContentTypesXml(const TPackageInfo& info);
std::string RootRelsXml();
std::string WorkbookRelsXml(const TPackageInfo& info);
std::string WorkbookXml(const sheet::TExportWorkbook& workbook, const TPackageInfo& info);
std::string CoreXml(const sheet::TExportWorkbook& workbook);
std::string AppXml(const sheet::TExportWorkbook& workbook);
std::string ThemeXml();

// Sheet title as workbook.xml carries it: cut to 31 characters, escaped.
std::string SheetTitle31(const std::string& title);

}  // namespace xlsx
