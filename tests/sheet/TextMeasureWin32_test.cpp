#include <gtest/gtest.h>

#include <string>

#include "sheet/MeasuredFonts.h"
#include "sheet/TextMeasure.h"

namespace sheet {
namespace {

// GDI picks a face for every name, as Windows does: an unknown one gets a
// stand-in, not the fallback metrics.
TEST(TextMeasureWin32, EveryNameGetsAFace) {
  TSystemTextMeasure measure;
  EXPECT_NE(measure.ChosenFont(Font("Arial", 10)), "");
  EXPECT_NE(measure.ChosenFont(Font("Nonexistent Font", 10)), "");
  EXPECT_GT(measure.TextWidth(Font("Nonexistent Font", 10), "Kuchyně"), 0);
  EXPECT_EQ(measure.ChosenFont(Font("Arial", 0)), "") << "no size, no font";
  EXPECT_EQ(measure.TextWidth(Font("Arial", 0), "abc"), 0);
}

TEST(TextMeasurePosix, MetricCompatibleFacesStandIn) {
  GTEST_SKIP() << "fontconfig's font files; on Windows the system's font mapper chooses";
}
TEST(TextMeasurePosix, MachineWithoutFonts) {
  GTEST_SKIP() << "a fontconfig configuration without fonts; Windows always has its own";
}

}  // namespace
}  // namespace sheet
