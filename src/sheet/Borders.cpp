#include "sheet/Borders.h"

#include <stdexcept>

namespace sheet {

void TExportCellBorder::AssignNoDefaults(const TExportCellBorder& aFrom) {
  if (aFrom.fStyle != ebAuto) fStyle = aFrom.fStyle;
  if (aFrom.fColor != clNone) fColor = aFrom.fColor;
}

void TExportCellBorder::AssignNoDefaultsNoNone(const TExportCellBorder& aFrom) {
  if (aFrom.fStyle != ebAuto && aFrom.fStyle != ebNone) fStyle = aFrom.fStyle;
  if (aFrom.fColor != clNone) fColor = aFrom.fColor;
}

std::string TExportCellBorder::FootPrint() const { return std::to_string(fStyle) + ';' + std::to_string(fColor); }

TExportCellBorders& TExportCellBorders::SetBorders(TCellBorders aBorders, TCellBorderStyle aStyle, TColor aColor) {
  for (int i = 0; i < kBorderCount; ++i) {
    TExportCellBorder& b = fBorders[static_cast<std::size_t>(i)];
    if (aBorders & (1u << i)) {
      b.SetStyle(aStyle);
      if (aColor != clNone) b.SetColor(aColor);
    } else {
      b.SetStyle(ebNone);
    }
  }
  return *this;
}

TExportCellBorders& TExportCellBorders::SetBorder(TCellBorder aBorder, TCellBorderStyle aStyle, TColor aColor) {
  TExportCellBorder& b = GetI(aBorder);
  b.SetStyle(aStyle);
  if (aColor != clNone) b.SetColor(aColor);
  return *this;
}

void TExportCellBorders::AssignNoDefaults(const TExportCellBorders& aFrom) {
  for (std::size_t i = 0; i < fBorders.size(); ++i) fBorders[i].AssignNoDefaults(aFrom.fBorders[i]);
}

void TExportCellBorders::AssignNoDefaultsNoNone(const TExportCellBorders& aFrom) {
  for (std::size_t i = 0; i < fBorders.size(); ++i) fBorders[i].AssignNoDefaultsNoNone(aFrom.fBorders[i]);
}

std::string TExportCellBorders::FootPrint() const {
  std::string s;
  for (std::size_t i = 0; i < fBorders.size(); ++i) {
    if (i) s += ';';
    s += fBorders[i].FootPrint();
  }
  return s;
}

TExportCellBordersList::TExportCellBordersList() { Reset(); }

void TExportCellBordersList::Reset() {
  fItems.clear();
  fIndex.clear();
  CreateAddUnique(TExportCellBorders());
}

const TExportCellBorders& TExportCellBordersList::Get(int aIndex) const {
  if (!ValidIndex(aIndex)) throw std::out_of_range("List index out of bounds (" + std::to_string(aIndex) + ")");
  return *fItems[static_cast<std::size_t>(aIndex)];
}

int TExportCellBordersList::CreateAddUnique(const TExportCellBorders& aBorders) {
  auto [it, inserted] = fIndex.try_emplace(aBorders.FootPrint(), Count());
  if (inserted) fItems.push_back(std::make_unique<TExportCellBorders>(aBorders));
  return it->second;
}

int TExportCellBordersList::AddForced(const TExportCellBorders& aBorders) {
  const int index = Count();
  fIndex.try_emplace(aBorders.FootPrint(), index);
  fItems.push_back(std::make_unique<TExportCellBorders>(aBorders));
  return index;
}

int TExportCellBordersList::Find(const std::string& aFootPrint) const {
  const auto it = fIndex.find(aFootPrint);
  return it == fIndex.end() ? -1 : it->second;
}

}  // namespace sheet
