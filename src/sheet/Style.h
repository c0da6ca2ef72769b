#pragma once

#include <memory>
#include <string>

#include "sheet/Borders.h"
#include "sheet/Font.h"
#include "sheet/Types.h"

namespace sheet {

class TExportWorkbook;

// Formatting record of a cell, row, column or worksheet. The font and the
// border set are held either as indexes into the workbook's unique lists
// (packed) or as private objects while being edited (unpacked).
class TExportCellStyle {
 public:
  // Throws EExportException "TExportCellStyle.Create: aParent can't be nil" without a workbook.
  explicit TExportCellStyle(TExportWorkbook* aWorkbook);
  TExportCellStyle(const TExportCellStyle&) = delete;
  TExportCellStyle& operator=(const TExportCellStyle&) = delete;

  TExportWorkbook& ExportObject() const { return *fExportObject; }

  TCellHAlignment Alignment() const { return fAlignment; }
  std::uint8_t Indent() const { return fIndent; }
  TCellVAlignment VAlignment() const { return fVAlignment; }
  bool WrapText() const { return fWrapText; }
  TColor BGColor() const { return fBGColor; }
  TExportFlowOrientation Orientation() const { return fOrientation; }
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
  bool FontUnpacked() const { return fFont != nullptr; }
  bool BordersUnpacked() const { return fBorders != nullptr; }

  // Interns private objects into the workbook's lists (fonts first).
  void PackStyle();
  // Packs, then "alignment;indent;valign;wrap;bg;rotation;orientation;font;borders;protection;numberformat".
  std::string FootPrint(const std::string& aNumberFormat);

  // Copies the plain fields and the effective font and borders: a packed source
  // of the same workbook by index, otherwise into private objects.
  void Assign(const TExportCellStyle& aFrom);
  // Resets to the cleared state used for placeholder cells (vertical alignment cavAuto).
  void Clear();

 private:
  TCellHAlignment fAlignment = cahAuto;
  std::uint8_t fIndent = 0;
  TCellVAlignment fVAlignment = cavTop;
  bool fWrapText = false;
  TColor fBGColor = clNone;
  TExportFlowOrientation fOrientation = efoLeftToRight;
  TExportCellRotation fRotation = 0;
  TExportCellProtection fProtection = ecpLocked;
  int fFontId = 0;
  std::unique_ptr<TExportFont> fFont;
  int fBordersId = 0;
  std::unique_ptr<TExportCellBorders> fBorders;
  TExportWorkbook* fExportObject;
};

}  // namespace sheet
