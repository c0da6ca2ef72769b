#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "text/LocaleText.h"
#include "text/RegionalSettings.h"

namespace text {
namespace {

TEST(RegionalSettings, FixedRecords) {
  const TRegionalSettings czech = TRegionalSettings::Czech();
  EXPECT_EQ(czech.fDecimalSeparator, ",");
  EXPECT_EQ(czech.fThousandSeparator, "\u00A0");
  EXPECT_EQ(czech.fDateSeparator, ".");
  EXPECT_EQ(czech.fTimeSeparator, ":");
  EXPECT_EQ(czech.fShortDateFormat, "d.M.yyyy");
  EXPECT_EQ(czech.fLongDateFormat, "d. MMMM yyyy");
  EXPECT_EQ(czech.fShortTimeFormat, "H:mm");
  EXPECT_EQ(czech.fLongTimeFormat, "H:mm:ss");
  const TRegionalSettings english = TRegionalSettings::English();
  EXPECT_EQ(english.fDecimalSeparator, ".");
  EXPECT_EQ(english.fThousandSeparator, ",");
  EXPECT_EQ(english.fShortDateFormat, "M/d/yyyy");
}

TEST(RegionalSettings, StrftimeFormatsBecomeRecordFormats) {
  EXPECT_EQ(StrftimeToRuntimeFormat("%-d.%-m.%Y"), "d.M.yyyy");
  EXPECT_EQ(StrftimeToRuntimeFormat("%m/%d/%y"), "MM/dd/yy");
  EXPECT_EQ(StrftimeToRuntimeFormat("%I:%M:%S %p"), "hh:mm:ss AMPM");
  EXPECT_EQ(StrftimeToRuntimeFormat("%T"), "HH:mm:ss");
  EXPECT_EQ(StrftimeToRuntimeFormat("%A %e %B %Y"), "dddd d MMMM yyyy");
  EXPECT_EQ(StrftimeToRuntimeFormat("%Z %H:%M %%"), "HH:mm %");
  EXPECT_EQ(StrftimeToRuntimeFormat("%"), "");
}

TEST(RegionalSettings, CzechLocaleDataGivesTheCzechRecord) {
  const TLocaleData data{.fDecimalPoint = ",",
                         .fThousandsSeparator = "\u00A0",
                         .fDateFormat = "%-d.%-m.%Y",
                         .fTimeFormat = "%-H:%M:%S",
                         .fAm = "dop.",
                         .fPm = "odp."};
  EXPECT_EQ(RegionalSettingsFromLocaleData(data), TRegionalSettings::Czech());
}

TEST(RegionalSettings, SparseLocaleDataFallsBackToEnglish) {
  TLocaleData data;  // what the C locale gives, less the formats
  data.fDecimalPoint = ".";
  const TRegionalSettings region = RegionalSettingsFromLocaleData(data);
  EXPECT_EQ(region.fDecimalSeparator, ".");
  EXPECT_EQ(region.fThousandSeparator, "") << "no grouping in the locale: none invented";
  EXPECT_EQ(region.fShortDateFormat, TRegionalSettings::English().fShortDateFormat);
  EXPECT_EQ(region.fTimeAMString, "AM");

  data.fDateFormat = "%Y-%m-%d";
  data.fTimeFormat = "%I:%M:%S %p";
  const TRegionalSettings iso = RegionalSettingsFromLocaleData(data);
  EXPECT_EQ(iso.fDateSeparator, "-");
  EXPECT_EQ(iso.fLongDateFormat, "yyyy MMMM d");
  EXPECT_EQ(iso.fShortTimeFormat, "hh:mm AMPM");
}

TEST(RegionalSettings, WindowsFormatsInTheRecordsNotation) {
  EXPECT_EQ(WindowsLocaleFormatToRuntimeFormat("d.M.yyyy"), "d.M.yyyy");
  EXPECT_EQ(WindowsLocaleFormatToRuntimeFormat("h:mm:ss tt"), "h:mm:ss AMPM");
  EXPECT_EQ(WindowsLocaleFormatToRuntimeFormat("tt h:mm"), "AMPM h:mm");
  EXPECT_EQ(WindowsLocaleFormatToRuntimeFormat("gg yyyy'年'M'月'd'日'"), "yyyy'年'M'月'd'日'")
      << "the era is dropped, quoted texts stay";
  EXPECT_EQ(WindowsLocaleFormatToRuntimeFormat("'t' HH:mm"), "'t' HH:mm");
}

TEST(RegionalSettings, ReadingTheUserLocaleLeavesTheProcessLocaleAlone) {
  const std::string before = std::setlocale(LC_ALL, nullptr);
  const TRegionalSettings region = TRegionalSettings::FromUserLocale();
  EXPECT_EQ(std::setlocale(LC_ALL, nullptr), before);
  EXPECT_FALSE(region.fDecimalSeparator.empty());
  EXPECT_FALSE(region.fShortDateFormat.empty());
  EXPECT_FALSE(region.fLongTimeFormat.empty());
}

}  // namespace
}  // namespace text

namespace text {
namespace {

TEST(RegionalSettings, TheProcessWideRecordCanBeReplaced) {
  const TRegionalSettings original = ProcessRegionalSettings();
  SetProcessRegionalSettings(TRegionalSettings::Czech());
  EXPECT_EQ(ProcessRegionalSettings().fDecimalSeparator, ",");
  SetProcessRegionalSettings(original);
  EXPECT_EQ(ProcessRegionalSettings(), original);
}

}  // namespace
}  // namespace text
