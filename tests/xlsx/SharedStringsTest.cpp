#include "xlsx/SharedStrings.h"

#include <gtest/gtest.h>

#include "xlsx/TestSupport.h"

using namespace xlsx;

TEST(SharedStrings, ItemsAreUniqueAndEscaped) {
  TXLSXSharedStrings_Export table;
  EXPECT_EQ(table.Add("Židle"), 0u);
  EXPECT_EQ(table.Add(" lead"), 1u);
  EXPECT_EQ(table.Add("Židle"), 0u);
  EXPECT_EQ(table.Add(" "), 2u);
  EXPECT_EQ(table.Add("a_x0041_b"), 3u);
  EXPECT_EQ(table.Add(std::string("bell\x07", 5)), 4u);
  EXPECT_EQ(table.Count(), 5u);
  EXPECT_EQ(table.Item(1), "<t xml:space=\"preserve\"> lead</t>");
  EXPECT_EQ(table.Item(2), "<t xml:space=\"preserve\"> </t>");
  EXPECT_EQ(table.Item(3), "<t>a_x005F_x0041_b</t>");
  EXPECT_EQ(table.Item(4), "<t>bell_x0007_</t>");
}

TEST(SharedStrings, PartIsWrittenAndReadsBack) {
  TXLSXSharedStrings_Export table;
  for (int i = 0; i < 25000; ++i) table.Add("text " + std::to_string(i % 20000));
  table.Add("a_x0041_b");
  table.Add(std::string("c\x01", 2));
  std::vector<std::pair<std::size_t, std::size_t>> progress;
  TMemoryStream out;
  {
    TZipArchive zip;
    zip.OpenStream(out, TZipMode::zmWrite);
    table.ExportXLSX(zip, [&](std::size_t i, std::size_t n) { progress.emplace_back(i, n); });
  }
  EXPECT_EQ(progress.size(), 4u);  // items 0, 10000, 20000, then (1, 1)
  EXPECT_EQ(progress.back(), std::make_pair(std::size_t{1}, std::size_t{1}));
  const auto path = xlsxtest::TempDir() / "sst.zip";
  xlsxtest::WriteFile(path, out.Data());
  const auto r = xlsxtest::RunCommand(
      std::string(xlsxtest::kPython) +
      " -c \"import zipfile,sys\nfrom xml.dom import minidom\nd=zipfile.ZipFile(sys.argv[1]).read('xl/sharedStrings.xml')\n"
      "assert d.startswith(b'<?xml version=\\\"1.0\\\" encoding=\\\"UTF-8\\\" standalone=\\\"yes\\\"?>\\r\\n<sst ')\n"
      "x=minidom.parseString(d)\nprint(x.documentElement.getAttribute('uniqueCount'), len(x.getElementsByTagName('si')))\" " +
      xlsxtest::Quote(path.string()));
  EXPECT_EQ(r.fExitCode, 0) << r.fOutput;
  xlsxtest::ExpectOutputIs(r, "20002 20002\n");
}
