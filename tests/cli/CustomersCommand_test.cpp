#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/MemoryFileSystem.h"
#include "app/Paths.h"
#include "cli/CustomersCommand.h"
#include "cli/ExportCommand.h"
#include "cli/Json.h"
#include "sheet/Workbook.h"
#include "sheet/Worksheet.h"
#include "TestPlatform.h"

namespace {

namespace fs = std::filesystem;

const std::string kExamples = std::string(NABIDKA_SOURCE_DIR) + "/examples/pCon_article_lists";

struct TRun {
  int Code;
  std::string Out;
  std::string Err;
};

TRun Customers(const std::vector<std::string>& args, app::TFileSystem& files) {
  cli::TCustomersOptions options;
  std::string error;
  if (!cli::ParseCustomersOptions(args, options, error)) return {-1, "", error};
  std::ostringstream out, err;
  const int code = cli::RunCustomers(options, files, out, err);
  return {code, out.str(), err.str()};
}

TRun Customers(const std::vector<std::string>& args) {
  app::TDiskFileSystem disk;
  return Customers(args, disk);
}

TEST(CustomersCommand, JsonStringsEscapeQuotesControlsAndBadBytes) {
  EXPECT_EQ(cli::JsonString("Kuchyně \"Dvořák\" \\ a.s."), "\"Kuchyně \\\"Dvořák\\\" \\\\ a.s.\"");
  EXPECT_EQ(cli::JsonString("a\tb\r\nc\x01\x1f\x7f"), "\"a\\tb\\r\\nc\\u0001\\u001f\\u007f\"");
  EXPECT_EQ(cli::JsonString(std::string("x\0y", 3)), "\"x\\u0000y\"");
  EXPECT_EQ(cli::JsonString("\xC5"), "\"\xEF\xBF\xBD\"");  // a truncated sequence becomes U+FFFD
  EXPECT_EQ(cli::JsonString("€😀"), "\"€😀\"");
}

TEST(CustomersCommand, PrintsTheExampleListAsTheChooserOffersIt) {
  const TRun run = Customers({"--folder", kExamples});
  ASSERT_EQ(run.Code, 0) << run.Err;
  EXPECT_NE(run.Out.find("Zákazníků: 4\n"), std::string::npos);
  EXPECT_NE(run.Out.find("\n2. Kuchyně Dvořák, a.s.\n    Ulice:             Žižkova 5\n"), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("    IČO:               12345\n    DIČ:               \n"), std::string::npos);
  EXPECT_TRUE(run.Err.empty());
}

TEST(CustomersCommand, JsonHoldsTheGridEntriesAndMessages) {
  const TRun run = Customers({"--json", "--file", kExamples + "/Seznam_zakazniku.xls"});
  ASSERT_EQ(run.Code, 0) << run.Err;
  EXPECT_EQ(run.Out.rfind("{\"grid\": [\n  [\"Číslo\", \"Firma\", ", 0), 0u) << run.Out;
  EXPECT_NE(run.Out.find("[\"3\", \"Interiéry Černý\", \"Husova 221/7\", \"370 01 České Budějovice\", \"12345\", \"\", "
                         "\"Lukáš Černý\", \"\"]"),
            std::string::npos);
  EXPECT_NE(run.Out.find("\"entries\": [\"Nábytek Novák s.r.o.\", \"Kuchyně Dvořák, a.s.\", \"Interiéry Černý\", "
                         "\"Studio \\\"Ložnice\\\" Růžička\"]"),
            std::string::npos);
  EXPECT_NE(run.Out.find("\"messages\": []}"), std::string::npos);
}

TEST(CustomersCommand, MissingListIsAMessageAndExitCodeOne) {
  app::TMemoryFileSystem files;
  files.AddFolder("/lists");
  const TRun json = Customers({"--folder", "/lists/", "--json"}, files);
  EXPECT_EQ(json.Code, 1);
  const std::string message = "Cannot open file \"" + app::JoinPath("/lists", "Seznam_zakazniku.xls") +
                              "\". No such file or directory";
  EXPECT_NE(json.Out.find("\"entries\": [],\n \"messages\": [" + cli::JsonString(message) + "]}"),
            std::string::npos)
      << json.Out;

  const TRun plain = Customers({"--folder", "/lists"}, files);
  EXPECT_EQ(plain.Code, 1);
  EXPECT_TRUE(plain.Out.empty());
  EXPECT_NE(plain.Err.find("Chyba: Cannot open file"), std::string::npos);

  EXPECT_EQ(Customers({"--bogus"}).Code, -1);
  EXPECT_EQ(Customers({"--file"}).Code, -1);
}

// Writes the texts of the first three rows, one row a line, cells joined by "|".
class TRowsExporter : public sheet::TCustomExporter {
 public:
  TRowsExporter() : TCustomExporter("rows", "Rows", {"rows"}) {}
  std::unique_ptr<TCustomExporter> CreateNew() const override { return std::make_unique<TRowsExporter>(); }
  void SaveToStream(std::ostream& stream) override {
    const sheet::TExportWorkSheet& sheet = Owner()->WorkSheets().Get(0);
    for (int r = 0; r < 3 && r < sheet.Rows().Count(); ++r) {
      const sheet::TExportRow& row = sheet.Rows().Get(r);
      for (int c = 0; c < row.CellCount(); ++c) stream << (c > 0 ? "|" : "") << row.Cells().Get(c).FormattedText();
      stream << '\n';
    }
  }
};

class ExportWithCustomer : public ::testing::Test {
 protected:
  fs::path Dir = fs::temp_directory_path() / ("nabidka-cli-customer-" + std::to_string(nabidkatest::ProcessId()));

  void SetUp() override {
    fs::create_directories(Dir);
    if (!sheet::ExporterRegistry().FindByFormat("rows")) {
      sheet::ExporterRegistry().Register(std::make_unique<TRowsExporter>());
    }
  }
  void TearDown() override { fs::remove_all(Dir); }

  TRun Export(std::vector<std::string> args, std::string& rows) {
    const fs::path out = Dir / "nabidka.rows";
    args.insert(args.end(), {"--folder", kExamples, "--decimal-separator", ",", "-o", out.string()});
    cli::TExportOptions options;
    std::string error;
    if (!cli::ParseExportOptions(args, options, error)) return {-1, "", error};
    app::TDiskFileSystem disk;
    std::ostringstream outText, errText;
    const int code = cli::RunExport(options, disk, outText, errText);
    std::ifstream in(out);
    rows.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return {code, outText.str(), errText.str()};
  }
};

TEST_F(ExportWithCustomer, NthEntryFillsTheCustomerBlock) {
  std::string rows;
  const TRun run = Export({"--customer", "2"}, rows);
  ASSERT_EQ(run.Code, 0) << run.Err;
  EXPECT_NE(rows.find("Kuchyně Dvořák, a.s."), std::string::npos) << rows;
  EXPECT_NE(rows.find("IČO 45274649   DIČ CZ45274649"), std::string::npos) << rows;
  EXPECT_NE(rows.find("Šárka Dvořáková"), std::string::npos);
  EXPECT_NE(rows.find("+420 603 987 654"), std::string::npos);
}

TEST_F(ExportWithCustomer, TypedNameSelectsAMatchingEntryOrNone) {
  std::string rows;
  ASSERT_EQ(Export({"--customer-name", "interiéry černý"}, rows).Code, 0);
  EXPECT_NE(rows.find("Lukáš Černý"), std::string::npos) << rows;
  EXPECT_NE(rows.find("IČO 12345   DIČ "), std::string::npos);

  // A name the list does not hold selects no entry: the fields show the header row.
  ASSERT_EQ(Export({"--customer-name", "Nová firma"}, rows).Code, 0);
  EXPECT_NE(rows.find("IČO IČO   DIČ DIČ"), std::string::npos) << rows;
  EXPECT_NE(rows.find("Kontaktní telefon"), std::string::npos);
}

TEST_F(ExportWithCustomer, BadCustomerNumbersAreRefused) {
  std::string rows;
  EXPECT_EQ(Export({"--customer", "0"}, rows).Code, -1);
  EXPECT_EQ(Export({"--customer", "x"}, rows).Code, -1);
  const TRun beyond = Export({"--customer", "5"}, rows);
  EXPECT_EQ(beyond.Code, 1);
  EXPECT_NE(beyond.Err.find("zákazník 5"), std::string::npos) << beyond.Err;
  EXPECT_FALSE(fs::exists(Dir / "nabidka.rows"));
}

}  // namespace
