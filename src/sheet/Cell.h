#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sheet/Font.h"
#include "sheet/Images.h"
#include "sheet/InternedTexts.h"
#include "sheet/ItemPool.h"
#include "sheet/OwnedList.h"
#include "sheet/Style.h"
#include "sheet/Types.h"

namespace text {
struct TRegionalSettings;
}

namespace sheet {

class TExportCell;
class TExportCellDrawing;
class TExportCellDrawings;
class TExportCol;
class TExportRow;
class TExportWorkSheet;
class TExportWorkbook;

// One formatted run of a rich-text string cell; no font = the cell's font.
struct TRichTextRun {
  std::string fText;
  std::optional<TExportFont> fFont;
};

// What few cells carry, kept out of the cell itself and allocated on first use,
// so that an ordinary cell stays small.
struct TExportCellExtras {
  TExportCellExtras();
  ~TExportCellExtras();
  std::string fFormula;
  std::string fComment;
  std::unique_ptr<TExportCellDrawings> fDrawings;
  int fColSpan = 1;
  int fRowSpan = 1;
  // String cells.
  std::vector<TRichTextRun> fRichTextTags;
  std::string fHyperLink;
  std::string fHyperLinkHint;
};

// A cell kind as a value ("cell class"): compare by address, create by fCreate.
struct TExportCellClassInfo {
  const char* fName;
  TExportCell* (*fCreate)();
};
using TExportCellClass = const TExportCellClassInfo*;

// The class value of kind T, e.g. CellClass<TExportCellString>().
template <class T>
constexpr TExportCellClass CellClass() {
  return &T::ClassInfo;
}

// A cell of a row; its column index is its position in the row. Abstract: the
// kinds (CellKinds.h) add the value. Every configuring operation returns the
// cell so that calls chain.
class TExportCell : public TOwnedListObject {
 public:
  ~TExportCell() override;
  // A workbook holds cells by the hundred thousand: they come from the item pool.
  static void* operator new(std::size_t aSize) { return TItemPool::Allocate(aSize); }
  static void operator delete(void* aCell, std::size_t aSize) { TItemPool::Free(aCell, aSize); }

  // The exact kind of this object and its file-level type.
  virtual TExportCellClass Class() const = 0;
  virtual TExportCellType CellType() const = 0;
  template <class T>
  bool IsKind() const { return Class() == &T::ClassInfo; }

  // Where the cell lives; null when it is in no row.
  TExportRow* Row() const;
  TExportWorkSheet* WorkSheet() const;
  TExportWorkbook* Workbook() const;
  // The column object at this cell's index (created on demand). Requires a worksheet.
  TExportCol& Col() const;
  int RowIndex() const;
  int ColIndex() const { return IndexInList(); }
  // A1 names without and with the spans ("B3", "A1:F1").
  std::string RangeNoSpan() const;
  std::string RangeWithSpan() const;

  // ---- formatting (each setter changes nothing when the value is already set)
  // Write access gives the cell a private copy of a shared style until the row
  // is packed (the next AddRow, style edits moving to another row, a save):
  // use the reference at once and don't keep it past those points.
  TExportCellStyle& Style() { return OwnStyle(); }
  const TExportCellStyle& Style() const { return ReadStyle(); }
  TCellHAlignment Alignment() const { return ReadStyle().Alignment(); }
  std::uint8_t Indent() const { return ReadStyle().Indent(); }
  TCellVAlignment VAlignment() const { return ReadStyle().VAlignment(); }
  bool WrapText() const { return ReadStyle().WrapText(); }
  TColor BGColor() const { return ReadStyle().BGColor(); }
  TExportFlowOrientation Orientation() const { return ReadStyle().Orientation(); }
  TExportCellRotation Rotation() const { return ReadStyle().Rotation(); }
  TExportCellProtection Protection() const { return ReadStyle().Protection(); }
  TExportFont& Font() { return OwnStyle().Font(); }
  const TExportFont& Font_ReadOnly() const { return ReadStyle().Font_ReadOnly(); }
  TExportCellBorders& Borders() { return OwnStyle().Borders(); }
  const TExportCellBorders& Borders_ReadOnly() const { return ReadStyle().Borders_ReadOnly(); }

  TExportCell& SetAlignment(TCellHAlignment aAlignment);
  TExportCell& SetAlignment(TAlignment aAlignment, TCellHAlignment aDefaultForLeft);
  TExportCell& SetVAlignment(TCellVAlignment aVAlignment);
  TExportCell& SetVAlignment(TVerticalAlignment aVAlignment, TCellVAlignment aDefaultForTop);
  TExportCell& SetIndent(std::uint8_t aIndent);
  // Wrapping switches the cell's CalculateColWidth off.
  TExportCell& SetWrapText(bool aWrapText);
  TExportCell& SetFontName(const std::string& aFontName);
  TExportCell& SetFontSize(int aFontSize);
  TExportCell& SetFontSizeAdd(int aAddFontSize);
  TExportCell& SetFontStyle(TFontStyles aFontStyle);
  TExportCell& SetFontColor(TColor aFontColor);
  TExportCell& SetBGColor(TColor aBGColor);
  TExportCell& SetBorders(TCellBorders aBorders, TCellBorderStyle aStyle, TColor aColor = clNone);
  TExportCell& SetBorder(TCellBorder aBorder, TCellBorderStyle aStyle, TColor aColor = clNone);
  TExportCell& SetOrientation(TExportFlowOrientation aOrientation);
  TExportCell& SetRotation(TExportCellRotation aRotation);
  TExportCell& SetProtection(TExportCellProtection aProtection);
  TExportCell& StyleAssignFromSheet();
  TExportCell& StyleAssignFromRow();
  TExportCell& StyleAssignFromCol();
  TExportCell& StyleClear();
  // Interns the style's private font and borders (see TExportCellStyle::PackStyle),
  // then shares the style with the cells formatted alike.
  void PackStyle();
  // Style footprint with this cell's number format for writers (packs first).
  std::string StyleFootPrint();

  // ---- structure
  int ColSpan() const { return fHasExtras ? ExtrasIfAny()->fColSpan : 1; }
  int RowSpan() const { return fHasExtras ? ExtrasIfAny()->fRowSpan : 1; }
  // At least 1; fills the row with cleared empty placeholders up to the span.
  TExportCell& SetColSpan(int aColSpan);
  TExportCell& SetRowSpan(int aRowSpan);
  // Width of the cell's column object; height of the row.
  double Width() const;
  TExportCell& SetWidth(double aWidth);
  double Height() const;
  TExportCell& SetHeight(double aHeight);
  TExportCell& SetCalculateRowHeight(TExportCalculateRowHeight aMode);
  bool CalculateColWidth() const { return fCalculateColWidth; }
  // Setting true is ignored for stacked or rotated text and for spanning cells.
  TExportCell& SetCalculateColWidth(bool aCalculateColWidth);

  const std::string& Formula() const { return fHasExtras ? ExtrasIfAny()->fFormula : EmptyText(); }
  bool FormulaAssigned() const { return fHasExtras && !ExtrasIfAny()->fFormula.empty(); }
  // Stores the formula with a leading "=".
  TExportCell& SetFormula(const std::string& aFormula);
  TExportCell& SetFormulaSum(int aLeftCol, int aTopRow, int aRightCol, int aBottomRow);
  TExportCell& SetFormulaSumSpan(int aColIndex, int aRowIndex, int aColSpan, int aRowSpan);

  // Defined name of the cell (worksheet table first, then the workbook's).
  std::string Name() const;
  TExportCell& SetName(const std::string& aName);

  const std::string& Comment() const { return fHasExtras ? ExtrasIfAny()->fComment : EmptyText(); }
  TExportCell& SetComment(const std::string& aComment);

  const std::string& ExcelNumberFormat() const { return TInternedTexts::Get(fExcelNumberFormatId); }
  // Stores the format text; with aParse the number kinds also take decimal
  // places, digits, separators (and the kind-specific parts) from it.
  TExportCell& SetExcelNumberFormat(const std::string& aFormat, bool aParse = false);
  // Stores the format and turns the cell into the kind the format calls for,
  // keeping its text value. Returns the (possibly new) cell.
  TExportCell& SetExcelNumberFormatAndTransform(const std::string& aFormat);
  // The number-format code the file writers use (explicit format, or one built by the kind).
  virtual std::string ExcelNumberFormatForWriter() const { return ExcelNumberFormat(); }

  bool ValueAssigned() const { return fValueAssigned; }
  TExportCell& SetValueAssigned(bool aValueAssigned) { fValueAssigned = aValueAssigned; return *this; }

  // ---- pictures
  TExportCellDrawings& Drawings();
  bool DrawingsAssigned() const;
  // The cell's drawings without creating them; null when it has none.
  const TExportCellDrawings* DrawingsIfAny() const {
    const TExportCellExtras* extras = ExtrasIfAny();
    return extras ? extras->fDrawings.get() : nullptr;
  }
  // Throws EExportFileException naming the file when it cannot be read.
  TExportCellDrawing& AddImage(const std::string& aFileName, int aLeft, int aTop, int aWidth, int aHeight);
  // Image bytes from the stream's position to its end; aFileName gives name and extension
  // (EExportFileNameException "Filename does not contain any extension." without one).
  TExportCellDrawing& AddImage(std::istream& aStream, const std::string& aFileName, int aLeft, int aTop, int aWidth,
                               int aHeight);
  TExportCellDrawing& ReuseImage(int aDrawingIndex, int aLeft, int aTop, int aWidth, int aHeight);
  TExportCellDrawing& ReuseImage(const TExportCellDrawing& aCellDrawing, int aLeft, int aTop, int aWidth, int aHeight);
  // True when no drawings, comment (or other attachments) hang on the cell.
  virtual bool NothingAttached() const;

  // ---- values
  // The value as plain text ("." decimal separator, ISO dates).
  virtual std::string SqlText() const = 0;
  virtual void SetSqlText(const std::string& aText) = 0;
  // The display text (defined with the cell-text functions).
  std::string FormattedText(const text::TRegionalSettings* aSettings = nullptr) const;
  void SetFormattedText(const std::string& aText);
  // Whether the kind counts as empty for DeleteEmptyCellsFromEnd.
  virtual bool IsEmptyForTrim() const;

  // Turns the cell into another kind at the same position and frees this one.
  // Callers must continue with the returned cell.
  TExportCell& Transform(TExportCellClass aCellClass);
  template <class T>
  T& TransformTo() { return static_cast<T&>(Transform(&T::ClassInfo)); }

  // Copies style, formula, number format, value-assigned flag, spans, drawings
  // and comment, plus the value fields the receiver's kind shares with aFrom.
  virtual void Assign(const TExportCell& aFrom);

  // Takes the worksheet's new-cell settings (per kind).
  virtual void AssignNewCellProperties(TExportWorkSheet& aSheet);
  virtual void SetKindDefaultAlignment() {}

 protected:
  TExportCell() = default;
  void DoCreate() override;
  // Kind value copy used by Assign; receives a cell of any kind.
  virtual void AssignValueFrom(const TExportCell& /*aFrom*/) {}

  static const std::string& EmptyText();
  // The cell's extras, created on first use. They live in a table beside the
  // cells, keyed by the cell, so that ordinary cells don't even carry a pointer.
  TExportCellExtras& Extras();
  // Null for ordinary cells.
  TExportCellExtras* ExtrasIfAny() const { return fHasExtras ? FindExtras() : nullptr; }
  // The style to read: shared, private, or the unbound default of a cell in no worksheet.
  const TExportCellStyle& ReadStyle() const {
    return fStyleLink ? *reinterpret_cast<const TExportCellStyle*>(fStyleLink & ~kPrivateStyleTag) : UnboundStyle();
  }
  // The cell's private style, copied from the shared one on first use.
  TExportCellStyle& OwnStyle() {
    return (fStyleLink & kPrivateStyleTag) ? *reinterpret_cast<TExportCellStyle*>(fStyleLink & ~kPrivateStyleTag)
                                           : MakeStyleOwn();
  }
  bool ExcelNumberFormatEmpty() const { return fExcelNumberFormatId == 0; }
  void StoreExcelNumberFormat(std::string_view aFormat) { fExcelNumberFormatId = TInternedTexts::Intern(aFormat); }

  // The first members are single bytes: they fill the list item's tail padding.
  bool fValueAssigned : 1 = false;
  bool fCalculateColWidth : 1 = false;
  // Kind values kept here for the same reason: string cells.
  bool fUseSharedStrings : 1 = false;
  // Number kinds.
  bool fEmptyIfZero : 1 = false;
  bool fThousandSep : 1 = false;
  bool fNegativeRed : 1 = false;
  // The cell has an entry in the extras table (see Extras()).
  bool fHasExtras : 1 = false;
  std::int8_t fDecimalPlaces = 2;
  std::int8_t fIntegerDigits = 1;
  // A shared style of the workbook, or a private one tagged with kPrivateStyleTag;
  // 0 until the cell is initialised (reads then see UnboundStyle).
  static constexpr std::uintptr_t kPrivateStyleTag = 1;
  std::uintptr_t fStyleLink = 0;
  std::uint32_t fExcelNumberFormatId = 0;

 private:
  friend class TExportRow;
  TExportCellExtras* FindExtras() const;
  void InitStyle();
  static const TExportCellStyle& UnboundStyle();
  TExportCellStyle& MakeStyleOwn();
  // Swaps a packed private style for the workbook's shared equal.
  void ShareStyleIfPacked();
  void EnsureSpanPlaceholders();
};

}  // namespace sheet
