#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <thread>
#include <vector>

#include "sheet/MeasuredFonts.h"
#include "sheet/TextMeasure.h"

namespace sheet {
namespace {

// The widths the column and row sizes rest on are the same with FreeType and
// with GDI (Wine's, over the same faces). A line's height is not: engines
// round ascent and descent each their own way, and only its ratio to itself
// enters a row's height.
TEST(TextMeasureSystem, ArialTenHasSevenPixelDigits) {
  TSystemTextMeasure measure;
  ASSERT_NE(measure.ChosenFont(Font("Arial", 10)), "") << "fonts-liberation must be installed";
  EXPECT_EQ(measure.AverageDigitWidth(Font("Arial", 10)), 7);
  EXPECT_EQ(measure.TextWidth(Font("Arial", 10), "0123456789"), 70);
  EXPECT_EQ(measure.TextWidth(Font("Arial", 10, true), "Kuchyně"), 54);
  EXPECT_EQ(measure.TextWidth(Font("Times New Roman", 12), "Kuchyně"), 58);
  EXPECT_EQ(measure.TextWidth(Font("Courier New", 10), "Kuchyně"), 56);
}

TEST(TextMeasureSystem, WidthsAndHeightsScale) {
  TSystemTextMeasure measure;
  const TMeasuredFont arial = Font("Arial", 10);
  EXPECT_EQ(measure.TextWidth(arial, ""), 0);
  EXPECT_GT(measure.TextWidth(arial, "Nabídka"), measure.TextWidth(arial, "Nab"));
  EXPECT_GT(measure.TextWidth(Font("Arial", 20), "Nabídka"), measure.TextWidth(arial, "Nabídka"));
  EXPECT_GE(measure.TextWidth(Font("Arial", 10, true), "Nabídka"), measure.TextWidth(arial, "Nabídka"));
  // the widest line counts
  EXPECT_EQ(measure.TextWidth(arial, "ab\r\nabcdef"), measure.TextWidth(arial, "abcdef"));
  const double line = measure.LineHeight(arial);
  EXPECT_GE(line, 14);
  EXPECT_LE(line, 17);
  EXPECT_EQ(measure.TextHeight(arial), line);
  // monospaced: every character the same width
  EXPECT_EQ(measure.TextWidth(Font("Courier New", 10), "iiii"), measure.TextWidth(Font("Courier New", 10), "MMMM"));
}

TEST(TextMeasureSystem, WordWrapping) {
  TSystemTextMeasure measure;
  const TMeasuredFont arial = Font("Arial", 10);
  const double line = measure.LineHeight(arial);
  const double word = measure.TextWidth(arial, "kuchyně");
  EXPECT_EQ(measure.WrappedTextHeight(arial, "kuchyně kuchyně kuchyně", 1000), line);
  EXPECT_EQ(measure.WrappedTextHeight(arial, "kuchyně kuchyně kuchyně", word + 1), 3 * line);
  EXPECT_EQ(measure.WrappedTextHeight(arial, "a\r\nb\nc", 1000), 3 * line);
  // a word wider than the box is not broken
  EXPECT_EQ(measure.WrappedTextHeight(arial, "kuchyně", 3), line);
}

TEST(TextMeasureSystem, ConcurrentDigitWidths) {
  TSystemTextMeasure measure;
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&, t] {
      for (int i = 0; i < 50; ++i) {
        const double size = 8 + (i + t) % 5;
        if (measure.AverageDigitWidth(Font("Arial", size)) <= 0) ++wrong;
      }
    });
  for (auto& th : threads) th.join();
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(measure.AverageDigitWidth(Font("Arial", 10)), 7);
}

TEST(TextMeasureFallback, DeterministicMetrics) {
  TFallbackTextMeasure measure;
  EXPECT_EQ(measure.AverageDigitWidth(Font("NoSuchFont", 10)), 7);
  EXPECT_EQ(measure.TextWidth(Font("x", 10), "abc"), 21);
  EXPECT_EQ(measure.TextWidth(Font("x", 10), "čáp"), 21);  // characters, not bytes
  EXPECT_EQ(measure.LineHeight(Font("x", 10)), 16);
}

// Counts calls so the tests can see the injected measure being used.
class TFakeMeasure : public TTextMeasure {
 public:
  double TextWidth(const TMeasuredFont&, std::string_view text) override {
    ++fCalls;
    return 10.0 * static_cast<double>(text.size());
  }
  double LineHeight(const TMeasuredFont&) override { return 10; }
  int fCalls = 0;
};

TEST(TextMeasureDefault, InjectionAndDigitCache) {
  auto fake = std::make_shared<TFakeMeasure>();
  {
    TScopedTextMeasure scoped(fake);
    EXPECT_EQ(&DefaultTextMeasure(), fake.get());
    EXPECT_EQ(DefaultTextMeasure().AverageDigitWidth(Font("Arial", 10)), 10);
    EXPECT_EQ(DefaultTextMeasure().AverageDigitWidth(Font("Arial", 10)), 10);
    EXPECT_EQ(fake->fCalls, 1);  // the second call came from the cache
  }
  EXPECT_NE(&DefaultTextMeasure(), fake.get());
}

TEST(TextMeasureRows, MultiLineHeight) {
  TFakeMeasure fake;  // 10 px per character, 10 px lines
  const TMeasuredFont f;
  // box = 58 - 8 = 50 px: five characters per line
  EXPECT_EQ(MultiLineRowHeight(fake, f, "aaaa bbbb cccc", 58, 17), 51);  // three lines × 17
  EXPECT_EQ(MultiLineRowHeight(fake, f, "aaaa", 58, 17), 17);
}

}  // namespace
}  // namespace sheet
