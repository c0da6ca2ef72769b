#include <gtest/gtest.h>

#include <clocale>
#include <fstream>
#include <sstream>

#include "xlsx/ExporterTestSupport.h"

using namespace sheet;
using namespace xlsxtest;

namespace {

std::string Between(const std::string& s, const std::string& from, const std::string& to) {
  const auto a = s.find(from);
  if (a == std::string::npos) return {};
  const auto b = s.find(to, a + from.size());
  return b == std::string::npos ? std::string() : s.substr(a, b + to.size() - a);
}

}  // namespace

TEST(ExporterXLSX, PackageEntriesAndFixedParts) {
  TFixedMeasure measure;
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet("Nabídka");
  ws.AddRow().AddCellString("Židle");
  const std::string bytes = SaveBytes(wb);
  const auto entries = ReadZip(bytes);
  std::vector<std::string> names;
  for (const auto& e : entries) names.push_back(e.fName);
  EXPECT_EQ(names, (std::vector<std::string>{"xl/worksheets/sheet1.xml", "xl/styles.xml", "xl/sharedStrings.xml",
                                             "[Content_Types].xml", "_rels/.rels", "xl/_rels/workbook.xml.rels",
                                             "xl/workbook.xml", "docProps/core.xml", "docProps/app.xml",
                                             "xl/theme/theme1.xml"}));
  for (const auto& e : entries) {
    EXPECT_EQ(e.fMethod, 8) << e.fName;
    if (e.fName != "xl/styles.xml" && e.fName != "xl/worksheets/sheet1.xml") {
      EXPECT_EQ(e.fData.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<", 0), 0u) << e.fName;
    }
  }
  const auto parts = ReadZipMap(bytes);
  EXPECT_EQ(parts.at("_rels/.rels"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties\" Target=\"docProps/app.xml\"/>"
            "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties\" Target=\"docProps/core.xml\"/>"
            "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" Target=\"xl/workbook.xml\"/>"
            "</Relationships>");
  EXPECT_NE(parts.at("xl/_rels/workbook.xml.rels").find("<Relationship Id=\"rId4\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" Target=\"sharedStrings.xml\"/><Relationship Id=\"rId5\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/>"),
            std::string::npos);
  EXPECT_NE(parts.at("xl/workbook.xml").find("<workbookPr defaultThemeVersion=\"124226\" /><bookViews><workbookView activeTab=\"0\"/></bookViews>"
                                                "<sheets><sheet name=\"Nabídka\" sheetId=\"1\" r:id=\"rId5\"/></sheets><definedNames></definedNames><calcPr calcId=\"125725\" /></workbook>"),
            std::string::npos);
  EXPECT_NE(parts.at("docProps/app.xml").find("<Application>Microsoft Excel</Application><AppVersion>12.000</AppVersion>"), std::string::npos);
  EXPECT_NE(parts.at("docProps/core.xml").find("<dc:creator></dc:creator></cp:coreProperties>"), std::string::npos);
  const std::string& styles = parts.at("xl/styles.xml");
  EXPECT_EQ(styles.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(styles.substr(3, 66), "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?><styleSheet");
  // xf 0 is the fixed default, xf 1 the one format every cell and column uses.
  EXPECT_NE(styles.find("<cellXfs count=\"2\">"), std::string::npos) << styles;
  EXPECT_NE(styles.find("<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/></fill></fills>"),
            std::string::npos);
  EXPECT_NE(styles.find("<numFmts count=\"0\"/>"), std::string::npos);
  EXPECT_EQ(parts.at("xl/sharedStrings.xml"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"1\" uniqueCount=\"1\"><si><t>Židle</t></si></sst>");
  const std::string& sheet = parts.at("xl/worksheets/sheet1.xml");
  EXPECT_EQ(sheet.rfind("<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?><worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheetPr><outlinePr summaryBelow=\"1\" summaryRight=\"1\"/></sheetPr><dimension ref=\"A1\"/><sheetViews><sheetView workbookViewId=\"0\"><selection activeCell=\"A1\" sqref=\"A1:A1\"/></sheetView></sheetViews>", 0),
            0u) << sheet;
  EXPECT_NE(sheet.find("<sheetData><row ht=\"12.75\" customHeight=\"1\" r=\"1\"><c r=\"A1\" s=\"1\" t=\"s\"><v>0</v></c></row></sheetData>"), std::string::npos) << sheet;
  EXPECT_NE(sheet.find("<pageMargins left=\"0.78740157480315\" right=\"0.78740157480315\" top=\"0.78740157480315\" bottom=\"0.78740157480315\" header=\"0.393700787401575\" footer=\"0.393700787401575\"/><pageSetup orientation=\"portrait\" pageOrder=\"downThenOver\" paperSize=\"9\" fitToWidth=\"0\" fitToHeight=\"0\"/></worksheet>"),
            std::string::npos) << sheet;
  EXPECT_EQ(sheet.find("printOptions"), std::string::npos);
  EXPECT_EQ(sheet.find("headerFooter"), std::string::npos);
  EXPECT_EQ(sheet.find("<drawing"), std::string::npos);
  EXPECT_EQ(parts.count("xl/worksheets/_rels/sheet1.xml.rels"), 0u);
}

TEST(ExporterXLSX, SavingLeavesSharedCellStylesSharedAndWritesEditedOnes) {
  TFixedMeasure measure;
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet("Data");
  TExportRow& row = ws.AddRow();
  TExportCell& a = row.AddCellNumber(1);
  TExportCell& b = row.AddCellNumber(2);
  // Edited through the style, unpacked at save time.
  row.AddCellNumber(3).Style().Font().SetSize(17);
  const std::string first = SaveBytes(wb);
  EXPECT_EQ(&std::as_const(a).Style(), &std::as_const(b).Style());
  EXPECT_NE(ReadZipMap(first).at("xl/styles.xml").find("<sz val=\"17\"/>"), std::string::npos);
  EXPECT_EQ(SaveBytes(wb), first);
}

TEST(ExporterXLSX, SavingOnlyReadsTheModelAndWritesEveryEdit) {
  TFixedMeasure measure;
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet("Data");
  // A row-spanning cell whose borders are laid over the bordered cells it covers:
  // a border set that only the file needs.
  ws.AddRow().AddCellString("span").SetRowSpan(2).SetBorders(cbOutline, ebThin, 0xFF);
  ws.AddRow().AddCellString("").SetBorder(cbLeft, ebThick);
  for (int i = 0; i < 5; ++i) ws.AddRow().AddCellNumber(i);
  // Edits in rows packed long ago, one of them moved down by an inserted row.
  ws.FindCell(0, 3)->SetFontSize(19);
  ws.AddRow(0).AddCellString("inserted");
  ws.FindCell(0, 6)->SetFontSize(23);
  const int bordersBefore = wb.BordersList().Count();
  const std::string first = SaveBytes(wb);
  EXPECT_EQ(wb.BordersList().Count(), bordersBefore);
  const auto parts = ReadZipMap(first);
  const std::string& styles = parts.at("xl/styles.xml");
  EXPECT_NE(styles.find("<sz val=\"19\"/>"), std::string::npos);
  EXPECT_NE(styles.find("<sz val=\"23\"/>"), std::string::npos);
  EXPECT_NE(styles.find("<borders count=\"" + std::to_string(bordersBefore + 1) + "\">"), std::string::npos) << styles;
  // The covered cell: thin blue sides of the spanning cell, its own thick left side.
  EXPECT_NE(styles.find("<left style=\"thick\"><color rgb=\"FFFF0000\"/></left><right style=\"thin\">"), std::string::npos);
  EXPECT_EQ(SaveBytes(wb), first);
}

namespace {

// The n-th (0-based) occurrence of "<" + tag + " " or "<" + tag + ">" in xml, up to its end.
std::string NthElement(const std::string& xml, const std::string& tag, int n) {
  std::size_t pos = 0;
  for (int i = 0;; ++i) {
    pos = xml.find("<" + tag, pos);
    while (pos != std::string::npos && xml[pos + tag.size() + 1] != ' ' && xml[pos + tag.size() + 1] != '>' &&
           xml[pos + tag.size() + 1] != '/')
      pos = xml.find("<" + tag, pos + 1);
    if (pos == std::string::npos) return {};
    if (i == n) break;
    ++pos;
  }
  const std::size_t startEnd = xml.find('>', pos);
  if (xml[startEnd - 1] == '/') return xml.substr(pos, startEnd + 1 - pos);
  const std::size_t close = xml.find("</" + tag + ">", pos);
  return xml.substr(pos, close + tag.size() + 3 - pos);
}

int IntAttribute(const std::string& element, const std::string& name) {
  const std::size_t pos = element.find(" " + name + "=\"");
  return pos == std::string::npos ? -1 : std::stoi(element.substr(pos + name.size() + 3));
}

// The <border> the cell's format points at.
std::string CellBorder(const std::map<std::string, std::string>& parts, int sheet, const std::string& ref) {
  const std::string& data = parts.at("xl/worksheets/sheet" + std::to_string(sheet) + ".xml");
  const std::size_t cell = data.find("<c r=\"" + ref + "\"");
  const int xf = IntAttribute(data.substr(cell, 40), "s");
  const std::string& styles = parts.at("xl/styles.xml");
  const std::string xfs = styles.substr(styles.find("<cellXfs"));
  return NthElement(styles, "border", IntAttribute(NthElement(xfs, "xf", xf), "borderId"));
}

}  // namespace

TEST(ExporterXLSX, MergedCellsBorderSetsStayApartFromLaterSheetsOwn) {
  TFixedMeasure measure;
  TExportWorkbook wb;
  TExportWorkSheet& first = wb.AddWorkSheet("First");
  first.AddRow().AddCellString("span").SetRowSpan(2).SetBorders(cbOutline, ebThin);
  first.AddRow().AddCellString("").SetBorder(cbLeft, ebThick);
  // The second sheet's only row stays unpacked until the save: its border set
  // is new to the workbook when the first sheet has been written.
  wb.AddWorkSheet("Second").AddRow().AddCellString("own").SetBorders(cbOutline, ebDashDotted);
  const auto parts = ReadZipMap(SaveBytes(wb));
  EXPECT_NE(CellBorder(parts, 2, "A1").find("<left style=\"dashDot\">"), std::string::npos) << CellBorder(parts, 2, "A1");
  const std::string covered = CellBorder(parts, 1, "A2");
  EXPECT_NE(covered.find("<left style=\"thick\">"), std::string::npos) << covered;
  EXPECT_NE(covered.find("<right style=\"thin\">"), std::string::npos) << covered;
}

TEST(ExporterXLSX, EmptySheet) {
  TFixedMeasure measure;
  TExportWorkbook wb;
  wb.AddWorkSheet("Empty");
  const auto parts = SaveParts(wb);
  const std::string& sheet = parts.at("xl/worksheets/sheet1.xml");
  EXPECT_NE(sheet.find("<dimension ref=\"A1\"/>"), std::string::npos);
  EXPECT_NE(sheet.find("<cols><col min=\"1\" max=\"16384\" width=\"11.4285714285714\" style=\"1\"/></cols><sheetData></sheetData>"),
            std::string::npos) << sheet;
  EXPECT_EQ(parts.count("xl/sharedStrings.xml"), 0u);
  EXPECT_EQ(parts.at("[Content_Types].xml").find("sharedStrings"), std::string::npos);
}

TEST(ExporterXLSX, OfferLikeSheetColumnsFormatsSpansAndNames) {
  TFixedMeasure measure;
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet("Offer");
  const double widths[] = {150, 100, 200, 40, 70, 80};
  for (int c = 0; c < 6; ++c) ws.FindCreateCol(c).SetWidth(widths[c]);
  TExportRow& r1 = ws.AddRow();
  r1.AddCellString("Title").SetColSpan(2);
  r1.AddCellNumber(5, 0);
  r1.AddCellNumber(12.5, 2).SetBGColor(0xE1E1E1);
  r1.AddCellNumber(3.25, 2).SetBorders(15, ebThin, 0);
  ws.AddRow().SetHeight(14).AddCellString(" lead");
  ws.PageSettings().PrintRange().SetRange(0, 0, 6, 40);
  ws.PageSettings().ColsToRepeat().SetColRange(0, 2);
  ws.PageSettings().RowsToRepeat().SetRowRange(0, 3);
  const auto parts = SaveParts(wb);
  const std::string& sheet = parts.at("xl/worksheets/sheet1.xml");
  EXPECT_NE(sheet.find("<row ht=\"12.75\" customHeight=\"1\" r=\"1\"><c r=\"A1\" s=\"1\" t=\"s\"><v>0</v></c><c r=\"B1\" s=\"1\"/>"
                       "<c r=\"C1\" s=\"2\"><v>5</v></c><c r=\"D1\" s=\"3\"><v>12.5</v></c><c r=\"E1\" s=\"4\"><v>3.25</v></c></row>"
                       "<row ht=\"10.5\" customHeight=\"1\" r=\"2\"><c r=\"A2\" s=\"1\" t=\"s\"><v>1</v></c></row>"),
            std::string::npos) << sheet;
  EXPECT_NE(sheet.find("<dimension ref=\"A1:E2\"/>"), std::string::npos);
  EXPECT_NE(sheet.find("<mergeCells count=\"1\"><mergeCell ref=\"A1:B1\"/></mergeCells>"), std::string::npos);
  // Columns A to F each with its own width and the sheet style's xf, then the rest.
  const std::string cols = Between(sheet, "<cols>", "</cols>");
  EXPECT_EQ(cols, "<cols><col min=\"1\" max=\"1\" width=\"21.4285714285714\" customWidth=\"1\" style=\"1\"/>"
                  "<col min=\"2\" max=\"2\" width=\"14.2857142857143\" customWidth=\"1\" style=\"1\"/>"
                  "<col min=\"3\" max=\"3\" width=\"28.5714285714286\" customWidth=\"1\" style=\"1\"/>"
                  "<col min=\"4\" max=\"4\" width=\"5.71428571428571\" customWidth=\"1\" style=\"1\"/>"
                  "<col min=\"5\" max=\"5\" width=\"10\" customWidth=\"1\" style=\"1\"/>"
                  "<col min=\"6\" max=\"6\" width=\"11.4285714285714\" customWidth=\"1\" style=\"1\"/>"
                  "<col min=\"7\" max=\"16384\" width=\"11.4285714285714\" style=\"1\"/></cols>");
  const std::string& styles = parts.at("xl/styles.xml");
  EXPECT_NE(styles.find("<numFmts count=\"2\"><numFmt numFmtId=\"165\" formatCode=\"0;\\-0\"/><numFmt numFmtId=\"166\" formatCode=\"0.00;\\-0.00\"/></numFmts>"),
            std::string::npos) << styles;
  EXPECT_NE(styles.find("<fill><patternFill patternType=\"solid\"><fgColor rgb=\"FFE1E1E1\"/><bgColor indexed=\"64\"/></patternFill></fill>"),
            std::string::npos);
  EXPECT_NE(styles.find("<border><left style=\"thin\"><color rgb=\"FF000000\"/></left><right style=\"thin\"><color rgb=\"FF000000\"/></right>"
                        "<top style=\"thin\"><color rgb=\"FF000000\"/></top><bottom style=\"thin\"><color rgb=\"FF000000\"/></bottom></border>"),
            std::string::npos) << styles;
  EXPECT_NE(styles.find("<xf numFmtId=\"166\" fontId=\"0\" fillId=\"2\" borderId=\"0\" xfId=\"0\" applyFont=\"1\" applyFill=\"1\" applyAlignment=\"1\"><alignment horizontal=\"right\" vertical=\"top\"/></xf>"),
            std::string::npos) << styles;
  EXPECT_NE(parts.at("xl/sharedStrings.xml").find("<si><t xml:space=\"preserve\"> lead</t></si>"), std::string::npos);
  EXPECT_NE(parts.at("xl/workbook.xml").find("<definedNames><definedName name=\"_xlnm.Print_Area\" localSheetId=\"0\">&apos;Offer&apos;!A1:F40</definedName>"
                                            "<definedName name=\"_xlnm.Print_Titles\" localSheetId=\"0\">&apos;Offer&apos;!$A:$B,&apos;Offer&apos;!$1:$3</definedName></definedNames>"),
            std::string::npos) << parts.at("xl/workbook.xml");
}

TEST(ExporterXLSX, SheetTitlesAndInlineStrings) {
  TFixedMeasure measure;
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet("A & B's and a very long title over 31");
  ws.SetNewCellStringUseSharedStrings(false);
  TExportRow& row = ws.AddRow();
  row.AddCellString(std::string(255, 'x'));
  row.AddCellString(std::string(256, 'y'));
  row.AddCellString(std::string("ctl\x01_x0041_", 11));
  row.AddCellString("");
  const auto parts = SaveParts(wb);
  EXPECT_NE(parts.at("xl/workbook.xml").find("<sheet name=\"A &amp; B's and a very long title o\""), std::string::npos);
  const std::string& sheet = parts.at("xl/worksheets/sheet1.xml");
  EXPECT_NE(sheet.find("<c r=\"A1\" s=\"1\" t=\"inlineStr\"><is><t>" + std::string(255, 'x') + "</t></is></c><c r=\"B1\" s=\"1\" t=\"s\"><v>0</v></c>"
                       "<c r=\"C1\" s=\"1\" t=\"inlineStr\"><is><t>ctl_x0001__x005F_x0041_</t></is></c><c r=\"D1\" s=\"1\"></c>"),
            std::string::npos) << sheet;
}

TEST(ExporterXLSX, PicturesAnchorsMediaAndContentTypes) {
  TFixedMeasure measure;
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet("Pics");
  ws.FindCreateCol(0).SetWidth(150);
  for (int r = 0; r < 30; ++r) ws.AddRow().SetHeight(14);
  std::istringstream jpeg1(std::string("\xFF\xD8\xFF jpeg one", 12)), jpeg2(std::string("\xFF\xD8\xFF jpeg two", 12)), bmp("BMbitmap");
  // Added in the order: cell A9 first, then A3: ids follow the cells, not the images.
  ws.FindCreateCell(0, 8).AddImage(jpeg1, "/x/chair.JPG", 0, 0, 150, 150);
  ws.FindCreateCell(0, 2).AddImage(jpeg2, "table.jpg", 0, 0, 150, 150);
  ws.FindCreateCell(0, 20).AddImage(bmp, "plan.bmp", 2, 3, 10, 10);
  const std::string bytes = SaveBytes(wb);
  const auto entries = ReadZip(bytes);
  std::map<std::string, const TZipEntry*> byName;
  for (const auto& e : entries) byName[e.fName] = &e;
  ASSERT_TRUE(byName.count("xl/media/image1.jpg"));
  EXPECT_EQ(byName["xl/media/image1.jpg"]->fMethod, 0);
  EXPECT_EQ(byName["xl/media/image1.jpg"]->fData, std::string("\xFF\xD8\xFF jpeg one", 12));
  EXPECT_EQ(byName["xl/media/image3.bmp"]->fMethod, 8);
  const std::string& types = byName["[Content_Types].xml"]->fData;
  EXPECT_NE(types.find("<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                       "<Default Extension=\"jpg\" ContentType=\"image/jpeg\" /><Default Extension=\"bmp\" ContentType=\"image/bmp\" />"
                       "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"),
            std::string::npos) << types;
  EXPECT_NE(types.find("<Override PartName=\"/xl/drawings/drawing1.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.drawing+xml\" />"),
            std::string::npos);
  const std::string& drawing = byName["xl/drawings/drawing1.xml"]->fData;
  EXPECT_EQ(drawing.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<xdr:wsDr xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing\" xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\"><xdr:twoCellAnchor editAs=\"oneCell\">", 0), 0u);
  // A3 (row index 2): 150 px = 10 rows of 14 px + 10 px.
  EXPECT_NE(drawing.find("<xdr:from><xdr:col>0</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>2</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:from>"
                         "<xdr:to><xdr:col>1</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>12</xdr:row><xdr:rowOff>95350</xdr:rowOff></xdr:to>"
                         "<xdr:pic><xdr:nvPicPr><xdr:cNvPr id=\"1\" name=\"table\" descr=\"table.jpg\"/><xdr:cNvPicPr><a:picLocks noChangeAspect=\"1\"/></xdr:cNvPicPr></xdr:nvPicPr>"
                         "<xdr:blipFill><a:blip xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" r:embed=\"rId1\" cstate=\"print\"/><a:stretch><a:fillRect/></a:stretch></xdr:blipFill>"
                         "<xdr:spPr><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom><a:ln><a:noFill/></a:ln></xdr:spPr></xdr:pic><xdr:clientData/></xdr:twoCellAnchor>"),
            std::string::npos) << drawing;
  EXPECT_NE(drawing.find("<xdr:cNvPr id=\"2\" name=\"chair\" descr=\"chair.jpg\"/>"), std::string::npos);
  EXPECT_NE(drawing.find("<xdr:colOff>19070</xdr:colOff><xdr:row>20</xdr:row><xdr:rowOff>28605</xdr:rowOff>"), std::string::npos);
  EXPECT_EQ(drawing.substr(drawing.size() - 11), "</xdr:wsDr>");
  const std::string& rels = byName["xl/drawings/_rels/drawing1.xml.rels"]->fData;
  EXPECT_NE(rels.find("<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/image\" Target=\"/xl/media/image2.jpg\" />"
                      "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/image\" Target=\"/xl/media/image1.jpg\" />"),
            std::string::npos) << rels;
  EXPECT_NE(byName["xl/worksheets/_rels/sheet1.xml.rels"]->fData.find("<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/drawing\" Target=\"/xl/drawings/drawing1.xml\" />"),
            std::string::npos);
  EXPECT_NE(byName["xl/worksheets/sheet1.xml"]->fData.find("<drawing r:id=\"rId1\"/></worksheet>"), std::string::npos);
}

TEST(ExporterXLSX, HeaderFooterCodes) {
  TFixedMeasure measure;
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet("H");
  ws.Header().Left().SetText("A & B");
  ws.Header().Left().Font().SetName("Arial Black");
  ws.Footer().Center().SetText("Strana [PAGENUMBER] z [PAGECOUNT]");
  const std::string sheet = SaveParts(wb).at("xl/worksheets/sheet1.xml");
  EXPECT_NE(sheet.find("<headerFooter><oddHeader>&amp;L&amp;\"Arial Black\"&amp;10&amp;K000000A &amp;&amp; B</oddHeader>"
                       "<oddFooter>&amp;C&amp;\"Arial\"&amp;10&amp;K000000Strana &amp;P z &amp;N</oddFooter></headerFooter>"),
            std::string::npos) << sheet;
}

TEST(ExporterXLSX, ReproducibleAndLocaleIndependent) {
  TFixedMeasure measure;
  auto build = [](TExportWorkbook& wb) {
    TExportWorkSheet& ws = wb.AddWorkSheet("Data");
    for (int r = 0; r < 3000; ++r) {
      TExportRow& row = ws.AddRow();
      row.AddCellString("text " + std::to_string(r % 700));
      row.AddCellNumber(r * 1.25, 2);
      row.AddCellNumber(r, 0);
    }
  };
  TExportWorkbook a, b;
  build(a);
  build(b);
  const std::string first = SaveBytes(a, true);
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  const bool comma = std::setlocale(LC_ALL, "cs_CZ.UTF-8") || std::setlocale(LC_ALL, "de_DE.UTF-8");
  const std::string second = SaveBytes(b, false);
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(first, second) << (comma ? "under a comma locale" : "no comma locale installed");
  EXPECT_NE(ReadZipMap(first).at("xl/worksheets/sheet1.xml").find("<c r=\"B3\" s=\"2\"><v>2.5</v></c>"), std::string::npos);
}

TEST(ExporterXLSX, FailedSaveLeavesAValidArchiveOfFinishedEntries) {
  TFixedMeasure measure;
  TExportWorkbook wb;
  wb.AddWorkSheet("One").AddRow().AddCellString("x");
  wb.AddWorkSheet("one");  // titles differ only in case
  xlsx::TExporterXLSX exporter;
  xlsx::TMemoryStream out;
  EXPECT_THROW(exporter.SaveWorkbook(wb, out), EExportException);
  EXPECT_EQ(out.Size(), 0u);
}

TEST(ExporterXLSX, RegisteredAsDefaultFormat) {
  xlsx::RegisterXlsxFormat();
  xlsx::RegisterXlsxFormat();
  TExporterRegistry& registry = ExporterRegistry();
  EXPECT_NE(dynamic_cast<xlsx::TExporterXLSX*>(registry.DefaultExporter()), nullptr);
  EXPECT_NE(dynamic_cast<xlsx::TExporterXLSX*>(registry.FindByExtension("xltm")), nullptr);
}

TEST(ExporterXLSX, SavesThroughTheWorkbookEntryPoints) {
  TFixedMeasure measure;
  xlsx::RegisterXlsxFormat();
  TExportWorkbook wb;
  wb.AddWorkSheet("A").AddRow().AddCellNumber(1.5, 2);
  wb.AddWorkSheet("B").AddRow().AddCellString("b");
  std::vector<std::pair<int, int>> steps;
  wb.SetOnProgress([&](TExportWorkbook&, TExportProgressNotificationType type, int pos, int count) {
    steps.emplace_back(type, pos);
    (void)count;
  });
  const auto path = TempDir() / "via-registry.xlsx";
  ASSERT_TRUE(wb.SaveToFile(path.string()));
  const auto parts = ReadZipMap(ReadFile(path));
  EXPECT_EQ(parts.count("xl/worksheets/sheet2.xml"), 1u);
  ASSERT_FALSE(steps.empty());
  EXPECT_EQ(steps.front(), std::make_pair(static_cast<int>(epnStart), 0));
  EXPECT_EQ(steps.back(), std::make_pair(static_cast<int>(epnFinish), 1));
  EXPECT_NE(std::find(steps.begin(), steps.end(), std::make_pair(static_cast<int>(epnWorksheet), 2)), steps.end());
  EXPECT_NE(std::find(steps.begin(), steps.end(), std::make_pair(static_cast<int>(epnSharedString), 1)), steps.end());

  // Into the middle of a stream: the archive's offsets count from where it starts.
  std::ostringstream stream;
  stream << "prefix";
  ASSERT_TRUE(wb.SaveToStream(stream, [] { return std::make_unique<xlsx::TExporterXLSX>(); }));
  EXPECT_EQ(ReadZipMap(stream.str().substr(6)).count("xl/workbook.xml"), 1u);
}

TEST(ExporterXLSX, HyperlinksAndNamedCells) {
  TFixedMeasure measure;
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet("Links");
  TExportRow& row = ws.AddRow();
  row.AddCellString("web").SetHyperLink("https://example.com/?a=1&b=2", "hint");
  row.AddCellString("again").SetHyperLink("https://example.com/?a=1&b=2");
  std::istringstream jpeg(std::string("\xFF\xD8\xFF", 3));
  row.AddCellString("").AddImage(jpeg, "p.jpg", 0, 0, 10, 10);
  wb.NamedCells().Set({"Total", &ws, 1, 0, 1, 1});
  const auto parts = SaveParts(wb);
  EXPECT_EQ(parts.at("xl/worksheets/_rels/sheet1.xml.rels"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink\" Target=\"https://example.com/?a=1&amp;b=2\" TargetMode=\"External\"/>"
            "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/drawing\" Target=\"/xl/drawings/drawing1.xml\" /></Relationships>");
  const std::string& sheet = parts.at("xl/worksheets/sheet1.xml");
  EXPECT_NE(sheet.find("<hyperlinks><hyperlink ref=\"A1\" r:id=\"rId1\" tooltip=\"hint\"/><hyperlink ref=\"B1\" r:id=\"rId1\"/></hyperlinks>"),
            std::string::npos) << sheet;
  EXPECT_NE(sheet.find("<drawing r:id=\"rId2\"/>"), std::string::npos);
  EXPECT_NE(parts.at("xl/workbook.xml").find("<definedNames><definedName name=\"Total\">&apos;Links&apos;!$B$1</definedName></definedNames>"),
            std::string::npos) << parts.at("xl/workbook.xml");
}

TEST(ExporterXLSX, DateCellsUseBuiltInOrResolvedFormats) {
  TFixedMeasure measure;
  TExportWorkbook wb;
  TExportRow& row = wb.AddWorkSheet("D").AddRow();
  row.AddCellDate(45000);
  row.AddCellDateTime(45000.5);
  row.AddCellBoolean(true);
  const auto parts = SaveParts(wb);
  const std::string& styles = parts.at("xl/styles.xml");
  EXPECT_NE(styles.find("<xf numFmtId=\"14\""), std::string::npos) << styles;
  const auto custom = styles.find("<numFmt numFmtId=\"165\" formatCode=\"");
  ASSERT_NE(custom, std::string::npos) << styles;
  EXPECT_NE(styles[custom + 35], '%') << styles;
  const std::string& sheet = parts.at("xl/worksheets/sheet1.xml");
  EXPECT_NE(sheet.find("<v>45000</v></c><c r=\"B1\" s=\"2\"><v>45000.5</v></c><c r=\"C1\" s=\"3\" t=\"b\"><v>1</v></c>"), std::string::npos)
      << sheet;
}
