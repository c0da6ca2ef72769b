// The OpenDocument writer: the package, the cells and their values, spans,
// runs of empty rows, data styles, and the page layout with its header.
#include <gtest/gtest.h>

#include <sstream>

#include "ods/DataStyles.h"
#include "ods/ExporterODS.h"
#include "sheet/Workbook.h"
#include "xlsx/ExporterTestSupport.h"
#include "xlsx/TestImages.h"
#include "xlsx/XmlWriter.h"
#include "xlsx/ZipReader.h"

using namespace sheet;

namespace {

// Writes the workbook with the Czech region's cell texts and a fixed clock.
std::vector<xlsxtest::TZipEntry> SaveOds(TExportWorkbook& wb) {
  const text::TRegionalSettings before = text::ProcessRegionalSettings();
  text::SetProcessRegionalSettings(text::TRegionalSettings::Czech());
  ods::TExporterODS exporter;
  exporter.SetClock(xlsxtest::FixedClock);
  xlsx::TMemoryStream out;
  exporter.SaveWorkbook(wb, out);
  text::SetProcessRegionalSettings(before);
  return xlsxtest::ReadZip(out.Data());
}

std::string Part(const std::vector<xlsxtest::TZipEntry>& entries, const std::string& name) {
  for (const auto& e : entries)
    if (e.fName == name) return e.fData;
  return {};
}

std::string DataStyle(const std::string& format) {
  std::string xml;
  xlsx::TXMLWriter w(xml);
  return ods::WriteDataStyle(w, format, "N1", text::TRegionalSettings::Czech()) ? xml : "general";
}

bool Has(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }

TEST(ExporterODS, PackageStartsWithItsStoredTypeAndListsEveryPart) {
  xlsxtest::TFixedMeasure measure;
  TExportWorkbook wb;
  TExportCell& cell = wb.AddWorkSheet("Obrázky").AddRow().AddCellString("");
  std::istringstream jpeg(xlsxtest::MakeJpeg(30, 20, 200, 120, 40));
  cell.AddImage(jpeg, "skrin.jpg", 2, 3, 150, 100);
  const auto entries = SaveOds(wb);
  ASSERT_GE(entries.size(), 6u);
  EXPECT_EQ(entries[0].fName, "mimetype");
  EXPECT_EQ(entries[0].fMethod, 0);
  EXPECT_EQ(entries[0].fData, "application/vnd.oasis.opendocument.spreadsheet");
  const std::string manifest = Part(entries, "META-INF/manifest.xml");
  for (const char* part : {"content.xml", "styles.xml", "meta.xml", "Pictures/image1.jpg"}) {
    EXPECT_NE(Part(entries, part), "") << part;
    EXPECT_TRUE(Has(manifest, std::string("manifest:full-path=\"") + part + "\"")) << part;
  }
  EXPECT_TRUE(Has(manifest, "\"Pictures/image1.jpg\" manifest:media-type=\"image/jpeg\""));
  // The picture lies in its cell, placed and sized as the model says (pixels at 96 per inch).
  EXPECT_TRUE(Has(Part(entries, "content.xml"),
                  "svg:width=\"3.96875cm\" svg:height=\"2.64583cm\" svg:x=\"0.05292cm\" svg:y=\"0.07938cm\">"
                  "<draw:image xlink:href=\"Pictures/image1.jpg\""));
  EXPECT_TRUE(Has(Part(entries, "meta.xml"), "<meta:creation-date>2025-01-02T10:00:00</meta:creation-date>"));
}

TEST(ExporterODS, CellsCarryTheirValuesAndTheTextsTheModelShows) {
  xlsxtest::TFixedMeasure measure;
  TExportWorkbook wb;
  TExportRow& row = wb.AddWorkSheet("Hodnoty").AddRow();
  row.AddCellString("  dva  mezery\ttab\r\nřádek");
  row.AddCellNumber(3490.5, 2);
  row.AddCellPercent(0.21, 0);
  row.AddCellDate(45000);
  row.AddCellTime(0.75);
  row.AddCellBoolean(true);
  row.AddCellNumber(0, 2).SetEmptyIfZero(true);
  const std::string content = Part(SaveOds(wb), "content.xml");
  EXPECT_TRUE(Has(content, "office:value-type=\"string\"><text:p><text:s text:c=\"2\"/>dva <text:s/>mezery<text:tab/>tab</text:p>"
                           "<text:p>řádek</text:p>"));
  EXPECT_TRUE(Has(content, "office:value-type=\"float\" office:value=\"3490.5\"><text:p>3490,50</text:p>"));
  EXPECT_TRUE(Has(content, "office:value-type=\"percentage\" office:value=\"0.21\"><text:p>21%</text:p>"));
  EXPECT_TRUE(Has(content, "office:value-type=\"date\" office:date-value=\"2023-03-15T00:00:00\">"));
  EXPECT_TRUE(Has(content, "office:value-type=\"time\" office:time-value=\"PT18H00M00S\">"));
  EXPECT_TRUE(Has(content, "office:value-type=\"boolean\" office:boolean-value=\"true\">"));
  // An empty-if-zero cell with zero has its format but no value.
  EXPECT_EQ(content.find("office:value=\"0\""), std::string::npos);
}

TEST(ExporterODS, SpansCoverTheirCellsAndEmptyRowsRunTogether) {
  xlsxtest::TFixedMeasure measure;
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet("Spany");
  TExportRow& first = ws.AddRow();
  first.AddCellString("přes tři").SetColSpan(3);
  first.AddCellString("dolů").SetRowSpan(2);
  ws.AddRow().AddCellString("pod");
  for (int i = 0; i < 3; ++i) ws.AddRow();
  ws.AddRow().AddCellString("konec");
  const std::string content = Part(SaveOds(wb), "content.xml");
  EXPECT_TRUE(Has(content, "table:number-columns-spanned=\"3\" table:number-rows-spanned=\"1\""));
  EXPECT_TRUE(Has(content, "<text:p>přes tři</text:p></table:table-cell><table:covered-table-cell table:style-name=\"ce"));
  EXPECT_TRUE(Has(content, "table:number-columns-repeated=\"2\"/>"));
  // The second row: its own cell, two empty ones, then the cell under "dolů".
  const std::size_t below = content.find("<text:p>pod</text:p>");
  ASSERT_NE(below, std::string::npos);
  EXPECT_LT(content.find("<table:covered-table-cell", below), content.find("</table:table-row>", below));
  EXPECT_TRUE(Has(content, "table:number-rows-repeated=\"3\"><table:table-cell/></table:table-row>"));
}

TEST(ExporterODS, NumberFormatsBecomeDataStyles) {
  EXPECT_EQ(DataStyle("0.00;\\-0.00"),
            "<number:number-style style:name=\"N1\"><number:number number:decimal-places=\"2\" "
            "number:min-decimal-places=\"2\" number:min-integer-digits=\"1\"/></number:number-style>");
  const std::string red = DataStyle("#,##0;[Red]\\-#,##0");
  EXPECT_TRUE(Has(red, "<number:number-style style:name=\"N1P0\">"));
  EXPECT_TRUE(Has(red, "fo:color=\"#ff0000\""));
  EXPECT_TRUE(Has(red, "number:grouping=\"true\""));
  EXPECT_TRUE(Has(red, "<style:map style:condition=\"value()&gt;=0\" style:apply-style-name=\"N1P0\"/>"));
  EXPECT_TRUE(Has(DataStyle("0%"), "<number:percentage-style style:name=\"N1\">"));
  EXPECT_EQ(DataStyle("d.m.yyyy"),
            "<number:date-style style:name=\"N1\"><number:day/><number:text>.</number:text><number:month/>"
            "<number:text>.</number:text><number:year number:style=\"long\"/></number:date-style>");
  // "m" after an hour is minutes; "/" is the region's date separator.
  EXPECT_EQ(DataStyle("dd/mm hh:mm"),
            "<number:date-style style:name=\"N1\"><number:day number:style=\"long\"/><number:text>.</number:text>"
            "<number:month number:style=\"long\"/><number:text> </number:text><number:hours number:style=\"long\"/>"
            "<number:text>:</number:text><number:minutes number:style=\"long\"/></number:date-style>");
  EXPECT_TRUE(Has(DataStyle("[h]:mm:ss"), "<number:time-style style:name=\"N1\" number:truncate-on-overflow=\"false\">"));
  EXPECT_TRUE(Has(DataStyle("@"), "<number:text-content/>"));
  EXPECT_EQ(DataStyle(""), "general");
  EXPECT_EQ(DataStyle("General"), "general");
}

TEST(ExporterODS, PageLayoutHeaderPrintRangeTitlesAndBreaks) {
  xlsxtest::TFixedMeasure measure;
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet("Tisk");
  for (int r = 0; r < 5; ++r) ws.AddRow().AddCellString("řádek " + std::to_string(r));
  ws.Rows().Get(3).SetPageBreakBefore(true);
  TExportPageSettings& page = ws.PageSettings();
  page.SetPageOrientation(epoLandscape).SetFitWidthToPages(1);
  page.PrintRange().SetRange(0, 0, 2, 5);
  page.RowsToRepeat().SetRange(-1, 1, -1, 1);
  ws.Header().Left().SetText("Nabídka & <spol>");
  ws.Footer().Center().SetText("Strana [PAGENUMBER] z [PAGECOUNT]");
  const auto entries = SaveOds(wb);
  const std::string styles = Part(entries, "styles.xml");
  EXPECT_TRUE(Has(styles, "fo:page-width=\"29.7cm\" fo:page-height=\"21cm\" style:print-orientation=\"landscape\""));
  EXPECT_TRUE(Has(styles, "style:scale-to-X=\"1\""));
  EXPECT_TRUE(Has(styles, "<style:region-left><text:p text:style-name=\"MP1_0\">Nabídka &amp; &lt;spol&gt;</text:p>"));
  EXPECT_TRUE(Has(styles, ">Strana <text:page-number>1</text:page-number><text:s/>z <text:page-count>1</text:page-count></text:p>"));
  const std::string content = Part(entries, "content.xml");
  EXPECT_TRUE(Has(content, "table:print-ranges=\"$'Tisk'.$A$1:.$B$5\""));
  const std::size_t titles = content.find("<table:table-header-rows>");
  ASSERT_NE(titles, std::string::npos);
  EXPECT_LT(content.find("řádek 0"), titles);
  EXPECT_LT(titles, content.find("řádek 1"));
  EXPECT_LT(content.find("řádek 1"), content.find("</table:table-header-rows>"));
  EXPECT_TRUE(Has(content, "fo:break-before=\"page\""));
}

TEST(ExporterODS, TitleRowsAndColumnsPastTheCellsAreStillWritten) {
  xlsxtest::TFixedMeasure measure;
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet("Krátký");
  ws.AddRow().AddCellString("jediný");
  ws.PageSettings().RowsToRepeat().SetRange(-1, 2, -1, 2);
  ws.PageSettings().ColsToRepeat().SetRange(3, -1, 1, -1);
  const std::string content = Part(SaveOds(wb), "content.xml");
  const std::size_t rows = content.find("<table:table-header-rows>");
  ASSERT_NE(rows, std::string::npos);
  EXPECT_NE(content.find("</table:table-header-rows>", rows), std::string::npos);
  const std::size_t cols = content.find("<table:table-header-columns>");
  ASSERT_NE(cols, std::string::npos);
  EXPECT_NE(content.find("</table:table-header-columns>", cols), std::string::npos);
}

TEST(ExporterODS, RegisteredInThePlaceOfItsPlaceholder) {
  ods::RegisterOdsFormat();
  ods::RegisterOdsFormat();
  TExporterRegistry& registry = ExporterRegistry();
  ASSERT_NE(registry.Find<ods::TExporterODS>(), nullptr);
  EXPECT_EQ(registry.FindByExtension("ods"), registry.Find<ods::TExporterODS>());
  EXPECT_EQ(registry.FindByFormat(kFormatOds), registry.Find<ods::TExporterODS>());
  EXPECT_EQ(registry.At(2).FormatId(), kFormatOds);
}

}  // namespace
