#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/Paths.h"

using namespace apptest;

namespace {

std::string Pic(const std::string& folder, const std::string& name) {
  return app::JoinPath(app::JoinPath(kFolder, folder), name);
}

class OfferFilesTest : public ::testing::Test {
 protected:
  TAppFixture f;
  app::TOfferWorkspace& Ws() { return f.Window.Workspace; }
};

TEST_F(OfferFilesTest, OpenCommandAssociatesEveryOtherPicture) {
  f.AddList("Kuchyne 3.csv", ListLines({{"A"}, {"B"}, {"C"}}));
  f.AddPictureFolder("Kuchyne 3_soubory", 6);
  f.Fs.AddFile("/lists/Kuchyne 3_soubory/image007.png", "png");
  f.Fs.AddFile("/lists/Kuchyne 3_soubory/filelist.xml", "<xml/>");
  f.Dialogs.Answers.push_back(f.PathOf("Kuchyne 3.csv"));
  f.Window.ListArticleFolder();
  f.Window.Window.MoveUpButtonEnabled = false;
  f.Window.OpenListClick();

  ASSERT_EQ(f.Dialogs.Asked.size(), 1u);
  EXPECT_EQ(f.Dialogs.Asked[0].Title, "Otevřít tabulku z disku");
  EXPECT_EQ(f.Dialogs.Asked[0].Filter, "Soubory CSV |*.csv");
  EXPECT_EQ(f.Dialogs.Asked[0].DefaultExt, "csv");
  EXPECT_EQ(f.Dialogs.Asked[0].InitialDir, kFolder);
  EXPECT_TRUE(f.Window.Window.MoveUpButtonEnabled);

  EXPECT_EQ(Ws().CurrentCsvPath, f.PathOf("Kuchyne 3.csv"));
  EXPECT_EQ(Ws().OpenedCsvName, "Kuchyne 3.csv");
  EXPECT_EQ(Ws().ImageFolderName, "Kuchyne 3_soubory");
  EXPECT_EQ(Ws().ImageFolderPath, app::JoinPath(kFolder, "Kuchyne 3_soubory"));
  EXPECT_EQ(Ws().ImageFileNames, (app::TTextList{"image001.jpg", "image003.jpg", "image005.jpg"}));
  EXPECT_EQ(Ws().ItemImagePaths.Get(2), Pic("Kuchyne 3_soubory", "image005.jpg"));
  EXPECT_EQ(f.Items().size(), 3u);
}

// Pictures that cannot pair with the items are told once, naming the folder
// and both counts; the offer is built as always.
TEST_F(OfferFilesTest, PicturesThatDoNotPairAreTold) {
  f.AddList("K.csv", ListLines({{"A"}, {"B"}}));
  f.AddPictureFolder("K_soubory", 3);  // an odd number of files
  f.AddList("L.csv", ListLines({{"A"}, {"B"}, {"C"}}));
  f.AddPictureFolder("L_soubory", 2);  // one picture for three items
  f.AddList("M.csv", ListLines({{"A"}, {"B"}}));
  f.AddPictureFolder("M_soubory", 4);
  f.Open("K.csv");
  EXPECT_EQ(f.Dialogs.Messages, std::vector<std::string>{app::PicturesDoNotPairMessage(f.PathOf("K_soubory"), 3, 2)});
  EXPECT_EQ(f.Items().size(), 2u);
  EXPECT_EQ(Ws().ItemImagePaths.Count(), 2u);

  f.Dialogs.Messages.clear();
  f.Open("L.csv");
  EXPECT_EQ(f.Dialogs.Messages, std::vector<std::string>{app::PicturesDoNotPairMessage(f.PathOf("L_soubory"), 2, 3)});
  EXPECT_EQ(f.Items().size(), 3u);

  f.Dialogs.Messages.clear();
  f.Open("M.csv");
  EXPECT_TRUE(f.Dialogs.Messages.empty()) << "pairs for every item";
  // Appending counts the appended items against the appended folder.
  f.Window.AppendList(f.PathOf("K.csv"));
  EXPECT_EQ(f.Dialogs.Messages, std::vector<std::string>{app::PicturesDoNotPairMessage(f.PathOf("K_soubory"), 3, 2)});
  EXPECT_EQ(f.Items().size(), 4u);
}

TEST_F(OfferFilesTest, OpenedListExportsToItsOwnWorkbook) {
  f.AddList("A.csv", ListLines({{"A1"}}), {2024, 5, 6, 10, 0, 0});
  f.AddList("B.csv", ListLines({{"B1"}}), {2024, 5, 6, 9, 0, 0});
  f.Window.Hooks.ReadCustomers = nullptr;
  f.Window.FormCreate();
  EXPECT_EQ(Ws().ExportFilePath, f.StartUpPathOf("A.xlsx"));
  f.Window.OpenList(f.PathOf("B.csv"));
  EXPECT_EQ(Ws().ExportFilePath, f.PathOf("B.xlsx"));  // not the start-up list's workbook
  f.Fs.AddFile("/elsewhere/K.CSV", AnsiFile(ListLines({{"K1"}})));
  f.Window.OpenList("/elsewhere/K.CSV");
  EXPECT_EQ(Ws().ExportFilePath, "/elsewhere/K.xlsx");

  EXPECT_EQ(app::ExportFilePathFor("/a.b/Kuchyně.csv"), "/a.b/Kuchyně.xlsx");
  EXPECT_EQ(app::ExportFilePathFor("/a.b/seznam"), "/a.b/seznam.xlsx");
  EXPECT_EQ(app::ExportFilePathFor("x.txt"), "x.xlsx");
}

TEST_F(OfferFilesTest, FolderNameMatchIsExact) {
  f.AddList("Kuchyne 3.csv", ListLines({{"A"}}));
  f.AddPictureFolder("kuchyne 3_soubory", 2);
  f.Open("Kuchyne 3.csv");
  EXPECT_EQ(Ws().ImageFolderPath, "bez obrázků");
  EXPECT_TRUE(Ws().ItemImagePaths.Empty());
  EXPECT_EQ(f.Items().size(), 1u);  // the list is loaded all the same
  EXPECT_EQ(app::TMainWindow::ImageFolderNameFor("a.csv"), "a_soubory");
  EXPECT_EQ(app::TMainWindow::ImageFolderNameFor(".csv"), "_soubory");
}

TEST_F(OfferFilesTest, PictureNamesOrderAsTextsWithoutCase) {
  f.AddList("L.csv", ListLines({{"A"}, {"B"}}));
  f.Fs.AddFolder("/lists/L_soubory");
  for (const char* name : {"img9.jpg", "IMG10.JPG", "img1.jpg", "img2.jpg"}) f.Fs.AddFile(std::string("/lists/L_soubory/") + name, "");
  f.Open("L.csv");
  EXPECT_EQ(Ws().ImageFolderFiles.Names(), (app::TTextList{"img1.jpg", "IMG10.JPG", "img2.jpg", "img9.jpg"}));
  EXPECT_EQ(Ws().ImageFileNames, (app::TTextList{"img1.jpg", "img2.jpg"}));
}

TEST_F(OfferFilesTest, ListOpenedElsewhereTakesPicturesFromArticleFolder) {
  f.Fs.AddFile("/elsewhere/K.csv", AnsiFile(ListLines({{"A"}})));
  f.AddPictureFolder("K_soubory", 2);
  f.Window.ListArticleFolder();
  f.Window.OpenList("/elsewhere/K.csv");
  EXPECT_EQ(Ws().CurrentCsvPath, "/elsewhere/K.csv");
  EXPECT_EQ(Ws().ItemImagePaths, (app::TTextList{Pic("K_soubory", "image001.jpg")}));
}

TEST_F(OfferFilesTest, FoldersAndPicturesAreThoseSeenAtStartUp) {
  f.AddList("K.csv", ListLines({{"A"}, {"B"}}));
  f.AddPictureFolder("K_soubory", 2);
  f.Open("K.csv");
  // A picture added later is not seen when the same list is opened again...
  f.Fs.AddFile("/lists/K_soubory/image003.jpg", "");
  f.Window.OpenList(f.PathOf("K.csv"));
  EXPECT_EQ(Ws().ItemImagePaths.Count(), 1u);
  // ...and a folder created later is not found at all.
  f.AddList("N.csv", ListLines({{"A"}}));
  f.AddPictureFolder("N_soubory", 2);
  f.Window.OpenList(f.PathOf("N.csv"));
  EXPECT_EQ(Ws().ImageFolderPath, "bez obrázků");
  EXPECT_TRUE(Ws().ItemImagePaths.Empty());  // not the previous offer's names under the new folder
}

TEST_F(OfferFilesTest, OpenMissingFileChangesNothing) {
  f.AddList("K.csv", ListLines({{"A"}}));
  f.Open("K.csv");
  const app::TTextList before = Ws().SourceLines;
  try {
    f.Window.OpenList(f.PathOf("gone.csv"));
    FAIL();
  } catch (const app::EOfferError& e) {
    EXPECT_EQ(std::string(e.what()), "Soubor neexistuje: " + f.PathOf("gone.csv"));
  }
  EXPECT_EQ(Ws().SourceLines, before);
  EXPECT_EQ(Ws().CurrentCsvPath, f.PathOf("K.csv"));
  // Through the window's command runner the message lands in the error box.
  f.Dialogs.Answers.push_back(f.PathOf("gone.csv"));
  EXPECT_FALSE(f.Window.RunCommand([&] { f.Window.OpenListClick(); }));
  EXPECT_EQ(f.Dialogs.Errors, (std::vector<std::string>{"Soubor neexistuje: " + f.PathOf("gone.csv")}));
  // Cancelling the dialog does nothing.
  f.Window.OpenListClick();
  EXPECT_EQ(Ws().SourceLines, before);
}

TEST_F(OfferFilesTest, AppendJoinsListsAndPictures) {
  f.AddList("A.csv", ListLines({{"A1", "1", "10,00"}, {"A2", "1", "10,00"}, {"A3", "1", "10,00"}}));
  f.AddList("B.csv", ListLines({{"B1", "2", "1,50", {"p1", "p2"}}, {"B2", "1", "1,00"}}));
  f.AddPictureFolder("A_soubory", 6);
  f.AddPictureFolder("B_soubory", 4);
  f.Open("A.csv");
  f.Dialogs.Answers.push_back(f.PathOf("B.csv"));
  f.Window.AppendListClick();

  EXPECT_EQ(f.Items(), (std::vector<std::string>{"01. A1", "02. A2", "03. A3", "04. B1", "05. B2"}));
  EXPECT_EQ(Ws().ItemImagePaths.Count(), 5u);
  EXPECT_EQ(Ws().ItemImagePaths.Get(3), Pic("B_soubory", "image001.jpg"));
  EXPECT_EQ(Ws().ItemImagePaths.Get(4), Pic("B_soubory", "image003.jpg"));
  EXPECT_EQ(f.Window.Window.NetTotalField, "034,00");
  EXPECT_EQ(Ws().CurrentCsvPath, f.PathOf("A.csv"));  // the offer stays the first list
  EXPECT_EQ(Ws().ImageFolderName, "A_soubory");
  EXPECT_EQ(Ws().AppendImageFolderName, "B_soubory");
  EXPECT_EQ(Ws().OpenedCsvName, "B.csv");
  // Header and 3 blocks of the first list, then the 2 blocks and the summary of the second.
  EXPECT_EQ(Ws().SourceLines.Count(), 1u + 6u + 6u + 4u);
  EXPECT_EQ(Ws().SourceLines.Get(0), "Pořadí;Kód prvku;Počet;Cena;Cena celkem;");

  // Appending the same list again lists its elements twice.
  f.Window.AppendList(f.PathOf("B.csv"));
  EXPECT_EQ(f.Items().size(), 7u);
  EXPECT_EQ(f.Items()[6], "07. B2");
}

TEST_F(OfferFilesTest, AppendedItemsKeepTheirOwnPictures) {
  // The first folder has one picture more than its list has items.
  f.AddList("A.csv", ListLines({{"A1"}, {"A2"}, {"A3"}}));
  f.AddList("B.csv", ListLines({{"B1"}}));
  f.AddPictureFolder("A_soubory", 8);
  f.AddPictureFolder("B_soubory", 2);
  f.Open("A.csv");
  EXPECT_EQ(Ws().ItemImagePaths.Count(), 4u);
  f.Window.AppendList(f.PathOf("B.csv"));
  ASSERT_EQ(Ws().ItemImagePaths.Count(), 4u);
  EXPECT_EQ(Ws().ItemImagePaths.Get(3), Pic("B_soubory", "image001.jpg"));

  // One picture too few: the item without one has an empty path.
  TAppFixture g;
  g.AddList("C.csv", ListLines({{"C1"}, {"C2"}}));
  g.AddPictureFolder("C_soubory", 2);
  g.AddList("D.csv", ListLines({{"D1"}}));
  g.AddPictureFolder("D_soubory", 2);
  g.Open("C.csv");
  g.Window.AppendList(g.PathOf("D.csv"));
  EXPECT_EQ(g.Window.Workspace.ItemImagePaths,
            (app::TTextList{Pic("C_soubory", "image001.jpg"), "", Pic("D_soubory", "image001.jpg")}));
}

TEST_F(OfferFilesTest, AppendEdgeCases) {
  f.AddList("B.csv", ListLines({{"B1"}, {"B2"}}));
  f.AddList("one.csv", {"Pořadí;x"});
  // To an empty workspace: the appended list is taken whole, nothing is lost.
  f.Window.ListArticleFolder();
  f.Window.AppendList(f.PathOf("B.csv"));
  EXPECT_EQ(f.Items(), (std::vector<std::string>{"01. B1", "02. B2"}));
  // A one-line file removes the summary block and adds nothing.
  const std::size_t before = Ws().SourceLines.Count();
  f.Window.AppendList(f.PathOf("one.csv"));
  EXPECT_EQ(Ws().SourceLines.Count(), before - 4);
  // A missing file changes nothing.
  EXPECT_THROW(f.Window.AppendList(f.PathOf("none.csv")), app::EOfferError);
  EXPECT_EQ(Ws().SourceLines.Count(), before - 4);
}

TEST_F(OfferFilesTest, AppendToAShortOfferKeepsTheFirstAppendedElement) {
  // A current "list" of fewer than five lines holds no summary block to drop:
  // the appended list is taken whole, its first element included.
  f.Fs.AddFile("/lists/short.csv", AnsiFile({"Pořadí;Kód", "1.;S1;1.00;1,00;1,00;", ";popis"}));
  f.AddList("B.csv", ListLines({{"B1"}, {"B2"}}));
  f.Window.ListArticleFolder();
  f.Window.OpenList(f.PathOf("short.csv"));
  ASSERT_EQ(Ws().SourceLines.Count(), 3u);
  f.Window.AppendList(f.PathOf("B.csv"));
  const std::vector<std::string> items = f.Items();
  ASSERT_FALSE(items.empty());
  EXPECT_EQ(items.front(), "01. B1");
  EXPECT_EQ(items.back(), "02. B2");
}

TEST_F(OfferFilesTest, AppendDropsAdditionalItems) {
  f.AddList("A.csv", ListLines({{"A1"}}));
  f.AddList("B.csv", ListLines({{"B1"}}));
  f.Open("A.csv");
  f.Window.Window.ItemList.Items.Add("02. extra");
  f.Window.Workspace.ItemCount = "2";
  f.Window.AppendList(f.PathOf("B.csv"));
  EXPECT_EQ(f.Items(), (std::vector<std::string>{"01. A1", "02. B1"}));
}

}  // namespace
