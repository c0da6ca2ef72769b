#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "BiffBuilder.h"
#include "CompoundFileWriter.h"
#include "sheet/TextMeasure.h"
#include "sheet/Workbook.h"
#include "text/RegionalSettings.h"
#include "xls/ExporterXLS.h"

namespace xls {
namespace {

using namespace test;
using namespace sheet;

std::string Worksheet(const std::string& body) { return Bof(0x0010) + body + Eof(); }

// Loads a workbook stream packed into a compound file.
void Load(TExportWorkbook& workbook, const std::string& stream, const std::string& name = "Workbook") {
  std::string file = BuildCompoundFile({{name, stream}});
  TExporterXLS exporter;
  ASSERT_TRUE(exporter.LoadFromBytes(file, workbook));
}

const text::TRegionalSettings kEnglish = text::TRegionalSettings::English();

class ExporterXLS : public ::testing::Test {
 protected:
  TScopedTextMeasure fMeasure{std::make_shared<TFallbackTextMeasure>()};  // Arial 10: 7-pixel digits
};

TEST_F(ExporterXLS, CustomerListRowsCellsAndMerges) {
  // XF 16: General, XF 17: "#,##0.00" (built-in 4).
  std::string globals = MinimalGlobals({BoundSheet("Zakaznici")}, "", {0, 4}) +
                        Sst({"Firma", "Ulice", "Nov\xE1k s.r.o.", "Line1\nLine2"}) + Eof();
  std::string body = Merged({{0, 0, 0, 2}}) + LabelSst(0, 0, 16, 0) + LabelSst(1, 0, 16, 2) + Label(1, 1, 16, "Street") +
                     Number(1, 2, 16, 12345678) + Rk(1, 3, 16, 0x3FF00000) + LabelSst(2, 0, 16, 3) +
                     Number(2, 3, 17, 1234.5) + Number(3, 0, 16, 1.5);
  TExportWorkbook workbook;
  Load(workbook, globals + Worksheet(body));

  ASSERT_EQ(workbook.WorkSheets().Count(), 1);
  TExportWorkSheet& sheet = workbook.WorkSheets().GetWS(0);
  EXPECT_EQ(sheet.Title(), "Zakaznici");
  ASSERT_EQ(sheet.Rows().Count(), 4);
  TExportRow& first = sheet.Rows().At(0);
  ASSERT_EQ(first.CellCount(), 3);  // A1 spans A1:C1
  EXPECT_EQ(first.Cells().GetC(0).ColSpan(), 3);
  EXPECT_EQ(first.Cells().GetC(0).FormattedText(&kEnglish), "Firma");

  TExportRow& second = sheet.Rows().At(1);
  EXPECT_EQ(second.Cells().GetC(0).FormattedText(&kEnglish), "Novák s.r.o.");
  EXPECT_EQ(second.Cells().GetC(1).FormattedText(&kEnglish), "Street");
  EXPECT_EQ(second.Cells().GetC(2).CellType(), ectNumber);
  EXPECT_EQ(second.Cells().GetC(2).FormattedText(&kEnglish), "12345678");  // General: no decimals
  EXPECT_EQ(second.Cells().GetC(3).FormattedText(&kEnglish), "1");

  TExportRow& third = sheet.Rows().At(2);  // cells only in A and D
  ASSERT_EQ(third.CellCount(), 4);
  EXPECT_EQ(third.Cells().GetC(1).CellType(), ectEmpty);
  EXPECT_EQ(third.Cells().GetC(2).CellType(), ectEmpty);
  EXPECT_EQ(third.Cells().GetC(0).FormattedText(&kEnglish), "Line1\r\nLine2");
  const text::TRegionalSettings czech = text::TRegionalSettings::Czech();
  EXPECT_EQ(third.Cells().GetC(3).ExcelNumberFormat(), "#,##0.00");
  EXPECT_EQ(third.Cells().GetC(3).FormattedText(&czech), "1\u00A0234,50");
  EXPECT_EQ(sheet.Rows().At(3).Cells().GetC(0).FormattedText(&czech), "1,5");
}

TEST_F(ExporterXLS, ChartSheetBetweenTwoWorksheets) {
  // The selected tab (WINDOW1) is the third sheet, which is the second worksheet.
  std::string window1 = Record(0x003D, std::string(10, '\0') + U16(2) + std::string(6, '\0'));
  std::string globals =
      MinimalGlobals({BoundSheet("One"), BoundSheet("Chart1", 2), BoundSheet("Two")}, window1) + Sst({"a", "b"}) + Eof();
  std::string stream = globals + Worksheet(LabelSst(0, 0, 16, 0)) + Bof(0x0020) + Number(0, 0, 0, 5) + Eof() +
                       Worksheet(LabelSst(0, 1, 16, 1));
  TExportWorkbook workbook;
  Load(workbook, stream);
  ASSERT_EQ(workbook.WorkSheets().Count(), 2);
  EXPECT_EQ(workbook.WorkSheets().GetWS(0).Title(), "One");
  EXPECT_EQ(workbook.WorkSheets().GetWS(0).GetCellSqlText(0, 0), "a");
  EXPECT_EQ(workbook.WorkSheets().GetWS(1).Title(), "Two");
  EXPECT_EQ(workbook.WorkSheets().GetWS(1).GetCellSqlText(1, 0), "b");
  EXPECT_EQ(&workbook.OpenWorkSheet(), &workbook.WorkSheets().GetWS(1));
}

TEST_F(ExporterXLS, DatesOf1904SystemAndDateKinds) {
  std::string globals = MinimalGlobals({BoundSheet("D")}, Record(0x0022, U16(1)), {14, 0}) + Eof();
  TExportWorkbook workbook;
  Load(workbook, globals + Worksheet(Number(0, 0, 16, 0) + Number(0, 1, 17, 0)));
  EXPECT_TRUE(workbook.Use1904DateSystem());
  TExportRow& row = workbook.WorkSheets().GetWS(0).Rows().At(0);
  auto& date = dynamic_cast<TExportCellDateTime&>(row.Cells().GetC(0));
  EXPECT_EQ(date.Value(), 1462);  // 1 January 1904 in the 1900 system
  EXPECT_EQ(date.FormattedText(&kEnglish), "1/1/1904");
  auto& number = dynamic_cast<TExportCellNumber&>(row.Cells().GetC(1));
  EXPECT_EQ(number.Value(), 0);  // numbers are not shifted
}

TEST_F(ExporterXLS, SharedStringSplitOverContinueInAWholeLoad) {
  std::string head = U32(1) + U32(1) + U16(6) + U8(0) + "abc";
  std::string cont = U8(1) + U16(0x010D) + U16(0x0159) + U16('x');
  std::string globals = MinimalGlobals({BoundSheet("S")}) + Record(0x00FC, head) + Record(0x003C, cont) + Eof();
  TExportWorkbook workbook;
  Load(workbook, globals + Worksheet(LabelSst(0, 0, 16, 0)));
  EXPECT_EQ(workbook.WorkSheets().GetWS(0).GetCellSqlText(0, 0), "abc\u010D\u0159x");
}

TEST_F(ExporterXLS, StylesFontsBordersAndFill) {
  // XF 16: the sixth FONT record, which the file calls index 6 (there is no index 4); thin
  // left border in palette colour 10 (red), solid fill colour 12 (blue), centred, wrapped.
  std::string extra = Font("Times New Roman", 240, 700);
  std::string globals = MinimalGlobals({BoundSheet("S")}, extra, {});
  globals += Xf(6, 0, 0x12 | 0x08, 0x1 | (10u << 16), 1u << 26, 12);
  globals += Eof();
  TExportWorkbook workbook;
  Load(workbook, globals + Worksheet(Label(0, 0, 16, "styled")));
  TExportCell& cell = workbook.WorkSheets().GetWS(0).Rows().At(0).Cells().GetC(0);
  EXPECT_EQ(cell.Font_ReadOnly().Name(), "Times New Roman");
  EXPECT_EQ(cell.Font_ReadOnly().Size(), 12);
  EXPECT_EQ(cell.Font_ReadOnly().Style().Bold(), efsYes);
  EXPECT_EQ(cell.Borders_ReadOnly().Left().Style(), ebThin);
  EXPECT_EQ(cell.Borders_ReadOnly().Left().Color(), 0x0000FF);
  EXPECT_EQ(cell.Borders_ReadOnly().Right().Style(), ebNone);
  EXPECT_EQ(cell.Borders_ReadOnly().DiagonalUp().Style(), ebNone);
  EXPECT_EQ(cell.BGColor(), 0xFF0000);
  EXPECT_EQ(cell.Alignment(), cahCenter);
  EXPECT_EQ(cell.VAlignment(), cavCenter);
  EXPECT_TRUE(cell.WrapText());
}

TEST_F(ExporterXLS, RichTextRunsAndExtendedColours) {
  // "plain bold": characters 6... in the bold font (file index 5); a run past the text is ignored.
  std::string sst = Record(0x00FC, U32(1) + U32(1) + U16(10) + U8(0x08) + U16(3) + "plain bold" + U16(0) + U16(0) +
                                       U16(6) + U16(5) + U16(40) + U16(0));
  // XFEXT for XF 16: RGB fill 0x00112233 (R=0x33, G=0x22, B=0x11) and font colour.
  auto rgb = [](std::uint16_t type, std::uint32_t bytes) { return U16(type) + U16(20) + U16(2) + U16(0) + U32(bytes) + std::string(8, '\0'); };
  std::string xfext = Record(0x087D, std::string(12, '\0') + U16(0) + U16(16) + U16(0) + U16(2) +
                                         rgb(4, 0x00112233) + rgb(13, 0x000000FF));
  std::string globals = MinimalGlobals({BoundSheet("R")}) + xfext + sst + Eof();
  TExportWorkbook workbook;
  Load(workbook, globals + Worksheet(LabelSst(0, 0, 16, 0)));
  auto& cell = dynamic_cast<TExportCellString&>(workbook.WorkSheets().GetWS(0).Rows().At(0).Cells().GetC(0));
  EXPECT_EQ(cell.Text(), "plain bold");
  ASSERT_EQ(cell.RichTextTags().size(), 2u);
  EXPECT_EQ(cell.RichTextTags()[0].fText, "plain ");
  EXPECT_EQ(cell.RichTextTags()[1].fText, "bold");
  ASSERT_TRUE(cell.RichTextTags()[1].fFont);
  EXPECT_EQ(cell.RichTextTags()[1].fFont->Style().Bold(), efsYes);
  EXPECT_EQ(cell.BGColor(), 0x112233);
  EXPECT_EQ(cell.Font_ReadOnly().Color(), 0xFF);
}

TEST_F(ExporterXLS, RowsColumnsPageAndView) {
  std::string globals = MinimalGlobals({BoundSheet("P")}) + Eof();
  std::string body = Record(0x0055, U16(10)) +                                          // DEFCOLWIDTH
                     Record(0x007D, U16(1) + U16(2) + U16(20 * 256) + U16(15) + U16(0) + U16(0)) +  // B:C
                     Record(0x0208, U16(4) + U16(0) + U16(1) + U16(600) + U32(0) + U32(0x100 | 0x40)) +
                     Record(0x0014, Str8("&LLeft &P&CMiddle&RRight")) + Record(0x0015, Str8("Centred")) +
                     Record(0x0026, F64(1.0)) + Record(0x0083, U16(1)) +
                     Record(0x023E, U16(0x06B6 | 0x08) + U16(2) + U16(1) + std::string(12, '\0')) +
                     Record(0x0041, U16(1) + U16(3) + U16(3) + U16(1) + U16(0));
  TExportWorkbook workbook;
  Load(workbook, globals + Worksheet(body));
  TExportWorkSheet& sheet = workbook.WorkSheets().GetWS(0);
  EXPECT_EQ(sheet.Cols().DefaultWidth(), 80);  // round(round(1.4 * 7) * 8 * 10 / 10)
  ASSERT_EQ(sheet.Cols().Count(), 3);
  EXPECT_EQ(sheet.Cols().At(1).Width(), 140);  // 20 characters of 7 pixels
  ASSERT_EQ(sheet.Rows().Count(), 5);
  EXPECT_EQ(sheet.Rows().At(4).Height(), 40);  // 600 twips
  EXPECT_EQ(sheet.Header().Left().Text(), "Left [PAGENUMBER]");
  EXPECT_EQ(sheet.Header().Center().Text(), "Middle");
  EXPECT_EQ(sheet.Header().Right().Text(), "Right");
  EXPECT_EQ(sheet.Footer().Center().Text(), "Centred");
  EXPECT_DOUBLE_EQ(sheet.PageSettings().MarginLeft(), 2.54);
  EXPECT_EQ(sheet.PageSettings().CenterTable(), ectHorizontal);
  EXPECT_EQ(sheet.WindowSettings().Split().Row(), 3);
  EXPECT_EQ(sheet.WindowSettings().Split().Col(), 1);
  EXPECT_EQ(sheet.WindowSettings().TopLeftCell().Row(), 2);
}

void ExpectMessage(const std::string& file, const char* message) {
  TExportWorkbook workbook;
  TExporterXLS exporter;
  try {
    exporter.LoadFromBytes(file, workbook);
    FAIL() << "no exception";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), message);
  }
}

TEST_F(ExporterXLS, OldFormatZipAndTextFiles) {
  ExpectMessage(BuildCompoundFile({{"Book", Bof(0x0005)}}), kMsgOldXls);
  ExpectMessage(BuildCompoundFile({{"Other", "x"}}), kMsgInvalidXls);
  ExpectMessage(std::string("PK\x03\x04\x14\x00", 6) + std::string(1000, 'z'), kMsgCouldNotOpen);
  ExpectMessage("Firma;Ulice\r\n", kMsgCouldNotOpen);
  // A "Workbook" stream holding an older record version.
  std::string biff5 = Record(0x0809, U16(0x0500) + U16(5) + std::string(4, '\0')) + Eof();
  ExpectMessage(BuildCompoundFile({{"Workbook", biff5}}), kMsgOldXls);
}

TEST_F(ExporterXLS, LoadFromFileThroughTheRegistryAndNoSaving) {
  RegisterXlsFormat();
  RegisterXlsFormat();
  EXPECT_EQ(ExporterRegistry().IndexOf(ExporterRegistry().Find<TExporterXLS>()), 1);
  auto path = std::filesystem::temp_directory_path() / "nabidka_xls_registry_test.xls";
  {
    std::ofstream out(path, std::ios::binary);
    out << BuildCompoundFile({{"Workbook", MinimalGlobals({BoundSheet("R")}) + Eof() + Worksheet(Label(0, 0, 16, "x"))}});
  }
  TExportWorkbook workbook;
  EXPECT_TRUE(workbook.LoadFromFile(path.string()));
  EXPECT_EQ(workbook.WorkSheets().GetWS(0).GetCellSqlText(0, 0), "x");
  std::ostringstream sink;
  TExporterXLS exporter;
  EXPECT_THROW(workbook.SaveToStream(sink, exporter), EExportException);
  std::filesystem::remove(path);
}

TEST_F(ExporterXLS, RecordsAskingForFarMoreThanTheFileHoldsAreRejected) {
  // Each tiny sheet asks for 65,536 rows and 256 cells.
  std::vector<std::string> names;
  std::string sheets;
  for (int i = 0; i < 40; ++i) {
    names.push_back(BoundSheet("S" + std::to_string(i)));
    sheets += Worksheet(Blank(65535, 255, 16));
  }
  std::string stream = MinimalGlobals(names) + Eof() + sheets;
  TExportWorkbook workbook;
  TExporterXLS exporter;
  EXPECT_THROW(exporter.LoadFromBytes(BuildCompoundFile({{"Workbook", stream}}), workbook), EOleStorageException);
}

}  // namespace
}  // namespace xls
