#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/ExportCommand.h"
#include "sheet/Workbook.h"
#include "text/CodePage.h"
#include "TestPlatform.h"

namespace {

namespace fs = std::filesystem;

const std::string kExamples = std::string(NABIDKA_SOURCE_DIR) + "/examples/pCon_article_lists";

// Writes the worksheet's title, row count and header texts.
class TSummaryExporter : public sheet::TCustomExporter {
 public:
  TSummaryExporter() : TCustomExporter("summary", "Summary", {"summary"}) {}
  std::unique_ptr<TCustomExporter> CreateNew() const override { return std::make_unique<TSummaryExporter>(); }
  void SaveToStream(std::ostream& stream) override {
    const sheet::TExportWorkSheet& sheet = Owner()->WorkSheets().Get(0);
    stream << sheet.Title() << '\n' << sheet.Rows().Count() << '\n' << sheet.Header().Left().Text() << '\n';
  }
};

struct TRun {
  int Code;
  std::string Out;
  std::string Err;
};

class ExportCommand : public ::testing::Test {
 protected:
  fs::path Dir = fs::temp_directory_path() / ("nabidka-cli-export-" + std::to_string(nabidkatest::ProcessId()));
  std::vector<std::string> Opened;

  void SetUp() override {
    fs::create_directories(Dir);
    if (!sheet::ExporterRegistry().FindByFormat("summary")) {
      sheet::ExporterRegistry().Register(std::make_unique<TSummaryExporter>());
    }
    sheet::SetShellOpen([this](const std::string& file, const std::string&) { Opened.push_back(file); });
  }
  void TearDown() override {
    sheet::SetShellOpen(nullptr);
    fs::remove_all(Dir);
  }

  TRun Export(const std::vector<std::string>& args) {
    cli::TExportOptions options;
    std::string error;
    if (!cli::ParseExportOptions(args, options, error)) return {-1, "", error};
    app::TDiskFileSystem disk;
    std::ostringstream out, err;
    const int code = cli::RunExport(options, disk, out, err);
    return {code, out.str(), err.str()};
  }
  static std::vector<std::string> Lines(const fs::path& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
};

TEST_F(ExportCommand, ParsesItsOwnAndTheLoadingOptions) {
  cli::TExportOptions options;
  std::string error;
  ASSERT_TRUE(cli::ParseExportOptions({"--layout", "order", "--folder", "F", "--no-customer-header", "--description",
                                       "", "--append", "--layout", "-o", "out.xlsx"},
                                      options, error))
      << error;
  EXPECT_EQ(options.Layout, 1);
  EXPECT_FALSE(options.CustomerHeader);
  EXPECT_EQ(options.Description, std::string());
  EXPECT_EQ(options.Output, "out.xlsx");
  EXPECT_EQ(options.Load.Common.Folder, "F");
  ASSERT_EQ(options.Load.Commands.size(), 1u);
  EXPECT_EQ(options.Load.Commands[0].Kind, app::TWindowCommandKind::wcAppendList);
  EXPECT_EQ(options.Load.Commands[0].Value, "--layout");

  cli::TExportOptions defaults;
  ASSERT_TRUE(cli::ParseExportOptions({}, defaults, error));
  EXPECT_EQ(defaults.Layout, 0);
  EXPECT_TRUE(defaults.CustomerHeader);
  EXPECT_FALSE(defaults.Description.has_value());

  EXPECT_FALSE(cli::ParseExportOptions({"--layout", "table"}, options, error));
  EXPECT_NE(error.find("table"), std::string::npos);
  EXPECT_FALSE(cli::ParseExportOptions({"-o"}, options, error));
  EXPECT_FALSE(cli::ParseExportOptions({"--bogus"}, options, error));
}

TEST_F(ExportCommand, WritesTheExampleOfferAndPrintsThePath) {
  const fs::path out = Dir / "nabidka.summary";
  const TRun run = Export({"--folder", kExamples, "--decimal-separator", ",", "-o", out.string()});
  ASSERT_EQ(run.Code, 0) << run.Err;
  EXPECT_EQ(run.Out, out.string() + "\n");
  const std::vector<std::string> lines = Lines(out);
  ASSERT_EQ(lines.size(), 3u);
  // The description is the left header, and the title cut to 31 characters.
  EXPECT_EQ(lines[0], "Kuchyňská linka - nabídka pro N");
  EXPECT_EQ(lines[2], "Kuchyňská linka - nabídka pro Novákovi");
  EXPECT_GT(std::stoi(lines[1]), 10 * 13);
  // The shell-open hook is the caller's: the command asks for it like the window.
  EXPECT_EQ(Opened.size(), 1u);
}

TEST_F(ExportCommand, OptionsShapeTheSheet) {
  const fs::path out = Dir / "objednavka.summary";
  const TRun run = Export({"--folder", kExamples, "--decimal-separator", ",", "--layout", "order",
                           "--no-customer-header", "--description", "Objednávka Novák", "-o", out.string()});
  ASSERT_EQ(run.Code, 0) << run.Err;
  // Header, ten items with an empty row each, the closing empty row and three totals.
  EXPECT_EQ(Lines(out), (std::vector<std::string>{"Objednávka Novák", "25", "Objednávka Novák"}));
}

TEST_F(ExportCommand, FailuresAreReportedAndWriteNothing) {
  const TRun unknown = Export({"--folder", kExamples, "--decimal-separator", ",", "-o", (Dir / "x.pdf").string()});
  EXPECT_EQ(unknown.Code, 1);
  EXPECT_NE(unknown.Err.find("could not be processed"), std::string::npos) << unknown.Err;
  EXPECT_TRUE(unknown.Out.empty());

  // The regional separator decides how prices read: with a point, «3 490,00» fails.
  const TRun point = Export({"--folder", kExamples, "--decimal-separator", ".", "-o", (Dir / "y.summary").string()});
  EXPECT_EQ(point.Code, 1);
  EXPECT_TRUE(fs::is_empty(Dir));
  EXPECT_TRUE(Opened.empty());
}

TEST_F(ExportCommand, DefaultOutputIsTheListWithXlsxBesideIt) {
  // A copy of the example folder, so that the default path can be written.
  const fs::path folder = Dir / "lists";
  fs::copy(kExamples, folder, fs::copy_options::recursive);
  const TRun run = Export({"--folder", folder.string(), "--decimal-separator", ","});
  ASSERT_EQ(run.Code, 0) << run.Err;
  const fs::path written = folder / "Kuchyne.xlsx";
  // Start-up joins the folder and the newest list with "/" on every system.
  EXPECT_EQ(run.Out, folder.string() + "/Kuchyne.xlsx\n");
  std::ifstream in(written, std::ios::binary);
  char magic[2] = {};
  in.read(magic, 2);
  EXPECT_EQ(std::string(magic, 2), "PK");
}

TEST_F(ExportCommand, AnOpenedListIsWrittenBesideItself) {
  const fs::path folder = Dir / "lists";
  fs::copy(kExamples, folder, fs::copy_options::recursive);
  const fs::path list = folder / "dalsi_seznamy" / "Predsin.csv";
  const TRun run = Export({"--folder", folder.string(), "--list", list.string(), "--decimal-separator", ","});
  ASSERT_EQ(run.Code, 0) << run.Err;
  EXPECT_EQ(run.Out, (folder / "dalsi_seznamy" / "Predsin.xlsx").string() + "\n");
  EXPECT_TRUE(fs::exists(folder / "dalsi_seznamy" / "Predsin.xlsx"));
  EXPECT_FALSE(fs::exists(folder / "Kuchyne.xlsx"));  // the newest list's workbook is left alone
}

TEST_F(ExportCommand, DescriptionDefaultsToTheStoredOne) {
  const fs::path folder = Dir / "lists";
  fs::copy(kExamples, folder, fs::copy_options::recursive);
  std::ofstream(folder / "popis_tabulky.txt", std::ios::binary) << text::EncodeCodePage("Nabídka Novák\r\n", 1250);
  const fs::path out = Dir / "popis.summary";
  const TRun run = Export({"--folder", folder.string(), "--decimal-separator", ",", "-o", out.string()});
  ASSERT_EQ(run.Code, 0) << run.Err;
  EXPECT_EQ(Lines(out)[0], "Nabídka Novák");
}

}  // namespace
