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

TEST(Utf8, KeepingSurrogatesChangesOnlySurrogates) {
  const std::string encoded = "\xED\xA0\x80";  // U+D800 on its own
  const TDecodedChar kept = DecodeUtf8(encoded, 0, TInvalidUtf::kKeepSurrogates);
  EXPECT_EQ(kept.fValue, 0xD800u);
  EXPECT_EQ(kept.fLength, 3);
  EXPECT_TRUE(kept.fValid);
  const TDecodedChar replaced = DecodeUtf8(encoded, 0, TInvalidUtf::kReplace);
  EXPECT_EQ(replaced.fValue, kReplacementChar);
  EXPECT_EQ(replaced.fLength, 1);
  EXPECT_FALSE(replaced.fValid);
  // Everything else is decoded alike under both policies.
  for (const std::string bad : {"\x80", "\xC0\xAF", "\xE2\x82", "\xF4\x90\x80\x80", "\xE0\x80\x80"}) {
    const TDecodedChar c = DecodeUtf8(bad, 0, TInvalidUtf::kKeepSurrogates);
    EXPECT_FALSE(c.fValid) << bad;
    EXPECT_EQ(c.fLength, 1) << bad;
  }
  EXPECT_EQ(DecodeUtf8(kEmoji, 0, TInvalidUtf::kKeepSurrogates).fValue, 0x1F600u);
  std::string out;
  AppendUtf8(out, 0xDC01, TInvalidUtf::kKeepSurrogates);
  EXPECT_EQ(out, "\xED\xB0\x81");
}

TEST(Utf16, UnitsFromMemoryAndFromFileRecordsDecodeAlike) {
  // "Ž", a pair, an unpaired high and an unpaired low surrogate.
  const std::u16string units = u"\u017D\xD83D\xDE00\xD800x\xDC00";
  std::string le;
  for (char16_t u : units) le += {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
  std::string fromMemory, fromRecord, kept;
  AppendUtf16AsUtf8(fromMemory, units);
  AppendUtf16LeAsUtf8(fromRecord, reinterpret_cast<const std::uint8_t*>(le.data()), units.size());
  EXPECT_EQ(fromMemory, "Ž" + kEmoji + "\uFFFDx\uFFFD");
  EXPECT_EQ(fromRecord, fromMemory);
  EXPECT_EQ(ToUtf8(units), fromMemory);
  AppendUtf16AsUtf8(kept, units, TInvalidUtf::kKeepSurrogates);
  EXPECT_EQ(kept, "Ž" + kEmoji + "\xED\xA0\x80x\xED\xB0\x80");
  std::string latin;
  const std::uint8_t bytes[] = {'a', 0xE9, 0xFF};
  AppendLatin1AsUtf8(latin, bytes, 3);
  EXPECT_EQ(latin, "aéÿ");
}

}  // namespace
}  // namespace text
