#include <gtest/gtest.h>

#include "sheet/FontLineHeights.h"

namespace sheet {
namespace {

TEST(FontLineHeightTable, ReferenceRows) {
  const int arial[] = {2, 4, 5, 6, 7, 10, 12, 14, 15, 16, 17, 18, 19, 22, 23, 24};
  const int black[] = {3, 4, 5, 8, 10, 11, 13, 15, 17, 18, 22, 23, 24, 27, 28, 30};
  const int calibri[] = {3, 4, 5, 6, 9, 10, 11, 13, 14, 15, 18, 19, 21, 23, 24, 26};
  for (int size = 1; size <= 16; ++size) {
    EXPECT_EQ(FontTableHeight("Arial", size), arial[size - 1]) << size;
    EXPECT_EQ(FontTableHeight("Arial Black", size), black[size - 1]) << size;
    EXPECT_EQ(FontTableHeight("Calibri", size), calibri[size - 1]) << size;
  }
  for (const char* name : {"Arial", "Arial Black", "Calibri", "Times New Roman", "Courier New", "Liberation Sans"})
    for (int size = 2; size <= 70; ++size)
      EXPECT_GE(FontTableHeight(name, size), FontTableHeight(name, size - 1)) << name << " " << size;
  EXPECT_TRUE(IsTableFont("Verdana"));
  EXPECT_TRUE(IsTableFont("Modern No. 20"));
  EXPECT_FALSE(IsTableFont("arial"));  // names compare case-sensitively
  EXPECT_EQ(FontTableHeight("Arial", 0), 0);
  EXPECT_EQ(FontTableHeight("Arial", 71), 0);
}

TEST(FontLineHeightTable, RowHeightRule) {
  EXPECT_EQ(RowHeightFromFont("Arial", 10), 17);  // max(trunc(16 × 1.124), trunc(17.5))
  EXPECT_EQ(RowHeightFromFont("Arial", 8), 15);
  EXPECT_EQ(RowHeightFromFont("Unknown Font", 10), 17);
  EXPECT_EQ(RowHeightFromFont("Arial", 71), 124);
  EXPECT_EQ(RowHeightFromFont("Arial", 70),
            std::max(static_cast<int>(FontTableHeight("Arial", 70) * 1.124), 122));
  EXPECT_EQ(RowHeightFromFont("Arial", 10, efeSubscript), 21);  // trunc(17 × 1.25)
  EXPECT_EQ(RowHeightFromFont("Arial", 10, efeSuperscript), 17);
  EXPECT_EQ(RowHeightFromFont("Arial Black", 16), 33);  // trunc(30 × 1.124)
  EXPECT_EQ(RowHeightFromFont("Batang", 10), 17);        // a row without heights follows the size rule
}

}  // namespace
}  // namespace sheet
