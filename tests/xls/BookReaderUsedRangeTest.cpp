#include <gtest/gtest.h>

#include "BiffBuilder.h"
#include "xls/XLSBook.h"

namespace xls {
namespace {

using namespace test;

std::string Dimensions(std::uint32_t firstRow, std::uint32_t endRow, int firstCol, int endCol) {
  return Record(0x0200, U32(firstRow) + U32(endRow) + U16(firstCol) + U16(endCol) + U16(0));
}

TXLSBook BookWithSheet(const std::string& body) {
  return ReadXLSBook(MinimalGlobals({BoundSheet("S")}) + Eof() + Bof(0x0010) + body + Eof());
}

// The used range sizes the cell list up front, but only as far as the rest of
// the stream could hold cells: a record claiming the whole sheet must not make
// a small file take gigabytes.
TEST(BookReader, UsedRangeReservesCellsWithinWhatTheStreamCanHold) {
  std::string cells;
  for (int r = 0; r < 20; ++r)
    for (int c = 2; c < 5; ++c) cells += Rk(r, c, 15, static_cast<std::uint32_t>(r * 8 + c) << 2 | 2);
  TXLSBook exact = BookWithSheet(Dimensions(0, 20, 2, 5) + cells);
  const auto& read = exact.fWorksheets.at(0).fCells;
  ASSERT_EQ(read.size(), 60u);
  EXPECT_EQ(read.capacity(), 60u);
  EXPECT_EQ(read[59].fRow, 19);
  EXPECT_EQ(read[59].fCol, 4);
  EXPECT_EQ(exact.fWorksheets[0].fDimensionRows, 20);

  const std::string few = Number(0, 0, 15, 1) + Number(65535, 255, 15, 2);
  TXLSBook claimed = BookWithSheet(Dimensions(0, 65536, 0, 256) + few);
  const auto& sparse = claimed.fWorksheets.at(0).fCells;
  ASSERT_EQ(sparse.size(), 2u);
  EXPECT_LE(sparse.capacity(), few.size());
  EXPECT_EQ(sparse[1].fValue, 2);

  // A range whose end lies before its start reserves nothing and reads on.
  TXLSBook reversed = BookWithSheet(Dimensions(10, 2, 7, 3) + few);
  EXPECT_EQ(reversed.fWorksheets.at(0).fCells.size(), 2u);
}

}  // namespace
}  // namespace xls
