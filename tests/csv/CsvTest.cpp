// CSV of a worksheet's shown texts, and zipped CSV of every worksheet.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "csv/ExporterCSV.h"
#include "sheet/Workbook.h"
#include "xlsx/TestSupport.h"
#include "xlsx/ZipReader.h"

using namespace sheet;

namespace {

const text::TRegionalSettings kCzech = text::TRegionalSettings::Czech();

TEST(WorksheetCsv, QuotesWhatMustBeAndKeepsEveryRowAsWideAsTheWidest) {
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet("Nabídka");
  TExportRow& texts = ws.AddRow();
  texts.AddCellString("Skříň; dub");
  texts.AddCellString("Dvířka \"Provence\"");
  texts.AddCellString("Horní\r\nDolní");
  texts.AddCellString("Lone\rCR");
  ws.AddRow().AddCellString("jen jedna");
  ws.AddRow();
  EXPECT_EQ(csv::WorksheetCsv(ws, kCzech),
            "\xEF\xBB\xBF"
            "\"Skříň; dub\";\"Dvířka \"\"Provence\"\"\";\"Horní\nDolní\";\"Lone\nCR\"\r\n"
            "jen jedna;;;\r\n"
            ";;;\r\n");
}

TEST(WorksheetCsv, FieldsAreTheShownTextsInTheRegionsNotation) {
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet("Ceny");
  TExportRow& row = ws.AddRow();
  row.AddCellNumber(3490.5, 2);
  row.AddCellNumber(2, 0);
  row.AddCellString("1,5 m");
  row.AddCellPercent(0.21, 0);
  EXPECT_EQ(csv::WorksheetCsv(ws, kCzech), "\xEF\xBB\xBF" "3490,50;2;1,5 m;21%\r\n");
  // Where the decimal separator is a point, the list separator is a comma.
  EXPECT_EQ(csv::WorksheetCsv(ws, text::TRegionalSettings::English()),
            "\xEF\xBB\xBF" "3490.50,2,\"1,5 m\",21%\r\n");
}

TEST(WorksheetCsv, CellsUnderASpanningCellAreEmptyFields) {
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet("Spans");
  TExportRow& first = ws.AddRow();
  first.AddCellString("přes dva").SetColSpan(2);
  first.AddCellString("dolů").SetRowSpan(2);
  first.AddCellString("vedle");
  TExportRow& second = ws.AddRow();
  second.AddCellString("a");
  second.AddCellString("b");
  second.AddCellString("skryté pod spanem");
  second.AddCellString("d");
  EXPECT_EQ(csv::WorksheetCsv(ws, kCzech), "\xEF\xBB\xBF" "přes dva;;dolů;vedle\r\na;b;;d\r\n");
}

TEST(ExporterZIPCSV, OneEntryForEveryWorksheetNamedAfterIt) {
  const text::TRegionalSettings before = text::ProcessRegionalSettings();
  text::SetProcessRegionalSettings(kCzech);
  TExportWorkbook wb;
  wb.AddWorkSheet("Nabídka").AddRow().AddCellNumber(1.5, 1);
  wb.AddWorkSheet("Židle").AddRow().AddCellString("druhý");
  wb.AddWorkSheet("židle").AddRow().AddCellString("třetí");
  csv::TExporterZIPCSV exporter;
  std::ostringstream out;
  ASSERT_TRUE(wb.SaveToStream(out, exporter));
  text::SetProcessRegionalSettings(before);
  const auto entries = xlsxtest::ReadZip(out.str());
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].fName, "Nabídka.csv");
  EXPECT_EQ(entries[0].fFlag & 0x0800, 0x0800);  // a UTF-8 name
  EXPECT_EQ(entries[0].fData, "\xEF\xBB\xBF" "1,5\r\n");
  EXPECT_EQ(entries[1].fName, "Židle.csv");
  EXPECT_EQ(entries[2].fName, "židle (2).csv");
  EXPECT_EQ(entries[2].fData, "\xEF\xBB\xBF" "třetí\r\n");
}

TEST(ExporterCSV, SavedByExtensionTheSheetShownFirst) {
  csv::RegisterCsvFormats();
  csv::RegisterCsvFormats();  // a second call changes nothing
  ASSERT_NE(ExporterRegistry().Find<csv::TExporterCSV>(), nullptr);
  EXPECT_EQ(ExporterRegistry().FindByExtension("txt"), ExporterRegistry().Find<csv::TExporterCSV>());
  EXPECT_EQ(ExporterRegistry().FindByExtension("zip"), ExporterRegistry().Find<csv::TExporterZIPCSV>());
  TExportWorkbook wb;
  wb.AddWorkSheet("první").AddRow().AddCellString("ano");
  wb.AddWorkSheet("druhý").AddRow().AddCellString("ne");
  const std::filesystem::path file = xlsxtest::TempDir() / "nabidka.csv";
  ASSERT_TRUE(wb.SaveToFile(file.string()));
  EXPECT_EQ(xlsxtest::ReadFile(file), "\xEF\xBB\xBF" "ano\r\n");
}

}  // namespace
