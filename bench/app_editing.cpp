// Editing benchmark: 500 moves and 500 count edits on an offer whose items
// each have 15 property lines, for 99 and 1,000 items. Every move rebuilds
// the whole offer from its lines, so a move costs one pipeline run; a count
// edit only recalculates the totals.
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "BenchRegistry.h"
#include "app/MainWindow.h"
#include "app/MemoryFileSystem.h"
#include "text/CodePage.h"

namespace {

using TClock = std::chrono::steady_clock;

constexpr const char* kFolder = "/lists";

struct TQuietDialogs : app::TDialogs {
  std::optional<std::string> OpenFile(const app::TOpenDialogOptions&) override { return std::nullopt; }
  void ShowMessage(const std::string&) override {}
  void ShowError(const std::string& message) override { std::cerr << "error: " << message << '\n'; }
};

std::string ListWithProperties(int items, int properties) {
  std::string text = "Pořadí;Kód prvku;Počet kusů;Cena;Cena celkem;\r\n";
  for (int i = 1; i <= items; ++i) {
    text += std::to_string(i) + ".;ART-" + std::to_string(i) + ";1.00;" + std::to_string(100 + i) + ",50;0,00;\r\n";
    text += ";Skříňka č. " + std::to_string(i) + "\r\n";
    for (int p = 1; p <= properties; ++p) text += ";Vlastnost " + std::to_string(p) + ": " + std::to_string(i * p) + "\r\n";
  }
  text += "Celkem;;;;\r\nCelkem bez DPH;;;;0,00\r\nDPH 21%;;;;0,00\r\nCelkem s DPH;;;;0,00\r\n";
  return text::EncodeCodePage(text, 1250);
}

double Seconds(TClock::time_point from) { return std::chrono::duration<double>(TClock::now() - from).count(); }

int RunEditing(const std::vector<std::string>& args) {
  int operations = 500;
  for (std::size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] == "--operations") operations = std::stoi(args[i + 1]);
  }
  for (int items : {99, 1000}) {
    app::TMemoryFileSystem fs;
    fs.AddFolder(kFolder);
    fs.AddFile(std::string(kFolder) + "/K.csv", ListWithProperties(items, 15));
    TQuietDialogs dialogs;
    app::TMainWindow window(fs, dialogs, {kFolder, text::TRegionalSettings::Czech(), 1250});
    window.ListArticleFolder();
    window.OpenList(std::string(kFolder) + "/K.csv");
    if (window.Workspace.ItemCount != std::to_string(items)) {
      std::cerr << "expected " << items << " items, read " << window.Workspace.ItemCount << '\n';
      return 1;
    }

    window.SelectItem(items / 2);
    auto start = TClock::now();
    for (int k = 0; k < operations; ++k) {
      if (k % 2 == 0) {
        window.Button20Click();
      } else {
        window.Button16Click();
      }
    }
    const double moves = Seconds(start);

    start = TClock::now();
    for (int k = 0; k < operations; ++k) {
      window.Window.CountEntry = std::to_string(k % 7 + 1);
      window.Edit12KeyPress(app::kEnterKey);
    }
    const double edits = Seconds(start);
    std::printf("items: %d\nlines: %zu\nmoves_%d_seconds: %.4f\ncount_edits_%d_seconds: %.4f\n", items,
                window.Workspace.SourceLines.Count(), operations, moves, operations, edits);
    std::printf("target_moves_under_1s: %s\ntarget_edits_under_1s: %s\n", moves < 1 ? "yes" : "no",
                edits < 1 ? "yes" : "no");
  }
  return 0;
}

bench::TBenchRegistrar registrar("editing", "500 moves and 500 count edits on 99 and 1,000 items of 15 property lines [--operations N]",
                                 RunEditing);

}  // namespace
