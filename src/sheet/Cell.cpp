#include "sheet/Cell.h"

#include <algorithm>
#include <cctype>
#include <mutex>
#include <unordered_map>

#include "sheet/CellName.h"
#include "sheet/Columns.h"
#include "sheet/Exceptions.h"
#include "sheet/Images.h"
#include "sheet/Row.h"
#include "sheet/Workbook.h"
#include "sheet/Worksheet.h"

namespace sheet {

TExportCellExtras::TExportCellExtras() = default;
TExportCellExtras::~TExportCellExtras() = default;

namespace {

struct TExtrasTable {
  std::mutex fMutex;
  std::unordered_map<const TExportCell*, std::unique_ptr<TExportCellExtras>> fItems;
};

// Never destroyed: cells freed during static destruction still look here.
TExtrasTable& ExtrasTable() {
  static TExtrasTable* const table = new TExtrasTable;
  return *table;
}

}  // namespace

TExportCell::~TExportCell() {
  if (fStyleLink & kPrivateStyleTag) delete &OwnStyle();
  if (!fHasExtras) return;
  // Placements release their drawings while the cell still knows its workbook.
  FindExtras()->fDrawings.reset();
  std::unique_ptr<TExportCellExtras> extras;  // freed once the lock is released
  TExtrasTable& table = ExtrasTable();
  std::lock_guard lock(table.fMutex);
  if (const auto it = table.fItems.find(this); it != table.fItems.end()) {
    extras = std::move(it->second);
    table.fItems.erase(it);
  }
}

TExportCellExtras* TExportCell::FindExtras() const {
  TExtrasTable& table = ExtrasTable();
  std::lock_guard lock(table.fMutex);
  const auto it = table.fItems.find(this);
  return it != table.fItems.end() ? it->second.get() : nullptr;
}

const std::string& TExportCell::EmptyText() {
  static const std::string empty;
  return empty;
}

TExportCellExtras& TExportCell::Extras() {
  if (fHasExtras) return *FindExtras();
  auto extras = std::make_unique<TExportCellExtras>();
  TExportCellExtras& result = *extras;
  TExtrasTable& table = ExtrasTable();
  {
    std::lock_guard lock(table.fMutex);
    table.fItems[this] = std::move(extras);
  }
  fHasExtras = true;
  return result;
}

TExportCell& TExportCell::SetComment(const std::string& aComment) {
  if (fHasExtras || !aComment.empty()) Extras().fComment = aComment;
  return *this;
}

TExportRow* TExportCell::Row() const {
  const TOwnedListBase* list = OwnerList();
  return list ? static_cast<const TExportCells*>(list)->ExportRow() : nullptr;
}

TExportWorkSheet* TExportCell::WorkSheet() const {
  const TExportRow* row = Row();
  return row ? row->WorkSheet() : nullptr;
}

TExportWorkbook* TExportCell::Workbook() const {
  const TExportWorkSheet* sheet = WorkSheet();
  return sheet ? sheet->ExportObject() : nullptr;
}

TExportCol& TExportCell::Col() const {
  TExportWorkSheet* sheet = WorkSheet();
  if (!sheet) throw EExportException("TExportCell.Col: The cell is not a part of a worksheet.");
  return sheet->FindCreateCol(ColIndex());
}

int TExportCell::RowIndex() const {
  const TExportRow* row = Row();
  return row ? row->RowIndex() : -1;
}

std::string TExportCell::RangeNoSpan() const { return RangeName(ColIndex(), RowIndex()); }

std::string TExportCell::RangeWithSpan() const { return RangeName(ColIndex(), RowIndex(), ColSpan(), RowSpan()); }

void TExportCell::DoCreate() {
  InitStyle();
  if (TExportCellExtras* extras = ExtrasIfAny()) {
    extras->fColSpan = 1;
    extras->fRowSpan = 1;
  }
}

void TExportCell::InitStyle() {
  TExportRow* row = Row();
  TExportWorkSheet* sheet = row ? row->WorkSheet() : nullptr;
  TExportWorkbook* workbook = sheet ? sheet->ExportObject() : nullptr;
  if (fStyleLink & kPrivateStyleTag) delete &OwnStyle();
  // Built here, where the kinds' hooks see it as the cell's private style, and
  // then shared: most new cells never need a copy of their own.
  TExportCellStyle style;
  fStyleLink = reinterpret_cast<std::uintptr_t>(&style) | kPrivateStyleTag;
  try {
    style.Reset(workbook);
    // Sources are packed first, so that new cells share their font and borders
    // by index instead of each holding private copies.
    if (sheet) {
      sheet->Style().PackStyle();
      style.Assign(sheet->Style());
    }
    SetKindDefaultAlignment();
    if (row && row->StyleAssigned()) {
      row->StyleIfAssigned()->PackStyle();
      style.Assign(*row->StyleIfAssigned());
    } else if (sheet) {
      if (const TExportCol* col = sheet->FindCol(ColIndex()); col && col->StyleAssigned()) {
        col->StyleIfAssigned()->PackStyle();
        style.Assign(*col->StyleIfAssigned());
      }
    }
    if (sheet && workbook) AssignNewCellProperties(*sheet);
  } catch (...) {
    fStyleLink = 0;
    throw;
  }
  if (style.Packed()) {
    fStyleLink = reinterpret_cast<std::uintptr_t>(&workbook->SharedCellStyles().Intern(style));
    return;
  }
  // Private font or borders (new-cell settings): kept as being edited.
  auto* own = new TExportCellStyle();
  own->TakeOver(style);
  fStyleLink = reinterpret_cast<std::uintptr_t>(own) | kPrivateStyleTag;
  sheet->NoteCellStyleEdit(row->RowIndex());
}

const TExportCellStyle& TExportCell::UnboundStyle() {
  static const TExportCellStyle* const unbound = new TExportCellStyle();
  return *unbound;
}

TExportCellStyle& TExportCell::MakeStyleOwn() {
  if (TExportRow* row = Row())
    if (TExportWorkSheet* sheet = row->WorkSheet()) sheet->NoteCellStyleEdit(row->RowIndex());
  auto* own = new TExportCellStyle();
  if (fStyleLink) own->CopyPacked(ReadStyle());
  fStyleLink = reinterpret_cast<std::uintptr_t>(own) | kPrivateStyleTag;
  return *own;
}

void TExportCell::ShareStyleIfPacked() {
  if (!(fStyleLink & kPrivateStyleTag)) return;
  TExportCellStyle& own = OwnStyle();
  TExportWorkbook* workbook = own.LinkedWorkbook();
  if (!workbook || !own.Packed()) return;
  const TExportCellStyle& shared = workbook->SharedCellStyles().Intern(own);
  delete &own;
  fStyleLink = reinterpret_cast<std::uintptr_t>(&shared);
}

void TExportCell::PackStyle() {
  if (!(fStyleLink & kPrivateStyleTag)) return;
  OwnStyle().PackStyle();
  ShareStyleIfPacked();
}

std::string TExportCell::StyleFootPrint() {
  const std::string format = ExcelNumberFormatForWriter();
  if (fStyleLink & kPrivateStyleTag) return OwnStyle().FootPrint(format);
  return ReadStyle().PackedFootPrint(format);
}

void TExportCell::AssignNewCellProperties(TExportWorkSheet& aSheet) {
  // Unpacks only when the new-cell settings change something.
  TExportFont font = ReadStyle().Font_ReadOnly();
  font.AssignNoDefaults(aSheet.NewCellFont());
  if (!font.SameAs(ReadStyle().Font_ReadOnly())) OwnStyle().Font() = font;
  TExportCellBorders borders = ReadStyle().Borders_ReadOnly();
  borders.AssignNoDefaults(aSheet.NewCellBorders());
  if (!borders.SameAs(ReadStyle().Borders_ReadOnly())) OwnStyle().Borders() = borders;
  if (aSheet.NewCellVAlignment() != cavAuto) OwnStyle().SetVAlignment(aSheet.NewCellVAlignment());
  OwnStyle().SetWrapText(aSheet.NewCellWrapText());
  if (aSheet.NewCellBGColor() != clNone) OwnStyle().SetBGColor(aSheet.NewCellBGColor());
}

// ---- formatting

TExportCell& TExportCell::SetAlignment(TCellHAlignment aAlignment) {
  OwnStyle().SetAlignment(aAlignment);
  return *this;
}
TExportCell& TExportCell::SetAlignment(TAlignment aAlignment, TCellHAlignment aDefaultForLeft) {
  OwnStyle().SetAlignment(aAlignment, aDefaultForLeft);
  return *this;
}
TExportCell& TExportCell::SetVAlignment(TCellVAlignment aVAlignment) {
  OwnStyle().SetVAlignment(aVAlignment);
  return *this;
}
TExportCell& TExportCell::SetVAlignment(TVerticalAlignment aVAlignment, TCellVAlignment aDefaultForTop) {
  OwnStyle().SetVAlignment(aVAlignment, aDefaultForTop);
  return *this;
}
TExportCell& TExportCell::SetIndent(std::uint8_t aIndent) {
  OwnStyle().SetIndent(aIndent);
  return *this;
}
TExportCell& TExportCell::SetWrapText(bool aWrapText) {
  OwnStyle().SetWrapText(aWrapText);
  if (aWrapText) fCalculateColWidth = false;
  return *this;
}
TExportCell& TExportCell::SetFontName(const std::string& aFontName) {
  OwnStyle().SetFontName(aFontName);
  return *this;
}
TExportCell& TExportCell::SetFontSize(int aFontSize) {
  OwnStyle().SetFontSize(aFontSize);
  return *this;
}
TExportCell& TExportCell::SetFontSizeAdd(int aAddFontSize) {
  OwnStyle().SetFontSizeAdd(aAddFontSize);
  return *this;
}
TExportCell& TExportCell::SetFontStyle(TFontStyles aFontStyle) {
  OwnStyle().SetFontStyle(aFontStyle);
  return *this;
}
TExportCell& TExportCell::SetFontColor(TColor aFontColor) {
  OwnStyle().SetFontColor(aFontColor);
  return *this;
}
TExportCell& TExportCell::SetBGColor(TColor aBGColor) {
  OwnStyle().SetBGColor(aBGColor);
  return *this;
}
TExportCell& TExportCell::SetBorders(TCellBorders aBorders, TCellBorderStyle aStyle, TColor aColor) {
  OwnStyle().SetBorders(aBorders, aStyle, aColor);
  return *this;
}
TExportCell& TExportCell::SetBorder(TCellBorder aBorder, TCellBorderStyle aStyle, TColor aColor) {
  OwnStyle().SetBorder(aBorder, aStyle, aColor);
  return *this;
}
TExportCell& TExportCell::SetOrientation(TExportFlowOrientation aOrientation) {
  if (ReadStyle().Orientation() == aOrientation) return *this;
  OwnStyle().SetOrientation(aOrientation);
  if (aOrientation == efoTopToBottom) fCalculateColWidth = false;
  return *this;
}
TExportCell& TExportCell::SetRotation(TExportCellRotation aRotation) {
  if (ReadStyle().Rotation() == aRotation) return *this;
  OwnStyle().SetRotation(aRotation);
  if (aRotation != 0) fCalculateColWidth = false;
  return *this;
}
TExportCell& TExportCell::SetProtection(TExportCellProtection aProtection) {
  OwnStyle().SetProtection(aProtection);
  return *this;
}
TExportCell& TExportCell::StyleAssignFromSheet() {
  if (TExportWorkSheet* sheet = WorkSheet()) OwnStyle().Assign(sheet->Style());
  return *this;
}
TExportCell& TExportCell::StyleAssignFromRow() {
  if (TExportRow* row = Row(); row && row->StyleAssigned()) OwnStyle().Assign(*row->StyleIfAssigned());
  return *this;
}
TExportCell& TExportCell::StyleAssignFromCol() {
  if (TExportWorkSheet* sheet = WorkSheet())
    if (const TExportCol* col = sheet->FindCol(ColIndex()); col && col->StyleAssigned())
      OwnStyle().Assign(*col->StyleIfAssigned());
  return *this;
}
TExportCell& TExportCell::StyleClear() {
  OwnStyle().Clear();
  return *this;
}

// ---- structure

void TExportCell::EnsureSpanPlaceholders() {
  TExportRow* row = Row();
  if (!row) return;
  const long long needed = static_cast<long long>(ColIndex()) + ColSpan();
  TExportCells& cells = row->Cells();
  while (cells.Count() < needed) cells.Add<TExportCellEmpty>().StyleClear();
}

TExportCell& TExportCell::SetColSpan(int aColSpan) {
  const int span = aColSpan < 1 ? 1 : aColSpan;
  if (fHasExtras || span != 1) Extras().fColSpan = span;
  EnsureSpanPlaceholders();
  if (span > 1) fCalculateColWidth = false;
  return *this;
}

TExportCell& TExportCell::SetRowSpan(int aRowSpan) {
  const int span = aRowSpan < 1 ? 1 : aRowSpan;
  if (fHasExtras || span != 1) Extras().fRowSpan = span;
  return *this;
}

double TExportCell::Width() const { return Col().Width(); }

TExportCell& TExportCell::SetWidth(double aWidth) {
  Col().SetWidth(aWidth);
  return *this;
}

double TExportCell::Height() const {
  const TExportRow* row = Row();
  return row ? row->Height() : -1;
}

TExportCell& TExportCell::SetHeight(double aHeight) {
  if (TExportRow* row = Row()) row->SetHeight(aHeight);
  return *this;
}

TExportCell& TExportCell::SetCalculateRowHeight(TExportCalculateRowHeight aMode) {
  if (TExportRow* row = Row()) row->SetCalculateRowHeight(aMode);
  return *this;
}

TExportCell& TExportCell::SetCalculateColWidth(bool aCalculateColWidth) {
  if (aCalculateColWidth &&
      (ReadStyle().Orientation() == efoTopToBottom || ReadStyle().Rotation() != 0 || ColSpan() != 1))
    return *this;
  fCalculateColWidth = aCalculateColWidth;
  return *this;
}

TExportCell& TExportCell::SetFormula(const std::string& aFormula) {
  if (aFormula.empty()) {
    if (fHasExtras) ExtrasIfAny()->fFormula.clear();
    return *this;
  }
  Extras().fFormula = aFormula.front() != '=' ? "=" + aFormula : aFormula;
  fValueAssigned = true;
  return *this;
}

TExportCell& TExportCell::SetFormulaSum(int aLeftCol, int aTopRow, int aRightCol, int aBottomRow) {
  return SetFormulaSumSpan(aLeftCol, aTopRow, aRightCol - aLeftCol + 1, aBottomRow - aTopRow + 1);
}

TExportCell& TExportCell::SetFormulaSumSpan(int aColIndex, int aRowIndex, int aColSpan, int aRowSpan) {
  return SetFormula("SUM(" + RangeName(aColIndex, aRowIndex, aColSpan, aRowSpan) + ")");
}

std::string TExportCell::Name() const {
  const TExportWorkSheet* sheet = WorkSheet();
  if (!sheet) return {};
  std::string name = sheet->NamedCells().NameOf(sheet, ColIndex(), RowIndex());
  if (name.empty())
    if (const TExportWorkbook* wb = sheet->ExportObject()) name = wb->NamedCells().NameOf(sheet, ColIndex(), RowIndex());
  return name;
}

TExportCell& TExportCell::SetName(const std::string& aName) {
  TExportWorkSheet* sheet = WorkSheet();
  TExportWorkbook* wb = sheet ? sheet->ExportObject() : nullptr;
  if (!wb) throw EExportException("TExportCell.SetName: The cell is not a part of a workbook.");
  wb->NamedCells().RemoveCell(sheet, ColIndex(), RowIndex());
  if (!aName.empty()) wb->NamedCells().Set({aName, sheet, ColIndex(), RowIndex(), ColSpan(), RowSpan()});
  return *this;
}

// ---- pictures

TExportCellDrawings& TExportCell::Drawings() {
  TExportCellExtras& extras = Extras();
  if (!extras.fDrawings) extras.fDrawings = std::make_unique<TExportCellDrawings>(this);
  return *extras.fDrawings;
}

bool TExportCell::DrawingsAssigned() const {
  const TExportCellExtras* extras = ExtrasIfAny();
  return extras && extras->fDrawings && extras->fDrawings->Count() > 0;
}

namespace {
TExportWorkbook& RequireWorkbook(const TExportCell& aCell) {
  TExportWorkbook* wb = aCell.Workbook();
  if (!wb) throw EExportException("TExportCell.AddImage: The cell is not a part of a workbook.");
  return *wb;
}
}  // namespace

TExportCellDrawing& TExportCell::AddImage(const std::string& aFileName, int aLeft, int aTop, int aWidth,
                                          int aHeight) {
  TExportImage& image = RequireWorkbook(*this).AddImageFromFile(aFileName);
  TExportCellDrawing& placement = Drawings().Add();
  placement.Attach(image, aLeft, aTop, aWidth, aHeight);
  return placement;
}

TExportCellDrawing& TExportCell::AddImage(std::istream& aStream, const std::string& aFileName, int aLeft, int aTop,
                                          int aWidth, int aHeight) {
  TExportImage& image = RequireWorkbook(*this).AddImageFromStream(aStream, aFileName);
  TExportCellDrawing& placement = Drawings().Add();
  placement.Attach(image, aLeft, aTop, aWidth, aHeight);
  return placement;
}

TExportCellDrawing& TExportCell::ReuseImage(int aDrawingIndex, int aLeft, int aTop, int aWidth, int aHeight) {
  TExportDrawing& drawing = RequireWorkbook(*this).Drawings().Get(aDrawingIndex);
  if (!drawing.IsImage()) throw EExportException("Drawing is not an image");
  TExportCellDrawing& placement = Drawings().Add();
  placement.Attach(drawing, aLeft, aTop, aWidth, aHeight);
  return placement;
}

TExportCellDrawing& TExportCell::ReuseImage(const TExportCellDrawing& aCellDrawing, int aLeft, int aTop, int aWidth,
                                            int aHeight) {
  return ReuseImage(aCellDrawing.DrawingIndex(), aLeft, aTop, aWidth, aHeight);
}

bool TExportCell::NothingAttached() const { return !DrawingsAssigned() && Comment().empty(); }

bool TExportCell::IsEmptyForTrim() const { return !fValueAssigned; }

// ---- kinds

void TExportCell::Assign(const TExportCell& aFrom) {
  if (&aFrom == this) return;
  OwnStyle().Assign(aFrom.ReadStyle());
  fExcelNumberFormatId = aFrom.fExcelNumberFormatId;
  fValueAssigned = aFrom.fValueAssigned;
  fCalculateColWidth = aFrom.fCalculateColWidth;
  if (fHasExtras || aFrom.fHasExtras) {
    TExportCellExtras& extras = Extras();
    extras.fFormula = aFrom.Formula();
    extras.fColSpan = aFrom.ColSpan();
    extras.fRowSpan = aFrom.RowSpan();
    extras.fComment = aFrom.Comment();
  }
  if (aFrom.DrawingsAssigned()) {
    for (const TExportCellDrawing& from : *aFrom.ExtrasIfAny()->fDrawings) {
      if (!from.Drawing()) continue;
      TExportCellDrawing& placement = Drawings().Add();
      const TExportRect& r = from.Rect();
      placement.Attach(*from.Drawing(), r.Left, r.Top, r.Width(), r.Height());
      placement.DrawingStyle() = from.DrawingStyle();
    }
  }
  AssignValueFrom(aFrom);
}

namespace {
std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}
}  // namespace

TExportCell& TExportCell::Transform(TExportCellClass aCellClass) {
  if (!aCellClass || aCellClass == Class()) return *this;
  TExportRow* row = Row();
  if (!row) throw EExportException("TExportCell.Transform: The cell is not a part of a row.");
  const int index = ColIndex();
  std::unique_ptr<TExportCell> fresh(aCellClass->fCreate());
  TExportCell& created = row->Cells().Adopt(std::move(fresh), index);
  const std::uint32_t kindFormat = created.fExcelNumberFormatId;
  if (Lower(ExcelNumberFormat()) != "general") fExcelNumberFormatId = 0;
  created.Assign(*this);
  if (kindFormat != 0 && created.fExcelNumberFormatId == 0) created.fExcelNumberFormatId = kindFormat;
  delete this;
  return created;
}

}  // namespace sheet
