#include <gtest/gtest.h>

#include <sstream>

#include "app/JpegPicture.h"
#include "app/MemoryFileSystem.h"
#include "app/Paths.h"
#include "cli/Json.h"
#include "cli/ShowCommand.h"
#include "text/CodePage.h"

namespace {

const std::string kExamples = std::string(NABIDKA_SOURCE_DIR) + "/examples/pCon_article_lists";

struct TRun {
  int Code;
  std::string Out;
  std::string Err;
};

TRun Show(const std::vector<std::string>& args, app::TFileSystem& fs) {
  cli::TShowOptions options;
  std::string error;
  if (!cli::ParseShowOptions(args, options, error)) return {-1, "", error};
  std::ostringstream out, err;
  const int code = cli::RunShow(options, fs, out, err);
  return {code, out.str(), err.str()};
}

TEST(ShowCommand, BundledExampleLoadsNewestListWithPictures) {
  app::TDiskFileSystem fs;
  const TRun run = Show({"--folder", kExamples, "--decimal-separator", ","}, fs);
  ASSERT_EQ(run.Code, 0) << run.Err;
  EXPECT_NE(run.Out.find("01. KH-60-D"), std::string::npos);
  EXPECT_NE(run.Out.find("10. DR-GR-150"), std::string::npos);
  EXPECT_NE(run.Out.find(app::JoinPath("Kuchyne_soubory", "image019.jpg")), std::string::npos);
  EXPECT_NE(run.Out.find("Celková cena: 1078,80"), std::string::npos);  // 12 x 89,90
  EXPECT_NE(run.Out.find("Celková cena bez DPH: 45974,00"), std::string::npos);
  EXPECT_NE(run.Out.find("DPH 21%:              9655,00"), std::string::npos);
  EXPECT_NE(run.Out.find("Celková cena s DPH:   55629,00"), std::string::npos);

  // Every picture the web export left is a small, readable JPEG.
  for (int i = 1; i <= 20; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "/Kuchyne_soubory/image%03d.jpg", i);
    const std::string bytes = fs.ReadFile(kExamples + name);
    EXPECT_LT(bytes.size(), 30000u);
    EXPECT_TRUE(app::ReadJpegSize(bytes).has_value()) << name;
  }
}

TEST(ShowCommand, AppendsListsFromAnotherFolder) {
  app::TDiskFileSystem fs;
  const TRun run = Show({"--folder", kExamples, "--decimal-separator", ",", "--append",
                         kExamples + "/dalsi_seznamy/Predsin.csv"},
                        fs);
  ASSERT_EQ(run.Code, 0) << run.Err;
  EXPECT_NE(run.Out.find("13. ZRC-60-LED"), std::string::npos);
  EXPECT_NE(run.Out.find(app::JoinPath("Predsin_soubory", "image005.jpg")), std::string::npos);
  EXPECT_NE(run.Out.find("Celková cena bez DPH: 54992,00"), std::string::npos);
  EXPECT_NE(run.Out.find("Celková cena s DPH:   66541,00"), std::string::npos);
}

TEST(ShowCommand, ErrorsGoToStderrWithExitCodeOne) {
  app::TMemoryFileSystem fs;
  TRun run = Show({"--folder", "/none"}, fs);
  EXPECT_EQ(run.Code, 1);
  EXPECT_NE(run.Err.find("/none"), std::string::npos);

  fs.AddFolder("/lists");
  run = Show({"--folder", "/lists"}, fs);
  EXPECT_EQ(run.Code, 1);

  fs.AddFile("/lists/K.csv", text::EncodeCodePage("Poř\r\n1.;A;2;1,50;3,00;\r\n;popis\r\nCelkem;;;;\r\n", 1250));
  run = Show({"--folder", "/lists"}, fs);  // no picture folder
  EXPECT_EQ(run.Code, 1);
  EXPECT_NE(run.Err.find("Nebyl nalezen soubor Wordu exportovaný jako .htm"), std::string::npos);

  run = Show({"--list", "/lists/K.csv", "--decimal-separator", "."}, fs);
  EXPECT_EQ(run.Code, 1);
  EXPECT_NE(run.Err.find("'1,50' is not a valid floating point value"), std::string::npos);

  run = Show({"--list", "/lists/K.csv", "--decimal-separator", ","}, fs);
  EXPECT_EQ(run.Code, 0) << run.Err;
  EXPECT_NE(run.Out.find("Celková cena: 3,00"), std::string::npos);

  run = Show({"--list", "/lists/missing.csv"}, fs);
  EXPECT_EQ(run.Code, 1);
  EXPECT_NE(run.Err.find("Soubor neexistuje"), std::string::npos);
}

TEST(ShowCommand, RejectsBadOptions) {
  app::TMemoryFileSystem fs;
  EXPECT_EQ(Show({"--folder"}, fs).Code, -1);
  EXPECT_EQ(Show({"--bogus"}, fs).Code, -1);
  EXPECT_EQ(Show({"--decimal-separator", ",,"}, fs).Code, -1);
}

}  // namespace

namespace {

TRun ShowJson(std::vector<std::string> args, app::TFileSystem& fs) {
  args.push_back("--json");
  return Show(args, fs);
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1)) ++n;
  return n;
}

TEST(ShowJson, ExampleOfferAsOneObject) {
  app::TDiskFileSystem fs;
  const TRun run = ShowJson({"--folder", kExamples, "--decimal-separator", ","}, fs);
  ASSERT_EQ(run.Code, 0) << run.Err;
  EXPECT_TRUE(run.Err.empty());
  const std::string& json = run.Out;
  EXPECT_EQ(json.rfind("{\"list\": \"" + kExamples + "/Kuchyne.csv\",\n \"items\": [\n  {\"entry\": \"01. KH-60-D\", "
                       "\"code\": \"KH-60-D\", \"description\": \"Horní skříňka 60 cm, dvoje dvířka\", \"count\": \"2\", "
                       "\"price\": \"3490,00\", \"total\": \"6980,00\",\n   \"properties\": [\"Šířka: 600 mm\", ",
                       0),
            0u)
      << json;
  EXPECT_EQ(Occurrences(json, "{\"entry\": "), 10u);
  EXPECT_NE(json.find("\"picture\": " + cli::JsonString(app::JoinPath(app::JoinPath(kExamples, "Kuchyne_soubory"), "image019.jpg")) +
                      ", \"extra\": false}"),
            std::string::npos);
  // The example's longest items run past the twelve lines a picture takes.
  EXPECT_NE(json.find("\"Nožičky: nastavitelné 100–150 mm\", \"Záruka: 5 let na kování\"]"), std::string::npos);
  EXPECT_NE(json.find("\"Zadní stěna: HDF 3 mm\", \"Nožičky: nastavitelné 100–150 mm\", "
                      "\"Montáž: včetně kotvení ke stěně\"]"),
            std::string::npos);
  EXPECT_NE(json.find("],\n \"net\": \"45974,00\", \"vat\": \"9655,00\", \"gross\": \"55629,00\",\n \"window\": "),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"ItemCodeField\": \"01. KH-60-D\""), std::string::npos);
  EXPECT_NE(json.find("\"source_lines\": [\"Pořadí;Kód prvku;Počet kusů;Cena;Cena celkem;\", "), std::string::npos);
  EXPECT_TRUE(json.ends_with(" \"messages\": []}\n")) << json;
}

TEST(ShowJson, FailuresAreMessagesInTheSystemsWords) {
  app::TMemoryFileSystem fs;
  TRun run = ShowJson({"--folder", "/none"}, fs);
  EXPECT_EQ(run.Code, 1);
  EXPECT_EQ(run.Err, "Chyba: složka se seznamy prvků neexistuje: /none\n");
  EXPECT_TRUE(run.Out.starts_with(
      "{\"list\": null,\n \"items\": [],\n \"net\": \"0.00\", \"vat\": \"0.00\", \"gross\": \"0.00\",\n"))
      << run.Out;
  EXPECT_TRUE(run.Out.ends_with("\"MoveUpButtonEnabled\": true, \"MoveDownButtonEnabled\": true, \"Focus\": null},\n"
                                " \"source_lines\": [],\n \"messages\": [\"složka se seznamy prvků neexistuje: /none\"]}\n"))
      << run.Out;

  fs.AddFile("/lists/K.csv", text::EncodeCodePage("Poř\r\n1.;A;2;1,50;3,00;\r\n;popis\r\nCelkem;;;;\r\n", 1250));
  run = ShowJson({"--folder", "/lists"}, fs);  // the newest list has no picture folder
  EXPECT_EQ(run.Code, 1);
  EXPECT_NE(run.Out.find("\"messages\": [\"Nebyl nalezen soubor Wordu exportovaný jako .htm\"]}"), std::string::npos)
      << run.Out;

  run = ShowJson({"--list", "/lists/K.csv", "--decimal-separator", "."}, fs);
  EXPECT_EQ(run.Code, 1);
  // The runtime's message, and before it where the bad price stands.
  EXPECT_NE(run.Out.find("\"messages\": [\"K.csv, řádek 2, položka 01: '1,50' is not a valid floating point value\"]}"),
            std::string::npos)
      << run.Out;
  EXPECT_EQ(run.Err, "Chyba: K.csv, řádek 2, položka 01: '1,50' is not a valid floating point value\n");

  // A list without pictures: the item has no picture, the list is the opened one.
  run = ShowJson({"--list", "/lists/K.csv", "--decimal-separator", ","}, fs);
  EXPECT_EQ(run.Code, 0);
  EXPECT_NE(run.Out.find("{\"list\": \"/lists/K.csv\","), std::string::npos);
  EXPECT_NE(run.Out.find("\"properties\": [], \"picture\": null, \"extra\": false}"), std::string::npos) << run.Out;
}

// A bad price names the file, line and item; the hint about the decimal
// separator comes only where the other separator would have read the price.
TEST(ShowCommand, BadPricesSayWhere) {
  app::TMemoryFileSystem fs;
  // The price's bytes as they stand in the file: a UTF-8 no-break space in
  // an ANSI list reads as «Â» and a space.
  auto list = [](const std::string& price) {
    return text::EncodeCodePage("Poř;Kód;Počet;Cena;Celkem;\r\n1.;A;1.00;10,00;10,00;\r\n;popis\r\n2.;B;2.00;", 1250) +
           price + ";0,00;\r\n;popis\r\nCelkem;;;;\r\nCelkem bez DPH;;;;0\r\n";
  };
  fs.AddFile("/lists/Kuchyne.csv", list("3\xC2\xA0" "490,00"));
  TRun run = Show({"--list", "/lists/Kuchyne.csv", "--decimal-separator", ","}, fs);
  EXPECT_EQ(run.Code, 1);
  EXPECT_NE(run.Err.find("Kuchyne.csv, řádek 4, položka 02: '3Â490,00' is not a valid floating point value"),
            std::string::npos)
      << run.Err;
  EXPECT_EQ(run.Err.find("desetinný oddělovač"), std::string::npos) << "no separator reads it";
  fs.AddFile("/lists/Kuchyne.csv", list("3490.50"));
  run = Show({"--list", "/lists/Kuchyne.csv", "--decimal-separator", ","}, fs);
  EXPECT_NE(run.Err.find("položka 02: '3490.50'"), std::string::npos) << run.Err;
  EXPECT_NE(run.Err.find("desetinný oddělovač je \",\""), std::string::npos) << run.Err;
  fs.AddFile("/lists/Kuchyne.csv", list("1e20"));
  run = Show({"--list", "/lists/Kuchyne.csv", "--decimal-separator", ","}, fs);
  EXPECT_NE(run.Err.find("Kuchyne.csv, řádek 4, položka 02: Cena položky B je mimo rozsah: '1e20'"),
            std::string::npos)
      << run.Err;
}

}  // namespace
