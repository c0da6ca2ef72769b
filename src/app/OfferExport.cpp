#include "app/OfferExport.h"

#include <string>

#include "app/MainWindow.h"
#include "app/Money.h"
#include "app/OfferItems.h"
#include "sheet/Workbook.h"
#include "text/Conversion.h"
#include "xlsx/ExporterXLSX.h"

namespace app {

using namespace offersheet;

namespace {

constexpr sheet::TCellBorders kAllSides =
    sheet::BorderBit(sheet::cbTop) | sheet::BorderBit(sheet::cbRight) | sheet::BorderBit(sheet::cbBottom) |
    sheet::BorderBit(sheet::cbLeft);

// Money is computed in single precision; the cell stores exactly that value.
double MoneyValue(const std::string& text, const text::TRegionalSettings& region) {
  return static_cast<double>(ParseMoney(text, region));
}

// Composition of one worksheet; lives for one run of the command.
class TOfferSheetComposer {
 public:
  explicit TOfferSheetComposer(TMainWindow& window)
      : fWindow(window), fWs(window.Workspace), fView(window.Window), fRegion(window.Region()) {}

  std::unique_ptr<sheet::TExportWorkbook> Compose();

 private:
  bool OfferLayout() const { return fView.LayoutChoice == kOfferLayout; }
  bool OrderLayout() const { return fView.LayoutChoice == kOrderLayout; }
  void SetColumnsAndHeaders(const std::string& description);
  void AddCustomerBlock();
  void AddTableHeader();
  void ShowInDetailView(int i, const TOfferItem& item);
  void AddPagePadding();
  void AddItemRow(int i, const TOfferItem& item);
  void AddPropertyRows(const TOfferItem& item);
  void AddTotalsRow(const char* label, const std::string& value);
  void SetPrintRange();

  TMainWindow& fWindow;
  TOfferWorkspace& fWs;
  TMainWindowState& fView;
  const text::TRegionalSettings& fRegion;
  int fImportedItemCount = 0;
  sheet::TExportWorkSheet* fSheet = nullptr;
  // Counts printed lines of the offer layout; decides page padding. Not an
  // exact row index: the header copy is not counted, and every item adds
  // one line more than it appends.
  int fPageLineCounter = 0;
};

std::unique_ptr<sheet::TExportWorkbook> TOfferSheetComposer::Compose() {
  fImportedItemCount = text::StrToInt(fWs.ImportedItemCount);
  const int n = static_cast<int>(fView.ItemList.Items.Count());
  const std::string description = fView.DescriptionEntry;

  auto workbook = std::make_unique<sheet::TExportWorkbook>();
  fSheet = &workbook->AddWorkSheet(description, -1);
  SetColumnsAndHeaders(description);
  if (fView.CustomerHeaderCheck) AddCustomerBlock();
  fSheet->NewCellBorders().SetBorders(kAllSides, sheet::ebNone, sheet::clNone);
  AddTableHeader();

  fPageLineCounter = fView.CustomerHeaderCheck ? kFirstLineWithCustomer : kFirstLineWithoutCustomer;
  for (int i = 0; i < n; ++i) {
    if (OfferLayout()) AddPagePadding();
    const TOfferItem item = ReadOfferItem(fWs, fView, i, fImportedItemCount, TItemReading::irFail);
    ShowInDetailView(i, item);
    AddItemRow(i, item);
    if (OrderLayout()) fSheet->AddRow(-1);
    if (OfferLayout() && item.Imported) AddPropertyRows(item);
    ++fPageLineCounter;
  }

  fSheet->AddRow(-1);
  AddTotalsRow("Celková cena bez DPH", fView.NetTotalField);
  AddTotalsRow("DPH 21%", fView.VatField);
  AddTotalsRow("Celková cena s DPH 21%", fView.GrossTotalField);
  SetPrintRange();
  return workbook;
}

void TOfferSheetComposer::SetColumnsAndHeaders(const std::string& description) {
  for (int c = 0; c < 6; ++c) fSheet->FindCreateCol(c).SetWidth(kColumnWidths[c]);
  sheet::TExportHeader& left = fSheet->Header().Left();
  left.SetText(description);
  left.Font().SetColor(0).SetSize(10).SetName("Arial Black");
  fSheet->Header().Right().SetText("Datum: [DATE]");
  fSheet->Footer().Center().SetText("Strana [PAGENUMBER] z [PAGECOUNT]");
}

void TOfferSheetComposer::AddCustomerBlock() {
  const std::string identification = "IČO " + fView.CustomerIcoField + "   DIČ " + fView.CustomerDicField;
  fSheet->AddRow(-1)
      .AddCellString("Zákazník")
      .SetColSpan(6)
      .SetAlignment(sheet::cahLeft)
      .SetFontStyle(sheet::fsBold)
      .SetFontSize(kNormalFontSize);
  fSheet->NewCellBorders().SetBorders(kAllSides, sheet::ebThin, 0);
  auto addLine = [this](const std::string& ab, const std::string& c, const std::string& df) {
    sheet::TExportRow& row = fSheet->AddRow(-1);
    row.AddCellString(ab).SetColSpan(2).SetAlignment(sheet::cahLeft).SetFontSize(kNormalFontSize);
    row.AddCellString(c).SetColSpan(1).SetAlignment(sheet::cahLeft).SetFontSize(kNormalFontSize);
    row.AddCellString(df).SetColSpan(3).SetAlignment(sheet::cahLeft).SetFontSize(kNormalFontSize);
  };
  addLine(fView.CustomerFirmField, identification, fView.CustomerContactField);
  addLine(fView.CustomerStreetField, fView.CustomerCityField, fView.CustomerPhoneField);
  fSheet->AddRow(-1);
}

void TOfferSheetComposer::AddTableHeader() {
  sheet::TExportRow& row = fSheet->AddRow(-1);
  auto headerCell = [&row](const char* caption, int span) {
    row.AddCellString(caption)
        .SetColSpan(span)
        .SetFontSize(kNormalFontSize)
        .SetAlignment(sheet::cahCenter)
        .SetBGColor(kHeaderBackground);
  };
  headerCell("Označení prvku", 2);
  for (const char* caption : {"Popis prvku/Vlastnosti", "Počet", "Cena", "Celková cena"}) headerCell(caption, 1);
}

void TOfferSheetComposer::ShowInDetailView(int i, const TOfferItem& item) {
  const int row = i + 1;
  fView.ItemList.ItemIndex = i;
  fWs.SelectedItemIndex = std::to_string(i);
  fView.ItemCodeField = fView.ItemList.Items.Get(i);
  fView.ItemDescriptionField = item.Description;
  fView.ItemCountField = fView.CountEntry = fWs.CalcGrid.Cell(2, row);
  fView.ItemPriceField = fView.PriceEntry = fWs.CalcGrid.Cell(3, row);
  fView.ItemTotalField = fWs.CalcGrid.Cell(4, row);
  if (!item.Imported) return;
  fWs.CurrentImagePath = item.PicturePath;
  if (!item.PicturePath.empty()) fWindow.ShowPicture(item.PicturePath);
  if (!OfferLayout()) return;
  fView.PropertiesBox.Clear();
  for (const std::string& line : item.Properties) fView.PropertiesBox.Add(line);
}

// An item that would start below the page's limit starts a new page: empty
// rows fill the page, and the table header is repeated on the next one.
void TOfferSheetComposer::AddPagePadding() {
  if (fPageLineCounter <= kPageBreakLimit) return;
  if (fPageLineCounter < kPageLength) fSheet->AddRows(kPageLength - fPageLineCounter);
  fPageLineCounter = 1;
  AddTableHeader();
}

void TOfferSheetComposer::AddItemRow(int i, const TOfferItem& item) {
  const int row = i + 1;
  sheet::TExportRow& itemRow = fSheet->AddRow(-1);
  itemRow.AddCellString(fView.ItemList.Items.Get(i)).SetColSpan(2).SetFontStyle(sheet::fsBold);
  ++fPageLineCounter;
  itemRow.AddCellString(item.Description)
      .SetFontSize(kNormalFontSize)
      .SetFontStyle(sheet::fsBold)
      .SetBorders(kAllSides, sheet::ebThin, 0);
  itemRow.AddCellNumber(text::StrToInt(fWs.CalcGrid.Cell(2, row)), 0)
      .SetFontSize(kNormalFontSize)
      .SetAlignment(sheet::cahCenter)
      .SetFontStyle(sheet::fsBold);
  for (int col : {3, 4}) {
    itemRow.AddCellNumber(MoneyValue(fWs.CalcGrid.Cell(col, row), fRegion), 2)
        .SetFontSize(kNormalFontSize)
        .SetAlignment(sheet::cahCenter)
        .SetFontStyle(sheet::fsBold);
  }
}

// Items of a list without a picture folder have no picture path: they are
// exported without a picture rather than failing the export.
void TOfferSheetComposer::AddPropertyRows(const TOfferItem& item) {
  int k = 0;
  for (const std::string& line : item.Properties) {
    sheet::TExportRow& row = fSheet->AddRow(-1);
    sheet::TExportCell& anchor = row.AddCellString("");
    if (k++ == 0 && !item.PicturePath.empty()) anchor.AddImage(item.PicturePath, 0, 0, kPictureSize, kPictureSize);
    row.SetHeight(kPropertyRowHeight);
    row.AddCellString(line).SetColSpan(4).SetFontSize(kPropertyFontSize);
    ++fPageLineCounter;
  }
  const int fillers = k >= kItemBlockRows ? 1 : kItemBlockRows - k;
  for (int f = 0; f < fillers; ++f) {
    sheet::TExportRow& row = fSheet->AddRow(-1);
    row.SetHeight(kPropertyRowHeight);
    row.AddCellString("");
    row.AddCellString(" ").SetColSpan(4).SetFontSize(kPropertyFontSize);
    ++fPageLineCounter;
  }
}

void TOfferSheetComposer::AddTotalsRow(const char* label, const std::string& value) {
  sheet::TExportRow& row = fSheet->AddRow(-1);
  row.AddCellString("");
  row.AddCellString(label)
      .SetFontSize(kNormalFontSize)
      .SetColSpan(4)
      .SetAlignment(sheet::cahLeft)
      .SetFontStyle(sheet::fsBold)
      .SetBGColor(kHeaderBackground);
  row.AddCellNumber(MoneyValue(value, fRegion), 2)
      .SetFontSize(kNormalFontSize)
      .SetAlignment(sheet::cahCenter)
      .SetFontStyle(sheet::fsBold)
      .SetBGColor(kHeaderBackground);
}

// The range stores right column and bottom row as spans from its left column
// and top row, so those are set first.
void TOfferSheetComposer::SetPrintRange() {
  sheet::TExportRows& rows = fSheet->Rows();
  sheet::TExportRange& range = fSheet->PageSettings().PrintRange();
  range.SetLeftCol(0).SetTopRow(0);
  range.SetRightCol(rows.Last().CellCount() - 1).SetBottomRow(rows.Count() - 1);
}

}  // namespace

std::unique_ptr<sheet::TExportWorkbook> ComposeOfferWorkbook(TMainWindow& window) {
  return TOfferSheetComposer(window).Compose();
}

bool ExportOffer(TMainWindow& window) {
  // The offer's default format must be writable whichever program runs the command.
  xlsx::RegisterXlsxFormat();
  std::unique_ptr<sheet::TExportWorkbook> workbook = ComposeOfferWorkbook(window);
  if (window.Window.SaveDialogCheck) return workbook->SaveToFileWithDialog({}, {}, true);
  return workbook->SaveToFile(window.Workspace.ExportFilePath, true);
}

}  // namespace app
