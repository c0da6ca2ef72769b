#include "sheet/Style.h"

#include "sheet/Exceptions.h"
#include "sheet/Workbook.h"

namespace sheet {

TExportCellStyle::TExportCellStyle(TExportWorkbook* aWorkbook) { Reset(aWorkbook); }

TExportCellStyle::~TExportCellStyle() { delete Unpacked(); }

void TExportCellStyle::Reset(TExportWorkbook* aWorkbook) {
  if (!aWorkbook) throw EExportException("TExportCellStyle.Create: aParent can't be nil");
  delete Unpacked();
  fLink = reinterpret_cast<std::uintptr_t>(aWorkbook);
  fBGColor = clNone;
  fFontId = 0;
  fBordersId = 0;
  fRotation = 0;
  fAlignment = cahAuto;
  fVAlignment = cavTop;
  fIndent = 0;
  fProtection = ecpLocked;
  fWrapText = false;
  fTopToBottom = false;
}

TExportCellStyle::TUnpacked& TExportCellStyle::EnsureUnpacked() {
  if (TUnpacked* unpacked = Unpacked()) return *unpacked;
  auto* unpacked = new TUnpacked;
  unpacked->fWorkbook = reinterpret_cast<TExportWorkbook*>(fLink);
  fLink = reinterpret_cast<std::uintptr_t>(unpacked) | kUnpackedTag;
  return *unpacked;
}

void TExportCellStyle::ReleaseUnpackedIfEmpty() {
  TUnpacked* unpacked = Unpacked();
  if (!unpacked || unpacked->fFont || unpacked->fBorders) return;
  fLink = reinterpret_cast<std::uintptr_t>(unpacked->fWorkbook);
  delete unpacked;
}

void TExportCellStyle::ResetFont() {
  if (TUnpacked* unpacked = Unpacked()) {
    unpacked->fFont.reset();
    ReleaseUnpackedIfEmpty();
  }
}

void TExportCellStyle::ResetBorders() {
  if (TUnpacked* unpacked = Unpacked()) {
    unpacked->fBorders.reset();
    ReleaseUnpackedIfEmpty();
  }
}

TExportCellStyle& TExportCellStyle::SetAlignment(TCellHAlignment aAlignment) {
  fAlignment = static_cast<std::uint8_t>(aAlignment);
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
  fVAlignment = static_cast<std::uint8_t>(aVAlignment);
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
  fWrapText = aWrapText;
  return *this;
}

TExportCellStyle& TExportCellStyle::SetBGColor(TColor aBGColor) {
  if (fBGColor != aBGColor) fBGColor = aBGColor;
  return *this;
}

TExportCellStyle& TExportCellStyle::SetOrientation(TExportFlowOrientation aOrientation) {
  if (Orientation() == aOrientation) return *this;
  fTopToBottom = aOrientation == efoTopToBottom;
  if (aOrientation == efoTopToBottom) fRotation = 0;
  return *this;
}

TExportCellStyle& TExportCellStyle::SetRotation(TExportCellRotation aRotation) {
  if (fRotation == aRotation) return *this;
  fRotation = static_cast<std::int16_t>(aRotation);
  if (aRotation != 0) fTopToBottom = false;
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
  TUnpacked& unpacked = EnsureUnpacked();
  if (!unpacked.fFont) {
    const TExportFontList& fonts = unpacked.fWorkbook->Fonts();
    unpacked.fFont = std::make_unique<TExportFont>(fonts.ValidIndex(fFontId) ? fonts.Get(fFontId) : fonts.Get(0));
  }
  return *unpacked.fFont;
}

TExportCellBorders& TExportCellStyle::Borders() {
  TUnpacked& unpacked = EnsureUnpacked();
  if (!unpacked.fBorders) {
    const TExportCellBordersList& list = unpacked.fWorkbook->BordersList();
    unpacked.fBorders = std::make_unique<TExportCellBorders>();
    if (list.ValidIndex(fBordersId)) *unpacked.fBorders = list.Get(fBordersId);
  }
  return *unpacked.fBorders;
}

const TExportFont& TExportCellStyle::Font_ReadOnly() const {
  if (const TUnpacked* unpacked = Unpacked(); unpacked && unpacked->fFont) return *unpacked->fFont;
  const TExportFontList& fonts = ExportObject().Fonts();
  return fonts.ValidIndex(fFontId) ? fonts.Get(fFontId) : fonts.Get(0);
}

const TExportCellBorders& TExportCellStyle::Borders_ReadOnly() const {
  if (const TUnpacked* unpacked = Unpacked(); unpacked && unpacked->fBorders) return *unpacked->fBorders;
  const TExportCellBordersList& list = ExportObject().BordersList();
  return list.ValidIndex(fBordersId) ? list.Get(fBordersId) : list.Get(0);
}

void TExportCellStyle::SetFontId(int aFontId) {
  ResetFont();
  fFontId = aFontId;
}

void TExportCellStyle::SetBordersId(int aBordersId) {
  ResetBorders();
  fBordersId = aBordersId;
}

void TExportCellStyle::PackStyle() {
  TUnpacked* unpacked = Unpacked();
  if (!unpacked) return;
  TExportWorkbook& workbook = *unpacked->fWorkbook;
  if (unpacked->fFont) {
    // Unchanged since unpacking: no footprint needed.
    const TExportFontList& fonts = workbook.Fonts();
    if (!(fonts.ValidIndex(fFontId) && fonts.Get(fFontId).SameAs(*unpacked->fFont)))
      fFontId = workbook.Fonts().CreateAddUnique(*unpacked->fFont);
  }
  if (unpacked->fBorders) {
    const TExportCellBordersList& list = workbook.BordersList();
    if (!(list.ValidIndex(fBordersId) && list.Get(fBordersId).SameAs(*unpacked->fBorders)))
      fBordersId = workbook.BordersList().CreateAddUnique(*unpacked->fBorders);
  }
  fLink = reinterpret_cast<std::uintptr_t>(&workbook);
  delete unpacked;
}

std::string TExportCellStyle::FootPrint(const std::string& aNumberFormat) {
  PackStyle();
  return PackedFootPrint(aNumberFormat);
}

std::string TExportCellStyle::PackedFootPrint(const std::string& aNumberFormat) const {
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
  add(Orientation());
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
  fTopToBottom = aFrom.fTopToBottom;
  fRotation = aFrom.fRotation;
  fProtection = aFrom.fProtection;
  if (&aFrom.ExportObject().Fonts() == &ExportObject().Fonts()) {
    // Same workbook: a packed source is shared by index, an unpacked one copied.
    const TUnpacked* from = aFrom.Unpacked();
    if (from && from->fFont) {
      Font() = *from->fFont;
    } else {
      ResetFont();
      fFontId = aFrom.fFontId;
    }
    if (from && from->fBorders) {
      Borders() = *from->fBorders;
    } else {
      ResetBorders();
      fBordersId = aFrom.fBordersId;
    }
  } else {
    Font() = aFrom.Font_ReadOnly();
    Borders() = aFrom.Borders_ReadOnly();
  }
}

void TExportCellStyle::CopyPacked(const TExportCellStyle& aFrom) {
  delete Unpacked();
  fLink = aFrom.fLink;
  fBGColor = aFrom.fBGColor;
  fFontId = aFrom.fFontId;
  fBordersId = aFrom.fBordersId;
  fRotation = aFrom.fRotation;
  fAlignment = aFrom.fAlignment;
  fVAlignment = aFrom.fVAlignment;
  fIndent = aFrom.fIndent;
  fProtection = aFrom.fProtection;
  fWrapText = aFrom.fWrapText;
  fTopToBottom = aFrom.fTopToBottom;
}

void TExportCellStyle::TakeOver(TExportCellStyle& aFrom) {
  if (&aFrom == this) return;
  CopyPacked(aFrom);  // copies the link, which may be aFrom's private block
  aFrom.fLink = 0;
}

void TExportCellStyle::Clear() {
  fAlignment = cahAuto;
  fVAlignment = cavAuto;
  fIndent = 0;
  fWrapText = false;
  fBGColor = clNone;
  fTopToBottom = false;
  fRotation = 0;
  fProtection = ecpLocked;
  ResetBorders();
  fBordersId = 0;
  ResetFont();
  fFontId = 0;
}

TSharedCellStyles::TSharedCellStyles() = default;
TSharedCellStyles::~TSharedCellStyles() = default;

std::size_t TSharedCellStyles::TKeyHash::operator()(const TKey& aKey) const {
  std::uint64_t h = 0x9E3779B97F4A7C15ull;
  for (std::uint64_t part : aKey.fParts) h = (h ^ part) * 0xBF58476D1CE4E5B9ull + (h >> 29);
  return static_cast<std::size_t>(h ^ (h >> 32));
}

const TExportCellStyle& TSharedCellStyles::Intern(const TExportCellStyle& aStyle) {
  auto u32 = [](std::int64_t v) { return static_cast<std::uint64_t>(static_cast<std::uint32_t>(v)); };
  const TKey key{{u32(aStyle.fBGColor) << 32 | u32(aStyle.fFontId),
                  u32(aStyle.fBordersId) << 32 | u32(static_cast<std::uint16_t>(aStyle.fRotation)) << 16 |
                      u32(aStyle.fAlignment) << 8 | u32(aStyle.fVAlignment),
                  u32(aStyle.fIndent) | u32(aStyle.fProtection) << 8 | u32(aStyle.fWrapText) << 16 |
                      u32(aStyle.fTopToBottom) << 17}};
  auto [it, added] = fStyles.try_emplace(key);
  if (added) {
    it->second.reset(new TExportCellStyle());
    it->second->CopyPacked(aStyle);
  }
  return *it->second;
}

}  // namespace sheet
