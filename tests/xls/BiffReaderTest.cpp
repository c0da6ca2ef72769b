#include <gtest/gtest.h>

#include "BiffBuilder.h"
#include "xls/BiffRecords.h"
#include "xls/XLSBook.h"
#include "xls/XLSSharedStrings.h"

namespace xls {
namespace {

using namespace test;

TEST(BiffRecords, RkValues) {
  EXPECT_EQ(DecodeRK(0x3FF00000), 1.0);      // upper half of the double 1.0
  EXPECT_EQ(DecodeRK(0x00000006), 1.0);      // integer 1
  EXPECT_DOUBLE_EQ(DecodeRK(0x0000000F), 0.03);  // integer 3, divided by 100
  EXPECT_EQ(DecodeRK(0x00000003), 0.0);
  EXPECT_EQ(DecodeRK(0xFFFFFFFE), -1.0);     // negative integers keep their sign
  EXPECT_DOUBLE_EQ(DecodeRK(0x3FF00001), 0.01);  // double 1.0, divided by 100
  EXPECT_EQ(DecodeRK(0x7FFFFFFE), 536870911.0);
}

TEST(BiffRecords, RecordPastTheStreamIsAReadError) {
  std::string stream = Record(0x0031, std::string(10, 'x'));
  stream.resize(stream.size() - 3);
  TBiffRecordReader reader(stream);
  TBiffRecord r;
  EXPECT_THROW(reader.Next(r), EStreamReadError);
}

TEST(BiffRecords, StringLongerThanItsRecordIsAReadError) {
  std::string data = U16(50) + U8(0) + "short";
  TByteCursor c(data);
  EXPECT_THROW(ReadUnicodeString(c, 2), EStreamReadError);
}

TEST(BiffRecords, StringsOfBothWidths) {
  std::string data = Str8("caf\xE9") + Str16(u"\u010Dern\u00FD \U0001F600");
  TByteCursor c(data);
  EXPECT_EQ(ReadUnicodeString(c, 2), "caf\u00E9");  // 8-bit characters are U+0000 ... U+00FF
  EXPECT_EQ(ReadUnicodeString(c, 2), "\u010Dern\u00FD \U0001F600");
}

// SST with one string split over the SST record and a CONTINUE record,
// 8-bit characters before the split and 16-bit ones after it.
std::string SplitSst() {
  std::string head = U32(3) + U32(3) + Str8("first");
  head += U16(7) + U8(0) + "abcd";  // "abcd" of a 7-character string
  std::string cont = U8(1);         // the continued part has 16-bit characters
  for (char16_t ch : std::u16string(u"\u0161\u0165x")) cont += U16(ch);
  cont += Str8("last");
  return Record(0x00FC, head) + Record(0x003C, cont);
}

TEST(SharedStrings, StringSplitOverContinueSwitchingTo16Bit) {
  std::string stream = SplitSst() + Eof();
  TXLSSharedStrings_Import sst;
  sst.ImportXLS(stream, 0);
  ASSERT_EQ(sst.Count(), 3);
  EXPECT_EQ(sst.GetS(0), "first");
  EXPECT_EQ(sst.GetS(1), "abcd\u0161\u0165x");
  EXPECT_EQ(sst.GetS(2), "last");
  sst.ImportXLS(stream, 0);  // an already filled table is not read again
  EXPECT_EQ(sst.Count(), 3);
}

TEST(SharedStrings, RichAndPhoneticRunsAreSkippedAcrossRecords) {
  // Rich string (2 runs) with 6 bytes of phonetic data; the runs cross into a CONTINUE record.
  std::string head = U32(2) + U32(2) + U16(3) + U8(0x0C) + U16(2) + U32(6) + "abc" + U32(0x00010000);
  std::string cont = U32(0x00020002) + std::string(6, 'P') + Str8("next");
  std::string stream = Record(0x00FC, head) + Record(0x003C, cont);
  TXLSSharedStrings_Import sst;
  sst.ImportXLS(stream, 0);
  ASSERT_EQ(sst.Count(), 2);
  EXPECT_EQ(sst.GetS(0), "abc");
  EXPECT_EQ(sst.RichTextTagsLength(0), 2u);
  EXPECT_EQ(sst.RichTextTagsLength(1), 0u);
  EXPECT_EQ(sst.GetS(1), "next");
}

TEST(SharedStrings, MissingContinueAndAbsurdCounts) {
  // The record ends inside a string and another record follows.
  std::string stream = Record(0x00FC, U32(1) + U32(1) + U16(10) + U8(0) + "abc") + Eof();
  TXLSSharedStrings_Import sst;
  try {
    sst.ImportXLS(stream, 0);
    FAIL();
  } catch (const EXLSSharedStrings& e) {
    EXPECT_STREQ(e.what(), kMsgExpectedContinue);
  }
  // A unique count far beyond the data: neither reserves nor hangs.
  TXLSSharedStrings_Import huge;
  EXPECT_THROW(huge.ImportXLS(Record(0x00FC, U32(1) + U32(0xFFFFFFFF) + Str8("a")), 0), EXLSSharedStrings);
  // Phonetic data announced as 4 GB.
  TXLSSharedStrings_Import ext;
  EXPECT_THROW(ext.ImportXLS(Record(0x00FC, U32(1) + U32(1) + U16(1) + U8(0x04) + U32(0xFFFFFFFF) + "a"), 0),
               EXLSSharedStrings);
}

std::string Worksheet(const std::string& body) { return Bof(0x0010) + body + Eof(); }

TEST(BookReader, GlobalsAndWorksheetRecords) {
  std::string globals = MinimalGlobals({BoundSheet("First"), BoundSheet("Chart", 2), BoundSheet("Second")},
                                       Format(164, "#,##0.00") + Record(0x0022, U16(1)),
                                       {0, 164});
  // An XF with thin left, medium bottom border in colour 10 and a solid fill of colour 13.
  globals += Xf(0, 0, 0x21 | 0x08, 0x1 | (0x2 << 12) | (10u << 16), (10u << 7) | (1u << 26), 13);
  globals += Record(0x0092, U16(1) + U32(0x00336699));  // palette entry 8
  globals += Record(0x003D, std::string(10, '\0') + U16(1) + std::string(6, '\0'));
  globals += Sst({"Name", "Firma"}) + Eof();
  std::string first = Worksheet(LabelSst(0, 0, 16, 0) + LabelSst(2, 0, 16, 1) + Rk(2, 3, 17, 0x00000006) +
                                Merged({{0, 0, 0, 2}}) + Record(0x0014, Str8("&LLeft&CCentre")) +
                                Record(0x0026, F64(1.0)));
  std::string chart = Bof(0x0020) + Number(0, 0, 0, 99) + Eof();
  // An embedded chart inside the second sheet, with cells after it.
  std::string second = Worksheet(Number(0, 0, 17, 1.5) + Bof(0x0020) + Number(5, 5, 0, 7) + Eof() +
                                 Number(1, 1, 17, 2.5));
  TXLSBook book = ReadXLSBook(globals + first + chart + second);

  EXPECT_EQ(book.fBiffVersion, 0x0600);
  EXPECT_TRUE(book.fUse1904);
  EXPECT_EQ(book.fActiveSheet, 1);
  EXPECT_EQ(book.fCodePage, 1252);
  ASSERT_EQ(book.fFonts.size(), 5u);
  EXPECT_EQ(book.fFonts[4].fWeight, 700);
  EXPECT_EQ(book.fFormats.at(164), "#,##0.00");
  ASSERT_EQ(book.fXFs.size(), 19u);
  const TXLSXF& xf = book.fXFs[18];
  EXPECT_EQ(xf.fHAlign, 1);
  EXPECT_TRUE(xf.fWrap);
  EXPECT_EQ(xf.fVAlign, 2);
  EXPECT_EQ(xf.fLeftStyle, 1);
  EXPECT_EQ(xf.fBottomStyle, 2);
  EXPECT_EQ(xf.fLeftColor, 10);
  EXPECT_EQ(xf.fBottomColor, 10);
  EXPECT_TRUE(xf.fSolidFill);
  EXPECT_EQ(xf.fFillColor, 13);
  EXPECT_EQ(book.fPalette[8], 0x336699u);
  EXPECT_EQ(book.fPalette[9], 0xFFFFFFu);

  ASSERT_EQ(book.fSheets.size(), 3u);
  ASSERT_EQ(book.fWorksheets.size(), 2u);  // the chart sheet is not a worksheet
  const TXLSWorksheet& s1 = book.fWorksheets[0];
  EXPECT_EQ(s1.fName, "First");
  ASSERT_EQ(s1.fCells.size(), 3u);
  EXPECT_TRUE(s1.fCells[1].fShared);
  EXPECT_EQ(s1.fCells[1].fTextIndex, 1);
  EXPECT_EQ(s1.fCells[2].fCol, 3);
  EXPECT_EQ(s1.fCells[2].fValue, 1.0);
  ASSERT_EQ(s1.fMerges.size(), 1u);
  EXPECT_EQ(s1.fMerges[0].fLastCol, 2);
  EXPECT_EQ(*s1.fHeader, "&LLeft&CCentre");
  EXPECT_EQ(*s1.fLeftMargin, 1.0);

  const TXLSWorksheet& s2 = book.fWorksheets[1];
  EXPECT_EQ(s2.fName, "Second");
  ASSERT_EQ(s2.fCells.size(), 2u);  // the embedded chart's record is not a cell of the sheet
  EXPECT_EQ(s2.fCells[1].fValue, 2.5);
}

TEST(BookReader, FormulaResultsAndTheirStrings) {
  std::string stringResult = U8(0) + std::string(5, '\0') + U16(0xFFFF);
  std::string boolResult = U8(1) + U8(0) + U8(1) + std::string(3, '\0') + U16(0xFFFF);
  std::string tail = U16(0) + U32(0) + U16(0);
  std::string body = Record(0x0006, Cell(0, 0, 15) + stringResult + tail) + Record(0x0207, Str8("computed")) +
                     Record(0x0006, Cell(0, 1, 15) + boolResult + tail) +
                     Record(0x0006, Cell(0, 2, 15) + F64(42.5) + tail);
  TXLSBook book = ReadXLSBook(MinimalGlobals({BoundSheet("S")}) + Eof() + Worksheet(body));
  const auto& cells = book.fWorksheets.at(0).fCells;
  ASSERT_EQ(cells.size(), 3u);
  EXPECT_EQ(cells[0].fKind, TXLSCellKind::String);
  EXPECT_FALSE(cells[0].fShared);
  EXPECT_EQ(book.fWorksheets.at(0).fTexts.at(static_cast<std::size_t>(cells[0].fTextIndex)), "computed");
  EXPECT_EQ(cells[1].fKind, TXLSCellKind::Boolean);
  EXPECT_TRUE(cells[1].fBool);
  EXPECT_EQ(cells[2].fValue, 42.5);
}

TEST(BookReader, RejectsWhatIsNotABiff8WorkbookStream) {
  EXPECT_THROW(ReadXLSBook(""), EOleStorageException);
  EXPECT_THROW(ReadXLSBook(Number(0, 0, 0, 1)), EOleStorageException);
  EXPECT_THROW(ReadXLSBook(Bof(5) + Record(0x002F, U16(0))), EXLSEncrypted);
  std::string truncated = MinimalGlobals({BoundSheet("S")}) + Xf(0, 0);
  truncated.resize(truncated.size() - 4);
  EXPECT_THROW(ReadXLSBook(truncated), EStreamReadError);
}

TEST(BookReader, CellsBeyondTheColumnLimitAreDropped) {
  std::string body = Number(0, 300, 15, 1) + Record(0x00BD, U16(0) + U16(0xFFFE) + (U16(15) + U32(6)) +
                                                            (U16(15) + U32(6)) + (U16(15) + U32(6)) + U16(0));
  TXLSBook book = ReadXLSBook(MinimalGlobals({BoundSheet("S")}) + Eof() + Worksheet(body));
  EXPECT_TRUE(book.fWorksheets.at(0).fCells.empty());
}

}  // namespace
}  // namespace xls
