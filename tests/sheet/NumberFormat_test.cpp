#include <gtest/gtest.h>

#include "sheet/NumberFormat.h"

namespace sheet {
namespace {

TNumberFormatRec Analyze(std::string_view f, TNumberFormatKind expected) {
  TNumberFormatRec rec;
  EXPECT_EQ(AnalyzeNumberFormat(f, rec), expected) << f;
  return rec;
}

TEST(NumberFormatAnalysis, GeneralTextAndPlainNumbers) {
  EXPECT_EQ(AnalyzeNumberFormat(""), TNumberFormatKind::nfkNone);
  TNumberFormatRec general = Analyze("GENERAL", TNumberFormatKind::nfkNone);
  EXPECT_EQ(general, TNumberFormatRec{});
  Analyze("@", TNumberFormatKind::nfkString);

  EXPECT_EQ(Analyze("0", TNumberFormatKind::nfkNumber).DecimalPlaces, 0);
  const auto twoPlaces = Analyze("0.00", TNumberFormatKind::nfkNumber);
  EXPECT_EQ(twoPlaces.DecimalPlaces, 2);
  EXPECT_FALSE(twoPlaces.ThousandSep);
  const auto grouped = Analyze("#,##0.00", TNumberFormatKind::nfkNumber);
  EXPECT_TRUE(grouped.ThousandSep);
  EXPECT_EQ(grouped.DecimalPlaces, 2);
  EXPECT_EQ(grouped.IntegerDigits, 1);
  const auto padded = Analyze("000 00", TNumberFormatKind::nfkNumber);
  EXPECT_EQ(padded.DecimalPlaces, 0);
  EXPECT_EQ(padded.IntegerDigits, 3);
  // "#" places count as decimals too; a "," inside the zero run means grouping
  const auto hashes = Analyze("0.0##", TNumberFormatKind::nfkNumber);
  EXPECT_EQ(hashes.DecimalPlaces, 3);
  const auto commaRun = Analyze("0,000", TNumberFormatKind::nfkNumber);
  EXPECT_EQ(commaRun.IntegerDigits, 4);
  EXPECT_TRUE(commaRun.ThousandSep);
  EXPECT_EQ(Analyze("#", TNumberFormatKind::nfkNumber).DecimalPlaces, -1);
  EXPECT_EQ(Analyze("#.00", TNumberFormatKind::nfkNumber).DecimalPlaces, 2);
  EXPECT_EQ(Analyze("#,###.0", TNumberFormatKind::nfkNumber).DecimalPlaces, 1);
  const auto huge = Analyze(std::string(150, '0') + "." + std::string(150, '0'), TNumberFormatKind::nfkNumber);
  EXPECT_EQ(huge.DecimalPlaces, 99);
  EXPECT_EQ(huge.IntegerDigits, 99);
}

TEST(NumberFormatAnalysis, SectionsAndNegativeRed) {
  const auto red = Analyze("0.00_);[Red](0.00)", TNumberFormatKind::nfkNumber);
  EXPECT_EQ(red.DecimalPlaces, 2);
  EXPECT_TRUE(red.NegativeRed);
  const auto built38 = Analyze("#,##0 ;[Red](#,##0)", TNumberFormatKind::nfkNumber);
  EXPECT_TRUE(built38.NegativeRed);
  EXPECT_TRUE(built38.ThousandSep);
  // a ";" in the first place does not cut the format
  EXPECT_EQ(Analyze(";0.0", TNumberFormatKind::nfkNumber).DecimalPlaces, 1);
  // only the first section decides: a percent in the second one does not count
  Analyze("0.00;0.00%", TNumberFormatKind::nfkNumber);
}

TEST(NumberFormatAnalysis, PercentFractionScientific) {
  EXPECT_EQ(Analyze("0.0%", TNumberFormatKind::nfkPercent).DecimalPlaces, 1);
  EXPECT_EQ(Analyze("0%", TNumberFormatKind::nfkPercent).DecimalPlaces, 0);
  EXPECT_EQ(Analyze("# ?/?", TNumberFormatKind::nfkFraction).FractionDigits, 1);
  EXPECT_EQ(Analyze("# ?\?/??", TNumberFormatKind::nfkFraction).FractionDigits, 2);
  EXPECT_EQ(Analyze("# ?\?\?\?\?/?????", TNumberFormatKind::nfkFraction).FractionDigits, 4);
  const auto sci = Analyze("0.00E+00", TNumberFormatKind::nfkScientific);
  EXPECT_EQ(sci.ExponentDigits, 2);
  EXPECT_EQ(sci.DecimalPlaces, 2);
  EXPECT_EQ(Analyze("##0.0E+0", TNumberFormatKind::nfkScientific).ExponentDigits, 1);
  EXPECT_EQ(Analyze("0E+0000", TNumberFormatKind::nfkScientific).ExponentDigits, 3);
}

TEST(NumberFormatAnalysis, Currencies) {
  const auto prefix = Analyze("[$Kč-405] #,##0.00", TNumberFormatKind::nfkCurrency);
  EXPECT_EQ(prefix.CurrencyStr, "Kč");
  EXPECT_EQ(prefix.CurrencyPos, ecpBefore);
  EXPECT_TRUE(prefix.ThousandSep);
  EXPECT_EQ(prefix.DecimalPlaces, 2);

  const auto quotedAfter = Analyze("#,##0.00 \"Kč\"", TNumberFormatKind::nfkCurrency);
  EXPECT_EQ(quotedAfter.CurrencyStr, "Kč");
  EXPECT_EQ(quotedAfter.CurrencyPos, ecpAfter);

  // a trailing locale group keeps the digit places in front of it
  const auto suffix = Analyze("#,##0.00 [$€-407]", TNumberFormatKind::nfkCurrency);
  EXPECT_EQ(suffix.CurrencyStr, "€");
  EXPECT_EQ(suffix.CurrencyPos, ecpAfter);
  EXPECT_EQ(suffix.DecimalPlaces, 2);
  EXPECT_TRUE(suffix.ThousandSep);

  const auto fill = Analyze("\"$\"* #,##0.00", TNumberFormatKind::nfkCurrency);
  EXPECT_EQ(fill.CurrencyPos, ecpBeforeFill);
  EXPECT_EQ(Analyze("[$$-409]0", TNumberFormatKind::nfkCurrency).CurrencyStr, "$");
  // an empty currency text leaves a plain number
  Analyze("0.00\"\"", TNumberFormatKind::nfkNumber);
}

TEST(NumberFormatAnalysis, DatesAndTimes) {
  for (const char* f : {"d.m.yyyy", "%sysdate%", "%SYSTIME%", "h:mm", "[h]:mm:ss", "mm:ss", "mmm-yy", "d-mmm",
                        "dd/mm/yy", "yyyy-mm-dd hh:mm"})
    Analyze(f, TNumberFormatKind::nfkDateTime);
  // "d" alone or "yy" alone are not dates (no month)
  Analyze("0 \"d\"", TNumberFormatKind::nfkCurrency);
}

TEST(NumberFormatBuiltIns, IndexesAndGaps) {
  EXPECT_EQ(BuiltInNumberFormat(0), "");
  EXPECT_EQ(BuiltInNumberFormat(4), "#,##0.00");
  EXPECT_EQ(BuiltInNumberFormat(14), "%sysdate%");
  EXPECT_EQ(BuiltInNumberFormat(22), "%sysdatetimews%");
  EXPECT_EQ(BuiltInNumberFormat(46), "[h]:mm:ss");
  EXPECT_EQ(BuiltInNumberFormat(49), "@");
  EXPECT_FALSE(BuiltInNumberFormat(5).has_value());
  EXPECT_FALSE(BuiltInNumberFormat(23).has_value());
  EXPECT_FALSE(BuiltInNumberFormat(50).has_value());
  EXPECT_EQ(BuiltInNumberFormatIndex("0.00E+00"), 11);
  EXPECT_EQ(BuiltInNumberFormatIndex("0.000"), -1);
}

TEST(NumberFormatTokens, ResolveFromRegion) {
  const auto cz = text::TRegionalSettings::Czech();
  text::TRegionalSettings region;
  region.fShortDateFormat = "d.M.yyyy";
  region.fLongTimeFormat = "H:nn:ss";
  region.fShortTimeFormat = "h:nn AMPM";
  EXPECT_EQ(ResolveDateTimeFormat("%sysdate%", region), "d.M.yyyy");
  EXPECT_EQ(ResolveDateTimeFormat("%SysTime%", region), "H:mm:ss");
  EXPECT_EQ(ResolveDateTimeFormat("%sysdatetime%", region), "d.M.yyyy H:mm:ss");
  EXPECT_EQ(ResolveDateTimeFormat("%sysdatetimews%", region), "d.M.yyyy h:mm am/pm");
  EXPECT_EQ(ResolveDateTimeFormat("%systimews%", region), "h:mm am/pm");
  // only a whole token is recognised, and other formats keep their case
  EXPECT_EQ(ResolveDateTimeFormat("%sysdate% x", region), "%sysdate% x");
  EXPECT_EQ(ResolveDateTimeFormat("D.M.YYYY", region), "D.M.YYYY");
  EXPECT_EQ(ResolveDateTimeFormat("%other%", cz), "%other%");
}

TEST(NumberFormatTokens, EffectiveFormatAndKind) {
  text::TRegionalSettings region;
  region.fShortDateFormat = "d.M.yyyy";
  region.fLongTimeFormat = "H:nn:ss";
  EXPECT_EQ(EffectiveDateTimeFormat("[$-405]D\\.M\\.YYYY;@", region), "d.m.yyyy");
  EXPECT_EQ(EffectiveDateTimeFormat("[h]:mm:ss", region), "[h]:mm:ss");
  EXPECT_EQ(DateTimeKindOfFormat("%sysdate%", region), ectDate);
  EXPECT_EQ(DateTimeKindOfFormat("%systime%", region), ectTime);
  EXPECT_EQ(DateTimeKindOfFormat("%sysdatetime%", region), ectDateTime);
  EXPECT_EQ(DateTimeKindOfFormat("mm:ss", region), ectTime);
  EXPECT_EQ(DateTimeKindOfFormat("mmm-yy", region), ectDate);
  EXPECT_EQ(DateTimeKindOfFormat("mmm", region), ectDateTime);  // neither part is certain
}

TEST(NumberFormatGlobals, DefaultsNeverEmpty) {
  EXPECT_EQ(GlobalDateFormat(), "%sysdate%");
  SetGlobalTimeFormat("hh:mm");
  EXPECT_EQ(GlobalTimeFormat(), "hh:mm");
  SetGlobalTimeFormat("");
  EXPECT_EQ(GlobalTimeFormat(), "%systime%");
}

}  // namespace
}  // namespace sheet
