// Composition of the offer and order worksheets on the in-memory model.
#include "OfferExportSupport.h"
#include "app/OfferItems.h"
#include "app/Paths.h"
#include "text/Conversion.h"

#include <random>

namespace {

using namespace exporttest;
using sheet::TExportCell;
using sheet::TExportRow;
using sheet::TExportWorkSheet;

std::string Repeat(const std::string& part, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) result += part;
  return result;
}

class OfferExportLayout : public ::testing::Test {
 protected:
  TExportFixture F;
  std::unique_ptr<sheet::TExportWorkbook> Book;

  TExportWorkSheet& Compose(const std::vector<int>& propertyCounts, bool customer = true, int layout = 0) {
    F.WriteList("Kuchyne", ItemsWithProperties(propertyCounts));
    F.Open("Kuchyne");
    F.View().CustomerHeaderCheck = customer;
    F.View().LayoutChoice = layout;
    Book = F.Compose();
    EXPECT_EQ(Book->WorkSheets().Count(), 1);
    return Book->WorkSheets().Get(0);
  }
};

TEST_F(OfferExportLayout, ItemRowsFollowThePropertyCount) {
  // 0 lines: 12 fillers; 11: one filler; 12 and 13: one filler.
  TExportWorkSheet& sheet = Compose({0, 11, 12, 13});
  EXPECT_EQ(Layout(sheet),
            std::string(kCustomer) + "H" + OfferItem(0) + OfferItem(11) + OfferItem(12) + OfferItem(13) + kClosing);
  EXPECT_EQ(OfferItem(0).size(), 13u);
  EXPECT_EQ(OfferItem(12).size(), 14u);
  EXPECT_EQ(OfferItem(13).size(), 15u);

  // Pictures stand in the first row under the item row: the first property
  // row, or the first filler row of an item without property lines.
  int pictures = 0;
  for (int r = 0; r < sheet.Rows().Count(); ++r) {
    const TExportRow& row = sheet.Rows().Get(r);
    if (row.CellCount() == 0) continue;
    TExportCell& a = row.Cells().Get(0);
    if (!a.DrawingsAssigned()) continue;
    ++pictures;
    EXPECT_EQ(RowKind(row), pictures == 1 ? 'F' : 'P');
    EXPECT_EQ(RowKind(sheet.Rows().Get(r - 1)), 'I');
    const sheet::TExportCellDrawing& placement = a.Drawings().Get(0);
    EXPECT_EQ(placement.Rect(), (sheet::TExportRect{0, 0, 150, 150}));
  }
  EXPECT_EQ(pictures, 4);
  EXPECT_EQ(Book->Drawings().Count(), 4);
}

TEST_F(OfferExportLayout, PropertyAndFillerRowsAreFormatted) {
  TExportWorkSheet& sheet = Compose({1});
  const TExportRow& property = sheet.Rows().Get(6);
  ASSERT_EQ(RowKind(property), 'P');
  EXPECT_EQ(property.Height(), 14);
  EXPECT_EQ(property.CellCount(), 5);
  EXPECT_EQ(TextAt(property, 1), "Vlastnost 1");
  EXPECT_EQ(property.Cells().Get(1).ColSpan(), 4);
  EXPECT_EQ(property.Cells().Get(1).Font_ReadOnly().Size(), 8);
  const TExportRow& filler = sheet.Rows().Get(7);
  ASSERT_EQ(RowKind(filler), 'F');
  EXPECT_EQ(filler.Height(), 14);
  EXPECT_EQ(filler.Cells().Get(1).ColSpan(), 4);
  EXPECT_EQ(filler.Cells().Get(1).Font_ReadOnly().Size(), 8);
}

TEST_F(OfferExportLayout, ItemRowCellsAndNumbers) {
  F.WriteList("Sedacky", {{"SOFA", "3", "1234,56", {"Barva"}}});
  F.Open("Sedacky");
  Book = F.Compose();
  const TExportRow& row = Book->WorkSheets().Get(0).Rows().Get(5);
  ASSERT_EQ(row.CellCount(), 6);
  EXPECT_EQ(TextAt(row, 0), "01. SOFA");
  EXPECT_EQ(row.Cells().Get(0).ColSpan(), 2);
  EXPECT_EQ(row.Cells().Get(0).Font_ReadOnly().Style().Bold(), sheet::efsYes);
  EXPECT_EQ(TextAt(row, 2), "Popis SOFA");
  const TExportCell& description = row.Cells().Get(2);
  EXPECT_EQ(description.Font_ReadOnly().Size(), 10);
  EXPECT_EQ(description.Font_ReadOnly().Style().Bold(), sheet::efsYes);
  for (sheet::TCellBorder side : {sheet::cbTop, sheet::cbRight, sheet::cbBottom, sheet::cbLeft}) {
    EXPECT_EQ(description.Borders_ReadOnly()[side].Style(), sheet::ebThin);
    EXPECT_EQ(description.Borders_ReadOnly()[side].Color(), 0);
  }

  auto number = [&row](int col) -> const sheet::TExportCellNumber& {
    EXPECT_TRUE(row.Cells().Get(col).IsKind<sheet::TExportCellNumber>());
    return static_cast<const sheet::TExportCellNumber&>(row.Cells().Get(col));
  };
  EXPECT_EQ(number(3).Value(), 3.0);
  EXPECT_EQ(number(3).DecimalPlaces(), 0);
  // Money is the single-precision value, not the double nearest to the text.
  EXPECT_EQ(number(4).Value(), 1234.56005859375);
  EXPECT_EQ(number(4).DecimalPlaces(), 2);
  EXPECT_EQ(number(5).Value(), static_cast<double>(3703.68f));
  for (int col = 3; col <= 5; ++col) {
    EXPECT_EQ(number(col).Alignment(), sheet::cahCenter);
    EXPECT_EQ(number(col).Font_ReadOnly().Size(), 10);
    EXPECT_EQ(number(col).Font_ReadOnly().Style().Bold(), sheet::efsYes);
  }
}

TEST_F(OfferExportLayout, ColumnsHeaderFooterAndPrintRange) {
  TExportWorkSheet& sheet = Compose({2, 0});
  const int widths[] = {150, 100, 200, 40, 70, 80};
  for (int c = 0; c < 6; ++c) EXPECT_EQ(sheet.FindCol(c)->Width(), widths[c]);
  const std::string description = F.View().DescriptionEntry;
  EXPECT_EQ(sheet.Title(), "Popis tabulky - nabídka nebo ob");  // cut to 31 characters
  EXPECT_EQ(sheet.Header().Left().Text(), description);
  EXPECT_EQ(sheet.Header().Left().Font().Name(), "Arial Black");
  EXPECT_EQ(sheet.Header().Left().Font().Size(), 10);
  EXPECT_EQ(sheet.Header().Left().Font().Color(), 0);
  EXPECT_EQ(sheet.Header().Center().Text(), "");
  EXPECT_EQ(sheet.Header().Right().Text(), "Datum: [DATE]");
  EXPECT_EQ(sheet.Footer().Left().Text(), "");
  EXPECT_EQ(sheet.Footer().Center().Text(), "Strana [PAGENUMBER] z [PAGECOUNT]");
  EXPECT_EQ(sheet.Footer().Right().Text(), "");

  const sheet::TExportRange& range = sheet.PageSettings().PrintRange();
  EXPECT_EQ(range.LeftCol(), 0);
  EXPECT_EQ(range.TopRow(), 0);
  EXPECT_EQ(range.RightCol(), 5);
  EXPECT_EQ(range.BottomRow(), sheet.Rows().Count() - 1);
}

TEST_F(OfferExportLayout, TableHeaderAndTotals) {
  TExportWorkSheet& sheet = Compose({}, false);
  EXPECT_EQ(Layout(sheet), std::string("H") + kClosing);
  const TExportRow& header = sheet.Rows().Get(0);
  ASSERT_EQ(header.CellCount(), 6);
  EXPECT_EQ(TextAt(header, 0), "Označení prvku");
  EXPECT_EQ(header.Cells().Get(0).ColSpan(), 2);
  EXPECT_EQ(TextAt(header, 2), "Popis prvku/Vlastnosti");
  EXPECT_EQ(TextAt(header, 3), "Počet");
  EXPECT_EQ(TextAt(header, 4), "Cena");
  EXPECT_EQ(TextAt(header, 5), "Celková cena");
  for (int c : {0, 2, 3, 4, 5}) {
    const TExportCell& cell = header.Cells().Get(c);
    EXPECT_EQ(cell.BGColor(), 0xE1E1E1);
    EXPECT_EQ(cell.Alignment(), sheet::cahCenter);
    EXPECT_EQ(cell.Font_ReadOnly().Size(), 10);
    EXPECT_NE(cell.Font_ReadOnly().Style().Bold(), sheet::efsYes);
    EXPECT_EQ(cell.Borders_ReadOnly().Top().Style(), sheet::ebNone);
  }

  const char* labels[] = {"Celková cena bez DPH", "DPH 21%", "Celková cena s DPH 21%"};
  const std::string values[] = {F.View().NetTotalField, F.View().VatField, F.View().GrossTotalField};
  for (int t = 0; t < 3; ++t) {
    const TExportRow& row = sheet.Rows().Get(2 + t);
    ASSERT_EQ(row.CellCount(), 6);
    EXPECT_EQ(TextAt(row, 1), labels[t]);
    EXPECT_EQ(row.Cells().Get(1).ColSpan(), 4);
    EXPECT_EQ(row.Cells().Get(1).Alignment(), sheet::cahLeft);
    EXPECT_EQ(row.Cells().Get(1).BGColor(), 0xE1E1E1);
    const auto& value = static_cast<const sheet::TExportCellNumber&>(row.Cells().Get(5));
    EXPECT_EQ(value.Value(), static_cast<double>(text::ToSingle(text::StrToFloat(values[t], F.Window->Region()))));
    EXPECT_EQ(value.BGColor(), 0xE1E1E1);
    EXPECT_EQ(value.Font_ReadOnly().Style().Bold(), sheet::efsYes);
  }
  EXPECT_EQ(sheet.PageSettings().PrintRange().RightCol(), 5);
  EXPECT_EQ(sheet.PageSettings().PrintRange().BottomRow(), 4);
}

// A4 with 2 cm margins prints 971.3 px of rows; rows are 17 px (item, header,
// customer, empty and totals rows) and 14 px (property and filler rows), so
// an item of up to 11 property lines takes 17 + 12 × 14 = 185 px.
TEST_F(OfferExportLayout, PagesBreakBeforeTheItemThatDoesNotFit) {
  // With the customer block (68 px) and the header: 85 + 4 × 185 = 825, a
  // fifth item would end at 1010.
  EXPECT_EQ(Layout(Compose({3, 3, 3, 3, 3, 3})), std::string(kCustomer) + "H" + Repeat(OfferItem(3), 4) + "|H" +
                                                      Repeat(OfferItem(3), 2) + kClosing);
  // Without it five fit (942 px), then every later page holds five again.
  TExportWorkSheet& sheet = Compose(std::vector<int>(12, 0), false);
  const std::string page = Repeat(OfferItem(0), 5);
  EXPECT_EQ(Layout(sheet), "H" + page + "|H" + page + "|H" + Repeat(OfferItem(0), 2) + kClosing);
  // The copy repeats the header's texts and formatting; no empty padding rows.
  const TExportRow& copy = sheet.Rows().Get(1 + 5 * 13);
  EXPECT_TRUE(copy.PageBreakBefore());
  EXPECT_EQ(TextAt(copy, 2), "Popis prvku/Vlastnosti");
  EXPECT_EQ(copy.Cells().Get(0).ColSpan(), 2);
  EXPECT_EQ(copy.Cells().Get(5).BGColor(), 0xE1E1E1);
  EXPECT_EQ(sheet.PageSettings().ScaleType(), sheet::estFitToPage);
  EXPECT_EQ(sheet.PageSettings().FitWidthToPages(), 1);
  EXPECT_EQ(sheet.PageSettings().FitHeightToPages(), 0);
}

TEST_F(OfferExportLayout, PageFullToThePixelAndOneRowOver) {
  // 17 + 4 × 185 = 757; an item of 13 lines (213 px) ends at 970 ≤ 971.3: it
  // stays, and the closing rows move on. One line more (227 px) moves the item.
  EXPECT_EQ(Layout(Compose({0, 0, 0, 0, 13}, false)),
            "H" + Repeat(OfferItem(0), 4) + OfferItem(13) + "|H" + kClosing);
  EXPECT_EQ(Layout(Compose({0, 0, 0, 0, 14}, false)),
            "H" + Repeat(OfferItem(0), 4) + "|H" + OfferItem(14) + kClosing);
  // The closing rows (68 px) stay together: after five small items (942 px) they move.
  EXPECT_EQ(Layout(Compose({0, 0, 0, 0, 0}, false)), "H" + Repeat(OfferItem(0), 5) + "|H" + kClosing);
  EXPECT_EQ(Layout(Compose({0, 0, 0, 0}, false)), "H" + Repeat(OfferItem(0), 4) + kClosing);
}

TEST_F(OfferExportLayout, ItemTallerThanAPageStartsAFreshPageAndRunsOver) {
  // 80 lines: 17 + 81 × 14 = 1151 px, more than a page.
  EXPECT_EQ(Layout(Compose({0, 80, 0}, false)),
            "H" + OfferItem(0) + "|H" + OfferItem(80) + "|H" + OfferItem(0) + kClosing);
  // As the first item it stays under the header: that page is fresh already.
  EXPECT_EQ(Layout(Compose({80}, false)), "H" + OfferItem(80) + "|H" + kClosing);
  // One that fits a fresh page (64 lines, 927 px) but not under the customer
  // block is never split.
  EXPECT_EQ(Layout(Compose({64}, true)), std::string(kCustomer) + "H|H" + OfferItem(64) + "|H" + kClosing);
}

TEST_F(OfferExportLayout, OrderLayoutHasOneEmptyRowPerItem) {
  TExportWorkSheet& sheet = Compose({30, 0, 5, 5, 5, 5, 5, 5, 5, 5}, true, 1);
  EXPECT_EQ(Layout(sheet), std::string(kCustomer) + "H" + Repeat("IE", 10) + kClosing);
  EXPECT_EQ(Book->Drawings().Count(), 0);
}

TEST_F(OfferExportLayout, ExtraItemsInBothLayouts) {
  F.WriteList("Kuchyne", ItemsWithProperties({2}));
  F.Open("Kuchyne");
  app::TOfferWorkspace& ws = F.Ws();
  // Two additional items as the dialog leaves them: only in CalcGrid and the item list.
  ws.ItemCount = "3";
  ws.CalcGrid.SetRowCount(5);
  ws.CalcGrid.SetCell(1, 2, "DOPRAVA").SetCell(2, 2, "1").SetCell(3, 2, "500,00").SetCell(5, 2, "Doprava");
  ws.CalcGrid.SetCell(1, 3, "MONTAZ").SetCell(2, 3, "2").SetCell(3, 3, "750,25").SetCell(5, 3, "Montáž");
  F.View().ItemList.Items.Add("02. DOPRAVA").Add("03. MONTAZ");
  F.Window->KalkulaceTabulky();
  F.View().CustomerHeaderCheck = false;

  Book = F.Compose();
  TExportWorkSheet& offer = Book->WorkSheets().Get(0);
  EXPECT_EQ(Layout(offer), "H" + OfferItem(2) + "II" + kClosing);
  const TExportRow& extra = offer.Rows().Get(1 + 13 + 1);
  EXPECT_EQ(TextAt(extra, 0), "03. MONTAZ");
  EXPECT_EQ(TextAt(extra, 2), "Montáž");
  EXPECT_EQ(static_cast<const sheet::TExportCellNumber&>(extra.Cells().Get(5)).Value(), 1500.5);
  EXPECT_EQ(Book->Drawings().Count(), 1);

  F.View().LayoutChoice = 1;
  Book = F.Compose();
  EXPECT_EQ(Layout(Book->WorkSheets().Get(0)), "HIEIEIE" + std::string(kClosing));
}

TEST_F(OfferExportLayout, ExtraItemsAreOneRowBlocks) {
  // Five small items fill 942 px; the extra item (17 px) still fits, the closing rows do not.
  F.WriteList("Kuchyne", ItemsWithProperties({0, 0, 0, 0, 0}));
  F.Open("Kuchyne");
  app::TOfferWorkspace& ws = F.Ws();
  ws.ItemCount = "7";
  ws.CalcGrid.SetRowCount(9);
  for (int r = 6; r <= 7; ++r) ws.CalcGrid.SetCell(2, r, "1").SetCell(3, r, "10,00").SetCell(5, r, "Extra");
  F.View().ItemList.Items.Add("06. A").Add("07. B");
  F.Window->KalkulaceTabulky();
  F.View().CustomerHeaderCheck = false;
  Book = F.Compose();
  EXPECT_EQ(Layout(Book->WorkSheets().Get(0)), "H" + Repeat(OfferItem(0), 5) + "I|HI" + kClosing);
}

TEST_F(OfferExportLayout, OrderLayoutOnlyFitsTheWidth) {
  TExportWorkSheet& sheet = Compose(std::vector<int>(60, 0), false, 1);
  EXPECT_EQ(Layout(sheet), "H" + Repeat("IE", 60) + kClosing);
  EXPECT_EQ(sheet.PageSettings().FitWidthToPages(), 1);
  EXPECT_EQ(sheet.PageSettings().ScaleType(), sheet::estFitToPage);
}

TEST(OfferPictures, ScaledIntoTheBoxKeepingProportions) {
  EXPECT_EQ(app::PictureBoxFor(400, 300).Width, 150);
  EXPECT_EQ(app::PictureBoxFor(400, 300).Height, 113);  // 112.5 rounds up
  EXPECT_EQ(app::PictureBoxFor(300, 400).Width, 113);
  EXPECT_EQ(app::PictureBoxFor(300, 400).Height, 150);
  EXPECT_EQ(app::PictureBoxFor(64, 64).Width, 150);
  EXPECT_EQ(app::PictureBoxFor(64, 64).Height, 150);
  EXPECT_EQ(app::PictureBoxFor(10000, 1).Height, 1);  // never thinner than a pixel
  EXPECT_EQ(app::PictureBoxFor(0, 0).Width, 150);     // size unknown: the whole box
}

TEST_F(OfferExportLayout, CustomerBlockFromCaptionsWhenNoCustomerIsChosen) {
  TExportWorkSheet& sheet = Compose({});
  EXPECT_EQ(Layout(sheet), std::string(kCustomer) + "H" + kClosing);
  const TExportRow& title = sheet.Rows().Get(0);
  EXPECT_EQ(title.Cells().Get(0).ColSpan(), 6);
  EXPECT_EQ(title.Cells().Get(0).Font_ReadOnly().Style().Bold(), sheet::efsYes);
  EXPECT_EQ(title.Cells().Get(0).Alignment(), sheet::cahLeft);

  const TExportRow& first = sheet.Rows().Get(1);
  EXPECT_EQ(TextAt(first, 0), "Firma");
  EXPECT_EQ(TextAt(first, 2), "IČO IČO   DIČ DIČ");
  EXPECT_EQ(TextAt(first, 3), "Kontaktní jméno");
  const TExportRow& second = sheet.Rows().Get(2);
  EXPECT_EQ(TextAt(second, 0), "Ulice");
  EXPECT_EQ(TextAt(second, 2), "PSČ - město");
  EXPECT_EQ(TextAt(second, 3), "Kontaktní telefon");
  EXPECT_EQ(first.Cells().Get(0).ColSpan(), 2);
  EXPECT_EQ(first.Cells().Get(3).ColSpan(), 3);
  for (int c : {0, 2, 3}) {
    const TExportCell& cell = second.Cells().Get(c);
    EXPECT_EQ(cell.Borders_ReadOnly().Left().Style(), sheet::ebThin);
    EXPECT_EQ(cell.Borders_ReadOnly().Bottom().Color(), 0);
    EXPECT_EQ(cell.Alignment(), sheet::cahLeft);
    EXPECT_EQ(cell.Font_ReadOnly().Size(), 10);
  }
  // The title row comes before the thin borders; the empty row has no cells.
  EXPECT_NE(title.Cells().Get(0).Borders_ReadOnly().Top().Style(), sheet::ebThin);
  EXPECT_EQ(sheet.Rows().Get(3).CellCount(), 0);
}

TEST_F(OfferExportLayout, ChosenCustomerFillsTheBlock) {
  F.WriteList("Kuchyne", ItemsWithProperties({}));
  F.Open("Kuchyne");
  F.View().CustomerFirmField = "Truhlářství Novák";
  F.View().CustomerIcoField = "12345678";
  F.View().CustomerDicField = "CZ12345678";
  Book = F.Compose();
  EXPECT_EQ(TextAt(Book->WorkSheets().Get(0).Rows().Get(1), 0), "Truhlářství Novák");
  EXPECT_EQ(TextAt(Book->WorkSheets().Get(0).Rows().Get(1), 2), "IČO 12345678   DIČ CZ12345678");
}

TEST_F(OfferExportLayout, EmptyDescriptionKeepsTheDefaultTitle) {
  F.WriteList("Kuchyne", ItemsWithProperties({1}));
  F.Open("Kuchyne");
  F.View().DescriptionEntry = "";
  Book = F.Compose();
  TExportWorkSheet& sheet = Book->WorkSheets().Get(0);
  EXPECT_EQ(sheet.Title(), "Worksheet 1");
  EXPECT_EQ(sheet.Header().Left().Text(), "");
  EXPECT_EQ(sheet.Header().Right().Text(), "Datum: [DATE]");
  EXPECT_EQ(sheet.Footer().Center().Text(), "Strana [PAGENUMBER] z [PAGECOUNT]");
}

TEST_F(OfferExportLayout, DescriptionBecomesTheTitleByTheTitleRules) {
  F.WriteList("Kuchyne", ItemsWithProperties({}));
  F.Open("Kuchyne");
  F.View().DescriptionEntry = "Nabídka 3/2024: Novák";
  Book = F.Compose();
  EXPECT_EQ(Book->WorkSheets().Get(0).Title(), "Nabídka 3-2024- Novák");
  EXPECT_EQ(Book->WorkSheets().Get(0).Header().Left().Text(), "Nabídka 3/2024: Novák");
}

TEST_F(OfferExportLayout, DetailViewEndsOnTheLastItem) {
  F.WriteList("Kuchyne", {{"A", "1", "10,00", {"a1"}}, {"B", "4", "2,50", {"b1", "b2"}}});
  F.Open("Kuchyne");
  F.View().ItemList.ItemIndex = 0;
  Book = F.Compose();
  const app::TMainWindowState& view = F.View();
  EXPECT_EQ(view.ItemList.ItemIndex, 1);
  EXPECT_EQ(F.Ws().SelectedItemIndex, "1");
  EXPECT_EQ(view.ItemCodeField, "02. B");
  EXPECT_EQ(view.ItemDescriptionField, "Popis B");
  EXPECT_EQ(view.ItemCountField, F.Ws().CalcGrid.Cell(2, 2));
  EXPECT_EQ(view.CountEntry, view.ItemCountField);
  EXPECT_EQ(view.PriceEntry, F.Ws().CalcGrid.Cell(3, 2));
  EXPECT_EQ(view.ItemTotalField, F.Ws().CalcGrid.Cell(4, 2));
  EXPECT_EQ(F.Ws().CurrentImagePath, F.Ws().ItemImagePaths.Get(1));
  EXPECT_EQ(view.PropertiesBox.Entries(), (std::vector<std::string>{"b1", "b2"}));
}

TEST_F(OfferExportLayout, ListWithoutPictureFolderExportsWithoutPictures) {
  F.WriteList("Bez", ItemsWithProperties({2, 0}), false);
  F.Window->ListArticleFolder();
  F.Window->OpenList(F.PathOf("Bez.csv"));
  Book = F.Compose();
  EXPECT_EQ(Layout(Book->WorkSheets().Get(0)), std::string(kCustomer) + "H" + OfferItem(2) + OfferItem(0) + kClosing);
  EXPECT_EQ(Book->Drawings().Count(), 0);
}

// The error class and message a failed composition raises.
template <class E>
std::string FailureOf(TExportFixture& f) {
  try {
    f.Compose();
  } catch (const E& e) {
    return e.what();
  }
  return "no failure";
}

TEST_F(OfferExportLayout, MalformedNumbersStopTheComposition) {
  F.WriteList("Kuchyne", ItemsWithProperties({1}));
  F.Open("Kuchyne");
  F.Ws().ImportedItemCount = "x";
  EXPECT_EQ(FailureOf<text::EConvertError>(F), "'x' is not a valid integer value");
  F.Ws().ImportedItemCount = "1";
  F.Ws().CalcGrid.SetCell(2, 1, "1,5");
  EXPECT_EQ(FailureOf<text::EConvertError>(F), "'1,5' is not a valid integer value");
  F.Ws().CalcGrid.SetCell(2, 1, "1");
  F.Ws().CalcGrid.SetCell(3, 1, "12.5");  // a point where the region has a comma
  EXPECT_EQ(FailureOf<text::EConvertError>(F), "'12.5' is not a valid floating point value");
  F.Ws().CalcGrid.SetCell(3, 1, "12,5");
  F.Ws().ItemStartRows.Clear();
  EXPECT_EQ(FailureOf<text::EListError>(F), "List index out of bounds (0)");
}

TEST_F(OfferExportLayout, ListWithoutSummaryLinesExportsWhatTheWindowShows) {
  TExportFixture::WriteBytes(F.Dir / "k.csv",
                             apptest::AnsiFile({"Pořadí;", "1.;A;2;10,00;20,00;", ";Popis A", ";vlastnost",
                                                "2.;B;1;5,00;5,00;", ";Popis B", ";poslední vlastnost"}));
  F.Window->ListArticleFolder();
  F.Window->OpenList(F.PathOf("k.csv"));
  F.View().CustomerHeaderCheck = false;
  Book = F.Compose();
  TExportWorkSheet& sheet = Book->WorkSheets().Get(0);
  EXPECT_EQ(Layout(sheet), "H" + OfferItem(1) + OfferItem(1) + kClosing);
  EXPECT_EQ(TextAt(sheet.Rows().Get(15), 1), "poslední vlastnost");
}

// The bundled example: every item's rows hold what the window shows for it.
TEST_F(OfferExportLayout, ExampleOfferMatchesTheWindow) {
  const fs::path examples = fs::path(NABIDKA_SOURCE_DIR) / "examples" / "pCon_article_lists";
  app::TMainWindow window(F.Fs, F.Dialogs,
                          app::TMainWindowSettings{examples.string(), text::TRegionalSettings::Czech(), 1250});
  window.ListArticleFolder();
  window.OpenList((examples / "Kuchyne.csv").string());
  const std::vector<app::TOfferItem> items = app::CollectOfferItems(window.Workspace, window.Window);
  ASSERT_EQ(items.size(), 10u);
  Book = app::ComposeOfferWorkbook(window);
  TExportWorkSheet& sheet = Book->WorkSheets().Get(0);
  std::size_t next = 0;
  for (int r = 0; r < sheet.Rows().Count(); ++r) {
    const TExportRow& row = sheet.Rows().Get(r);
    if (RowKind(row) != 'I') continue;
    ASSERT_LT(next, items.size());
    const app::TOfferItem& item = items[next++];
    EXPECT_EQ(TextAt(row, 0), item.Code);
    EXPECT_EQ(TextAt(row, 2), item.Description);
    for (std::size_t p = 0; p < item.Properties.size(); ++p) {
      const TExportRow& property = sheet.Rows().Get(r + 1 + static_cast<int>(p));
      EXPECT_EQ(TextAt(property, 1), item.Properties[p]);
      EXPECT_EQ(property.Cells().Get(0).DrawingsAssigned(), p == 0);
    }
    if (!item.Properties.empty()) {
      const auto& image = *row.WorkSheet()->Rows().Get(r + 1).Cells().Get(0).Drawings().Get(0).Drawing();
      EXPECT_EQ(image.Name() + ".jpg", app::ExtractFileName(item.PicturePath));
    }
  }
  EXPECT_EQ(next, items.size());
  EXPECT_EQ(window.Window.ItemCodeField, items.back().Code);
}

// Whatever list was loaded, composing either succeeds or fails with an
// exception the error box can show.
TEST_F(OfferExportLayout, RandomListsNeverCrashTheComposition) {
  const std::vector<std::string> pieces{";", ";", ";", "1", "2.", ",", ",5", ".00", " ", "\xA0", "a", "\r\n",
                                        "\r\n", "\r\n", "-", "99", "1.;X;2;3,00;6,00;"};
  std::mt19937 random(4711);
  int composed = 0;
  for (int round = 0; round < 200; ++round) {
    std::string bytes;
    const int length = static_cast<int>(random() % 300);
    for (int i = 0; i < length; ++i) bytes += pieces[random() % pieces.size()];
    TExportFixture::WriteBytes(F.Dir / "r.csv", bytes);
    try {
      F.Window->ListArticleFolder();
      F.Window->OpenList(F.PathOf("r.csv"));
    } catch (const std::exception&) {
    }
    for (int layout : {0, 1}) {
      F.View().LayoutChoice = layout;
      F.View().CustomerHeaderCheck = round % 2 == 0;
      try {
        Book = F.Compose();
        const TExportWorkSheet& sheet = Book->WorkSheets().Get(0);
        EXPECT_EQ(sheet.PageSettings().PrintRange().RightCol(), 5);
        EXPECT_EQ(sheet.PageSettings().PrintRange().BottomRow(), sheet.Rows().Count() - 1);
        ++composed;
      } catch (const std::exception&) {
      }
    }
  }
  EXPECT_GT(composed, 20);  // the test is not vacuous: many lists load and export
}

}  // namespace
