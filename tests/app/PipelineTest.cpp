#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/OfferItems.h"
#include "text/Conversion.h"

using namespace apptest;

namespace {

class PipelineTest : public ::testing::Test {
 protected:
  TAppFixture f;
  app::TOfferWorkspace& Ws() { return f.Window.Workspace; }
  app::TMainWindowState& Win() { return f.Window.Window; }
  void Load(const std::vector<TTestItem>& items) {
    Ws().SourceLines.Clear();
    for (const auto& line : ListLines(items)) Ws().SourceLines.Add(line);
    f.Window.OfferPipeline();
  }
};

TEST_F(PipelineTest, EmptyWindowShowsInitialTotals) {
  EXPECT_EQ(Win().NetTotalField, "0.00");
  EXPECT_EQ(Win().VatField, "0.00");
  EXPECT_EQ(Win().GrossTotalField, "0.00");
  EXPECT_TRUE(Ws().SourceLines.Empty());
  EXPECT_EQ(Ws().ImageFolderPath, "bez obrázků");
  EXPECT_EQ(Ws().ArticleGrid.RowCount(), 20u);
  EXPECT_EQ(Ws().CalcGrid.RowCount(), 6u);
}

TEST_F(PipelineTest, ThreeItemsWithSummaryBlock) {
  Load({{"A", "2.00", "1\u00A0234,50", {"Barva: bílá", "Šířka: 600"}}, {"B", "3", "0,10"}, {"C", "1.00", "5,00"}});
  EXPECT_EQ(Ws().ItemCount, "3");
  EXPECT_EQ(Ws().ImportedItemCount, "3");
  EXPECT_EQ(f.Items(), (std::vector<std::string>{"01. A", "02. B", "03. C"}));
  EXPECT_EQ(Ws().ItemStartRows.Count(), 6u);
  EXPECT_EQ(Ws().ItemStartRows.Get(0), "2");
  EXPECT_EQ(Ws().ItemStartRows.Get(1), "6");
  EXPECT_EQ(Ws().CalcGrid.RowCount(), 5u);

  EXPECT_EQ(Ws().CalcGrid.Cell(0, 1), "1");
  EXPECT_EQ(Ws().CalcGrid.Cell(1, 1), "A");
  EXPECT_EQ(Ws().CalcGrid.Cell(3, 1), "1234,50");
  EXPECT_EQ(Ws().CalcGrid.Cell(4, 1), "2469,00");
  EXPECT_EQ(Ws().CalcGrid.Cell(4, 2), "0,30");
  EXPECT_EQ(Ws().CalcGrid.Cell(4, 3), "5,00");
  // 2469 + 0.3 + 5 = 2474.3 -> 2474; VAT 519.603 -> 520; gross 2993.903 -> 2994.
  EXPECT_EQ(Ws().CalcGrid.Cell(4, 4), "2474,00");
  EXPECT_EQ(Win().NetTotalField, "2474,00");
  EXPECT_EQ(Win().VatField, "520,00");
  EXPECT_EQ(Win().GrossTotalField, "2994,00");

  // The first item is shown, with its raw fields from the list.
  EXPECT_EQ(Win().ItemList.ItemIndex, 0);
  EXPECT_EQ(Ws().SelectedItemIndex, "0");
  EXPECT_EQ(Win().ItemCodeField, "01. A");
  EXPECT_EQ(Win().ItemDescriptionField, "Popis A");
  EXPECT_EQ(Win().ItemCountField, "2");
  EXPECT_EQ(Win().CountEntry, "2");
  EXPECT_EQ(Win().ItemPriceField, "1234,50");
  EXPECT_EQ(Win().ItemTotalField, "0,00;");
  EXPECT_EQ(Win().PropertiesBox, (app::TTextList{"Barva: bílá", "Šířka: 600"}));

  const auto items = app::CollectOfferItems(Ws(), Win());
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].Properties.size(), 2u);
  EXPECT_TRUE(items[1].Properties.empty());
  EXPECT_EQ(items[2].Description, "Popis C");
}

TEST_F(PipelineTest, TotalsRoundHalfToEvenIndependently) {
  Load({{"A", "1", "1234,50"}});
  EXPECT_EQ(Win().NetTotalField, "1234,00");
  EXPECT_EQ(Win().VatField, "259,00");
  EXPECT_EQ(Win().GrossTotalField, "1494,00");
  Load({{"A", "1", "2468,50"}});
  EXPECT_EQ(Win().NetTotalField, "2468,00");
  EXPECT_EQ(Win().VatField, "518,00");
  EXPECT_EQ(Win().GrossTotalField, "2987,00");
  Load({{"A", "1", "1235,50"}});
  EXPECT_EQ(Win().NetTotalField, "1236,00");
  Load({{"A", "1", "5"}});
  EXPECT_EQ(Ws().CalcGrid.Cell(4, 2), "005,00");
  EXPECT_EQ(Win().NetTotalField, "005,00");
}

TEST_F(PipelineTest, MoneyIsSinglePrecision) {
  // 0.1 in single precision times 3 is 0.3000000119..., a sum of 16777216 +
  // 1 stays 16777216 in single precision.
  Load({{"A", "3", "0,10"}, {"B", "1", "16777216"}, {"C", "1", "1"}});
  EXPECT_EQ(Ws().CalcGrid.Cell(4, 1), "0,30");
  EXPECT_EQ(Win().NetTotalField, "16777216,00");
  // 7 x 1234567.89: the single-precision price is 1234567.875, the product 8641975 exactly.
  Load({{"A", "7", "1234567,89"}});
  EXPECT_EQ(Ws().CalcGrid.Cell(4, 1), "8641975,00");
}

TEST_F(PipelineTest, TenItemsAreNumberedWithTwoDigits) {
  std::vector<TTestItem> items;
  for (int i = 0; i < 10; ++i) items.push_back({"K" + std::to_string(i)});
  Load(items);
  EXPECT_EQ(f.Items()[8], "09. K8");
  EXPECT_EQ(f.Items()[9], "10. K9");
}

TEST_F(PipelineTest, NoItemsGiveZeroTotals) {
  Load({});
  EXPECT_EQ(Ws().ItemCount, "0");
  EXPECT_TRUE(f.Items().empty());
  EXPECT_EQ(Win().NetTotalField, "000,00");
  EXPECT_EQ(Win().VatField, "000,00");
  EXPECT_EQ(Win().GrossTotalField, "000,00");
  EXPECT_EQ(Win().ItemList.ItemIndex, -1);
  EXPECT_EQ(Win().ItemCodeField, "Kód prvku");
}

TEST_F(PipelineTest, BadCountStopsCalculationAndKeepsListTotals) {
  Ws().SourceLines.Clear();
  for (const auto& line : ListLines({{"A", "2", "10,00"}, {"B", "1.50", "1,00"}, {"C", "1", "1,00"}})) {
    Ws().SourceLines.Add(line);
  }
  try {
    f.Window.OfferPipeline();
    FAIL() << "expected a conversion error";
  } catch (const text::EConvertError& e) {
    EXPECT_STREQ(e.what(), "'1.50' is not a valid integer value");
  }
  EXPECT_EQ(Ws().CalcGrid.Cell(4, 1), "20,00");  // rows before the failing one are done
  EXPECT_EQ(Ws().CalcGrid.Cell(4, 3), "");
  EXPECT_EQ(Win().NetTotalField, "1000,00");    // the list file's own totals
  EXPECT_EQ(Win().VatField, "210,00");
  EXPECT_EQ(Win().GrossTotalField, "1210,00");
}

TEST_F(PipelineTest, PriceNeedsTheRegionalSeparator) {
  Ws().SourceLines.Clear();
  for (const auto& line : ListLines({{"A", "2", "12.50"}})) Ws().SourceLines.Add(line);
  EXPECT_THROW(f.Window.OfferPipeline(), text::EConvertError);
  f.Window.SetRegion(text::TRegionalSettings::English());
  f.Window.OfferPipeline();
  EXPECT_EQ(Ws().CalcGrid.Cell(4, 1), "25.00");
  EXPECT_EQ(Win().NetTotalField, "025.00");
}

TEST_F(PipelineTest, AdditionalItemsCountUntilTheNextPipelineRun) {
  Load({{"A", "1", "10,00"}, {"B", "1", "10,00"}, {"C", "1", "10,00"}});
  // What the additional-items dialog leaves behind: two more CalcGrid rows.
  Ws().CalcGrid.SetRowCount(7);
  Ws().CalcGrid.SetCell(0, 4, "4").SetCell(1, 4, "X").SetCell(2, 4, "2").SetCell(3, 4, "5,00").SetCell(5, 4, "extra");
  Ws().CalcGrid.SetCell(0, 5, "5").SetCell(1, 5, "Y").SetCell(2, 5, "1").SetCell(3, 5, "1,00");
  Ws().ItemCount = "5";
  Win().ItemList.Items.Add("04. X").Add("05. Y");
  f.Window.KalkulaceTabulky();
  EXPECT_EQ(Win().NetTotalField, "041,00");
  EXPECT_EQ(Ws().ImportedItemCount, "3");
  const auto items = app::CollectOfferItems(Ws(), Win());
  ASSERT_EQ(items.size(), 5u);
  EXPECT_FALSE(items[3].Imported);
  EXPECT_EQ(items[3].Description, "extra");
  EXPECT_EQ(items[3].Total, "10,00");

  f.Window.OfferPipeline();
  EXPECT_EQ(Ws().ItemCount, "3");
  EXPECT_EQ(f.Items().size(), 3u);
  EXPECT_EQ(Ws().CalcGrid.RowCount(), 5u);
  EXPECT_EQ(Ws().CalcGrid.Cell(5, 4), "");  // the old extra row does not show through
  EXPECT_EQ(Win().NetTotalField, "030,00");
}

TEST_F(PipelineTest, PositionZeroKeepsItemListInStep) {
  Ws().SourceLines.Clear();
  for (const auto& line : {"Poř", "0;A;1;1,00;1,00;", ";a", "2.;B;2;1,00;2,00;", ";b", "Celkem;;;;", "Bez DPH;;;;3", "DPH 21%;;;;0",
                           "S DPH;;;;3"}) {
    Ws().SourceLines.Add(line);
  }
  f.Window.OfferPipeline();
  EXPECT_EQ(f.Items(), (std::vector<std::string>{"01. A", "02. B"}));
  EXPECT_EQ(Ws().CalcGrid.Cell(1, 2), "B");
  EXPECT_EQ(Win().NetTotalField, "003,00");
}

}  // namespace
