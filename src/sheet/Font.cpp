#include "sheet/Font.h"

#include <stdexcept>

namespace sheet {

TFontStyles TExportFontStyle::AsFontStyles() const {
  TFontStyles s = 0;
  if (fBold == efsYes) s |= fsBold;
  if (fUnderline == efuSingle || fUnderline == efuDouble) s |= fsUnderline;
  if (fItalic == efsYes) s |= fsItalic;
  if (fStrikeOut == efsYes) s |= fsStrikeOut;
  return s;
}

TExportFontStyle& TExportFontStyle::SetAsFontStyles(TFontStyles aStyles) {
  fBold = (aStyles & fsBold) ? efsYes : efsNo;
  fUnderline = (aStyles & fsUnderline) ? efuSingle : efuNo;
  fItalic = (aStyles & fsItalic) ? efsYes : efsNo;
  fStrikeOut = (aStyles & fsStrikeOut) ? efsYes : efsNo;
  fEscapement = efeNo;
  return *this;
}

void TExportFontStyle::AssignNoDefaults(const TExportFontStyle& aFrom) {
  if (aFrom.fBold != efsAuto) fBold = aFrom.fBold;
  if (aFrom.fUnderline != efuAuto) fUnderline = aFrom.fUnderline;
  if (aFrom.fItalic != efsAuto) fItalic = aFrom.fItalic;
  if (aFrom.fStrikeOut != efsAuto) fStrikeOut = aFrom.fStrikeOut;
  if (aFrom.fEscapement != efeAuto) fEscapement = aFrom.fEscapement;
}

std::string TExportFontStyle::FootPrint() const {
  std::string s;
  s.reserve(10);
  s += std::to_string(fBold);
  s += ';';
  s += std::to_string(fUnderline);
  s += ';';
  s += std::to_string(fItalic);
  s += ';';
  s += std::to_string(fEscapement);
  s += ';';
  s += std::to_string(fStrikeOut);
  return s;
}

TExportFont TExportFont::Create(const std::string& aName, int aSize, TFontStyles aStyle, TColor aColor) {
  TExportFont f;
  f.fName = aName;
  f.fSize = aSize;
  f.fStyle.SetAsFontStyles(aStyle);
  f.fColor = aColor;
  return f;
}

TExportFont TExportFont::StandardFont() { return Create("Arial", 10, 0, clBlack); }

void TExportFont::AssignNoDefaults(const TExportFont& aFrom) {
  if (aFrom.fSize >= 0) fSize = aFrom.fSize;
  fStyle.AssignNoDefaults(aFrom.fStyle);
  if (aFrom.fColor != clNone) fColor = aFrom.fColor;
  if (!aFrom.fName.empty()) fName = aFrom.fName;
}

bool TExportFont::SameAs(const TExportFont& aFont) const {
  return fColor == aFont.fColor && fSize == aFont.fSize && fName == aFont.fName && fStyle == aFont.fStyle;
}

std::string TExportFont::FootPrint() const {
  return std::to_string(fSize) + ';' + fStyle.FootPrint() + ';' + std::to_string(fColor) + ';' + fName;
}

TExportFontList::TExportFontList() { Reset(); }

void TExportFontList::Reset() {
  fItems.clear();
  fIndex.clear();
  CreateAddUnique(TExportFont::StandardFont());
}

const TExportFont& TExportFontList::Get(int aIndex) const {
  if (!ValidIndex(aIndex)) throw std::out_of_range("List index out of bounds (" + std::to_string(aIndex) + ")");
  return *fItems[static_cast<std::size_t>(aIndex)];
}

int TExportFontList::CreateAddUnique(const TExportFont& aFont) {
  auto [it, inserted] = fIndex.try_emplace(aFont.FootPrint(), Count());
  if (inserted) fItems.push_back(std::make_unique<TExportFont>(aFont));
  return it->second;
}

int TExportFontList::AddForced(const TExportFont& aFont) {
  const int index = Count();
  fIndex.try_emplace(aFont.FootPrint(), index);  // an equal earlier entry keeps the footprint
  fItems.push_back(std::make_unique<TExportFont>(aFont));
  return index;
}

int TExportFontList::Find(const std::string& aFootPrint) const {
  const auto it = fIndex.find(aFootPrint);
  return it == fIndex.end() ? -1 : it->second;
}

}  // namespace sheet
