#include "sheet/CellName.h"

#include <gtest/gtest.h>

namespace sheet {
namespace {

TEST(CellName, ColumnLettersAtTheBoundaries) {
  const std::pair<int, const char*> cases[] = {{0, "A"},    {25, "Z"},     {26, "AA"},   {27, "AB"},
                                               {51, "AZ"},  {52, "BA"},    {701, "ZZ"},  {702, "AAA"},
                                               {16383, "XFD"}, {18277, "ZZZ"}, {18278, "AAAA"}};
  for (const auto& [index, letters] : cases) {
    EXPECT_EQ(ColumnLetters(index), letters) << index;
    if (index <= 18277) {
      EXPECT_EQ(ColumnIndexFromLetters(letters), index) << letters;
    }
  }
  EXPECT_EQ(ColumnLetters(-1), "");
  EXPECT_EQ(ColumnIndexFromLetters("AAAA"), -1);
  EXPECT_EQ(ColumnIndexFromLetters("xfd"), 16383);
}

TEST(CellName, RangeNames) {
  EXPECT_EQ(RangeName(0, 0, 6, 1), "A1:F1");
  EXPECT_EQ(RangeName(1, 2), "B3");
  EXPECT_EQ(RangeName(1, 2, 1, 1, true, true), "$B$3");
  EXPECT_EQ(RangeName(0, 0, 2, 3, true, false, false, true), "$A1:B$3");
  EXPECT_EQ(RangeName(2, -1, 2, 1), "C:D");    // whole columns
  EXPECT_EQ(RangeName(-1, 4, 1, 3), "5:7");    // whole rows
  EXPECT_EQ(RangeName(0, 0, 0, 0), "A1");
}

TEST(CellName, Parsing) {
  int col = 0, row = 0;
  EXPECT_TRUE(ParseCellName("b3", col, row));
  EXPECT_EQ(col, 1);
  EXPECT_EQ(row, 2);
  EXPECT_TRUE(ParseCellName("$AA$10", col, row));
  EXPECT_EQ(col, 26);
  EXPECT_EQ(row, 9);
  EXPECT_TRUE(ParseCellName("XFD1048576", col, row));
  EXPECT_EQ(col, 16383);
  EXPECT_EQ(row, 1048575);
  EXPECT_TRUE(ParseCellName("ABCD1", col, row));
  EXPECT_EQ(col, -1);
  EXPECT_TRUE(ParseCellName("C", col, row));
  EXPECT_EQ(row, -1);
  EXPECT_FALSE(ParseCellName("3B", col, row));
  EXPECT_FALSE(ParseCellName("B3C", col, row));
  EXPECT_FALSE(ParseCellName("B-3", col, row));
  EXPECT_FALSE(ParseCellName("", col, row));
  EXPECT_FALSE(ParseCellName("A99999999999", col, row));
}

}  // namespace
}  // namespace sheet
