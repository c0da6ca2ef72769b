#include <gtest/gtest.h>

#include "text/LocaleText.h"

namespace text {
namespace {

TEST(UserLocalePosix, LocaleTextsAreConvertedToUtf8) {
  EXPECT_EQ(LocaleTextToUtf8("\xA0", "ISO-8859-2"), "\u00A0");
  EXPECT_EQ(LocaleTextToUtf8("\xB9", "ISO-8859-2"), "š");
  EXPECT_EQ(LocaleTextToUtf8("\xFF", "UTF-8"), "\uFFFD");
}

}  // namespace
}  // namespace text
