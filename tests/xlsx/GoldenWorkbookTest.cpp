// The bytes of every XML part of the conformance workbook and of one that
// uses every cell kind, style and sheet setting the model holds, kept under
// tests/xlsx/golden/ (see GoldenParts.h).
#include <gtest/gtest.h>

#include <filesystem>

#include "xlsx/ConformanceWorkbook.h"
#include "xlsx/EveryKindWorkbook.h"
#include "xlsx/ExporterTestSupport.h"
#include "xlsx/GoldenParts.h"

using namespace sheet;
using namespace xlsxtest;

namespace {

const std::filesystem::path kGolden = std::filesystem::path(NABIDKA_SOURCE_DIR) / "tests" / "xlsx" / "golden";

TEST(GoldenWorkbook, ConformanceOffer) {
  const TFixedMeasure measure;
  TExportWorkbook wb;
  std::vector<TExpectedSheet> expected;
  BuildConformanceOffer(wb, expected);
  CompareWithGolden(kGolden / "conformance", ReadZipMap(SaveBytes(wb)));
}

TEST(GoldenWorkbook, EveryCellKindAndStyle) {
  const TFixedMeasure measure;
  TExportWorkbook wb;
  BuildEveryKindWorkbook(wb);
  CompareWithGolden(kGolden / "every-kind", ReadZipMap(SaveBytes(wb)));
}

}  // namespace
