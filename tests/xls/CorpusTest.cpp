// Walks the public corpus of real .xls files and its MANIFEST.tsv: every file
// is loaded, and the outcome (loads with its first sheet's size and sampled
// display texts, the old-format message, or an exception for broken files) is
// checked. Under the sanitizer build this replays every file with ASan+UBSan.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "sheet/CellName.h"
#include "sheet/Workbook.h"
#include "text/RegionalSettings.h"
#include "xls/ExporterXLS.h"

namespace xls {
namespace {

using namespace sheet;

const std::filesystem::path kCorpus = std::filesystem::path(NABIDKA_SOURCE_DIR) / ".." / "shared" / "corpus" / "xls";

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

// The manifest's JSON fields: objects of strings or of [text, format] pairs.
class TJson {
 public:
  explicit TJson(const std::string& s) : fText(s) {}

  std::map<std::string, std::vector<std::string>> Object() {
    std::map<std::string, std::vector<std::string>> result;
    Expect('{');
    if (Peek() == '}') return result;
    for (;;) {
      std::string key = String();
      Expect(':');
      std::vector<std::string> values;
      if (Peek() == '[') {
        Expect('[');
        for (;;) {
          values.push_back(String());
          if (Peek() == ',') { Expect(','); continue; }
          Expect(']');
          break;
        }
      } else {
        values.push_back(String());
      }
      result[key] = values;
      if (Peek() == ',') { Expect(','); continue; }
      Expect('}');
      return result;
    }
  }

 private:
  char Peek() {
    while (fPos < fText.size() && fText[fPos] == ' ') ++fPos;
    if (fPos >= fText.size()) throw std::runtime_error("JSON ends early");
    return fText[fPos];
  }
  void Expect(char c) {
    if (Peek() != c) throw std::runtime_error(std::string("JSON: expected ") + c);
    ++fPos;
  }
  std::string String() {
    Expect('"');
    std::string out;
    while (fPos < fText.size() && fText[fPos] != '"') {
      char c = fText[fPos++];
      if (c != '\\') { out += c; continue; }
      char e = fText[fPos++];
      switch (e) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'u': {
          unsigned cp = std::stoul(fText.substr(fPos, 4), nullptr, 16);
          fPos += 4;
          if (cp < 0x80) out += static_cast<char>(cp);
          else if (cp < 0x800) { out += static_cast<char>(0xC0 | (cp >> 6)); out += static_cast<char>(0x80 | (cp & 0x3F)); }
          else { out += static_cast<char>(0xE0 | (cp >> 12)); out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F)); out += static_cast<char>(0x80 | (cp & 0x3F)); }
          break;
        }
        default: out += e; break;
      }
    }
    ++fPos;
    return out;
  }
  std::string fText;
  std::size_t fPos = 0;
};

std::string CrLf(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '\n') out += "\r\n";
    else out += c;
  }
  return out;
}

const TExportCell* CellAt(TExportWorkSheet& sheet, const std::string& name) {
  TExportCell* cell = nullptr;
  return sheet.FindCell(name, cell) ? cell : nullptr;
}

TEST(XlsCorpus, EveryFileHasTheOutcomeOfTheManifest) {
  std::ifstream manifest(kCorpus / "MANIFEST.tsv");
  if (!manifest) GTEST_SKIP() << "corpus not found at " << kCorpus << " (shared/corpus/xls beside the repository)";
  std::string line;
  std::getline(manifest, line);
  std::vector<std::string> header = SplitTabs(line);
  auto column = [&](const std::string& name) {
    auto it = std::find(header.begin(), header.end(), name);
    if (it == header.end()) throw std::runtime_error("manifest column missing: " + name);
    return static_cast<std::size_t>(it - header.begin());
  };
  const std::size_t cFile = column("file"), cExpect = column("expect"), cDetail = column("expect_detail"),
                    cSheet = column("first_sheet"), cRows = column("rows"), cCols = column("cols"),
                    cSamples = column("samples"), cNumeric = column("samples_numeric");
  const text::TRegionalSettings english = text::TRegionalSettings::English();
  int files = 0, samples = 0;
  while (std::getline(manifest, line)) {
    if (line.empty()) continue;
    std::vector<std::string> f = SplitTabs(line);
    ASSERT_GT(f.size(), cNumeric);
    const std::string& file = f[cFile];
    const std::string& expect = f[cExpect];
    SCOPED_TRACE(file + " (" + expect + ")");
    ++files;
    TExportWorkbook workbook;
    TExporterXLS exporter;
    std::ifstream in(kCorpus / file, std::ios::binary);
    ASSERT_TRUE(in) << "missing corpus file";
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    if (expect == "old-format") {
      try {
        exporter.LoadFromBytes(bytes, workbook);
        ADD_FAILURE() << "loaded";
      } catch (const EExportFileException& e) {
        EXPECT_STREQ(e.what(), kMsgOldXls);
      }
      continue;
    }
    if (expect == "invalid") {
      const std::string& detail = f[cDetail];
      bool threw = false;
      try {
        exporter.LoadFromBytes(bytes, workbook);
      } catch (const std::exception& e) {
        threw = true;
        for (const char* message : {kMsgCouldNotOpen, kMsgNotValidXls}) {
          if (detail.find(std::string("\"") + message + "\"") != std::string::npos) {
            EXPECT_STREQ(e.what(), message);
          }
        }
      }
      if (detail.find("partial load") == std::string::npos) {
        EXPECT_TRUE(threw) << "no exception";
      }
      continue;
    }
    ASSERT_EQ(expect, "loads");
    ASSERT_NO_THROW(exporter.LoadFromBytes(bytes, workbook));
    ASSERT_GT(workbook.WorkSheets().Count(), 0);
    TExportWorkSheet& sheet = workbook.WorkSheets().GetWS(0);
    EXPECT_EQ(sheet.Title(), f[cSheet]);
    // The manifest counts a row's cells either with the placeholders behind a
    // merged cell or (where a merge reaches past the row's last record) without them.
    int widest = 0, widestWithoutPlaceholders = 0;
    for (int r = 0; r < sheet.Rows().Count(); ++r) {
      const TExportRow& row = sheet.Rows().At(r);
      widest = std::max(widest, row.CellCount());
      int coveredUntil = 0;
      for (int c = 0; c < row.CellCount(); ++c) {
        if (c < coveredUntil) continue;
        widestWithoutPlaceholders = std::max(widestWithoutPlaceholders, c + 1);
        coveredUntil = c + row.Cells().GetC(c).ColSpan();
      }
    }
    EXPECT_EQ(std::to_string(sheet.Rows().Count()), f[cRows]);
    EXPECT_TRUE(std::to_string(widest) == f[cCols] || std::to_string(widestWithoutPlaceholders) == f[cCols])
        << widest << " / " << widestWithoutPlaceholders << " cells, manifest " << f[cCols];
    for (const auto& [name, values] : TJson(f[cSamples]).Object()) {
      const TExportCell* cell = CellAt(sheet, name);
      ASSERT_NE(cell, nullptr) << name;
      EXPECT_EQ(cell->FormattedText(&english), CrLf(values[0])) << name;
      ++samples;
    }
    // Numbers in these formats display alike in every reader with "." and ",";
    // other formats follow the model's own cell-text rules.
    for (const auto& [name, values] : TJson(f[cNumeric]).Object()) {
      const TExportCell* cell = CellAt(sheet, name);
      ASSERT_NE(cell, nullptr) << name;
      const std::string& format = values.at(1);
      const std::string expectedFormat = format == "General" ? "" : format;
      EXPECT_EQ(cell->ExcelNumberFormat(), expectedFormat) << name;
      if (format == "General" || format == "0" || format == "0.00" || format == "#,##0.00") {
        EXPECT_EQ(cell->FormattedText(&english), values[0]) << name << " in " << format;
        ++samples;
      }
    }
  }
  EXPECT_GE(files, 60);
  EXPECT_GT(samples, 100);
}

}  // namespace
}  // namespace xls
