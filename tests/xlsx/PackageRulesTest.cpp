// Package rules that other programs enforce: the workbook part's content type
// matches the file's extension, the default cell style exists, the active
// tab is recorded, and dates keep their day whatever system they came from.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ExporterTestSupport.h"
#include "sheet/FormatRegistry.h"
#ifdef NABIDKA_WITH_XLS
#include "xls/ExporterXLS.h"
#include "TestPlatform.h"
#endif

namespace {

namespace fs = std::filesystem;

std::string ReadAllBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class PackageRules : public ::testing::Test {
 protected:
  fs::path Dir = fs::temp_directory_path() / ("nabidka-package-" + std::to_string(nabidkatest::ProcessId()));
  void SetUp() override {
    fs::create_directories(Dir);
    xlsx::RegisterXlsxFormat();
  }
  void TearDown() override { fs::remove_all(Dir); }

  std::map<std::string, std::string> SavedAs(sheet::TExportWorkbook& workbook, const std::string& name) {
    const fs::path path = Dir / name;
    EXPECT_TRUE(workbook.SaveToFile(path.string(), false));
    return xlsxtest::ReadZipMap(ReadAllBytes(path));
  }
};

TEST_F(PackageRules, MainContentTypeFollowsTheExtension) {
  sheet::TExportWorkbook workbook;
  workbook.AddWorkSheet("List").AddRow(-1).AddCellString("x");
  const std::pair<const char*, const char*> cases[] = {
      {"a.xlsx", "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"},
      {"b.xlsm", "application/vnd.ms-excel.sheet.macroEnabled.main+xml"},
      {"c.XLTX", "application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml"},
      {"d.xltm", "application/vnd.ms-excel.template.macroEnabled.main+xml"},
  };
  for (const auto& [name, type] : cases) {
    const std::string types = SavedAs(workbook, name).at("[Content_Types].xml");
    EXPECT_NE(types.find(std::string("<Override PartName=\"/xl/workbook.xml\" ContentType=\"") + type + "\"/>"),
              std::string::npos)
        << name;
  }
  // A save into a stream knows no extension: an ordinary workbook.
  EXPECT_NE(xlsxtest::SaveParts(workbook).at("[Content_Types].xml").find("spreadsheetml.sheet.main+xml"),
            std::string::npos);
}

TEST_F(PackageRules, NormalStyleAndActiveTab) {
  sheet::TExportWorkbook workbook;
  workbook.AddWorkSheet("One");
  sheet::TExportWorkSheet& two = workbook.AddWorkSheet("Two");
  workbook.AddWorkSheet("Three");
  workbook.SetActiveWorkSheet(&two);
  auto parts = xlsxtest::SaveParts(workbook);
  EXPECT_NE(parts.at("xl/styles.xml").find("<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/>"
                                           "</cellStyles>"),
            std::string::npos);
  EXPECT_NE(parts.at("xl/workbook.xml").find("<bookViews><workbookView activeTab=\"1\"/></bookViews><sheets>"),
            std::string::npos);
  workbook.SetOpenWorkSheet(&two);
  parts = xlsxtest::SaveParts(workbook);
  EXPECT_NE(parts.at("xl/workbook.xml").find("<workbookView firstSheet=\"1\" activeTab=\"1\"/>"), std::string::npos);
}

#ifdef NABIDKA_WITH_XLS
TEST_F(PackageRules, DatesOfA1904WorkbookKeepTheirDay) {
  const fs::path corpus = fs::path(NABIDKA_SOURCE_DIR) / ".." / "shared" / "corpus" / "xls" / "poi_1904DateWindowing.xls";
  if (!fs::exists(corpus)) GTEST_SKIP() << "corpus not found at " << corpus;
  xls::RegisterXlsFormat();
  sheet::TExportWorkbook workbook;
  ASSERT_TRUE(workbook.LoadFromFile(corpus.string()));
  EXPECT_TRUE(workbook.Use1904DateSystem());
  const auto parts = SavedAs(workbook, "dates.xlsx");
  // 1 January 2000 is 36526 in the 1900 system, 34064 in the 1904 one: the
  // value is written in the 1900 system and the workbook does not claim 1904.
  EXPECT_EQ(parts.at("xl/workbook.xml").find("date1904"), std::string::npos);
  EXPECT_NE(parts.at("xl/worksheets/sheet1.xml").find("<v>36526</v>"), std::string::npos)
      << parts.at("xl/worksheets/sheet1.xml");
}
#endif

}  // namespace
