#include "sheet/Style.h"

#include "sheet/Exceptions.h"
#include "sheet/Workbook.h"

namespace sheet {

TExportCellStyle::TExportCellStyle(TExportWorkbook* aWorkbook) : fExportObject(aWorkbook) {
  if (!aWorkbook) throw EExportException("TExportCellStyle.Create: aParent can't be nil");
}

TExportCellStyle& TExportCellStyle::SetAlignment(TCellHAlignment aAlignment) {
  if (fAlignment != aAlignment) fAlignment = aAlignment;
  return *this;
}

TExportCellStyle& TExportCellStyle::SetAlignment(TAlignment aAlignment, TCellHAlignment aDefaultForLeft) {
  switch (aAlignment) {
    case taRightJustify: return SetAlignment(cahRight);
    case taCenter: return SetAlignment(cahCenter);
    default: return SetAlignment(aDefaultForLeft);
  }
}

TExportCellStyle& TExportCellStyle::SetIndent(std::uint8_t aIndent) {
  if (fIndent == aIndent) return *this;
  fIndent = aIndent;
  if (aIndent != 0 && fAlignment == cahAuto) fAlignment = cahLeft;
  return *this;
}

TExportCellStyle& TExportCellStyle::SetVAlignment(TCellVAlignment aVAlignment) {
  if (fVAlignment != aVAlignment) fVAlignment = aVAlignment;
  return *this;
}

TExportCellStyle& TExportCellStyle::SetVAlignment(TVerticalAlignment aVAlignment, TCellVAlignment aDefaultForTop) {
  switch (aVAlignment) {
    case taAlignBottom: return SetVAlignment(cavBottom);
    case taVerticalCenter: return SetVAlignment(cavCenter);
    default: return SetVAlignment(aDefaultForTop);
  }
}

TExportCellStyle& TExportCellStyle::SetWrapText(bool aWrapText) {
  if (fWrapText != aWrapText) fWrapText = aWrapText;
  return *this;
}

TExportCellStyle& TExportCellStyle::SetBGColor(TColor aBGColor) {
  if (fBGColor != aBGColor) fBGColor = aBGColor;
  return *this;
}

TExportCellStyle& TExportCellStyle::SetOrientation(TExportFlowOrientation aOrientation) {
  if (fOrientation == aOrientation) return *this;
  fOrientation = aOrientation;
  if (aOrientation == efoTopToBottom) fRotation = 0;
  return *this;
}

TExportCellStyle& TExportCellStyle::SetRotation(TExportCellRotation aRotation) {
  if (fRotation == aRotation) return *this;
  fRotation = aRotation;
  if (aRotation != 0) fOrientation = efoLeftToRight;
  return *this;
}

TExportCellStyle& TExportCellStyle::SetProtection(TExportCellProtection aProtection) {
  if (fProtection != aProtection) fProtection = aProtection;
  return *this;
}

TExportCellStyle& TExportCellStyle::SetFontName(const std::string& aFontName) {
  if (Font_ReadOnly().Name() != aFontName) Font().SetName(aFontName);
  return *this;
}

TExportCellStyle& TExportCellStyle::SetFontSize(int aFontSize) {
  if (Font_ReadOnly().Size() != aFontSize) Font().SetSize(aFontSize);
  return *this;
}

TExportCellStyle& TExportCellStyle::SetFontSizeAdd(int aAddFontSize) {
  if (aAddFontSize != 0) Font().SetSizeAdd(aAddFontSize);
  return *this;
}

TExportCellStyle& TExportCellStyle::SetFontStyle(TFontStyles aFontStyle) {
  TExportFontStyle wanted;
  wanted.SetAsFontStyles(aFontStyle);
  if (!(Font_ReadOnly().Style() == wanted)) Font().Style() = wanted;
  return *this;
}

TExportCellStyle& TExportCellStyle::SetFontColor(TColor aFontColor) {
  if (Font_ReadOnly().Color() != aFontColor) Font().SetColor(aFontColor);
  return *this;
}

TExportCellStyle& TExportCellStyle::SetBorders(TCellBorders aBorders, TCellBorderStyle aStyle, TColor aColor) {
  TExportCellBorders wanted = Borders_ReadOnly();
  wanted.SetBorders(aBorders, aStyle, aColor);
  if (!(wanted == Borders_ReadOnly())) Borders() = wanted;
  return *this;
}

TExportCellStyle& TExportCellStyle::SetBorder(TCellBorder aBorder, TCellBorderStyle aStyle, TColor aColor) {
  TExportCellBorder wanted = Borders_ReadOnly().GetI(aBorder);
  wanted.SetStyle(aStyle);
  if (aColor != clNone) wanted.SetColor(aColor);
  if (!(wanted == Borders_ReadOnly().GetI(aBorder))) Borders().GetI(aBorder) = wanted;
  return *this;
}

TExportFont& TExportCellStyle::Font() {
  if (!fFont) {
    const TExportFontList& fonts = fExportObject->Fonts();
    fFont = std::make_unique<TExportFont>(fonts.ValidIndex(fFontId) ? fonts.Get(fFontId) : fonts.Get(0));
  }
  return *fFont;
}

TExportCellBorders& TExportCellStyle::Borders() {
  if (!fBorders) {
    const TExportCellBordersList& list = fExportObject->BordersList();
    fBorders = std::make_unique<TExportCellBorders>();
    if (list.ValidIndex(fBordersId)) *fBorders = list.Get(fBordersId);
  }
  return *fBorders;
}

const TExportFont& TExportCellStyle::Font_ReadOnly() const {
  if (fFont) return *fFont;
  const TExportFontList& fonts = fExportObject->Fonts();
  return fonts.ValidIndex(fFontId) ? fonts.Get(fFontId) : fonts.Get(0);
}

const TExportCellBorders& TExportCellStyle::Borders_ReadOnly() const {
  if (fBorders) return *fBorders;
  const TExportCellBordersList& list = fExportObject->BordersList();
  return list.ValidIndex(fBordersId) ? list.Get(fBordersId) : list.Get(0);
}

void TExportCellStyle::SetFontId(int aFontId) {
  fFont.reset();
  fFontId = aFontId;
}

void TExportCellStyle::SetBordersId(int aBordersId) {
  fBorders.reset();
  fBordersId = aBordersId;
}

void TExportCellStyle::PackStyle() {
  if (fFont) {
    // Unchanged since unpacking: no footprint needed.
    const TExportFontList& fonts = fExportObject->Fonts();
    if (!(fonts.ValidIndex(fFontId) && fonts.Get(fFontId).SameAs(*fFont)))
      fFontId = fExportObject->Fonts().CreateAddUnique(*fFont);
    fFont.reset();
  }
  if (fBorders) {
    const TExportCellBordersList& list = fExportObject->BordersList();
    if (!(list.ValidIndex(fBordersId) && list.Get(fBordersId).SameAs(*fBorders)))
      fBordersId = fExportObject->BordersList().CreateAddUnique(*fBorders);
    fBorders.reset();
  }
}

std::string TExportCellStyle::FootPrint(const std::string& aNumberFormat) {
  PackStyle();
  std::string s;
  s.reserve(48 + aNumberFormat.size());
  auto add = [&s](long long v) {
    s += std::to_string(v);
    s += ';';
  };
  add(fAlignment);
  add(fIndent);
  add(fVAlignment);
  s += fWrapText ? "1;" : "0;";
  add(fBGColor);
  add(fRotation);
  add(fOrientation);
  add(fFontId);
  add(fBordersId);
  add(fProtection);
  s += aNumberFormat;
  return s;
}

void TExportCellStyle::Assign(const TExportCellStyle& aFrom) {
  if (&aFrom == this) return;
  fAlignment = aFrom.fAlignment;
  fVAlignment = aFrom.fVAlignment;
  fIndent = aFrom.fIndent;
  fWrapText = aFrom.fWrapText;
  fBGColor = aFrom.fBGColor;
  fOrientation = aFrom.fOrientation;
  fRotation = aFrom.fRotation;
  fProtection = aFrom.fProtection;
  if (&aFrom.fExportObject->Fonts() == &fExportObject->Fonts()) {
    // Same workbook: a packed source is shared by index, an unpacked one copied.
    if (aFrom.fFont) {
      Font() = *aFrom.fFont;
    } else {
      fFont.reset();
      fFontId = aFrom.fFontId;
    }
    if (aFrom.fBorders) {
      Borders() = *aFrom.fBorders;
    } else {
      fBorders.reset();
      fBordersId = aFrom.fBordersId;
    }
  } else {
    Font() = aFrom.Font_ReadOnly();
    Borders() = aFrom.Borders_ReadOnly();
  }
}

void TExportCellStyle::Clear() {
  fAlignment = cahAuto;
  fVAlignment = cavAuto;
  fIndent = 0;
  fWrapText = false;
  fBGColor = clNone;
  fOrientation = efoLeftToRight;
  fRotation = 0;
  fProtection = ecpLocked;
  fBorders.reset();
  fBordersId = 0;
  fFont.reset();
  fFontId = 0;
}

}  // namespace sheet
