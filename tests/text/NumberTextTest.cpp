#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "text/Conversion.h"

namespace text {
namespace {

const TRegionalSettings kComma = TRegionalSettings::Czech();
const TRegionalSettings kPoint = TRegionalSettings::English();

TEST(FormatFloat, PadsAndPlacesSurplusDigitsAtTheFirstPlace) {
  EXPECT_EQ(FormatFloat("000.00", 5, kComma), "005,00");
  EXPECT_EQ(FormatFloat("000.00", 1234.5, kComma), "1234,50");
  EXPECT_EQ(FormatFloat("0.00", 0, kComma), "0,00");
  EXPECT_EQ(FormatFloat("0.00", 2469, kComma), "2469,00");
  EXPECT_EQ(FormatFloat("0 000.00", 12345.6, kComma), "12 345,60");
  EXPECT_EQ(FormatFloat("0 000.00", 5, kComma), "0 005,00");
  EXPECT_EQ(FormatFloat("0 000.00", 12.5, kPoint), "0 012.50");
  EXPECT_EQ(FormatFloat("0 000.00", 1234.5, kPoint), "1 234.50");
  EXPECT_EQ(FormatFloat("0 000.00", 1234567.5, kPoint), "1234 567.50");
  EXPECT_EQ(FormatFloat("0", 7.5, kPoint), "8");
  EXPECT_EQ(FormatFloat(".00", 0.5, kPoint), ".50");
  EXPECT_EQ(FormatFloat("0.00 Kč", 3, kComma), "3,00 Kč");
}

TEST(FormatFloat, RoundsTheExactBinaryValueHalfAwayFromZero) {
  EXPECT_EQ(FormatFloat("0.00", 0.125, kPoint), "0.13") << "an exact tie rounds up";
  EXPECT_EQ(FormatFloat("0.00", 0.375, kPoint), "0.38");
  EXPECT_EQ(FormatFloat("0.00", -0.125, kPoint), "-0.13");
  EXPECT_EQ(FormatFloat("0.00", 1.005, kPoint), "1.00") << "1.005 is stored slightly below";
  EXPECT_EQ(FormatFloat("0.00", 2.675, kPoint), "2.67") << "2.675 is stored slightly below";
  EXPECT_EQ(FormatFloat("0.00", 2.345, kPoint), "2.35") << "2.345 is stored slightly above";
  EXPECT_EQ(FormatFloat("0.00", 9.995, kPoint), "9.99");
  EXPECT_EQ(FormatFloat("0.00", 99.999, kPoint), "100.00");
  EXPECT_EQ(FormatFloat("0.00", 0.3 * 3, kComma), "0,90");
  // Single-precision amounts are formatted as their exact 32-bit values.
  EXPECT_EQ(FormatFloat("0.00", ToSingle(3 * ToSingle(0.1)), kComma), "0,30");
}

TEST(FormatFloat, SignsOnlyNonZeroResults) {
  EXPECT_EQ(FormatFloat("0.00", -1234.5, kComma), "-1234,50");
  EXPECT_EQ(FormatFloat("000.00", -5, kComma), "-005,00");
  EXPECT_EQ(FormatFloat("0 000.00", -5, kPoint), "-0 005.00");
  EXPECT_EQ(FormatFloat("0.00", -0.001, kPoint), "0.00");
  EXPECT_EQ(FormatFloat("0.00", -0.0, kPoint), "0.00");
}

TEST(FormatFloat, HandlesExtremeValues) {
  EXPECT_EQ(FormatFloat("0.00", 1e20, kPoint), "100000000000000000000.00");
  EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::denorm_min(), kPoint), "0.00");
  EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::max(), kPoint).size(), 309u + 3u);
  EXPECT_EQ(FormatFloat("0.00", std::nan(""), kPoint), "NAN");
  EXPECT_EQ(FormatFloat("0.00", -INFINITY, kPoint), "-INF");
}

TEST(FormatGeneral, ShortestTextWithFifteenSignificantDigits) {
  EXPECT_EQ(FormatGeneral(1.5, kComma), "1,5");
  EXPECT_EQ(FormatGeneral(1.5, kPoint), "1.5");
  EXPECT_EQ(FormatGeneral(12345678, kComma), "12345678");
  EXPECT_EQ(FormatGeneral(0.1 + 0.2, kPoint), "0.3");
  EXPECT_EQ(FormatGeneral(1.0 / 3, kPoint), "0.333333333333333");
  EXPECT_EQ(FormatGeneral(-2.5, kPoint), "-2.5");
  EXPECT_EQ(FormatGeneral(0, kPoint), "0");
  EXPECT_EQ(FormatGeneral(-0.0, kPoint), "0");
  EXPECT_EQ(FormatGeneral(123456789012345.6, kPoint), "123456789012346");
  EXPECT_EQ(FormatGeneral(ToSingle(12.1), kPoint), "12.1000003814697");
}

TEST(FormatGeneral, UsesExponentsForVeryLargeAndSmallMagnitudes) {
  EXPECT_EQ(FormatGeneral(0.00001, kPoint), "0.00001");
  EXPECT_EQ(FormatGeneral(0.000001, kPoint), "1E-6");
  EXPECT_EQ(FormatGeneral(-1.5e-7, kComma), "-1,5E-7");
  EXPECT_EQ(FormatGeneral(999999999999999, kPoint), "999999999999999");
  EXPECT_EQ(FormatGeneral(1e15, kPoint), "1E15");
  EXPECT_EQ(FormatGeneral(9999999999999999.0, kPoint), "1E16") << "rounding carries into the exponent";
  EXPECT_EQ(FormatGeneral(1.5e300, kPoint), "1.5E300");
  EXPECT_EQ(FormatGeneral(std::numeric_limits<double>::denorm_min(), kPoint), "4.94065645841247E-324");
}

TEST(FormatFixed, RoundsFifteenDigitsThenTheDecimals) {
  EXPECT_EQ(FormatFixed(1234.5, 2, kComma), "1234,50");
  EXPECT_EQ(FormatFixed(1.005, 2, kPoint), "1.01") << "decimal tie after 15 digits";
  EXPECT_EQ(FormatFixed(0.125, 2, kPoint), "0.13");
  EXPECT_EQ(FormatFixed(999.995, 2, kPoint), "1000.00");
  EXPECT_EQ(FormatFixed(0.5, 0, kPoint), "1");
  EXPECT_EQ(FormatFixed(-0.001, 2, kPoint), "0.00");
  EXPECT_EQ(FormatFixed(0.000001234, 8, kPoint), "0.00000123");
  EXPECT_EQ(FormatFixed(0, 0, kPoint), "0");
  EXPECT_EQ(FormatFixed(1e20, 2, kPoint), "1E20");
}

TEST(FormatFixed, GroupsThousandsWithTheRegionsSeparator) {
  EXPECT_EQ(FormatFixed(1234.5, 2, kComma, true), "1\u00A0" "234,50");
  EXPECT_EQ(FormatFixed(-1234567.891, 0, kPoint, true), "-1,234,568");
  EXPECT_EQ(FormatFixed(999.5, 0, kPoint, true), "1,000");
  EXPECT_EQ(FormatFixed(123, 1, kPoint, true), "123.0");
  TRegionalSettings blank = kComma;
  blank.fThousandSeparator = " ";
  EXPECT_EQ(FormatFixed(1234.5, 2, blank, true), "1 234,50");
  blank.fThousandSeparator.clear();
  EXPECT_EQ(FormatFixed(1234.5, 2, blank, true), "1234,50");
}

TEST(FormatXmlNumber, AlwaysUsesThePoint) {
  EXPECT_EQ(FormatXmlNumber(150), "150");
  EXPECT_EQ(FormatXmlNumber(0.75), "0.75");
  EXPECT_EQ(FormatXmlNumber(-2.5), "-2.5");
  EXPECT_EQ(FormatXmlNumber(0.000001), "1E-6");
  EXPECT_EQ(FormatXmlNumber(INFINITY), "INF");
}

}  // namespace
}  // namespace text
