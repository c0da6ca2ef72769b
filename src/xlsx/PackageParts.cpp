#include "xlsx/PackageParts.h"

#include "sheet/Workbook.h"
#include "text/Utf16.h"
#include "xlsx/XmlText.h"

namespace xlsx {

namespace {

constexpr const char* kRelType = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

void Relationship(std::string& out, const std::string& id, const std::string& type, const std::string& target) {
  out += "<Relationship Id=\"" + id + "\" Type=\"" + kRelType + type + "\" Target=\"" + target + "\"/>";
}

}  // namespace

std::string MediaType(const std::string& ext) {
  if (ext == "jpg") return "image/jpeg";
  if (ext == "tif") return "image/tiff";
  if (ext == "wmf") return "image/x-wmf";
  if (ext == "emf") return "image/x-emf";
  return "image/" + ext;
}

std::string MainContentTypeFor(std::string_view extension) {
  const std::string ext = sheet::NormalizeExtension(extension);
  if (ext == "xlsm") return "application/vnd.ms-excel.sheet.macroEnabled.main+xml";
  if (ext == "xltx") return "application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml";
  if (ext == "xltm") return "application/vnd.ms-excel.template.macroEnabled.main+xml";
  return kWorkbookContentType;
}

std::string ContentTypesXml(const TPackageInfo& info) {
  std::string x = kXmlDeclarationLine;
  x += "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
       "<Override PartName=\"/xl/theme/theme1.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.theme+xml\"/>"
       "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
       "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>";
  for (const auto& [ext, type] : info.fImageExtensions)
    x += "<Default Extension=\"" + TemplateEscape(ext) + "\" ContentType=\"" + TemplateEscape(type) + "\" />";
  x += "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
       "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" + TemplateEscape(info.fMainContentType) + "\"/>"
       "<Override PartName=\"/docProps/app.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.extended-properties+xml\"/>";
  for (int i = 1; i <= info.fSheetCount; ++i)
    x += "<Override PartName=\"/xl/worksheets/sheet" + IntText(i) +
         ".xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
  for (const std::string& part : info.fDrawingParts)
    x += "<Override PartName=\"/" + part + "\" ContentType=\"application/vnd.openxmlformats-officedocument.drawing+xml\" />";
  x += "<Default Extension=\"vml\" ContentType=\"application/vnd.openxmlformats-officedocument.vmlDrawing\" />";
  if (info.fHasFormulas)
    x += "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml\"/>";
  if (info.fHasSharedStrings)
    x += "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>";
  x += "<Override PartName=\"/docProps/core.xml\" ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
       "</Types>";
  return x;
}

std::string RootRelsXml() {
  std::string x = kXmlDeclarationLine;
  x += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  Relationship(x, "rId3", "extended-properties", "docProps/app.xml");
  x += "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties\" Target=\"docProps/core.xml\"/>";
  Relationship(x, "rId1", "officeDocument", "xl/workbook.xml");
  x += "</Relationships>";
  return x;
}

std::string WorkbookRelsXml(const TPackageInfo& info) {
  std::string x = kXmlDeclarationLine;
  x += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  Relationship(x, "rId1", "styles", "styles.xml");
  Relationship(x, "rId2", "theme", "theme/theme1.xml");
  if (info.fHasFormulas) Relationship(x, "rId3", "calcChain", "calcChain.xml");
  if (info.fHasSharedStrings) Relationship(x, "rId4", "sharedStrings", "sharedStrings.xml");
  for (int i = 0; i < info.fSheetCount; ++i)
    Relationship(x, "rId" + IntText(i + 5), "worksheet", "worksheets/sheet" + IntText(i + 1) + ".xml");
  x += "</Relationships>";
  return x;
}

namespace {

std::string RelationshipsStart() {
  return std::string(kXmlDeclarationLine) + "<Relationships xmlns=\"" + ns::kPackageRelationships + "\">";
}

}  // namespace

std::string SheetRelsXml(const std::vector<std::string>& linkTargets, const std::string& drawingPart) {
  std::string x = RelationshipsStart();
  for (std::size_t i = 0; i < linkTargets.size(); ++i)
    x += "<Relationship Id=\"rId" + IntText(static_cast<long long>(i) + 1) + "\" Type=\"" + ns::kRelationships +
         "/hyperlink\" Target=\"" + TemplateEscape(linkTargets[i], true) + "\" TargetMode=\"External\"/>";
  if (!drawingPart.empty())
    x += "<Relationship Id=\"rId" + IntText(static_cast<long long>(linkTargets.size()) + 1) + "\" Type=\"" +
         ns::kRelationships + "/drawing\" Target=\"" + drawingPart + "\" />";
  return x + "</Relationships>";
}

std::string DrawingRelsXml(const std::vector<std::string>& mediaParts) {
  std::string x = RelationshipsStart();
  for (std::size_t k = 0; k < mediaParts.size(); ++k)
    x += "<Relationship Id=\"rId" + IntText(static_cast<long long>(k) + 1) + "\" Type=\"" + ns::kRelationships +
         "/image\" Target=\"" + TemplateEscape(mediaParts[k]) + "\" />";
  return x + "</Relationships>";
}

std::string SheetTitle31(const std::string& title) { return EscapeCellText(text::Utf16Left(title, 31), true); }

// The window's view: which tab is active and which is the first one shown.
std::string BookViewsXml(const sheet::TExportWorkbook& workbook) {
  const int active = std::max(workbook.ActiveWorkSheetIndex(), 0);
  const int first = std::max(workbook.OpenWorkSheetIndex(), 0);
  std::string x = "<bookViews><workbookView";
  if (first > 0) x += " firstSheet=\"" + IntText(first) + "\"";
  x += " activeTab=\"" + IntText(active) + "\"/></bookViews>";
  return x;
}

std::string WorkbookXml(const sheet::TExportWorkbook& workbook, const TPackageInfo& info) {
  std::string x = kXmlDeclarationLine;
  x += "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
       "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
       "<fileVersion appName=\"xl\" lastEdited=\"4\" lowestEdited=\"4\" rupBuild=\"4506\"/><workbookPr";
  // No date1904: the model holds every date as a 1900-system serial (the XLS
  // reader converts a 1904 workbook's dates when it reads them), so that is
  // how the dates are written, and a 1904 workbook keeps its dates.
  if (!workbook.WorkbookCodeName().empty()) x += " codeName=\"" + TemplateEscape(workbook.WorkbookCodeName()) + "\"";
  x += " defaultThemeVersion=\"124226\" />";
  x += BookViewsXml(workbook);
  x += "<sheets>";
  const sheet::TExportWorkSheets& sheets = workbook.WorkSheets();
  for (int i = 0; i < sheets.Count(); ++i) {
    const sheet::TExportWorkSheet& ws = sheets.GetWS(i);
    x += "<sheet name=\"" + SheetTitle31(ws.Title()) + "\" sheetId=\"" + IntText(i + 1) + "\"";
    if (ws.Visibility() == sheet::ewvHidden) x += " state=\"hidden\"";
    if (ws.Visibility() == sheet::ewvVeryHidden) x += " state=\"veryHidden\"";
    x += " r:id=\"rId" + IntText(i + 5) + "\"/>";
  }
  x += "</sheets><definedNames>" + info.fDefinedNames + "</definedNames><calcPr calcId=\"125725\" /></workbook>";
  return x;
}

std::string CoreXml(const sheet::TExportWorkbook& workbook) {
  std::string x = kXmlDeclarationLine;
  x += "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
       "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
       "xmlns:dcmitype=\"http://purl.org/dc/dcmitype/\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
       "<dc:creator>" + TemplateEscape(workbook.Author(), true) + "</dc:creator></cp:coreProperties>";
  return x;
}

std::string AppXml(const sheet::TExportWorkbook& workbook) {
  std::string x = kXmlDeclarationLine;
  // Escaped, unlike a raw splice: a name with "&" or "<" would make the part invalid XML.
  x += "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\" "
       "xmlns:vt=\"http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes\"><Application>" +
       TemplateEscape(workbook.Application()) + "</Application><AppVersion>" + TemplateEscape(workbook.ApplicationVersion()) +
       "</AppVersion></Properties>";
  return x;
}

std::string ThemeXml() {
  std::string x = kXmlDeclarationLine;
  auto gs = [](const char* pos, const char* mods) {
    return std::string("<a:gs pos=\"") + pos + "\"><a:schemeClr val=\"phClr\">" + mods + "</a:schemeClr></a:gs>";
  };
  auto line = [](const char* w, const char* mods) {
    return std::string("<a:ln w=\"") + w + "\" cap=\"flat\" cmpd=\"sng\" algn=\"ctr\"><a:solidFill><a:schemeClr val=\"phClr\"" +
           (*mods ? std::string(">") + mods + "</a:schemeClr>" : std::string("/>")) +
           "</a:solidFill><a:prstDash val=\"solid\"/></a:ln>";
  };
  auto shadow = [](const char* dist, const char* alpha) {
    return std::string("<a:effectLst><a:outerShdw blurRad=\"40000\" dist=\"") + dist +
           "\" dir=\"5400000\" rotWithShape=\"0\"><a:srgbClr val=\"000000\"><a:alpha val=\"" + alpha +
           "\"/></a:srgbClr></a:outerShdw></a:effectLst>";
  };
  auto srgb = [](const char* name, const char* value) {
    return std::string("<a:") + name + "><a:srgbClr val=\"" + value + "\"/></a:" + name + ">";
  };
  x += "<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" name=\"Nabidka\"><a:themeElements>"
       "<a:clrScheme name=\"Nabidka\"><a:dk1><a:sysClr val=\"windowText\" lastClr=\"000000\"/></a:dk1>"
       "<a:lt1><a:sysClr val=\"window\" lastClr=\"FFFFFF\"/></a:lt1>";
  x += srgb("dk2", "1F497D") + srgb("lt2", "EEECE1") + srgb("accent1", "4F81BD") + srgb("accent2", "C0504D") +
       srgb("accent3", "9BBB59") + srgb("accent4", "8064A2") + srgb("accent5", "4BACC6") + srgb("accent6", "F79646") +
       srgb("hlink", "0000FF") + srgb("folHlink", "800080");
  x += "</a:clrScheme><a:fontScheme name=\"Nabidka\">"
       "<a:majorFont><a:latin typeface=\"Cambria\"/><a:ea typeface=\"\"/><a:cs typeface=\"\"/></a:majorFont>"
       "<a:minorFont><a:latin typeface=\"Calibri\"/><a:ea typeface=\"\"/><a:cs typeface=\"\"/></a:minorFont>"
       "</a:fontScheme><a:fmtScheme name=\"Nabidka\"><a:fillStyleLst><a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill>"
       "<a:gradFill rotWithShape=\"1\"><a:gsLst>";
  x += gs("0", "<a:tint val=\"50000\"/><a:satMod val=\"300000\"/>") + gs("35000", "<a:tint val=\"37000\"/><a:satMod val=\"300000\"/>") +
       gs("100000", "<a:tint val=\"15000\"/><a:satMod val=\"350000\"/>");
  x += "</a:gsLst><a:lin ang=\"16200000\" scaled=\"1\"/></a:gradFill><a:gradFill rotWithShape=\"1\"><a:gsLst>";
  x += gs("0", "<a:shade val=\"51000\"/><a:satMod val=\"130000\"/>") + gs("80000", "<a:shade val=\"93000\"/><a:satMod val=\"130000\"/>") +
       gs("100000", "<a:shade val=\"94000\"/><a:satMod val=\"135000\"/>");
  x += "</a:gsLst><a:lin ang=\"16200000\" scaled=\"0\"/></a:gradFill></a:fillStyleLst><a:lnStyleLst>";
  x += line("9525", "<a:shade val=\"95000\"/><a:satMod val=\"105000\"/>") + line("25400", "") + line("38100", "");
  x += "</a:lnStyleLst><a:effectStyleLst><a:effectStyle>" + shadow("20000", "38000") + "</a:effectStyle><a:effectStyle>" +
       shadow("23000", "35000") + "</a:effectStyle><a:effectStyle>" + shadow("23000", "35000") +
       "<a:scene3d><a:camera prst=\"orthographicFront\"><a:rot lat=\"0\" lon=\"0\" rev=\"0\"/></a:camera>"
       "<a:lightRig rig=\"threePt\" dir=\"t\"><a:rot lat=\"0\" lon=\"0\" rev=\"1200000\"/></a:lightRig></a:scene3d>"
       "<a:sp3d><a:bevelT w=\"63500\" h=\"25400\"/></a:sp3d></a:effectStyle></a:effectStyleLst>"
       "<a:bgFillStyleLst><a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill><a:gradFill rotWithShape=\"1\"><a:gsLst>";
  x += gs("0", "<a:tint val=\"40000\"/><a:satMod val=\"350000\"/>") +
       gs("40000", "<a:tint val=\"45000\"/><a:shade val=\"99000\"/><a:satMod val=\"350000\"/>") +
       gs("100000", "<a:shade val=\"20000\"/><a:satMod val=\"255000\"/>");
  x += "</a:gsLst><a:path path=\"circle\"><a:fillToRect l=\"50000\" t=\"-80000\" r=\"50000\" b=\"180000\"/></a:path></a:gradFill>"
       "<a:gradFill rotWithShape=\"1\"><a:gsLst>";
  x += gs("0", "<a:tint val=\"80000\"/><a:satMod val=\"300000\"/>") + gs("100000", "<a:shade val=\"30000\"/><a:satMod val=\"200000\"/>");
  x += "</a:gsLst><a:path path=\"circle\"><a:fillToRect l=\"50000\" t=\"50000\" r=\"50000\" b=\"50000\"/></a:path></a:gradFill>"
       "</a:bgFillStyleLst></a:fmtScheme></a:themeElements><a:objectDefaults/><a:extraClrSchemeLst/></a:theme>";
  return x;
}

}  // namespace xlsx
