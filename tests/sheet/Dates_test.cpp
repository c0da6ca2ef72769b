#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "sheet/Dates.h"

namespace sheet {
namespace {

TDateTimeParts Decode(double serial, bool use1904 = false) {
  TDateTimeParts p;
  EXPECT_TRUE(DecodeDateSerial(serial, p, use1904)) << serial;
  return p;
}

void ExpectDate(const TDateTimeParts& p, int y, int m, int d) {
  EXPECT_EQ(p.fYear, y);
  EXPECT_EQ(p.fMonth, m);
  EXPECT_EQ(p.fDay, d);
}

TEST(DateSerials, ModernDatesAndWeekdays) {
  const auto p = Decode(43000);
  ExpectDate(p, 2017, 9, 22);
  EXPECT_EQ(p.fDayOfWeek, 6);  // Friday
  ExpectDate(Decode(2958465), 9999, 12, 31);
  ExpectDate(Decode(36526), 2000, 1, 1);
  ExpectDate(Decode(36585), 2000, 2, 29);  // a real leap day
  double serial = 0;
  ASSERT_TRUE(TryEncodeDateSerial(2017, 9, 22, serial));
  EXPECT_EQ(serial, 43000);
}

TEST(DateSerials, Fictitious29February1900) {
  ExpectDate(Decode(1), 1900, 1, 1);
  ExpectDate(Decode(59), 1900, 2, 28);
  ExpectDate(Decode(60), 1900, 2, 29);
  ExpectDate(Decode(61), 1900, 3, 1);
  EXPECT_EQ(Decode(61).fDayOfWeek, 5);  // Thursday, 1 March 1900
  ExpectDate(Decode(0), 1900, 1, 0);     // spreadsheets show day 0 of January

  double serial = 0;
  ASSERT_TRUE(TryEncodeDateSerial(1900, 2, 29, serial));
  EXPECT_EQ(serial, 60);
  ASSERT_TRUE(TryEncodeDateSerial(1900, 3, 1, serial));
  EXPECT_EQ(serial, 61);
  ASSERT_TRUE(TryEncodeDateSerial(1900, 2, 28, serial));
  EXPECT_EQ(serial, 59);
  ASSERT_TRUE(TryEncodeDateSerial(1900, 1, 1, serial));
  EXPECT_EQ(serial, 1);
  EXPECT_FALSE(TryEncodeDateSerial(1899, 12, 31, serial));
  EXPECT_FALSE(TryEncodeDateSerial(2019, 2, 29, serial));
  EXPECT_FALSE(TryEncodeDateSerial(2019, 13, 1, serial));
}

TEST(DateSerials, System1904) {
  ExpectDate(Decode(0, true), 1904, 1, 1);
  EXPECT_EQ(Decode(0, true).fDayOfWeek, 6);  // Friday
  ExpectDate(Decode(43000 - 1462, true), 2017, 9, 22);
  double serial = 0;
  ASSERT_TRUE(TryEncodeDateSerial(1904, 1, 2, serial, true));
  EXPECT_EQ(serial, 1);
  EXPECT_FALSE(TryEncodeDateSerial(1903, 12, 31, serial, true));
  EXPECT_FALSE(TryEncodeDateSerial(1900, 2, 29, serial, true));
  EXPECT_EQ(Serial1904To1900(0), 1462);
}

TEST(DateSerials, TimeOfDayAndRounding) {
  const auto noon = Decode(43000.5);
  EXPECT_EQ(noon.fHour, 12);
  EXPECT_EQ(noon.fMinute, 0);
  const auto t = Decode(0.75 + 1.0 / 86400 * 5);
  EXPECT_EQ(t.fHour, 18);
  EXPECT_EQ(t.fSecond, 5);
  // a hair below midnight rounds into the next day, not to 24:00
  const auto late = Decode(43000.9999999999);
  ExpectDate(late, 2017, 9, 23);
  EXPECT_EQ(late.fHour, 0);
  double fraction = 0;
  ASSERT_TRUE(TryEncodeTime(6, 0, 0, 0, fraction));
  EXPECT_DOUBLE_EQ(fraction, 0.25);
  EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, fraction));
}

TEST(DateSerials, ValuesWithoutDate) {
  TDateTimeParts p;
  EXPECT_FALSE(DecodeDateSerial(-1, p));
  EXPECT_FALSE(DecodeDateSerial(std::nan(""), p));
  EXPECT_FALSE(DecodeDateSerial(std::numeric_limits<double>::infinity(), p));
  EXPECT_FALSE(DecodeDateSerial(2958466, p));
  EXPECT_FALSE(DecodeDateSerial(1e300, p));
}

}  // namespace
}  // namespace sheet
