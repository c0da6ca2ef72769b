#include "app/OfferExport.h"

#include <algorithm>
#include <optional>
#include <string>

#include "app/MainWindow.h"
#include "app/JpegPicture.h"
#include "app/Money.h"
#include "app/OfferPages.h"
#include "app/OfferItems.h"
#include "sheet/Sizes.h"
#include "text/Utf16.h"
#include "sheet/Workbook.h"
#include "text/Conversion.h"
#include "text/RegionalSettings.h"
#include "csv/ExporterCSV.h"
#include "ods/ExporterODS.h"
#include "xls/ExporterXLS.h"
#include "xlsx/ExporterXLSX.h"

namespace app {

using namespace offersheet;

namespace {

constexpr sheet::TCellBorders kAllSides =
    sheet::BorderBit(sheet::cbTop) | sheet::BorderBit(sheet::cbRight) | sheet::BorderBit(sheet::cbBottom) |
    sheet::BorderBit(sheet::cbLeft);

// The most characters a page header may hold in a spreadsheet file.
constexpr std::size_t kMaxHeaderLength = 255;

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
  void SetHeaderDescription(const std::string& description);
  void AddCustomerBlock();
  void SetPageSetup();
  sheet::TExportRow& AddTableHeader(int position = -1);
  void ShowInDetailView(int i, const TOfferItem& item);
  void KeepOnOnePage(int firstRow);
  void AddItemRow(int i, const TOfferItem& item);
  void AddPropertyRows(const TOfferItem& item);
  void AddPicture(sheet::TExportCell& anchor, const std::string& path);
  void AddTotalsRow(const char* label, const std::string& value);
  void SetPrintRange();
  double RowHeight(const sheet::TExportRow& row) const;
  double RowsHeight(int firstRow) const;

  TMainWindow& fWindow;
  TOfferWorkspace& fWs;
  TMainWindowState& fView;
  const text::TRegionalSettings& fRegion;
  int fImportedItemCount = 0;
  sheet::TExportWorkSheet* fSheet = nullptr;
  std::optional<TOfferPages> fPages;  // the offer layout's page breaks

 public:
  // Pictures that are no JPEG, in item order.
  std::vector<std::string> fPicturesLeftOut;
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
  const sheet::TExportRow& header = AddTableHeader();
  if (OfferLayout()) {
    fPages.emplace(fSheet->PageSettings().PrintableHeight(), RowHeight(header));
    fPages->AddRows(RowsHeight(0));
  } else {
    // The order breaks its pages where the program likes: the table heading
    // is repeated at the top of each printed page instead.
    fSheet->PageSettings().RowsToRepeat().SetTopRow(header.RowIndex()).SetBottomRow(header.RowIndex());
  }

  for (int i = 0; i < n; ++i) {
    const TOfferItem item = ReadOfferItem(fWs, fView, i, fImportedItemCount, TItemReading::irFail);
    ShowInDetailView(i, item);
    const int first = fSheet->Rows().Count();
    AddItemRow(i, item);
    if (OrderLayout()) fSheet->AddRow(-1);
    if (OfferLayout() && item.Imported) AddPropertyRows(item);
    KeepOnOnePage(first);
  }

  const int closing = fSheet->Rows().Count();
  fSheet->AddRow(-1);
  AddTotalsRow("Celková cena bez DPH", fView.NetTotalField);
  AddTotalsRow("DPH 21%", fView.VatField);
  AddTotalsRow("Celková cena s DPH 21%", fView.GrossTotalField);
  KeepOnOnePage(closing);
  SetPrintRange();
  return workbook;
}

// Rows keep the height the writer gives them: their own, else the tallest
// font of their cells, at least the sheet's line.
double TOfferSheetComposer::RowHeight(const sheet::TExportRow& row) const {
  if (row.Height() >= 0) return row.Height();
  double height = sheet::SheetDefaultRowHeight(*fSheet, row.CellCount() == 0);
  for (int c = 0; c < row.CellCount(); ++c) {
    height = std::max(height, static_cast<double>(sheet::GetRowHeightFromFont(row.Cells().Get(c).Font_ReadOnly())));
  }
  return height;
}

double TOfferSheetComposer::RowsHeight(int firstRow) const {
  double height = 0;
  const sheet::TExportRows& rows = fSheet->Rows();
  for (int r = firstRow; r < rows.Count(); ++r) height += RowHeight(rows.Get(r));
  return height;
}

// The rows from firstRow on are one block: when it does not fit on the page,
// a copy of the table header with a manual page break goes before it.
void TOfferSheetComposer::KeepOnOnePage(int firstRow) {
  if (!fPages) return;
  const double block = RowsHeight(firstRow);
  if (fPages->BreakBefore(block)) {
    AddTableHeader(firstRow).SetPageBreakBefore(true);
    fPages->NewPage();
  }
  fPages->AddBlock(block);
}

void TOfferSheetComposer::SetColumnsAndHeaders(const std::string& description) {
  for (int c = 0; c < 6; ++c) fSheet->FindCreateCol(c).SetWidth(kColumnWidths[c]);
  SetPageSetup();
  sheet::TExportHeader& left = fSheet->Header().Left();
  left.Font().SetColor(0).SetSize(10).SetName("Arial Black");
  fSheet->Header().Right().SetText("Datum: [DATE]");
  fSheet->Footer().Center().SetText("Strana [PAGENUMBER] z [PAGECOUNT]");
  SetHeaderDescription(description);
}

namespace {

// Control characters (a stray byte in the stored description) cannot stand
// in a page header; they are left out.
std::string WithoutControlCharacters(std::string_view textValue) {
  std::string out;
  out.reserve(textValue.size());
  for (const char c : textValue) {
    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) out += c;
  }
  return out;
}

// The length of the header as the file carries it, in characters.
std::size_t HeaderCodeLength(const sheet::TExportHeaders& headers) {
  return text::Utf16Length(headers.ExcelFormattedText());
}

}  // namespace

// The description is cut until the whole header fits the 255 characters that
// spreadsheet programs accept (a longer one is refused or truncated by them).
void TOfferSheetComposer::SetHeaderDescription(const std::string& description) {
  sheet::TExportHeader& left = fSheet->Header().Left();
  const std::string shown = WithoutControlCharacters(description);
  left.SetText(shown);
  if (HeaderCodeLength(fSheet->Header()) <= kMaxHeaderLength) return;
  // The longest start of the description that fits ("&" takes two characters in the code).
  std::size_t fits = 0;
  std::size_t tooLong = text::Utf16Length(shown);
  while (tooLong - fits > 1) {
    const std::size_t middle = fits + (tooLong - fits) / 2;
    left.SetText(text::Utf16Left(shown, middle));
    (HeaderCodeLength(fSheet->Header()) <= kMaxHeaderLength ? fits : tooLong) = middle;
  }
  left.SetText(text::Utf16Left(shown, fits));
}

// One page wide in every program (the six columns fill A4's printable width
// to the pixel, and some programs lay columns out a little wider); the page
// count in height stays free.
void TOfferSheetComposer::SetPageSetup() {
  fSheet->PageSettings().SetFitWidthToPages(1).SetFitHeightToPages(0);
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

sheet::TExportRow& TOfferSheetComposer::AddTableHeader(int position) {
  sheet::TExportRow& row = fSheet->AddRow(position);
  auto headerCell = [&row](const char* caption, int span) {
    row.AddCellString(caption)
        .SetColSpan(span)
        .SetFontSize(kNormalFontSize)
        .SetAlignment(sheet::cahCenter)
        .SetBGColor(kHeaderBackground);
  };
  headerCell("Označení prvku", 2);
  for (const char* caption : {"Popis prvku/Vlastnosti", "Počet", "Cena", "Celková cena"}) headerCell(caption, 1);
  return row;
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

void TOfferSheetComposer::AddItemRow(int i, const TOfferItem& item) {
  const int row = i + 1;
  sheet::TExportRow& itemRow = fSheet->AddRow(-1);
  itemRow.AddCellString(fView.ItemList.Items.Get(i)).SetColSpan(2).SetFontStyle(sheet::fsBold);
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

// The picture stands in the first row under the item row: its first property
// row, or its first filler row when it has no property lines. Items of a
// list without a picture folder have no picture path: they are exported
// without a picture rather than failing the export.
void TOfferSheetComposer::AddPropertyRows(const TOfferItem& item) {
  int k = 0;
  for (const std::string& line : item.Properties) {
    sheet::TExportRow& row = fSheet->AddRow(-1);
    sheet::TExportCell& anchor = row.AddCellString("");
    if (k++ == 0 && !item.PicturePath.empty()) AddPicture(anchor, item.PicturePath);
    row.SetHeight(kPropertyRowHeight);
    row.AddCellString(line).SetColSpan(4).SetFontSize(kPropertyFontSize);
  }
  const int fillers = k >= kItemBlockRows ? 1 : kItemBlockRows - k;
  for (int f = 0; f < fillers; ++f) {
    sheet::TExportRow& row = fSheet->AddRow(-1);
    row.SetHeight(kPropertyRowHeight);
    sheet::TExportCell& anchor = row.AddCellString("");
    if (k == 0 && f == 0 && !item.PicturePath.empty()) AddPicture(anchor, item.PicturePath);
    row.AddCellString(" ").SetColSpan(4).SetFontSize(kPropertyFontSize);
  }
}

// The size comes from the JPEG's frame header, read from the file's first
// bytes. A file that cannot be read is left to AddImage, which reports it; a
// file that is no JPEG (no start of image, empty, cut before its frame
// header or before its end) is not packed, since spreadsheet programs show a
// broken picture for it: the export goes on without it and names it afterwards.
void TOfferSheetComposer::AddPicture(sheet::TExportCell& anchor, const std::string& path) {
  std::optional<TJpegSize> size;
  bool readable = true;
  try {
    size = ReadJpegFileSize(fWindow.FileSystem(), path, TJpegCheck::jcFrameHeader);
    if (size && !JpegTailIsComplete(fWindow.FileSystem().ReadFileTail(path, kJpegTailBytes))) size.reset();
  } catch (const EInOutError&) {
    readable = false;
  }
  if (readable && !size) {
    fPicturesLeftOut.push_back(path);
    return;
  }
  const TPictureBox box = size ? PictureBoxFor(size->Width, size->Height) : TPictureBox{};
  anchor.AddImage(path, 0, 0, box.Width, box.Height);
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

TPictureBox PictureBoxFor(int pictureWidth, int pictureHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0) return {};
  const long long w = pictureWidth;
  const long long h = pictureHeight;
  if (w >= h) return {kPictureSize, static_cast<int>(std::max<long long>(1, (kPictureSize * h + w / 2) / w))};
  return {static_cast<int>(std::max<long long>(1, (kPictureSize * w + h / 2) / h)), kPictureSize};
}

std::unique_ptr<sheet::TExportWorkbook> ComposeOfferWorkbook(TMainWindow& window,
                                                             std::vector<std::string>* picturesLeftOut) {
  TOfferSheetComposer composer(window);
  std::unique_ptr<sheet::TExportWorkbook> workbook = composer.Compose();
  if (picturesLeftOut) *picturesLeftOut = std::move(composer.fPicturesLeftOut);
  return workbook;
}

std::string PicturesLeftOutMessage(const std::vector<std::string>& paths) {
  std::string message = kPicturesLeftOutMessage;
  for (const std::string& path : paths) message += "\n" + path;
  return message;
}

void RegisterFileFormats() {
  xlsx::RegisterXlsxFormat();
  xls::RegisterXlsFormat();
  ods::RegisterOdsFormat();
  csv::RegisterCsvFormats();
}

bool ExportOffer(TMainWindow& window) {
  // Every format must be writable whichever program runs the command.
  RegisterFileFormats();
  // Writers that show cell texts (CSV, the OpenDocument cells) and resolve
  // the system date formats read the process's regional settings: the window's.
  text::SetProcessRegionalSettings(window.Region());
  std::vector<std::string> leftOut;
  std::unique_ptr<sheet::TExportWorkbook> workbook = ComposeOfferWorkbook(window, &leftOut);
  const bool saved = window.Window.SaveDialogCheck ? workbook->SaveToFileWithDialog({}, {}, true)
                                                   : workbook->SaveToFile(window.Workspace.ExportFilePath, true);
  if (saved) window.Workspace.UnexportedChanges = false;
  if (saved && !leftOut.empty()) window.Dialogs().ShowMessage(PicturesLeftOutMessage(leftOut));
  return saved;
}

}  // namespace app
