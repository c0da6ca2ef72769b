#pragma once

#include <string>
#include <string_view>
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

inline constexpr const char* kWorkbookContentType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";

struct TPackageInfo {
  int fSheetCount = 0;
  // The workbook part's content type, which must agree with the file's
  // extension (a template or macro-enabled workbook has its own).
  std::string fMainContentType = kWorkbookContentType;
  std::vector<std::string> fDrawingParts;  // "xl/drawings/drawing1.xml"
  std::vector<std::pair<std::string, std::string>> fImageExtensions;  // (extension, media type), first-use order
  bool fHasSharedStrings = false;
  bool fHasFormulas = false;
  // Per sheet: the definedName elements (already formatted).
  std::string fDefinedNames;
};

// The workbook part's content type for a file extension ("xlsm", ".XLTX"; xlsx for any other).
std::string MainContentTypeFor(std::string_view extension);

std::string MediaType(const std::string& extension);
std::string ContentTypesXml(const TPackageInfo& info);
std::string RootRelsXml();
std::string WorkbookRelsXml(const TPackageInfo& info);
std::string WorkbookXml(const sheet::TExportWorkbook& workbook, const TPackageInfo& info);
std::string CoreXml(const sheet::TExportWorkbook& workbook);
std::string AppXml(const sheet::TExportWorkbook& workbook);
std::string ThemeXml();
// A sheet's relationships: one external link per target (rId1 ...), then its
// drawing part ("/xl/drawings/drawing1.xml"; none when empty) as rId<links + 1>.
std::string SheetRelsXml(const std::vector<std::string>& linkTargets, const std::string& drawingPart);
// A drawing's relationships: its pictures' media parts ("/xl/media/image1.jpg") as rId1 ...
std::string DrawingRelsXml(const std::vector<std::string>& mediaParts);

// Sheet title as workbook.xml carries it: cut to 31 characters, escaped.
std::string SheetTitle31(const std::string& title);

}  // namespace xlsx
