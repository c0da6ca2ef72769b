#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "text/Conversion.h"

namespace text {
namespace {

const TRegionalSettings kComma = TRegionalSettings::Czech();
const TRegionalSettings kPoint = TRegionalSettings::English();

TEST(StrToInt, AcceptsDecimalWithSignAndLeadingBlanks) {
  EXPECT_EQ(StrToInt("12"), 12);
  EXPECT_EQ(StrToInt("  12"), 12);
  EXPECT_EQ(StrToInt("+5"), 5);
  EXPECT_EQ(StrToInt("-5"), -5);
  EXPECT_EQ(StrToInt("007"), 7);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), std::numeric_limits<std::int32_t>::min());
}

TEST(StrToInt, AcceptsHexadecimalAsThe32BitPattern) {
  EXPECT_EQ(StrToInt("$1F"), 31);
  EXPECT_EQ(StrToInt("0x1f"), 31);
  EXPECT_EQ(StrToInt("-$10"), -16);
  EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(StrToInt("$7FFFFFFF"), 2147483647);
}

TEST(StrToInt, RejectsWithTheRuntimeMessage) {
  for (const char* bad : {"", " ", "12 ", "1 2", "+", "-", "1.5", "1e3", "2147483648", "-2147483649",
                          "99999999999999999999", "$", "$100000000", "0x", "12a", "\xC2\xA0" "1"}) {
    std::int32_t value = 99;
    EXPECT_FALSE(TryStrToInt(bad, value)) << bad;
    EXPECT_EQ(value, 99) << "a failed conversion must not touch the result";
  }
  try {
    StrToInt("12 ");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'12 ' is not a valid integer value");
  }
}

TEST(StrToFloat, ReadsTheRegionsDecimalSeparatorOnly) {
  EXPECT_EQ(StrToFloat("1234,50", kComma), 1234.5);
  EXPECT_EQ(StrToFloat("1234.50", kPoint), 1234.5);
  double value = 0;
  EXPECT_FALSE(TryStrToFloat("1,5", value, kPoint));
  EXPECT_FALSE(TryStrToFloat("1.5", value, kComma));
  EXPECT_FALSE(TryStrToFloat("1,234.5", value, kPoint)) << "no thousands separators";
  EXPECT_FALSE(TryStrToFloat("1\xC2\xA0" "234,5", value, kComma));
}

TEST(StrToFloat, AcceptsBlanksSignsAndExponents) {
  EXPECT_EQ(StrToFloat("  12,5  ", kComma), 12.5);
  EXPECT_EQ(StrToFloat("+5", kPoint), 5.0);
  EXPECT_EQ(StrToFloat("-0.25", kPoint), -0.25);
  EXPECT_EQ(StrToFloat("1e3", kPoint), 1000.0);
  EXPECT_EQ(StrToFloat("1,5E-2", kComma), 0.015);
  EXPECT_EQ(StrToFloat("2E+2", kPoint), 200.0);
  EXPECT_EQ(StrToFloat(",5", kComma), 0.5);
  EXPECT_EQ(StrToFloat("5,", kComma), 5.0);
}

TEST(StrToFloat, RejectsMalformedTextWithTheRuntimeMessage) {
  for (const char* bad : {"", "  ", ",", "-", "1e", "1e+", "e5", "1,5,0", "1 000", "0x10", "INF", "NAN",
                          "12abc", "1e400", "--1"}) {
    double value = 7;
    EXPECT_FALSE(TryStrToFloat(bad, value, kComma)) << bad;
    EXPECT_EQ(value, 7);
  }
  try {
    StrToFloat("1.5", kComma);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'1.5' is not a valid floating point value");
  }
}

TEST(StrToFloat, GivesTheCorrectlyRoundedDouble) {
  EXPECT_EQ(StrToFloat("0.1", kPoint), 0.1);
  EXPECT_EQ(StrToFloat("2.675", kPoint), 2.675);
  EXPECT_EQ(StrToFloat("9007199254740993", kPoint), 9007199254740992.0) << "tie to even";
  EXPECT_EQ(StrToFloat("1.7976931348623157e308", kPoint), std::numeric_limits<double>::max());
  EXPECT_EQ(StrToFloat("0.000000000000000000000000000001", kPoint), 1e-30);
  EXPECT_EQ(StrToFloat("1e-400", kPoint), 0.0) << "underflow reads as zero";
  EXPECT_TRUE(std::signbit(StrToFloat("-1e-400", kPoint)));
  EXPECT_EQ(StrToFloat("0e999999999999", kPoint), 0.0);
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(1234.5), 1234);
  EXPECT_EQ(RoundHalfEven(1235.5), 1236);
  EXPECT_EQ(RoundHalfEven(2468.5), 2468);
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(2.4999999999999996), 2);
  EXPECT_EQ(RoundHalfEven(1234.50001), 1235);
  EXPECT_THROW(RoundHalfEven(std::nan("")), EInvalidOp);
  EXPECT_THROW(RoundHalfEven(1e19), EInvalidOp);
  EXPECT_EQ(RoundHalfEven(-9223372036854775808.0), std::numeric_limits<std::int64_t>::min());
}

TEST(RoundHalfEven, WorksOnSinglePrecisionSums) {
  // The offer's VAT: 0.21 × 1234.5 in single precision is 259.245…, not a tie.
  const float sum = ToSingle(1234.5);
  EXPECT_EQ(RoundHalfEven(ToSingle(0.21 * sum)), 259);
  EXPECT_EQ(RoundHalfEven(ToSingle(1.21 * sum)), 1494);
}

TEST(EListError, CarriesTheRuntimeMessage) {
  const EListError error(-1);
  EXPECT_STREQ(error.what(), "List index out of bounds (-1)");
  EXPECT_EQ(error.Index(), -1);
}

}  // namespace
}  // namespace text
