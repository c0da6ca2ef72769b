#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "TestPlatform.h"
#include "sheet/MeasuredFonts.h"
#include "sheet/TextMeasure.h"

namespace sheet {
namespace {

TEST(TextMeasurePosix, MetricCompatibleFacesStandIn) {
  TSystemTextMeasure measure;
  EXPECT_NE(measure.ChosenFont(Font("Arial", 10)).find("LiberationSans"), std::string::npos);
  EXPECT_NE(measure.ChosenFont(Font("Times New Roman", 10)).find("LiberationSerif"), std::string::npos);
  EXPECT_NE(measure.ChosenFont(Font("Courier New", 10)).find("LiberationMono"), std::string::npos);
  EXPECT_NE(measure.ChosenFont(Font("Arial", 10, true)).find("Bold"), std::string::npos);
}

TEST(TextMeasurePosix, MachineWithoutFonts) {
  // A fontconfig configuration that knows no font folders: nothing loads, the
  // measure falls back to the size-based metrics instead of failing.
  const std::string config = ::testing::TempDir() + "/nabidka-no-fonts-" + std::to_string(nabidkatest::ProcessId()) + ".conf";
  {
    std::FILE* f = std::fopen(config.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("<?xml version=\"1.0\"?><fontconfig><cachedir>/nonexistent-nabidka</cachedir></fontconfig>\n", f);
    std::fclose(f);
  }
  const char* previous = std::getenv("FONTCONFIG_FILE");
  const std::string saved = previous ? previous : "";
  nabidkatest::SetEnvironment("FONTCONFIG_FILE", config.c_str());
  TSystemTextMeasure measure;
  const std::string file = measure.ChosenFont(Font("Arial", 10));
  nabidkatest::SetEnvironment("FONTCONFIG_FILE", previous ? saved.c_str() : nullptr);
  std::remove(config.c_str());
  EXPECT_EQ(file, "");
  EXPECT_EQ(measure.AverageDigitWidth(Font("Arial", 10)), 7);
  EXPECT_EQ(measure.LineHeight(Font("Arial", 10)), 16);
  EXPECT_EQ(measure.TextWidth(Font("Arial", 10), "abc"), TFallbackTextMeasure().TextWidth(Font("Arial", 10), "abc"));
}

}  // namespace
}  // namespace sheet
