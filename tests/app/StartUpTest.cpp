#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/DosDateTime.h"
#include "app/Paths.h"
#include "text/Conversion.h"

using namespace apptest;

namespace {

TEST(DosDateTime, PacksInTwoSecondSteps) {
  const app::TLocalDateTime t{2024, 3, 1, 10, 0, 0};
  const std::int32_t packed = app::PackDosDateTime(t);
  EXPECT_EQ(packed, (44 << 25) | (3 << 21) | (1 << 16) | (10 << 11));
  EXPECT_EQ(app::PackDosDateTime({2024, 3, 1, 10, 0, 1}), packed);
  EXPECT_EQ(app::PackDosDateTime({2024, 3, 1, 10, 0, 2}), packed + 1);
  EXPECT_EQ(app::UnpackDosDateTime(app::PackDosDateTime({2031, 12, 31, 23, 59, 59})),
            (app::TLocalDateTime{2031, 12, 31, 23, 59, 58}));
  EXPECT_LT(app::PackDosDateTime({2044, 1, 1, 0, 0, 0}), 0);  // past the signed range
  EXPECT_EQ(app::PackDosDateTime({1979, 12, 31, 0, 0, 0}), -1);
}

class StartUpTest : public ::testing::Test {
 protected:
  TAppFixture f;
  app::TOfferWorkspace& Ws() { return f.Window.Workspace; }
};

TEST_F(StartUpTest, LoadsTheNewestListWithItsPictures) {
  f.AddList("A.csv", ListLines({{"A1"}, {"A2"}}), {2024, 5, 6, 10, 0, 0});
  f.AddList("B.csv", ListLines({{"B1"}}), {2024, 5, 6, 9, 59, 58});
  f.AddPictureFolder("A_soubory", 4);
  f.Fs.AddFile("/lists/popis_tabulky.txt", text::EncodeCodePage("Nabídka – Nábytek Novák\r\ndruhý řádek\r\n", 1250));
  f.Window.Hooks.ReadCustomers = nullptr;  // without a customer list its reading would fail
  f.Window.FormCreate();

  EXPECT_TRUE(f.Dialogs.Errors.empty());
  EXPECT_TRUE(f.Dialogs.Messages.empty());
  EXPECT_EQ(f.Window.Window.DescriptionEntry, "Nabídka – Nábytek Novák");
  EXPECT_EQ(Ws().CsvFileList.Names(), (app::TTextList{"A.csv", "B.csv"}));
  const std::string stampA = std::to_string(app::PackDosDateTime({2024, 5, 6, 10, 0, 0}));
  EXPECT_EQ(Ws().LatestCsvEntry, stampA + "@A.csv");
  EXPECT_EQ(Ws().LatestCsvName, "A.csv");
  EXPECT_EQ(Ws().CurrentCsvPath, f.StartUpPathOf("A.csv"));
  EXPECT_EQ(Ws().ExportFilePath, f.StartUpPathOf("A.xlsx"));
  EXPECT_EQ(Ws().CsvFilesByStamp.Count(), 2u);
  EXPECT_EQ(Ws().FolderNames.Last(), "A_soubory");
  EXPECT_EQ(f.Items(), (std::vector<std::string>{"01. A1", "02. A2"}));
  EXPECT_EQ(Ws().ItemImagePaths.Count(), 2u);
}

TEST_F(StartUpTest, EqualStampsPickTheLastNameWithoutRegardToCase) {
  f.AddList("a.csv", ListLines({{"x"}}), {2024, 5, 6, 10, 0, 0});
  f.AddList("B.csv", ListLines({{"y"}}), {2024, 5, 6, 10, 0, 1});  // same two-second step
  f.AddPictureFolder("B_soubory", 2);
  f.Window.FormCreate();
  EXPECT_EQ(Ws().LatestCsvName, "B.csv");
  EXPECT_EQ(f.Items(), (std::vector<std::string>{"01. y"}));
}

TEST_F(StartUpTest, StampsCompareAsNumbersNotTexts) {
  // As texts, the nine-digit stamp of 2008 would sort after a ten-digit one,
  // and the negative stamp of 2050 before everything.
  f.AddList("old.csv", ListLines({{"o"}}), {2008, 6, 1, 12, 0, 0});
  f.AddList("new.csv", ListLines({{"n"}}), {2025, 1, 1, 12, 0, 0});
  f.AddList("unknown.csv", ListLines({{"u"}}));
  f.Fs.SetTimeUnreadable("/lists/unknown.csv");
  f.AddPictureFolder("new_soubory", 2);
  f.Window.FormCreate();
  EXPECT_EQ(Ws().LatestCsvName, "new.csv");
  EXPECT_EQ(Ws().CsvFilesByStamp.Get(0), "-1@unknown.csv");

  TAppFixture g;
  g.AddList("now.csv", ListLines({{"n"}}), {2025, 1, 1, 12, 0, 0});
  g.AddList("future.csv", ListLines({{"f"}}), {2050, 1, 1, 12, 0, 0});
  g.AddPictureFolder("future_soubory", 2);
  g.Window.FormCreate();
  EXPECT_EQ(g.Window.Workspace.LatestCsvName, "future.csv");
  EXPECT_EQ(g.Window.Workspace.LatestCsvEntry.front(), '-');
}

TEST_F(StartUpTest, NameWithCommercialAtStaysWhole) {
  f.AddList("Novak@Kuchyne.csv", ListLines({{"K"}}));
  f.AddPictureFolder("Novak@Kuchyne_soubory", 2);
  f.Window.FormCreate();
  EXPECT_EQ(Ws().LatestCsvName, "Novak@Kuchyne.csv");
  EXPECT_EQ(f.Items(), (std::vector<std::string>{"01. K"}));
}

TEST_F(StartUpTest, NewestListWithoutPictureFolderLeavesOfferEmpty) {
  f.AddList("old.csv", ListLines({{"o"}}), {2024, 1, 1, 0, 0, 0});
  f.AddPictureFolder("old_soubory", 2);
  f.AddList("new.csv", ListLines({{"n"}}), {2024, 2, 1, 0, 0, 0});
  bool customersRead = false;
  f.Window.Hooks.ReadCustomers = [&](app::TMainWindow&) { customersRead = true; };
  f.Window.FormCreate();
  EXPECT_EQ(f.Dialogs.Messages, (std::vector<std::string>{"Nebyl nalezen soubor Wordu exportovaný jako .htm"}));
  EXPECT_TRUE(Ws().SourceLines.Empty());
  EXPECT_TRUE(f.Items().empty());
  const auto& w = f.Window.Window;
  EXPECT_FALSE(w.OpenButtonEnabled || w.AppendButtonEnabled || w.ExtraItemsButtonEnabled || w.ExportButtonEnabled ||
               w.MoveUpButtonEnabled || w.MoveDownButtonEnabled);
  EXPECT_EQ(Ws().CurrentCsvPath, f.StartUpPathOf("new.csv"));
  EXPECT_TRUE(customersRead);  // the customer list is still read
}

TEST_F(StartUpTest, MissingFolderOrNoListIsShownAndEndsStartUp) {
  bool customersRead = false;
  f.Window.Hooks.ReadCustomers = [&](app::TMainWindow&) { customersRead = true; };
  f.Window.FormCreate();  // folder without lists
  EXPECT_EQ(f.Dialogs.Errors, (std::vector<std::string>{"List index out of bounds (-1)"}));
  EXPECT_FALSE(customersRead);

  apptest::TScriptedDialogs dialogs;
  app::TMemoryFileSystem empty;
  app::TMainWindow window(empty, dialogs, {"/nowhere", text::TRegionalSettings::Czech(), 1250});
  window.FormCreate();
  EXPECT_EQ(dialogs.Errors, (std::vector<std::string>{"I/O error 3: /nowhere"}));
  EXPECT_EQ(window.Window.NetTotalField, "0.00");
}

TEST_F(StartUpTest, FolderListingHoldsPathComponentsThenSubFolders) {
  f.Fs.AddFolder("/lists/zeta").AddFolder("/lists/Alfa");
  f.Window.ListArticleFolder();
  EXPECT_EQ(Ws().FolderNames, (app::TTextList{std::string(1, app::kPathDelimiter), "lists", "Alfa", "zeta"}));
  EXPECT_EQ(Ws().FolderNamesComponentCount, 2u);
}

TEST(StartUpFolders, ArticleFolderOwnNameIsNoPictureFolder) {
  app::TMemoryFileSystem fs;
  TScriptedDialogs dialogs;
  fs.AddFile("/data/K_soubory/K.csv", AnsiFile(ListLines({{"A"}})));
  app::TMainWindow window(fs, dialogs, {"/data/K_soubory", text::TRegionalSettings::Czech(), 1250});
  window.FormCreate();
  EXPECT_EQ(dialogs.Messages, (std::vector<std::string>{"Nebyl nalezen soubor Wordu exportovaný jako .htm"}));
}

}  // namespace
