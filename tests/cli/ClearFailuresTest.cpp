// Bad input says what went wrong and names the file: no silent success.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/CustomersCommand.h"
#include "cli/ExportCommand.h"
#include "cli/Json.h"
#include "cli/ShowCommand.h"
#include "sheet/FormatRegistry.h"
#include "text/CodePage.h"
#include "TestPlatform.h"

namespace {

namespace fs = std::filesystem;

struct TRun {
  int Code;
  std::string Out;
  std::string Err;
};

class ClearFailures : public ::testing::Test {
 protected:
  fs::path Dir = fs::temp_directory_path() / ("nabidka-failures-" + std::to_string(nabidkatest::ProcessId()));
  app::TDiskFileSystem Disk;

  void SetUp() override {
    fs::create_directories(Dir);
    sheet::SetShellOpen(nullptr);
  }
  void TearDown() override { fs::remove_all(Dir); }

  std::string Write(const std::string& name, const std::string& bytes) {
    std::ofstream(Dir / name, std::ios::binary) << bytes;
    return (Dir / name).string();
  }
  static std::string List(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text::EncodeCodePage(text, 1250);
  }
  TRun Show(std::vector<std::string> args) {
    args.insert(args.begin(), {"--decimal-separator", ","});
    cli::TShowOptions options;
    std::string error;
    if (!cli::ParseShowOptions(args, options, error)) return {2, "", error};
    std::ostringstream out, err;
    const int code = cli::RunShow(options, Disk, out, err);
    return {code, out.str(), err.str()};
  }
  TRun Export(std::vector<std::string> args) {
    args.insert(args.begin(), {"--decimal-separator", ","});
    cli::TExportOptions options;
    std::string error;
    if (!cli::ParseExportOptions(args, options, error)) return {2, "", error};
    std::ostringstream out, err;
    const int code = cli::RunExport(options, Disk, out, err);
    return {code, out.str(), err.str()};
  }
};

// A failure says which path it concerns: an output that is a folder, a
// customer list broken inside its compound file.
TEST_F(ClearFailures, FailuresNameTheirPath) {
  const std::string list = Write("K.csv", List({"Poř;Kód;Počet;Cena;Celkem;", "1.;A;1.00;10,00;10,00;", ";Popis",
                                                "Celkem;;;;", "Celkem bez DPH;;;;10,00"}));
  const TRun toFolder = Export({"--list", list, "-o", Dir.string()});
  EXPECT_EQ(toFolder.Code, 1);
  EXPECT_NE(toFolder.Err.find("Cannot create file \"" + Dir.string() + "\". It is a folder."), std::string::npos)
      << toFolder.Err;

  std::ifstream sample(std::string(NABIDKA_SOURCE_DIR) + "/examples/pCon_article_lists/Seznam_zakazniku.xls",
                       std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(sample)), {});
  std::fill(bytes.begin() + 512, bytes.end(), '\0');  // the signature stays, the rest is gone
  const std::string broken = Write("zakaznici.xls", bytes);
  cli::TCustomersOptions options;
  std::string error;
  ASSERT_TRUE(cli::ParseCustomersOptions({"--file", broken}, options, error)) << error;
  std::ostringstream out, err;
  EXPECT_EQ(cli::RunCustomers(options, Disk, out, err), 1);
  EXPECT_NE(err.str().find("Cannot read file \"" + broken + "\". "), std::string::npos) << err.str();
}

TEST_F(ClearFailures, ListsWithoutItemsAreNamed) {
  const std::string empty = Write("prazdny.csv", "");
  const std::string noise = Write("sum.csv", std::string("\x89\x01\xff;;\x02 garbage\n\x00\x13", 16));
  const std::string workbook = Write("zakaznici.csv", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(500, '\0'));
  for (const std::string& list : {empty, noise, workbook}) {
    const TRun run = Show({"--list", list});
    EXPECT_EQ(run.Code, 0) << list;
    EXPECT_NE(run.Err.find("Upozornění: v seznamu prvků " + list + " nebyla nalezena žádná položka"), std::string::npos)
        << run.Err;
  }
  // An offer without any item is not written, unless asked for.
  const std::string out = (Dir / "prazdna.xlsx").string();
  TRun run = Export({"--list", empty, "-o", out});
  EXPECT_EQ(run.Code, 1);
  EXPECT_NE(run.Err.find("nabídka nemá žádnou položku"), std::string::npos) << run.Err;
  EXPECT_FALSE(fs::exists(out));
  run = Export({"--list", empty, "--allow-empty", "-o", out});
  EXPECT_EQ(run.Code, 0) << run.Err;
  EXPECT_TRUE(fs::exists(out));
  // Extra items alone make an offer.
  run = Export({"--list", empty, "--extra", "DOPR;Doprava;1;100,00", "-o", out});
  EXPECT_EQ(run.Code, 0) << run.Err;

  // An appended list that adds nothing.
  const std::string good = Write("K.csv", List({"Poř;Kód;Počet;Cena;Celkem;", "1.;A;1.00;10,00;10,00;", ";Popis",
                                                "Celkem;;;;", "Celkem bez DPH;;;;10,00", "DPH 21%;;;;2,10", "Celkem s DPH;;;;12,10"}));
  run = Show({"--list", good, "--append", empty, "--json"});
  EXPECT_NE(run.Out.find(cli::JsonString("Upozornění: v seznamu prvků " + empty + " nebyla nalezena žádná položka")),
            std::string::npos)
      << run.Out;
}

TEST_F(ClearFailures, MessagesNameTheFileAndShowEveryByte) {
  TRun run = Show({"--list", (Dir / "nic.csv").string()});
  EXPECT_EQ(run.Code, 1);
  EXPECT_NE(run.Err.find("Soubor neexistuje: " + (Dir / "nic.csv").string()), std::string::npos) << run.Err;

  // A NUL in a count does not end the message there.
  const std::string list = Write("K.csv", List({"Poř;Kód;Počet;Cena;Celkem;", std::string("1.;A;1\0x.00;10,00;10,00;", 22),
                                                ";Popis", "Celkem;;;;", "Celkem bez DPH;;;;1", "DPH 21%;;;;1", "Celkem s DPH;;;;1"}));
  run = Show({"--list", list});
  EXPECT_NE(run.Err.find("'1\\0x' is not a valid integer value"), std::string::npos) << run.Err;

  // A price beyond single precision names the item.
  const std::string huge = Write("H.csv", List({"Poř;Kód;Počet;Cena;Celkem;", "1.;OBR;1.00;1e39;0;", ";Popis",
                                                "Celkem;;;;", "Celkem bez DPH;;;;1", "DPH 21%;;;;1", "Celkem s DPH;;;;1"}));
  run = Show({"--list", huge});
  EXPECT_NE(run.Err.find("Cena položky OBR je mimo rozsah: '1e39'"), std::string::npos) << run.Err;
}

TEST_F(ClearFailures, CustomerListsThatAreNoWorkbookSaySo) {
  auto customers = [&](const std::string& file) {
    cli::TCustomersOptions options;
    std::string error;
    EXPECT_TRUE(cli::ParseCustomersOptions({"--file", file}, options, error)) << error;
    std::ostringstream out, err;
    const int code = cli::RunCustomers(options, Disk, out, err);
    EXPECT_EQ(code, 1) << file;
    return err.str();
  };
  EXPECT_NE(customers(Write("a.xls", "PK\x03\x04 rest of a zip")).find("ZIP archive, as an Excel 2007 (.xlsx)"),
            std::string::npos);
  EXPECT_NE(customers(Write("b.xls", "Firma;Ulice\r\nNovak;Dlouha 1\r\n")).find("looks like a text file"),
            std::string::npos);
  const std::string folder = (Dir / "slozka.xls").string();
  fs::create_directories(folder);
  EXPECT_NE(customers(folder).find("It is a folder, not a file."), std::string::npos);
}

}  // namespace
