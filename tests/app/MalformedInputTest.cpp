#include <gtest/gtest.h>

#include <random>

#include "AppTestSupport.h"
#include "app/JpegPicture.h"
#include "app/OfferItems.h"

using namespace apptest;

namespace {

// Whatever a file holds, a command either completes or fails with an
// exception the error box can show; it never reads outside a table.
TEST(MalformedInput, RandomListsNeverCrash) {
  const std::vector<std::string> pieces{";", ";", ";", "1", "2.", ",", ".00", " ", "   ", "\xA0", "\x8A",
                                        "a", "\r", "\n", "\n", "\r\n", "-", "99", "\x00"};
  std::mt19937 random(12345);
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    const int length = static_cast<int>(random() % 400);
    for (int i = 0; i < length; ++i) bytes += pieces[random() % pieces.size()];
    if (round % 7 == 0) bytes += std::string(700, 'x') + std::string(300, ' ') + "y\n";
    TAppFixture f;
    f.Fs.AddFile("/lists/r.csv", bytes);
    f.Fs.AddFile("/lists/s.csv", bytes.substr(bytes.size() / 2));
    f.Window.ListArticleFolder();
    try {
      f.Window.OpenList("/lists/r.csv");
    } catch (const std::exception&) {
    }
    try {
      f.Window.AppendList("/lists/s.csv");
    } catch (const std::exception&) {
    }
    (void)app::CollectOfferItems(f.Window.Workspace, f.Window.Window);
  }
}

TEST(MalformedInput, ListWithoutSummaryShowsItemsAndSkipsListTotals) {
  TAppFixture f;
  f.AddList("k.csv", {"Pořadí;", "1.;A;2;10,00;20,00;", ";Popis A", ";vlastnost", "2.;B;1;5,00;5,00;", ";Popis B",
                      ";poslední vlastnost"});
  f.Open("k.csv");
  EXPECT_EQ(f.Items(), (std::vector<std::string>{"01. A", "02. B"}));
  EXPECT_EQ(f.Window.Window.NetTotalField, "025,00");
  const auto items = app::CollectOfferItems(f.Window.Workspace, f.Window.Window);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].Properties, (std::vector<std::string>{"vlastnost"}));
  EXPECT_EQ(items[1].Description, "Popis B");
  EXPECT_EQ(items[1].Properties, (std::vector<std::string>{"poslední vlastnost"}));
}

TEST(MalformedInput, ListOfOneItemLineOnly) {
  TAppFixture f;
  f.AddList("k.csv", {"Pořadí;", "1.;A;2;10,00;20,00;"});
  f.Open("k.csv");
  EXPECT_TRUE(f.Items().empty());
  EXPECT_EQ(f.Window.Workspace.ItemCount, "0");
  EXPECT_EQ(f.Window.Window.NetTotalField, "000,00");
}

TEST(MalformedInput, BrokenPictureKeepsThePreviousOne) {
  TAppFixture f;
  f.AddList("k.csv", ListLines({{"A"}}));
  f.AddPictureFolder("k_soubory", 2);  // the files are not JPEG data
  f.Window.Window.ItemPicture = app::TPictureState{"/old.jpg", 10, 10};
  f.Open("k.csv");
  EXPECT_EQ(f.Window.Window.ItemPicture.FileName, "/old.jpg");
  EXPECT_FALSE(app::ReadJpegSize("").has_value());
  EXPECT_FALSE(app::ReadJpegSize("\xFF\xD8\xFF\xE0 truncated").has_value());
  EXPECT_FALSE(app::DecodeJpeg(std::string(100, '\xFF')).has_value());
}

TEST(MalformedInput, UnreadableListReportsTheIoError) {
  TAppFixture f;
  f.AddList("k.csv", ListLines({{"A"}}));
  f.Fs.SetUnreadable("/lists/k.csv");
  f.Window.ListArticleFolder();
  EXPECT_FALSE(f.Window.RunCommand([&] { f.Window.OpenList("/lists/k.csv"); }));
  EXPECT_EQ(f.Dialogs.Errors, (std::vector<std::string>{"File access denied: /lists/k.csv"}));
  EXPECT_TRUE(f.Window.Workspace.SourceLines.Empty());
}

}  // namespace
