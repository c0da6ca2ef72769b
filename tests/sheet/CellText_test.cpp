#include <gtest/gtest.h>

#include <cmath>

#include "sheet/CellText.h"

namespace sheet {
namespace {

// Decimal comma, no-break space thousands, d.M.yyyy.
text::TRegionalSettings CommaRegion() {
  text::TRegionalSettings r;
  r.fDecimalSeparator = ",";
  r.fThousandSeparator = "\xC2\xA0";
  r.fDateSeparator = ".";
  r.fTimeSeparator = ":";
  r.fShortDateFormat = "dd.MM.yyyy";
  r.fLongTimeFormat = "H:nn:ss";
  r.fShortTimeFormat = "H:nn";
  return r;
}

text::TRegionalSettings PointRegion() {
  text::TRegionalSettings r;  // "." decimal, "," thousands, M/d/yyyy, 12-hour times
  return r;
}

const std::string kNbsp = "\xC2\xA0";

TEST(CellTextNumbers, GeneralNotation) {
  const auto cz = CommaRegion();
  EXPECT_EQ(FormatGeneralNumber(12345678, cz), "12345678");
  EXPECT_EQ(FormatGeneralNumber(1.5, cz), "1,5");
  EXPECT_EQ(FormatGeneralNumber(1.5, PointRegion()), "1.5");
  EXPECT_EQ(FormatGeneralNumber(0.1 + 0.2, cz), "0,3");  // 15 significant digits hide the binary tail
  EXPECT_EQ(FormatGeneralNumber(-0.000123, cz), "-0,000123");
  EXPECT_EQ(FormatGeneralNumber(123456789012345, cz), "123456789012345");
  EXPECT_EQ(FormatGeneralNumber(1e15, cz), "1E15");
  EXPECT_EQ(FormatGeneralNumber(1.5e20, cz), "1,5E20");
  EXPECT_EQ(FormatGeneralNumber(1e-6, cz), "1E-6");
  EXPECT_EQ(FormatGeneralNumber(0, cz), "0");
  EXPECT_EQ(FormatGeneralNumber(std::nan(""), cz), "");
}

TEST(CellTextNumbers, FixedAndGrouped) {
  const auto cz = CommaRegion();
  EXPECT_EQ(FormatNumberText(1234.5, "#,##0.00", cz), "1" + kNbsp + "234,50");
  EXPECT_EQ(FormatNumberText(1234.5, "0.00", cz), "1234,50");
  EXPECT_EQ(FormatNumberText(1234567.891, "#,##0.00", PointRegion()), "1,234,567.89");
  EXPECT_EQ(FormatNumberText(-1234.5, "#,##0", PointRegion()), "-1,235");
  EXPECT_EQ(FormatNumberText(0, "0.00", cz), "0,00");
  EXPECT_EQ(FormatNumberText(-0.001, "0.00", cz), "0,00");  // no "-0,00"
  EXPECT_EQ(FormatNumberText(1.005, "0.00", cz), "1,01");    // ties away from zero at 15 digits
  EXPECT_EQ(FormatNumberText(2.5, "0", cz), "3");
  EXPECT_EQ(FormatNumberText(999.995, "0.00", cz), "1000,00");
  EXPECT_EQ(FormatNumberText(1e20, "0", cz), "100000000000000000000");
  // a region without thousands separator: "." beside a decimal comma, else an apostrophe
  auto noGroup = cz;
  noGroup.fThousandSeparator.clear();
  EXPECT_EQ(FormatNumberText(1234, "#,##0", noGroup), "1.234");
  auto noGroupPoint = PointRegion();
  noGroupPoint.fThousandSeparator.clear();
  EXPECT_EQ(FormatNumberText(1234, "#,##0", noGroupPoint), "1'234");
}

TEST(CellTextNumbers, IntegerDigitsPadding) {
  const auto cz = CommaRegion();
  EXPECT_EQ(FormatNumberText(7, "000", cz), "007");
  EXPECT_EQ(FormatNumberText(12.5, "00.0", cz), "12,5");
  EXPECT_EQ(FormatNumberText(12.96, "00.0", cz), "13,0");  // rounding carries into the integer part
  EXPECT_EQ(FormatNumberText(-7, "000", cz), "-007");       // sign before the padding
  EXPECT_EQ(FormatNumberText(12345, "000", cz), "12345");
  EXPECT_EQ(FormatNumberText(11000, "00 000", cz), "11000");
}

TEST(CellTextNumbers, PercentCurrencyScientificFraction) {
  const auto cz = CommaRegion();
  EXPECT_EQ(FormatNumberText(0.125, "0.0%", cz), "12,5%");
  EXPECT_EQ(FormatNumberText(0.21, "0%", cz), "21%");
  EXPECT_EQ(FormatNumberText(1234.5, "[$Kč-405] #,##0.00", cz), "Kč 1" + kNbsp + "234,50");
  EXPECT_EQ(FormatNumberText(10, "0.00 \"Kč\"", cz), "10,00 Kč");
  EXPECT_EQ(FormatNumberText(12345, "0.00E+00", PointRegion()), "1.23E+04");
  EXPECT_EQ(FormatNumberText(0.00012, "0.00E+00", PointRegion()), "1.20E-04");
  EXPECT_EQ(FormatNumberText(9.996, "0.00E+00", PointRegion()), "1.00E+01");
  EXPECT_EQ(FormatNumberText(0, "0.00E+00", PointRegion()), "0.00E+00");
  EXPECT_EQ(FormatNumberText(-1234, "##0.0E+0", PointRegion()), "-1.2E+3");

  EXPECT_EQ(FormatNumberText(1.5, "# ?/?", cz), "1 1/2");
  EXPECT_EQ(FormatNumberText(0.75, "# ?/?", cz), "3/4");
  EXPECT_EQ(FormatNumberText(-1.5, "# ?/?", cz), "-1 1/2");
  EXPECT_EQ(FormatNumberText(-0.5, "# ?/?", cz), "-1/2");
  EXPECT_EQ(FormatNumberText(3, "# ?/?", cz), "3");
  EXPECT_EQ(FormatNumberText(3.14159265, "# ?\?/??", cz), "3 1/7");
  EXPECT_EQ(FormatNumberText(0.3333333, "# ?/?", cz), "1/3");
  EXPECT_EQ(FormatNumberText(1.99999, "# ?/?", cz), "2");  // no "1 1/1"
  EXPECT_EQ(FormatBooleanValue(true), "True");
}

TEST(CellTextDates, RegionalTokensAndNotation) {
  const auto cz = CommaRegion();
  EXPECT_EQ(FormatDateTimeValue(43000, "%sysdate%", cz), "22.09.2017");
  EXPECT_EQ(FormatDateTimeValue(43000, "%sysdate%", PointRegion()), "9/22/2017");
  EXPECT_EQ(FormatDateTimeValue(43000.75, "%sysdatetime%", cz), "22.09.2017 18:00:00");
  EXPECT_EQ(FormatDateTimeValue(43000.75, "%systimews%", PointRegion()), "6:00 PM");
  EXPECT_EQ(FormatDateTimeValue(43000, "dddd d. mmmm yy", cz), "Friday 22. September 17");
  EXPECT_EQ(FormatDateTimeValue(43000, "d-mmm-yy", cz), "22-Sep-17");
  EXPECT_EQ(FormatDateTimeValue(43000, "[$-405]d/m/yyyy;@", cz), "22.9.2017");
  EXPECT_EQ(FormatDateTimeValue(60, "d.m.yyyy", cz), "29.2.1900");
  EXPECT_EQ(FormatDateTimeValue(0, "%sysdate%", cz), "00.01.1900");
  EXPECT_EQ(FormatDateTimeValue(-1, "%sysdate%", cz), "");
  EXPECT_EQ(FormatDateTimeValue(0 - 1462 + 43000, "d.m.yyyy", cz, true), "22.9.2017");
}

TEST(CellTextDates, MinutesSecondsAndElapsedHours) {
  const auto cz = CommaRegion();
  const double t = 43000 + (1 * 3600 + 2 * 60 + 3) / 86400.0;
  EXPECT_EQ(FormatDateTimeValue(t, "h:mm", cz), "1:02");
  EXPECT_EQ(FormatDateTimeValue(t, "mm:ss", cz), "02:03");  // minutes before seconds, not the month
  EXPECT_EQ(FormatDateTimeValue(t, "hh:nn:ss", cz), "01:02:03");
  EXPECT_EQ(FormatDateTimeValue(1.5, "[h]:mm:ss", cz), "36:00:00");
  EXPECT_EQ(FormatDateTimeValue(t + 0.25 / 86400, "mmss.0", cz), "0203,2");
  EXPECT_EQ(FormatDateTimeValue(43000 + 13.5 / 24, "h:mm am/pm", PointRegion()), "1:30 PM");
  EXPECT_EQ(FormatDateTimeValue(43000, "h:mm am/pm", PointRegion()), "12:00 AM");
  // 8:00 stored a hair low still shows as 8:00:00
  EXPECT_EQ(FormatDateTimeValue(43000 + 8.0 / 24 - 1e-9, "hh:mm:ss", cz), "08:00:00");
  EXPECT_EQ(FormatDateTimeValue(43000, "yyyy \"rok\" d", cz), "2017 rok 22");
}

TEST(CellTextParsing, NumbersPercentsDates) {
  const auto cz = CommaRegion();
  double v = 0;
  ASSERT_TRUE(TryParseNumberText("1,5", v, cz));
  EXPECT_DOUBLE_EQ(v, 1.5);
  ASSERT_TRUE(TryParseNumberText(" 1" + kNbsp + "234,50 ", v, cz));
  EXPECT_DOUBLE_EQ(v, 1234.5);
  EXPECT_FALSE(TryParseNumberText("1.5", v, cz));
  EXPECT_FALSE(TryParseNumberText("abc", v, cz));
  EXPECT_FALSE(TryParseNumberText("", v, cz));
  EXPECT_EQ(v, 0);
  ASSERT_TRUE(TryParseNumberText("-2.25", v, PointRegion()));
  EXPECT_DOUBLE_EQ(v, -2.25);
  ASSERT_TRUE(TryParsePercentText("12,5 %", v, cz));
  EXPECT_DOUBLE_EQ(v, 0.125);

  ASSERT_TRUE(TryParseDateTimeText("22.09.2017", v, cz));
  EXPECT_EQ(v, 43000);
  ASSERT_TRUE(TryParseDateTimeText("9/22/2017 6:00 PM", v, PointRegion()));
  EXPECT_DOUBLE_EQ(v, 43000.75);
  ASSERT_TRUE(TryParseDateTimeText("18:00", v, cz));
  EXPECT_DOUBLE_EQ(v, 0.75);
  EXPECT_FALSE(TryParseDateTimeText("31.02.2017", v, cz));
  EXPECT_FALSE(TryParseDateTimeText("zítra", v, cz));
}

}  // namespace
}  // namespace sheet

namespace sheet {
namespace {

// Formats come from files: any text must format without crashing or hanging.
TEST(CellTextRobustness, ArbitraryFormatsAndValues) {
  const std::string alphabet = "0#?.,;%Ee+-/:[]$\"\\@*_dmyhnsaAP hG\xC2\xA0";
  const double values[] = {0, -0.0, 1.5, -1234.5678, 1e300, -1e-300, 43000.75, 2958466, 0.999999999999,
                           std::nan(""), INFINITY};
  std::uint32_t state = 12345;
  auto next = [&] {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  const auto cz = CommaRegion();
  for (int round = 0; round < 3000; ++round) {
    std::string format;
    const int length = static_cast<int>(next() % 14);
    for (int i = 0; i < length; ++i) format += alphabet[next() % alphabet.size()];
    const double value = values[next() % std::size(values)];
    TNumberFormatRec rec;
    AnalyzeNumberFormat(format, rec);
    EXPECT_GE(rec.DecimalPlaces, -1);
    EXPECT_LE(rec.DecimalPlaces, 99);
    EXPECT_GE(rec.FractionDigits, 1);
    EXPECT_LE(rec.FractionDigits, 4);
    EXPECT_LE(rec.ExponentDigits, 3);
    (void)FormatNumberText(value, format, cz);
    (void)FormatDateTimeValue(value, format, cz);
    double parsed = 0;
    (void)TryParseDateTimeText(format, parsed, cz);
    (void)TryParseNumberText(format, parsed, cz);
  }
}

}  // namespace
}  // namespace sheet
