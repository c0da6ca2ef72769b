// The window's commands given on the command line: parsed in order, replayed
// after start-up, failures reported as the window reports them.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/Paths.h"
#include "cli/ExportCommand.h"
#include "cli/Json.h"
#include "cli/ShowCommand.h"
#include "sheet/FormatRegistry.h"
#include "TestPlatform.h"

namespace {

namespace fs = std::filesystem;
using app::TWindowCommandKind;

const std::string kExamples = std::string(NABIDKA_SOURCE_DIR) + "/examples/pCon_article_lists";

struct TRun {
  int Code;
  std::string Out;
  std::string Err;
};

TRun ShowJson(std::vector<std::string> args) {
  args.insert(args.begin(), {"--folder", kExamples, "--decimal-separator", ",", "--json"});
  cli::TShowOptions options;
  std::string error;
  if (!cli::ParseShowOptions(args, options, error)) return {2, "", error};
  app::TDiskFileSystem disk;
  std::ostringstream out, err;
  const int code = cli::RunShow(options, disk, out, err);
  return {code, out.str(), err.str()};
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(CommandChain, ParsedInCommandLineOrder) {
  cli::TShowOptions options;
  std::string error;
  ASSERT_TRUE(cli::ParseShowOptions({"--select", "3", "--list", "a.csv", "--extra", "A;B;1;2", "--extra", "C;D;E;1;2",
                                     "--count", "7", "--extra", "F;G;1;2", "--list", "b.csv", "--move-up",
                                     "--append", "c.csv", "--edit-mode", "--move-down", "--price", "1,5"},
                                    options, error))
      << error;
  EXPECT_EQ(options.List, "a.csv");  // the first --list is start-up's list
  std::vector<TWindowCommandKind> kinds;
  for (const auto& command : options.Commands) kinds.push_back(command.Kind);
  EXPECT_EQ(kinds, (std::vector<TWindowCommandKind>{
                       TWindowCommandKind::wcSelect, TWindowCommandKind::wcExtraItems, TWindowCommandKind::wcCount,
                       TWindowCommandKind::wcExtraItems, TWindowCommandKind::wcOpenList, TWindowCommandKind::wcMoveUp,
                       TWindowCommandKind::wcAppendList, TWindowCommandKind::wcEditMode,
                       TWindowCommandKind::wcMoveDown, TWindowCommandKind::wcPrice}));
  EXPECT_EQ(options.Commands[1].ExtraRows, (std::vector<std::string>{"A;B;1;2", "C;D;E;1;2"}));
  EXPECT_EQ(options.Commands[3].ExtraRows, (std::vector<std::string>{"F;G;1;2"}));
  EXPECT_EQ(options.Commands[4].Value, "b.csv");

  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"--select", "0"}, {"--select", "x"}, {"--extra", "A;B;1"}, {"--count"}, {"--list", ""}}) {
    cli::TShowOptions ignored;
    EXPECT_FALSE(cli::ParseShowOptions(bad, ignored, error)) << bad[0];
  }
}

TEST(CommandChain, EditingSessionOnTheExample) {
  const TRun run = ShowJson({"--select", "3", "--count", "2", "--price", "4000", "--move-up", "--extra",
                             "DOPR;Doprava a montáž;1;1500,00", "--extra", "SLEVA;Sleva;1;-500,00"});
  ASSERT_EQ(run.Code, 0) << run.Err << run.Out;
  const std::string& json = run.Out;
  // Item 03 was edited, then moved up to 02: the edit moved with it.
  EXPECT_TRUE(Has(json, "{\"entry\": \"02. KD-60-DR\", \"code\": \"KD-60-DR\", \"description\": \"Dolní skříňka pod "
                        "dřez 60 cm\", \"count\": \"2\", \"price\": \"4000,00\", \"total\": \"8000,00\""))
      << json;
  EXPECT_TRUE(Has(json, "\"entry\": \"03. KD-80-S\""));
  EXPECT_TRUE(Has(json, "{\"entry\": \"11. DOPR\", \"code\": \"DOPR\", \"description\": \"Doprava a montáž\", "
                        "\"count\": \"1\", \"price\": \"1500,00\", \"total\": \"1500,00\",\n   \"properties\": [], "
                        "\"picture\": null, \"extra\": true}"));
  EXPECT_TRUE(Has(json, "\"entry\": \"12. SLEVA\""));
  // The moved item is shown from its rewritten line; the dialog changed no view.
  EXPECT_TRUE(Has(json, "\"ItemCodeField\": \"02. KD-60-DR\""));
  EXPECT_TRUE(Has(json, "\"ItemTotalField\": \"8 000,00\"")) << json;
  EXPECT_TRUE(Has(json, "\"ItemPicture\": " + cli::JsonString(app::JoinPath(app::JoinPath(kExamples, "Kuchyne_soubory"), "image005.jpg"))));
  EXPECT_TRUE(Has(json, "\"SelectedItemIndex\": \"1\", \"EditedItemLine\": \"3.;KD-60-DR;2.00;4000,00;8 000,00;\""));
  EXPECT_TRUE(Has(json, "\"MoveUpButtonEnabled\": false, \"MoveDownButtonEnabled\": false"));
  EXPECT_TRUE(Has(json, "\"source_lines\": [\"Pořadí;Kód prvku;Počet kusů;Cena;Cena celkem;\", \"1.;KH-60-D "));
  EXPECT_TRUE(Has(json, "\"3.;KD-60-DR;2.00;4000,00;8 000,00;\", \";Dolní skříňka pod dřez 60 cm\""));
  // 45974 + 8000 - 4120 + 1500 - 500
  EXPECT_TRUE(Has(json, "\"net\": \"50854,00\"")) << json;
}

TEST(CommandChain, FailuresAreReportedAndLaterCommandsStillRun) {
  const TRun run = ShowJson({"--extra", "A;B;1;1,00", "--move-down", "--select", "40", "--count", "zwei",
                             "--select", "2"});
  EXPECT_EQ(run.Code, 1);
  EXPECT_TRUE(Has(run.Out, "\"messages\": [\"Tlačítko \\\"Posun dolu\\\" je vypnuté\", \"Položka 40 v seznamu kódů "
                           "prvků není (položek je 11)\", \"'zwei' is not a valid integer value\"]}"))
      << run.Out;
  EXPECT_TRUE(Has(run.Out, "\"SelectedItemIndex\": \"1\""));
  EXPECT_TRUE(Has(run.Err, "Chyba: Tlačítko \"Posun dolu\" je vypnuté\n"));

  // A later --list opens another list: the extra items are gone, the moves enabled.
  const std::string list = kExamples + "/Kuchyne.csv";
  const TRun reopened = ShowJson({"--list", list, "--extra", "A;B;1;1,00", "--list", list});
  ASSERT_EQ(reopened.Code, 0) << reopened.Out;
  EXPECT_FALSE(Has(reopened.Out, "\"extra\": true"));
  EXPECT_TRUE(Has(reopened.Out, "\"MoveUpButtonEnabled\": true"));
}

TEST(CommandChain, ExportStopsAtTheFirstFailureBeforeWriting) {
  const fs::path dir = fs::temp_directory_path() / ("nabidka-chain-" + std::to_string(nabidkatest::ProcessId()));
  fs::create_directories(dir);
  sheet::SetShellOpen([](const std::string&, const std::string&) {});
  auto exportWith = [&](std::vector<std::string> args, const fs::path& out) {
    args.insert(args.begin(), {"--folder", kExamples, "--decimal-separator", ",", "-o", out.string()});
    cli::TExportOptions options;
    std::string error;
    EXPECT_TRUE(cli::ParseExportOptions(args, options, error)) << error;
    app::TDiskFileSystem disk;
    std::ostringstream stdOut, stdErr;
    return TRun{cli::RunExport(options, disk, stdOut, stdErr), stdOut.str(), stdErr.str()};
  };
  const TRun failed = exportWith({"--price", "abc", "--extra", "A;B;1;1,00"}, dir / "failed.xlsx");
  EXPECT_EQ(failed.Code, 1);
  EXPECT_EQ(failed.Err, "Chyba: 'abc' is not a valid floating point value\n");
  EXPECT_FALSE(fs::exists(dir / "failed.xlsx"));

  const TRun done = exportWith({"--select", "2", "--count", "3", "--extra", "DOPR;Doprava;1;1500,00"}, dir / "ok.xlsx");
  EXPECT_EQ(done.Code, 0) << done.Err;
  EXPECT_TRUE(fs::exists(dir / "ok.xlsx"));
  sheet::SetShellOpen(nullptr);
  fs::remove_all(dir);
}

}  // namespace
