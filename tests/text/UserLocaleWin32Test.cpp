#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "text/RegionalSettings.h"

namespace text {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The test runs under Wine, which takes the user's locale from LANG: the
// Czech pass must read the Czech separators and formats from the system.
TEST(UserLocaleWin32, TheUsersRegionComesFromTheSystem) {
  const TRegionalSettings region = TRegionalSettings::FromUserLocale();
  if (Environment("LANG").rfind("cs_CZ", 0) != 0) {
    EXPECT_EQ(region.fDecimalSeparator, ".");
    GTEST_SKIP() << "the Czech region is checked in the pass with LANG=cs_CZ.UTF-8";
  }
  EXPECT_EQ(region.fDecimalSeparator, ",");
  EXPECT_EQ(region.fThousandSeparator, "\u00A0");
  EXPECT_EQ(region.fDateSeparator.substr(0, 1), ".") << "Windows says \".\", Wine \". \"";
  EXPECT_NE(region.fShortDateFormat.find("yyyy"), std::string::npos) << region.fShortDateFormat;
  EXPECT_EQ(region.fShortDateFormat.find_first_of("dM"), 0u) << region.fShortDateFormat;
  EXPECT_NE(region.fLongTimeFormat.find("H"), std::string::npos) << region.fLongTimeFormat;
  EXPECT_EQ(region.fLongTimeFormat.find("AMPM"), std::string::npos) << "a 24-hour clock";
}

}  // namespace
}  // namespace text

namespace text {
namespace {

TEST(UserLocalePosix, LocaleTextsAreConvertedToUtf8) {
  GTEST_SKIP() << "nl_langinfo's character sets; Windows gives its locale data in UTF-16";
}

}  // namespace
}  // namespace text
