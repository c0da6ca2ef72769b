#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "AppTestSupport.h"
#include "app/ArticleList.h"
#include "text/Utf16.h"

using namespace apptest;

namespace {

std::string Spaces(std::size_t n) { return std::string(n, ' '); }

TEST(ArticleLineReading, FoldsOnlyLongLinesAndOnlyRunsOfSpaces) {
  // 300 characters: text then 150 spaces becomes the text and two spaces.
  const std::string text150(150, 'x');
  EXPECT_EQ(app::FoldArticleLine(";" + text150.substr(1) + Spaces(150)), ";" + text150.substr(1) + "  ");
  // A run of exactly two is already folded; a lone last space leaves the line.
  EXPECT_EQ(app::FoldArticleLine("a  b"), "a  b");
  EXPECT_EQ(app::FoldArticleLine("a   b c"), "a   b c");
  EXPECT_EQ(app::FoldArticleLine("nospace"), "nospace");
  // The run that ends at the last space shrinks; earlier runs stay.
  EXPECT_EQ(app::FoldArticleLine("a     b     c"), "a     b  c");

  const std::string exactly225 = std::string(215, 'd') + Spaces(10);
  const std::string exactly226 = std::string(216, 'd') + Spaces(10);
  const app::TTextList lines = app::SplitArticleLines(exactly225 + "\n" + exactly226 + "\n");
  ASSERT_EQ(lines.Count(), 2u);
  EXPECT_EQ(lines.Get(0), exactly225);
  EXPECT_EQ(lines.Get(1), std::string(216, 'd') + "  ");  // lost 8 of its 10 spaces
}

TEST(ArticleLineReading, CountsCharactersNotBytes) {
  // 225 two-byte letters are 225 characters: no folding although 450 bytes.
  std::string czech;
  for (int i = 0; i < 215; ++i) czech += "ř";
  const std::string line = czech + Spaces(10);
  EXPECT_EQ(app::SplitArticleLines(line).Get(0), line);
  // 600 characters are cut to 512 before folding.
  std::string long600;
  for (int i = 0; i < 600; ++i) long600 += "é";
  const std::string cut = app::SplitArticleLines(long600).Get(0);
  EXPECT_EQ(text::Utf16Length(cut), 512u);
}

TEST(ArticleLineReading, LineEndsAndEmptyLines) {
  const app::TTextList lines = app::SplitArticleLines("a\r\n\r\n\nb\rc\nlast\r");
  EXPECT_EQ(lines, (app::TTextList{"a", "b", "c", "last"})) << "a lone CR ends a line too";
}

TEST(ArticleLineReading, DecodesAnsiAndUtf8WithMark) {
  TAppFixture f;
  f.Fs.AddFile("/lists/ansi.csv", text::EncodeCodePage("Poř;x\r\n;Šatní skříň\r\n", 1250));
  f.Fs.AddFile("/lists/utf8.csv", "\xEF\xBB\xBFPoř;x\n;Šatní skříň\n");
  app::TTextList ansi, utf8;
  f.Window.ReadArticleList("/lists/ansi.csv", ansi);
  f.Window.ReadArticleList("/lists/utf8.csv", utf8);
  EXPECT_EQ(ansi, (app::TTextList{"Poř;x", ";Šatní skříň"}));
  EXPECT_EQ(utf8, ansi);
}

// The example list as editors save it again: with other line ends, as UTF-8
// with or without a byte-order mark, as UTF-16: the same offer.
TEST(ArticleLineReading, EveryEncodingAndLineEndGivesTheSameOffer) {
  std::ifstream in(std::string(NABIDKA_SOURCE_DIR) + "/examples/pCon_article_lists/Kuchyne.csv", std::ios::binary);
  const std::string original((std::istreambuf_iterator<char>(in)), {});
  ASSERT_NE(original.find("\r\n"), std::string::npos);
  const std::string utf8 = text::DecodeCodePage(original, 1250);
  std::string mixed;  // CR LF, LF and CR by turns
  int line = 0;
  for (std::size_t i = 0; i < original.size(); ++i) {
    if (original.compare(i, 2, "\r\n") != 0) {
      mixed += original[i];
      continue;
    }
    mixed += ++line % 3 == 0 ? "\r\n" : line % 3 == 1 ? "\n" : "\r";
    ++i;
  }
  std::string utf16 = "\xFF\xFE";
  for (char16_t unit : text::ToUtf16(utf8)) utf16 += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  auto offer = [](const std::string& bytes) {
    TAppFixture f;
    f.Fs.AddFile(f.PathOf("K.csv"), bytes);
    f.Open("K.csv");
    std::vector<std::string> shown = f.Items();
    shown.push_back(f.Window.Window.NetTotalField);
    shown.push_back(f.Window.Window.PropertiesBox.Get(0));
    return shown;
  };
  const std::vector<std::string> expected = offer(original);
  ASSERT_EQ(expected.size(), 12u);
  EXPECT_EQ(offer(mixed), expected) << "line ends";
  EXPECT_EQ(offer(utf8), expected) << "UTF-8";
  EXPECT_EQ(offer("\xEF\xBB\xBF" + utf8), expected) << "UTF-8 with its mark";
  EXPECT_EQ(offer(utf16), expected) << "UTF-16";
}

TEST(ArticleLineReading, UnreadableFileLeavesTargetAlone) {
  TAppFixture f;
  app::TTextList target{"keep"};
  EXPECT_THROW(f.Window.ReadArticleList("/lists/missing.csv", target), app::EInOutError);
  EXPECT_EQ(target, (app::TTextList{"keep"}));
}

class ParserTest : public ::testing::Test {
 protected:
  TAppFixture f;
  const app::TTextGrid& Grid() const { return f.Window.Workspace.ArticleGrid; }
  void Parse(const std::vector<std::string>& lines) {
    f.Window.Workspace.SourceLines.Clear();
    for (const auto& line : lines) f.Window.Workspace.SourceLines.Add(line);
    f.Window.PrevodSeznamu2();
  }
};

TEST_F(ParserTest, HeaderRecognitionIsCaseSensitive) {
  Parse({"Pořadí;x", "1.;A;1;1,00;1,00;", "end"});
  EXPECT_EQ(Grid().Cell(1, 1), "Pořadí");
  EXPECT_EQ(Grid().Cell(5, 1), "Cena celkem");
  Parse({"Pos.;x", "end"});
  EXPECT_EQ(Grid().Cell(2, 1), "Popis prvku");
  for (const char* header : {"pos;x", "Číslo;x"}) {
    Parse({header, "1.;A;1;1,00;1,00;", "end"});
    EXPECT_EQ(Grid().Cell(1, 1), "0") << header;
    EXPECT_EQ(Grid().Cell(2, 1), "") << header;
    EXPECT_EQ(Grid().Cell(1, 2), "1.") << header;  // the header still yields no data
  }
}

TEST_F(ParserTest, ItemLineFields) {
  Parse({"Poř", "3.;AB-100   ;2.00;1\u00A0234,50;2\u00A0469,00;", ";popis", "end"});
  EXPECT_EQ(Grid().Cell(0, 2), "2");
  EXPECT_EQ(Grid().Cell(1, 2), "3.");
  EXPECT_EQ(Grid().Cell(2, 2), "AB-100");
  EXPECT_EQ(Grid().Cell(3, 2), "2");
  EXPECT_EQ(Grid().Cell(4, 2), "1234,50");
  EXPECT_EQ(Grid().Cell(5, 2), "2\u00A0469,00;");
  EXPECT_EQ(Grid().Cell(6, 2), "2");
  EXPECT_EQ(f.Window.Workspace.ItemCount, "1");
  EXPECT_EQ(f.Window.Workspace.ImportedItemCount, "1");

  Parse({"Poř", "7;X1;4", "end"});
  EXPECT_EQ(Grid().Cell(1, 2), "7");
  EXPECT_EQ(Grid().Cell(2, 2), "X1");
  EXPECT_EQ(Grid().Cell(3, 2), "4");
  EXPECT_EQ(Grid().Cell(4, 2), "");
  EXPECT_EQ(Grid().Cell(5, 2), "");

  Parse({"Poř", "1.;  LEAD ;12,00;5 000,00;x", "end"});
  EXPECT_EQ(Grid().Cell(2, 2), "  LEAD");    // leading spaces stay
  EXPECT_EQ(Grid().Cell(3, 2), "12");
  EXPECT_EQ(Grid().Cell(4, 2), "5 000,00");  // ordinary spaces stay
}

// Only a trailing two-zero decimal part is dropped, whatever the length: a
// count of 100 and more, or a plain whole number, keeps every digit.
TEST_F(ParserTest, CountReductionDropsTwoZeroDecimals) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"2.00", "2"},     {"12.00", "12"}, {"12,00", "12"}, {"3", "3"},       {"100.00", "100"},
      {"1234", "1234"},  {"1.5", "1.5"},  {"1.50", "1.50"}, {"12345,00", "12345"}, {".00", ".00"}};
  for (const auto& [count, kept] : cases) {
    Parse({"Poř", "1.;A;" + count + ";1,00;1,00;", "end"});
    EXPECT_EQ(Grid().Cell(3, 2), kept) << count;
  }
}

TEST_F(ParserTest, NumberedPositionsOfAnyLengthAreItems) {
  std::vector<std::string> lines{"Poř"};
  for (int i = 1; i <= 150; ++i) lines.push_back(std::to_string(i) + ".;K" + std::to_string(i) + ";1.00;1,00;1,00;");
  lines.push_back("12345.;BIG;100.00;2,00;200,00;");
  lines.push_back("1x00.;NOT;1.00;1,00;1,00;");  // not a number: another line
  lines.push_back("end");
  Parse(lines);
  EXPECT_EQ(f.Window.Workspace.ItemCount, "151");
  EXPECT_EQ(Grid().Cell(2, 101), "K100");
  EXPECT_EQ(Grid().Cell(1, 151), "150.");
  EXPECT_EQ(Grid().Cell(2, 152), "BIG");
  EXPECT_EQ(Grid().Cell(3, 152), "100");
  EXPECT_EQ(Grid().Cell(2, 153), "x00.");
  EXPECT_EQ(app::ArticleLineKind("1234.;A"), app::TArticleLineKind::alkItem);
  EXPECT_EQ(app::ArticleLineKind("1234;A"), app::TArticleLineKind::alkOther);
  EXPECT_EQ(app::ArticleLineKind("....;A"), app::TArticleLineKind::alkOther);
}

TEST_F(ParserTest, ContinuationAndOtherLines) {
  Parse({"Poř", ";desc;with;semicolons", "Celkem bez DPH;;;;15000,00", "A100.;AB;1.00;5,00;5,00;", "no separator",
         "end"});
  EXPECT_EQ(Grid().Cell(2, 2), "desc;with;semicolons");
  EXPECT_EQ(Grid().Cell(6, 2), "0");
  EXPECT_EQ(Grid().Cell(2, 3), "elkem bez DPH");
  EXPECT_EQ(Grid().Cell(5, 3), "15000,00");
  EXPECT_EQ(Grid().Cell(6, 3), "14");
  EXPECT_EQ(Grid().Cell(2, 4), "100.");  // a five-character field that is no number is no item
  EXPECT_EQ(Grid().Cell(6, 5), "-1");
  EXPECT_EQ(Grid().Cell(1, 5), "0");
  EXPECT_EQ(f.Window.Workspace.ItemCount, "0");
}

TEST_F(ParserTest, FirstSemicolonIsCountedInCharacters) {
  // «Č» is two bytes but one character: the ';' sits at index 2, an item line.
  Parse({"Poř", "Č1;A;1;2,00;2,00;", "end"});
  EXPECT_EQ(Grid().Cell(6, 2), "2");
  EXPECT_EQ(Grid().Cell(1, 2), "Č1");
  Parse({"Poř", "Čísl;x;;;9", "end"});
  EXPECT_EQ(Grid().Cell(6, 2), "4");
  EXPECT_EQ(Grid().Cell(2, 2), "ísl");
}

TEST_F(ParserTest, LastLineIsNeverCountedAsItem) {
  Parse({"Poř", "1.;A;1;1,00;1,00;", ";a", "2.;B;1;1,00;1,00;"});
  EXPECT_EQ(f.Window.Workspace.ItemCount, "1");
  EXPECT_EQ(Grid().Cell(2, 4), "B");  // written, but not an item
}

TEST_F(ParserTest, ReparseDropsCellsOfThePreviousList) {
  Parse({"Poř", "1.;A;2;1,00;1,00;", "end"});
  Parse({"Poř", ";now a description", "end"});
  EXPECT_EQ(Grid().Cell(3, 2), "");
  EXPECT_EQ(Grid().RowCount(), 4u);
}

TEST_F(ParserTest, EmptyWorkspace) {
  Parse({});
  EXPECT_EQ(f.Window.Workspace.ItemCount, "0");
  EXPECT_EQ(Grid().RowCount(), 1u);
}

}  // namespace
