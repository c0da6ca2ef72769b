#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/MainWindow.h"
#include "app/OfferExport.h"
#include "sheet/Workbook.h"
#include "xlsx/TestImages.h"
#include "TestPlatform.h"

namespace exporttest {

namespace fs = std::filesystem;

// An article-list folder on disk: the model reads pictures and writes
// workbooks through the real file system.
struct TExportFixture {
  fs::path Dir;
  app::TDiskFileSystem Fs;
  apptest::TScriptedDialogs Dialogs;
  std::unique_ptr<app::TMainWindow> Window;

  TExportFixture() {
    static int serial = 0;
    Dir = fs::temp_directory_path() /
          ("nabidka-export-" + std::to_string(nabidkatest::ProcessId()) + "-" + std::to_string(++serial));
    fs::remove_all(Dir);
    fs::create_directories(Dir);
    Window = std::make_unique<app::TMainWindow>(
        Fs, Dialogs, app::TMainWindowSettings{Dir.string(), text::TRegionalSettings::Czech(), 1250});
  }
  ~TExportFixture() {
    std::error_code ignored;
    fs::remove_all(Dir, ignored);
  }

  std::string PathOf(const std::string& name) const { return (Dir / name).string(); }

  static void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
  }
  static std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // Writes «name».csv with the items and, unless withPictures is false, the
  // picture folder «name»_soubory with two files per item (the web export's pairs).
  void WriteList(const std::string& name, const std::vector<apptest::TTestItem>& items, bool withPictures = true) {
    WriteBytes(Dir / (name + ".csv"), apptest::AnsiFile(apptest::ListLines(items)));
    if (!withPictures) return;
    const fs::path folder = Dir / (name + "_soubory");
    fs::create_directories(folder);
    for (std::size_t i = 1; i <= 2 * items.size(); ++i) {
      char file[32];
      std::snprintf(file, sizeof file, "image%03zu.jpg", i);
      WriteBytes(folder / file, xlsxtest::MakeJpeg(32, 32, static_cast<unsigned char>(i), 80, 120));
    }
  }
  void Open(const std::string& name) {
    Window->ListArticleFolder();
    Window->OpenList(PathOf(name + ".csv"));
    Window->Workspace.ExportFilePath = PathOf(name + ".xlsx");
  }

  app::TMainWindowState& View() { return Window->Window; }
  app::TOfferWorkspace& Ws() { return Window->Workspace; }

  std::unique_ptr<sheet::TExportWorkbook> Compose() { return app::ComposeOfferWorkbook(*Window); }
};

// Items with the given numbers of property lines.
inline std::vector<apptest::TTestItem> ItemsWithProperties(const std::vector<int>& propertyCounts) {
  std::vector<apptest::TTestItem> items;
  for (std::size_t i = 0; i < propertyCounts.size(); ++i) {
    std::vector<std::string> properties;
    for (int p = 1; p <= propertyCounts[i]; ++p) properties.push_back("Vlastnost " + std::to_string(p));
    items.emplace_back("KOD" + std::to_string(i + 1), "2", "100,50", properties);
  }
  return items;
}

inline const sheet::TExportCellString* StringCell(const sheet::TExportRow& row, int col) {
  sheet::TExportCell* cell = row.FindCell(col);
  return cell && cell->IsKind<sheet::TExportCellString>() ? static_cast<sheet::TExportCellString*>(cell) : nullptr;
}

inline std::string TextAt(const sheet::TExportRow& row, int col) {
  const sheet::TExportCellString* cell = StringCell(row, col);
  return cell ? cell->Text() : std::string("<none>");
}

// One letter per row, so that a whole sheet's layout reads as one text:
// C customer rows, H table header, I item row, P property row, F filler row,
// E empty row, T totals row, ? anything else.
inline char RowKind(const sheet::TExportRow& row) {
  if (row.CellCount() == 0) return 'E';
  const std::string first = TextAt(row, 0);
  if (first == "Zákazník") return 'C';
  if (first == "Označení prvku") return 'H';
  const std::string second = TextAt(row, 1);
  if (row.Height() == 14 && first.empty()) return second == " " ? 'F' : 'P';
  if (first.empty() && second.rfind("Celková cena", 0) == 0) return 'T';
  if (first.empty() && second == "DPH 21%") return 'T';
  if (row.CellCount() == 6 && !first.empty() && first[0] >= '0' && first[0] <= '9') return 'I';
  if (row.CellCount() == 6) return 'C';  // the customer's detail lines
  return '?';
}

// A manual page break reads as "|" before the row that starts the page.
inline std::string Layout(const sheet::TExportWorkSheet& sheet) {
  std::string layout;
  for (int r = 0; r < sheet.Rows().Count(); ++r) {
    if (sheet.Rows().Get(r).PageBreakBefore()) layout += '|';
    layout += RowKind(sheet.Rows().Get(r));
  }
  return layout;
}

// The rows of an imported item in the offer layout with k property lines.
inline std::string OfferItem(int k) {
  return "I" + std::string(static_cast<std::size_t>(k), 'P') + std::string(k >= 12 ? 1 : 12 - k, 'F');
}

inline constexpr const char* kCustomer = "CCCE";
inline constexpr const char* kClosing = "ETTT";

}  // namespace exporttest
