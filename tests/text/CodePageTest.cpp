#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "text/CodePage.h"
#include "text/Utf16.h"

namespace text {
namespace {

const std::string kCzech = "Příliš žluťoučký kůň";
const std::string kCzech1250 = "P\xF8\xEDli\x9A \x9Elu\x9Do\x75\xE8k\xFD k\xF9\xF2";

TEST(CodePage, CzechLettersRoundTripThroughWindows1250) {
  EXPECT_EQ(EncodeCodePage(kCzech, 1250), kCzech1250);
  EXPECT_EQ(DecodeCodePage(kCzech1250, 1250), kCzech);
  EXPECT_EQ(DecodeCodePage(EncodeCodePage("Poř.;Kód;€", kDefaultAnsiCodePage), kDefaultAnsiCodePage),
            "Poř.;Kód;€");
}

TEST(CodePage, EverySupportedCodePageDecodesAndRoundTrips) {
  for (int codePage : {874, 850, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258}) {
    ASSERT_TRUE(IsSupportedCodePage(codePage));
    std::string all;
    for (int b = 0x20; b < 256; ++b) all += static_cast<char>(b);
    const std::string decoded = DecodeCodePage(all, codePage);
    const std::string back = EncodeCodePage(decoded, codePage);
    ASSERT_EQ(back.size(), all.size()) << codePage;
    for (std::size_t i = 0; i < all.size(); ++i) {
      // Bytes the code page leaves undefined decode to U+FFFD and come back as '?'.
      if (back[i] != all[i]) {
        EXPECT_EQ(back[i], '?') << codePage << " byte " << i + 0x20;
      }
    }
  }
  EXPECT_EQ(DecodeCodePage("\xE0", 1251), "а");
  EXPECT_EQ(DecodeCodePage("\x80", 1252), "€");
  EXPECT_EQ(DecodeCodePage("\x81", 1250), "\xEF\xBF\xBD") << "undefined in 1250";
  EXPECT_EQ(DecodeCodePage("\x82", 850), "é");
}

// Every byte of every code page, as the golden file (the code pages' published
// tables) says: the same on every platform, whatever the system's converter
// does with undefined bytes or with letters that a combining mark may follow
// (Hebrew 1255, Vietnamese 1258). NABIDKA_UPDATE_GOLDEN=1 writes the file anew.
TEST(CodePage, EveryByteAsTheGoldenTable) {
  const std::string golden = std::string(NABIDKA_SOURCE_DIR) + "/tests/text/golden/code-pages.txt";
  std::string table;
  for (int codePage : {874, 850, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258}) {
    table += std::to_string(codePage) + ":";
    for (int b = 0x80; b < 0x100; ++b) {
      const std::u16string unit = ToUtf16(DecodeCodePage(std::string(1, static_cast<char>(b)), codePage));
      char hex[8];
      std::snprintf(hex, sizeof hex, " %04X", unit.size() == 1 ? static_cast<unsigned>(unit[0]) : 0u);
      table += hex;
    }
    table += "\n";
  }
  if (std::getenv("NABIDKA_UPDATE_GOLDEN")) {
    std::ofstream(golden, std::ios::binary) << table;
    return;
  }
  std::ifstream in(golden, std::ios::binary);
  ASSERT_TRUE(in) << golden;
  EXPECT_EQ(table, std::string(std::istreambuf_iterator<char>(in), {}));
  EXPECT_EQ(DecodeCodePage("\xC3\xEC", 1258), "\u0102\u0301") << "a letter and its combining mark";
  EXPECT_EQ(DecodeCodePage("\xE0\x81", 1255), "\u05D0\uFFFD");
}

TEST(CodePage, UnmappableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(EncodeCodePage("a€b", 850), "a?b");
  EXPECT_EQ(EncodeCodePage("日本", 1250), "??");
  EXPECT_EQ(EncodeCodePage("😀", 1250), "?") << "one character, one question mark";
  EXPECT_EQ(EncodeCodePage("ä ø", 1250), "\xE4 ?");
  EXPECT_EQ(EncodeCodePage("x\xFF\xC3y", 1250), "x??y") << "invalid UTF-8 bytes";
}

TEST(CodePage, UnsupportedCodePagesAreErrors) {
  EXPECT_FALSE(IsSupportedCodePage(65001));
  EXPECT_FALSE(IsSupportedCodePage(1249));
  EXPECT_THROW(DecodeCodePage("a", 437), ECodePageError);
  EXPECT_THROW(EncodeCodePage("a", 0), ECodePageError);
}

TEST(CodePage, TablesAreSafeToBuildFromSeveralThreads) {
  std::vector<std::thread> threads;
  std::vector<std::string> results(4);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t, &results] { results[t] = DecodeCodePage(kCzech1250, 1250 + t % 2 * 7); });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(results[0], kCzech);
  EXPECT_EQ(results[2], kCzech);
  EXPECT_EQ(results[1], DecodeCodePage(kCzech1250, 1257));
}

TEST(DecodeTextFile, ByteOrderMarkMeansUtf8) {
  EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF" + kCzech), kCzech);
  EXPECT_EQ(DecodeTextFile(kCzech1250), kCzech);
  EXPECT_EQ(DecodeTextFile(kCzech1250, 1252), "P\u00F8\u00EDli\u0161 \u017Elu\uFFFDo"
                                              "u\u00E8k\u00FD k\u00F9\u00F2");
  EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF"), "");
  EXPECT_EQ(DecodeTextFile("\xEF\xBB"), "\u010F\u00BB") << "a partial mark is ANSI text";
  EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF" "a\xFF" "b\xE2\x82"), "a\uFFFDb\uFFFD\uFFFD")
      << "invalid UTF-8 after the mark is replaced, not passed on";
}

TEST(DecodeTextFile, Utf16ByteOrderMarks) {
  using namespace std::string_literals;
  EXPECT_EQ(DecodeTextFile("\xFF\xFE" "K\0\x6F\x01\x3D\xD8\x00\xDE"s), "Ků😀");
  EXPECT_EQ(DecodeTextFile("\xFE\xFF" "\0K\x01\x6F"s), "Ků");
  EXPECT_EQ(DecodeTextFile("\xFF\xFE" "K\0\x3D\xD8" "x"s), "K\uFFFD\uFFFD")
      << "unpaired surrogate and odd trailing byte";
}

TEST(DecodeTextFile, ReadsAFileWrittenInTheAnsiCodePage) {
  const std::string path = ::testing::TempDir() + "/nabidka_text_ansi.txt";
  {
    std::ofstream out(path, std::ios::binary);
    out << EncodeCodePage("Poř.;Kód\r\n" + kCzech + "\r\n", 1250);
  }
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(DecodeTextFile(bytes), "Poř.;Kód\r\n" + kCzech + "\r\n");
}

}  // namespace
}  // namespace text
