// The bytes of every XML part of the conformance workbook and of one that
// uses every cell kind, style and sheet setting the model holds, kept under
// tests/xlsx/golden/ (see GoldenParts.h).
#include <gtest/gtest.h>

#include <filesystem>

#include "xlsx/ConformanceWorkbook.h"
#include "xlsx/EveryKindWorkbook.h"
#include "xlsx/ExporterTestSupport.h"
#include "xlsx/GoldenParts.h"
#include "text/LocaleText.h"
#include "text/RegionalSettings.h"

using namespace sheet;
using namespace xlsxtest;

namespace {

const std::filesystem::path kGolden = std::filesystem::path(NABIDKA_SOURCE_DIR) / "tests" / "xlsx" / "golden";

// Date and time cells take the system's formats: the parts were taken with
// the C locale's, which hold here whatever the process locale is.
class TCLocaleRegion {
 public:
  TCLocaleRegion() : fSaved(text::ProcessRegionalSettings()) {
    text::SetProcessRegionalSettings(text::RegionalSettingsFromLocaleData({".", "", "%m/%d/%y", "%H:%M:%S", "AM", "PM"}));
  }
  ~TCLocaleRegion() { text::SetProcessRegionalSettings(fSaved); }

 private:
  text::TRegionalSettings fSaved;
};

TEST(GoldenWorkbook, ConformanceOffer) {
  const TFixedMeasure measure;
  TExportWorkbook wb;
  std::vector<TExpectedSheet> expected;
  BuildConformanceOffer(wb, expected);
  CompareWithGolden(kGolden / "conformance", ReadZipMap(SaveBytes(wb)));
}

TEST(GoldenWorkbook, EveryCellKindAndStyle) {
  const TFixedMeasure measure;
  const TCLocaleRegion region;
  TExportWorkbook wb;
  BuildEveryKindWorkbook(wb);
  CompareWithGolden(kGolden / "every-kind", ReadZipMap(SaveBytes(wb)));
}

}  // namespace
