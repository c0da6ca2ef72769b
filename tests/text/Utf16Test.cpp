#include <gtest/gtest.h>

#include "text/Utf16.h"
#include "text/Utf8.h"

namespace text {
namespace {

const std::string kEmoji = "\xF0\x9F\x98\x80";  // U+1F600, a surrogate pair in UTF-16

TEST(Utf16, CountsCodeUnitsNotBytes) {
  EXPECT_EQ(Utf16Length(""), 0u);
  EXPECT_EQ(Utf16Length("Kůň"), 3u);
  EXPECT_EQ(Utf16Length("a" + kEmoji + "b"), 4u);
  EXPECT_EQ(Utf16Length("€"), 1u);
}

TEST(Utf16, ConvertsBothWays) {
  const std::string text = "Poř.;" + kEmoji + "€";
  const std::u16string wide = ToUtf16(text);
  EXPECT_EQ(wide, u"Poř.;\U0001F600€");
  EXPECT_EQ(ToUtf8(wide), text);
  EXPECT_EQ(ToUtf8(u"a\xD800z"), "a\uFFFDz") << "unpaired high surrogate";
  EXPECT_EQ(ToUtf8(u"\xDC00"), "\uFFFD") << "lone low surrogate";
}

TEST(Utf16, LeftAndMidNeverSplitASurrogatePair) {
  const std::string text = "ab" + kEmoji + "cď";
  EXPECT_EQ(Utf16Left(text, 2), "ab");
  EXPECT_EQ(Utf16Left(text, 3), "ab") << "the pair straddles the cut";
  EXPECT_EQ(Utf16Left(text, 4), "ab" + kEmoji);
  EXPECT_EQ(Utf16Left(text, 100), text);
  EXPECT_EQ(Utf16Mid(text, 4), "cď");
  EXPECT_EQ(Utf16Mid(text, 3, 2), "c") << "starts inside the pair";
  EXPECT_EQ(Utf16Mid(text, 1, 1), "b");
  EXPECT_EQ(Utf16Mid(text, 10, 5), "");
  EXPECT_EQ(Utf16Mid(text, 5, 0), "");
}

TEST(Utf16, IndexOfCountsCodeUnitsBeforeTheCharacter) {
  EXPECT_EQ(Utf16IndexOf("12;Kód", ';'), 2u);
  EXPECT_EQ(Utf16IndexOf("Čř" + kEmoji + ";", ';'), 4u);
  EXPECT_EQ(Utf16IndexOf("abc", ';'), std::u16string::npos);
  EXPECT_EQ(Utf16IndexOf("\xC5;", ';'), 1u) << "a truncated sequence does not swallow the ';'";
}

TEST(Utf8, EveryBadByteBecomesOneReplacementCharacter) {
  EXPECT_EQ(SanitizeUtf8("ok ů"), "ok ů");
  EXPECT_EQ(SanitizeUtf8("a\x80z"), "a\uFFFDz");
  EXPECT_EQ(SanitizeUtf8("\xC0\xAF"), "\uFFFD\uFFFD") << "overlong '/'";
  EXPECT_EQ(SanitizeUtf8("\xED\xA0\x80"), "\uFFFD\uFFFD\uFFFD") << "encoded surrogate";
  EXPECT_EQ(SanitizeUtf8("\xF4\x90\x80\x80"), "\uFFFD\uFFFD\uFFFD\uFFFD") << "above U+10FFFF";
  EXPECT_EQ(SanitizeUtf8("\xE2\x82"), "\uFFFD\uFFFD") << "truncated at the end";
  EXPECT_FALSE(IsValidUtf8("\xFF"));
  EXPECT_TRUE(IsValidUtf8("\uFFFD"));
  EXPECT_EQ(Utf16Length("a\xE2\x82z"), 4u);
  EXPECT_EQ(ToUtf16("\xFF"), u"\xFFFD");
  EXPECT_EQ(Utf16Left("\xFF" "abc", 2), "\uFFFDa");
}

TEST(Utf8, AppendsAllPlanesAndRefusesSurrogates) {
  std::string out;
  for (char32_t cp : {U'A', U'\u00E9', U'\u20AC', U'\U0001F600'}) AppendUtf8(out, cp);
  EXPECT_EQ(out, "Aé€" + kEmoji);
  out.clear();
  AppendUtf8(out, 0xD800);
  AppendUtf8(out, 0x110000);
  EXPECT_EQ(out, "\uFFFD\uFFFD");
}

}  // namespace
}  // namespace text
