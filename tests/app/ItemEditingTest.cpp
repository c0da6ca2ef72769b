// The handlers the window binds to: the detail view, count and price entry,
// moves and the additional-items dialog, driven as a user drives them.
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/WindowCommands.h"
#include "text/Conversion.h"
#include "xlsx/TestImages.h"

namespace {

using apptest::TAppFixture;
using apptest::TTestItem;

class EditingTest : public ::testing::Test {
 protected:
  TAppFixture f;
  app::TMainWindow& W = f.Window;
  app::TOfferWorkspace& Ws = f.Window.Workspace;
  app::TMainWindowState& View = f.Window.Window;

  // A list "K.csv" with a picture folder of real JPEGs, opened; the decimal
  // point is the regional separator, as in the worked examples.
  void Load(const std::vector<TTestItem>& items, const std::string& decimalSeparator = ".") {
    text::TRegionalSettings region = text::TRegionalSettings::Czech();
    region.fDecimalSeparator = decimalSeparator;
    W.SetRegion(region);
    f.AddList("K.csv", apptest::ListLines(items));
    f.Fs.AddFolder(f.PathOf("K_soubory"));
    for (std::size_t i = 0; i < items.size(); ++i) {
      for (int copy = 0; copy < 2; ++copy) {  // the web export keeps every picture twice
        char name[32];
        std::snprintf(name, sizeof name, "image%03zu.jpg", 2 * i + 1 + copy);
        f.Fs.AddFile(f.PathOf("K_soubory/") + name, xlsxtest::MakeJpeg(8 + static_cast<int>(i), 4, 200, 10, 10));
      }
    }
    f.Open("K.csv");
  }
  std::string Picture(int item) const {
    char name[32];
    std::snprintf(name, sizeof name, "image%03d.jpg", 2 * item + 1);
    return app::JoinPath(f.PathOf("K_soubory"), name);
  }
  std::string FirstLineOf(int item) const { return Ws.SourceLines.Get(Ws.ItemStartRows.GetInt(item) - 1); }
  app::TCommandResult Type(app::TWindowCommandKind kind, const std::string& textValue) {
    return app::RunWindowCommand(W, {kind, textValue, {}});
  }
  app::TCommandResult Count(const std::string& t) { return Type(app::TWindowCommandKind::wcCount, t); }
  app::TCommandResult Price(const std::string& t) { return Type(app::TWindowCommandKind::wcPrice, t); }
  // The dialog filled with these rows and confirmed.
  void AddExtras(const std::vector<std::string>& rows) {
    f.Dialogs.ExtraItems = [rows](app::TForm1& dialog) { app::FillExtraItemsDialog(dialog, rows); };
    W.Button14Click();
  }
};

std::vector<TTestItem> ThreeItems() {
  return {{"A", "1.00", "10.00", {"a1", "a2"}}, {"B", "2.00", "20.00", {"b1"}}, {"C", "1.00", "5.00", {}}};
}

// --- Selection (detail view) -------------------------------------------------

TEST_F(EditingTest, SelectionShowsCalcGridValuesAndFollowsItemKinds) {
  Load(ThreeItems());
  W.SelectItem(1);
  EXPECT_EQ(Ws.SelectedItemIndex, "1");
  EXPECT_EQ(View.ItemCodeField, "02. B");
  EXPECT_EQ(View.ItemDescriptionField, "Popis B");
  EXPECT_EQ(View.ItemCountField, "2");
  EXPECT_EQ(View.CountEntry, "2");
  EXPECT_EQ(View.ItemPriceField, "20.00");
  EXPECT_EQ(View.ItemTotalField, "40.00");
  EXPECT_EQ(View.PropertiesBox.Entries(), (std::vector<std::string>{"b1"}));
  EXPECT_EQ(View.ItemPicture.FileName, Picture(1));
  EXPECT_EQ(View.ItemPicture.Width, 9);

  W.SelectItem(2);  // no property lines: the box empties
  EXPECT_TRUE(View.PropertiesBox.Empty());

  // A vanished picture keeps the previous one; the other fields change.
  f.Fs.DeleteFile(Picture(0));
  W.SelectItem(0);
  EXPECT_EQ(View.ItemPicture.FileName, Picture(2));
  EXPECT_EQ(View.ItemCodeField, "01. A");

  // An extra item: texts from CalcGrid, picture and property lines kept.
  AddExtras({"X;Doprava;2;150.00"});
  W.SelectItem(3);
  EXPECT_EQ(View.ItemDescriptionField, "Doprava");
  EXPECT_EQ(View.ItemTotalField, "300.00");
  EXPECT_EQ(View.PropertiesBox.Entries(), (std::vector<std::string>{"a1", "a2"}));
  EXPECT_EQ(View.ItemPicture.FileName, Picture(2));
}

TEST_F(EditingTest, FocusCyclesOnlyInEditMode) {
  Load(ThreeItems());
  W.SelectItem(1);
  EXPECT_EQ(View.Focus, app::TFocusTarget::ftNone);
  ASSERT_TRUE(app::RunWindowCommand(W, {app::TWindowCommandKind::wcEditMode, {}, {}}));
  EXPECT_EQ(View.Focus, app::TFocusTarget::ftCountEntry);
  ASSERT_TRUE(Count("3"));
  EXPECT_EQ(View.Focus, app::TFocusTarget::ftPriceEntry);
  ASSERT_TRUE(Price("4"));
  EXPECT_EQ(View.Focus, app::TFocusTarget::ftCountEntry);
  View.Focus = app::TFocusTarget::ftItemList;
  W.SelectItem(0);
  EXPECT_EQ(View.Focus, app::TFocusTarget::ftCountEntry);
  // Unchecking moves nothing.
  View.EditModeCheck = false;
  View.Focus = app::TFocusTarget::ftItemList;
  W.CheckBox2Click();
  EXPECT_EQ(View.Focus, app::TFocusTarget::ftItemList);
}

// --- Count and price ------------------------------------------------------------

TEST_F(EditingTest, CountAndPriceRewriteTheItemLineAndTheTotals) {
  Load(ThreeItems());
  ASSERT_TRUE(Price("12.5"));
  EXPECT_EQ(View.PriceEntry, "12.50");
  ASSERT_TRUE(Count("3"));
  EXPECT_EQ(Ws.CalcGrid.Cell(2, 1), "3");
  EXPECT_EQ(Ws.CalcGrid.Cell(3, 1), "12.50");
  EXPECT_EQ(View.ItemTotalField, "37.50");
  EXPECT_EQ(FirstLineOf(0), "1.;A;3.00;12.50;0 037.50;");
  EXPECT_EQ(Ws.EditedItemLine, FirstLineOf(0));
  EXPECT_EQ(View.NetTotalField, "082.00");  // 37.5 + 40 + 5 = 82.5, a tie to even
  EXPECT_EQ(View.VatField, "017.00");
  EXPECT_EQ(View.GrossTotalField, "100.00");

  ASSERT_TRUE(Price("7"));
  EXPECT_EQ(View.PriceEntry, "7.00");
  EXPECT_EQ(View.ItemPriceField, "7.00");

  ASSERT_TRUE(Count("1"));
  ASSERT_TRUE(Price("1234567.5"));
  EXPECT_EQ(FirstLineOf(0), "1.;A;1.00;1234567.50;1234 567.50;");

  // Enter confirms; any other key only edits the field.
  View.CountEntry = "9";
  W.Edit12KeyPress('9');
  W.Edit13KeyPress('x');
  EXPECT_EQ(Ws.CalcGrid.Cell(2, 1), "1");
  EXPECT_EQ(View.ItemCountField, "1");
}

TEST_F(EditingTest, EditsReadTheRegionalSeparator) {
  Load({{"A", "1.00", "10,00"}, {"B", "2.00", "20,00"}}, ",");
  ASSERT_TRUE(Price("2,5"));
  EXPECT_EQ(FirstLineOf(0), "1.;A;1.00;2,50;0 002,50;");
  EXPECT_FALSE(Price("2.5"));
  EXPECT_EQ(f.Dialogs.Errors.back(), "'2.5' is not a valid floating point value");
}

TEST_F(EditingTest, ConversionFailuresChangeNothingOrStopAfterTheFirstStep) {
  Load(ThreeItems());
  const auto lines = Ws.SourceLines;
  EXPECT_FALSE(Count("2x"));
  EXPECT_EQ(f.Dialogs.Errors.back(), "'2x' is not a valid integer value");
  EXPECT_EQ(Ws.CalcGrid.Cell(2, 1), "1");
  EXPECT_EQ(View.ItemCountField, "1");
  EXPECT_EQ(Ws.SourceLines, lines);

  // The count handler takes the price shown: a broken one fails after the
  // count went into CalcGrid, before anything is recalculated.
  View.ItemPriceField = "n/a";
  EXPECT_FALSE(Count("4"));
  EXPECT_EQ(Ws.CalcGrid.Cell(2, 1), "4");
  EXPECT_EQ(View.ItemTotalField, "0,00;");  // still the list's own text
  EXPECT_EQ(Ws.SourceLines, lines);

  EXPECT_FALSE(Price(""));
  EXPECT_EQ(f.Dialogs.Errors.back(), "'' is not a valid floating point value");

  // Nothing shown (an empty offer): the edit fails instead of writing into
  // the calculation table's spare rows.
  Ws.SelectedItemIndex = "-1";
  EXPECT_FALSE(Count("2"));
  EXPECT_EQ(f.Dialogs.Errors.back(), "List index out of bounds (-1)");
}

TEST_F(EditingTest, CountTypedWithoutEnterReachesTotalAndLineButNotCalcGrid) {
  Load(ThreeItems());
  View.CountEntry = "5";  // typed, not confirmed
  ASSERT_TRUE(Price("2"));
  EXPECT_EQ(View.ItemTotalField, "10.00");
  EXPECT_EQ(FirstLineOf(0), "1.;A;5.00;2.00;0 010.00;");
  EXPECT_EQ(Ws.CalcGrid.Cell(2, 1), "1");
  EXPECT_EQ(Ws.CalcGrid.Cell(4, 1), "2.00");
  EXPECT_EQ(View.NetTotalField, "047.00");  // 2 + 40 + 5
}

TEST_F(EditingTest, AnExtraItemsEditLeavesTheSourceLinesAlone) {
  Load(ThreeItems());
  AddExtras({"X;Doprava;1;100.00"});
  const auto lines = Ws.SourceLines;
  W.SelectItem(3);
  ASSERT_TRUE(Count("2"));
  EXPECT_EQ(Ws.CalcGrid.Cell(4, 4), "200.00");
  EXPECT_EQ(Ws.EditedItemLine, "4.;X;2.00;100.00;0 200.00;");
  EXPECT_EQ(Ws.SourceLines, lines);
  EXPECT_EQ(View.NetTotalField, "255.00");
}

TEST_F(EditingTest, EditsSurviveMovesAndAppends) {
  Load(ThreeItems());
  W.SelectItem(1);
  ASSERT_TRUE(Price("21"));
  ASSERT_TRUE(app::RunWindowCommand(W, {app::TWindowCommandKind::wcMoveUp, {}, {}}));
  EXPECT_EQ(View.ItemList.Items.Get(0), "01. B");
  EXPECT_EQ(Ws.CalcGrid.Cell(3, 1), "21.00");
  EXPECT_EQ(View.ItemTotalField, "0 042.00");  // the rewritten line's total, its «;» dropped

  f.AddList("P.csv", apptest::ListLines({{"D", "1.00", "1.00"}}));
  W.AppendList(f.PathOf("P.csv"));
  EXPECT_EQ(Ws.CalcGrid.Cell(3, 1), "21.00");
  EXPECT_EQ(View.ItemList.Items.Get(3), "04. D");
}

// --- Moves --------------------------------------------------------------------------

TEST_F(EditingTest, MovesExchangeWholeBlocksAndPictures) {
  Load(ThreeItems());
  const auto before = Ws.SourceLines;
  W.SelectItem(1);  // B (2 lines + 1 property) changes places with A (2 + 2)
  W.Button16Click();
  EXPECT_EQ(View.ItemList.Items.Entries(), (std::vector<std::string>{"01. B", "02. A", "03. C"}));
  EXPECT_EQ(View.ItemList.ItemIndex, 0);
  EXPECT_EQ(Ws.SelectedItemIndex, "0");
  EXPECT_EQ(Ws.SourceLines.Count(), before.Count());
  const std::vector<std::string> expected{before.Get(0), before.Get(5), before.Get(6), before.Get(7),
                                          before.Get(1), before.Get(2), before.Get(3), before.Get(4)};
  for (int k = 0; k < 8; ++k) EXPECT_EQ(Ws.SourceLines.Get(k), expected[static_cast<std::size_t>(k)]) << k;
  for (std::size_t k = 8; k < before.Count(); ++k) EXPECT_EQ(Ws.SourceLines.Get(static_cast<std::ptrdiff_t>(k)), before.Get(static_cast<std::ptrdiff_t>(k)));
  EXPECT_EQ(Ws.SelectedItemLines.Entries(), (std::vector<std::string>{expected[0 + 1], expected[2], expected[3]}));
  EXPECT_EQ(Ws.ItemImagePaths.Get(0), Picture(1));
  EXPECT_EQ(View.ItemPicture.FileName, Picture(1));
  EXPECT_EQ(View.ItemTotalField, "0,00");  // the list's own total field, without its «;»
  EXPECT_EQ(View.PropertiesBox.Entries(), (std::vector<std::string>{"b1"}));

  W.Button20Click();  // and back down
  EXPECT_EQ(Ws.SourceLines, before);
  EXPECT_EQ(View.ItemList.ItemIndex, 1);
  EXPECT_EQ(View.ItemPicture.FileName, Picture(1));
  EXPECT_EQ(Ws.ItemImagePaths.Get(0), Picture(0));
}

TEST_F(EditingTest, MovesAtTheEndsAndWithoutSelectionChangeOnlyTheIndex) {
  Load(ThreeItems());
  const auto before = Ws.SourceLines;
  W.SelectItem(0);
  W.Button16Click();
  W.SelectItem(2);
  W.Button20Click();
  EXPECT_EQ(Ws.SourceLines, before);
  EXPECT_TRUE(f.Dialogs.Errors.empty());
  EXPECT_TRUE(f.Dialogs.Messages.empty());

  View.ItemList.ItemIndex = -1;
  EXPECT_FALSE(W.RunCommand([&] { W.Button20Click(); }));
  EXPECT_EQ(f.Dialogs.Errors.back(), "List index out of bounds (-1)");
  EXPECT_EQ(Ws.SelectedItemIndex, "-1");
  EXPECT_EQ(Ws.SourceLines, before);
}

TEST_F(EditingTest, ListWithoutPictureFolderStillMoves) {
  f.AddList("N.csv", apptest::ListLines({{"A"}, {"B"}}));
  f.Open("N.csv");
  W.SelectItem(1);
  ASSERT_TRUE(W.RunCommand([&] { W.Button16Click(); }));
  EXPECT_EQ(View.ItemList.Items.Get(0), "01. B");
  EXPECT_EQ(Ws.ItemImagePaths.Entries(), (std::vector<std::string>{"", ""}));
}

// --- Additional items -----------------------------------------------------------

TEST_F(EditingTest, ExtraItemsAreNumberedOnAndDisableTheMoves) {
  std::vector<TTestItem> eight;
  for (char c = 'A'; c < 'I'; ++c) eight.emplace_back(std::string(1, c), "1.00", "1.00");
  Load(eight);
  AddExtras({"X;Doprava;1;100.00", "Y;Montáž;2;50.50", "Z;Likvidace; obalů;1;9.00"});
  EXPECT_EQ(Ws.ItemCount, "11");
  EXPECT_EQ(Ws.ImportedItemCount, "8");
  EXPECT_EQ(Ws.CalcGrid.RowCount(), 13u);
  EXPECT_EQ(Ws.CalcGrid.Cell(0, 9), "9");
  EXPECT_EQ(Ws.CalcGrid.Cell(1, 10), "Y");
  EXPECT_EQ(Ws.CalcGrid.Cell(4, 10), "101.00");
  EXPECT_EQ(Ws.CalcGrid.Cell(5, 11), "Likvidace; obalů");
  EXPECT_EQ(Ws.CalcGrid.Cell(4, 12), "218.00");  // the sum row
  const auto& items = View.ItemList.Items.Entries();
  EXPECT_EQ(std::vector<std::string>(items.end() - 3, items.end()),
            (std::vector<std::string>{"09. X", "10. Y", "11. Z"}));
  EXPECT_FALSE(View.MoveUpButtonEnabled);
  EXPECT_FALSE(View.MoveDownButtonEnabled);
  EXPECT_FALSE(app::RunWindowCommand(W, {app::TWindowCommandKind::wcMoveUp, {}, {}}));
  EXPECT_EQ(f.Dialogs.Errors.back(), "Tlačítko \"Posun nahoru\" je vypnuté");

  // A second batch continues the numbering; the dialog's copy holds only it.
  AddExtras({"W;Sleva;1;-10.00"});
  EXPECT_EQ(View.ItemList.Items.Last(), "12. W");
  EXPECT_EQ(Ws.ExtraItemsGrid.RowCount(), 2u);
  EXPECT_EQ(Ws.ExtraItemsGrid.Cell(0, 0), "Poř");
  EXPECT_EQ(Ws.CalcGrid.Cell(4, 13), "208.00");
  W.SelectItem(8);
  EXPECT_EQ(View.ItemDescriptionField, "Doprava");

  // Any later pipeline run drops them; opening a list enables the moves again.
  f.Open("K.csv");
  EXPECT_EQ(View.ItemList.Items.Count(), 8u);
  EXPECT_EQ(Ws.ItemCount, "8");
  EXPECT_TRUE(View.MoveUpButtonEnabled);
  AddExtras({"X;Doprava;1;100.00"});
  f.AddList("P.csv", apptest::ListLines({{"P", "1.00", "1.00"}}));
  W.AppendList(f.PathOf("P.csv"));
  EXPECT_EQ(View.ItemList.Items.Last(), "09. P");
  EXPECT_FALSE(View.MoveUpButtonEnabled);  // only opening enables them
}

TEST_F(EditingTest, DialogClosedWithoutItemsOnlyDisablesTheMoves) {
  Load(ThreeItems());
  f.Dialogs.ExtraItems = [](app::TForm1& dialog) {
    EXPECT_EQ(dialog.ExtraItemCountEntry, "0");
    EXPECT_EQ(dialog.Focus, app::TExtraItemsFocus::efCountEntry);
    dialog.Button1Click();  // confirmed with «0»
  };
  W.Button14Click();
  EXPECT_EQ(View.ItemList.Items.Count(), 3u);
  EXPECT_FALSE(View.MoveUpButtonEnabled);

  f.Open("K.csv");
  f.Dialogs.ExtraItems = nullptr;  // closed any other way
  W.Button14Click();
  EXPECT_EQ(Ws.ItemCount, "3");
  EXPECT_FALSE(View.MoveDownButtonEnabled);

  f.Open("K.csv");
  f.Dialogs.ExtraItems = [](app::TForm1& dialog) {
    dialog.ExtraItemCountEntry.clear();
    dialog.Button1Click();
  };
  EXPECT_FALSE(W.RunCommand([&] { W.Button14Click(); }));
  EXPECT_EQ(f.Dialogs.Errors.back(), "'' is not a valid integer value");
  EXPECT_EQ(Ws.ItemCount, "3");
  EXPECT_FALSE(View.MoveUpButtonEnabled);
}

TEST_F(EditingTest, BadRowKeepsRowsInCalcGridButNotInTheList) {
  Load(ThreeItems());
  f.Dialogs.ExtraItems = [](app::TForm1& dialog) {
    // Two rows announced, but only the first typed in: the second stays empty.
    dialog.ExtraItemCountEntry = "2";
    dialog.Edit1KeyPress(app::kEnterKey);
    dialog.ExtraItemsTable.SetCell(1, 1, "X").SetCell(3, 1, "1").SetCell(4, 1, "5.00");
    dialog.Button1Click();
  };
  EXPECT_FALSE(W.RunCommand([&] { W.Button14Click(); }));
  EXPECT_EQ(f.Dialogs.Errors.back(), "'' is not a valid integer value");
  EXPECT_EQ(Ws.ItemCount, "5");
  EXPECT_EQ(Ws.CalcGrid.Cell(1, 4), "X");
  EXPECT_EQ(View.ItemList.Items.Count(), 3u);
  EXPECT_TRUE(View.MoveUpButtonEnabled);
}

TEST(ExtraItemsDialog, CountEntrySizesTheTable) {
  app::TForm1 dialog;
  dialog.FormShow();
  dialog.ExtraItemCountEntry = "3";
  dialog.Edit1KeyPress('3');  // not Enter: nothing happens
  EXPECT_EQ(dialog.ExtraItemsTable.RowCount(), static_cast<std::size_t>(app::TForm1::kInitialRowCount));
  dialog.Edit1KeyPress(app::kEnterKey);
  EXPECT_EQ(dialog.ExtraItemsTable.RowCount(), 4u);
  EXPECT_EQ(dialog.ExtraItemsTable.Cell(0, 3), "3");
  EXPECT_EQ(dialog.ExtraItemsTable.Cell(4, 0), "Cena");
  EXPECT_EQ(dialog.Focus, app::TExtraItemsFocus::efTable);

  dialog.ExtraItemCountEntry.clear();
  EXPECT_THROW(dialog.Edit1KeyPress(app::kEnterKey), text::EConvertError);
  dialog.ExtraItemCountEntry = "1000";  // past the field's three digits
  EXPECT_THROW(dialog.Edit1KeyPress(app::kEnterKey), text::EConvertError);
  EXPECT_EQ(dialog.ExtraItemsTable.RowCount(), 4u);
  EXPECT_FALSE(app::TForm1::AcceptsCountCharacter('-'));
  EXPECT_FALSE(dialog.Closed());
  dialog.Cancel();
  EXPECT_TRUE(dialog.Closed());
  EXPECT_FALSE(dialog.Confirmed());
}

}  // namespace
