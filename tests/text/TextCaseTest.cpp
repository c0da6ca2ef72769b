#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "text/TextCase.h"

namespace text {
namespace {

TEST(TextCase, MapsCzechLettersBothWays) {
  EXPECT_EQ(LowerCase("PŘÍLIŠ ŽLUŤOUČKÝ KŮŇ"), "příliš žluťoučký kůň");
  EXPECT_EQ(UpperCase("příliš žluťoučký kůň"), "PŘÍLIŠ ŽLUŤOUČKÝ KŮŇ");
  EXPECT_EQ(UpperCase("Ďábel ß"), "ĎÁBEL ß") << "no one-to-many mappings";
  EXPECT_EQ(LowerCase("A\xFF"), "a\uFFFD");
}

TEST(TextCase, AsciiVariantsLeaveOtherBytesAlone) {
  EXPECT_EQ(AsciiLowerCase("%SysDate% Ř"), "%sysdate% Ř");
  EXPECT_EQ(AsciiUpperCase("h:mm ampm ř"), "H:MM AMPM ř");
}

TEST(TextCase, ComparesWithoutRegardToCase) {
  EXPECT_EQ(CompareTextIgnoreCase("Kuchyne.csv", "KUCHYNE.CSV"), 0);
  EXPECT_TRUE(SameTextIgnoreCase("Čeněk", "čeNĚK"));
  EXPECT_LT(CompareTextIgnoreCase("abc", "ABD"), 0);
  EXPECT_GT(CompareTextIgnoreCase("b", "A"), 0);
  EXPECT_LT(CompareTextIgnoreCase("ab", "AB c"), 0) << "a prefix sorts first";
  std::vector<std::string> names{"b.csv", "A.csv", "a2.csv", "B1.csv"};
  std::sort(names.begin(), names.end(),
            [](const std::string& x, const std::string& y) { return CompareTextIgnoreCase(x, y) < 0; });
  EXPECT_EQ(names, (std::vector<std::string>{"A.csv", "a2.csv", "b.csv", "B1.csv"}));
}

}  // namespace
}  // namespace text
