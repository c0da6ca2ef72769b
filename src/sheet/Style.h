#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "sheet/Borders.h"
#include "sheet/Font.h"
#include "sheet/Types.h"

namespace sheet {

class TExportWorkbook;

// Formatting record of a cell, row, column or worksheet. The font and the
// border set are held either as indexes into the workbook's unique lists
// (packed) or as private objects while being edited (unpacked). Every cell
// embeds one, so the record is kept to a few bytes: small fields as bytes, and
// one word that is either the workbook or the block of private objects.
class TExportCellStyle {
 public:
  // Throws EExportException "TExportCellStyle.Create: aParent can't be nil" without a workbook.
  explicit TExportCellStyle(TExportWorkbook* aWorkbook);
  TExportCellStyle(const TExportCellStyle&) = delete;
  TExportCellStyle& operator=(const TExportCellStyle&) = delete;
  ~TExportCellStyle();

  TExportWorkbook& ExportObject() const { return *LinkedWorkbook(); }

  TCellHAlignment Alignment() const { return static_cast<TCellHAlignment>(fAlignment); }
  std::uint8_t Indent() const { return fIndent; }
  TCellVAlignment VAlignment() const { return static_cast<TCellVAlignment>(fVAlignment); }
  bool WrapText() const { return fWrapText; }
  TColor BGColor() const { return fBGColor; }
  TExportFlowOrientation Orientation() const { return fTopToBottom ? efoTopToBottom : efoLeftToRight; }
  // Degrees -90 ... 90 (and the few special codes readers pass on) fit the stored 16 bits.
  TExportCellRotation Rotation() const { return fRotation; }
  TExportCellProtection Protection() const { return fProtection; }

  // Setters return the style; setting the value it already has does nothing.
  TExportCellStyle& SetAlignment(TCellHAlignment aAlignment);
  TExportCellStyle& SetAlignment(TAlignment aAlignment, TCellHAlignment aDefaultForLeft);
  // A non-zero indent on an automatic alignment also aligns left.
  TExportCellStyle& SetIndent(std::uint8_t aIndent);
  TExportCellStyle& SetVAlignment(TCellVAlignment aVAlignment);
  TExportCellStyle& SetVAlignment(TVerticalAlignment aVAlignment, TCellVAlignment aDefaultForTop);
  TExportCellStyle& SetWrapText(bool aWrapText);
  TExportCellStyle& SetBGColor(TColor aBGColor);
  // Top-to-bottom also sets rotation 0.
  TExportCellStyle& SetOrientation(TExportFlowOrientation aOrientation);
  // A non-zero rotation also sets left-to-right orientation.
  TExportCellStyle& SetRotation(TExportCellRotation aRotation);
  TExportCellStyle& SetProtection(TExportCellProtection aProtection);
  TExportCellStyle& SetFontName(const std::string& aFontName);
  TExportCellStyle& SetFontSize(int aFontSize);
  TExportCellStyle& SetFontSizeAdd(int aAddFontSize);
  TExportCellStyle& SetFontStyle(TFontStyles aFontStyle);
  TExportCellStyle& SetFontColor(TColor aFontColor);
  TExportCellStyle& SetBorders(TCellBorders aBorders, TCellBorderStyle aStyle, TColor aColor);
  TExportCellStyle& SetBorder(TCellBorder aBorder, TCellBorderStyle aStyle, TColor aColor);

  // Write access: unpacks into a private object on first use.
  TExportFont& Font();
  TExportCellBorders& Borders();
  // The effective objects, never unpacking.
  const TExportFont& Font_ReadOnly() const;
  const TExportCellBorders& Borders_ReadOnly() const;

  // Packed indexes (valid after Pack; readers may set them directly, which drops private objects).
  int FontId() const { return fFontId; }
  int BordersId() const { return fBordersId; }
  void SetFontId(int aFontId);
  void SetBordersId(int aBordersId);
  bool FontUnpacked() const { return Unpacked() && Unpacked()->fFont; }
  bool BordersUnpacked() const { return Unpacked() && Unpacked()->fBorders; }

  // Interns private objects into the workbook's lists (fonts first).
  void PackStyle();
  // Packs, then "alignment;indent;valign;wrap;bg;rotation;orientation;font;borders;protection;numberformat".
  std::string FootPrint(const std::string& aNumberFormat);
  // The same for a style that is packed already (see Packed), without changing it.
  std::string PackedFootPrint(const std::string& aNumberFormat) const;
  bool Packed() const { return !Unpacked(); }

  // Copies the plain fields and the effective font and borders: a packed source
  // of the same workbook by index, otherwise into private objects.
  void Assign(const TExportCellStyle& aFrom);
  // Resets to the cleared state used for placeholder cells (vertical alignment cavAuto).
  void Clear();

 private:
  friend class TExportCell;
  friend class TSharedCellStyles;
  // The unbound style a cell holds until it joins a worksheet.
  TExportCellStyle() = default;
  // Back to the state of a new style of aWorkbook (throws like the constructor without one).
  void Reset(TExportWorkbook* aWorkbook);

  // Private objects while being edited, with the workbook they came from.
  struct TUnpacked {
    TExportWorkbook* fWorkbook = nullptr;
    std::unique_ptr<TExportFont> fFont;
    std::unique_ptr<TExportCellBorders> fBorders;
  };
  static constexpr std::uintptr_t kUnpackedTag = 1;
  TUnpacked* Unpacked() const {
    return (fLink & kUnpackedTag) ? reinterpret_cast<TUnpacked*>(fLink & ~kUnpackedTag) : nullptr;
  }
  TExportWorkbook* LinkedWorkbook() const {
    if (const TUnpacked* unpacked = Unpacked()) return unpacked->fWorkbook;
    return reinterpret_cast<TExportWorkbook*>(fLink);
  }
  TUnpacked& EnsureUnpacked();
  // Frees the private block once it holds nothing.
  void ReleaseUnpackedIfEmpty();
  void ResetFont();
  void ResetBorders();
  // Copies every field of a packed style, its workbook included.
  void CopyPacked(const TExportCellStyle& aFrom);
  // Takes all of aFrom, private objects included; aFrom is left unbound.
  void TakeOver(TExportCellStyle& aFrom);

  // The workbook, or a TUnpacked tagged with kUnpackedTag.
  std::uintptr_t fLink = 0;
  TColor fBGColor = clNone;
  std::int32_t fFontId = 0;
  std::int32_t fBordersId = 0;
  std::int16_t fRotation = 0;
  std::uint8_t fAlignment = cahAuto;
  std::uint8_t fVAlignment = cavTop;
  std::uint8_t fIndent = 0;
  TExportCellProtection fProtection = ecpLocked;
  bool fWrapText : 1 = false;
  bool fTopToBottom : 1 = false;
};

// The read-only styles a workbook's cells share. Most cells are formatted like
// their neighbours, so a cell points at one of these until it is changed, and
// only then holds a private copy.
class TSharedCellStyles {
 public:
  TSharedCellStyles();
  TSharedCellStyles(const TSharedCellStyles&) = delete;
  TSharedCellStyles& operator=(const TSharedCellStyles&) = delete;
  ~TSharedCellStyles();
  // The shared style with aStyle's values; aStyle must be packed and belong to
  // this table's workbook.
  const TExportCellStyle& Intern(const TExportCellStyle& aStyle);

 private:
  struct TKey {
    std::uint64_t fParts[3];
    bool operator==(const TKey&) const = default;
  };
  struct TKeyHash {
    std::size_t operator()(const TKey& aKey) const;
  };
  std::unordered_map<TKey, std::unique_ptr<TExportCellStyle>, TKeyHash> fStyles;
};

}  // namespace sheet
