#pragma once

#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "sheet/Types.h"

namespace sheet {

class TExportCellBorder {
 public:
  TCellBorderStyle Style() const { return fStyle; }
  TColor Color() const { return fColor; }
  TExportCellBorder& SetStyle(TCellBorderStyle aStyle) { fStyle = aStyle; return *this; }
  TExportCellBorder& SetColor(TColor aColor) { fColor = aColor; return *this; }

  void Assign(const TExportCellBorder& aFrom) { *this = aFrom; }
  // Style when not ebAuto; colour when not clNone.
  void AssignNoDefaults(const TExportCellBorder& aFrom);
  // Style only when neither ebAuto nor ebNone; colour when not clNone.
  void AssignNoDefaultsNoNone(const TExportCellBorder& aFrom);
  bool SameAs(const TExportCellBorder& aBorder) const { return fStyle == aBorder.fStyle && fColor == aBorder.fColor; }
  // "style;colour"
  std::string FootPrint() const;
  bool operator==(const TExportCellBorder&) const = default;

 private:
  TCellBorderStyle fStyle = ebAuto;
  TColor fColor = clNone;
};

// Six borders indexed by TCellBorder.
class TExportCellBorders {
 public:
  const TExportCellBorder& GetI(TCellBorder aBorder) const { return fBorders[static_cast<std::size_t>(aBorder)]; }
  TExportCellBorder& GetI(TCellBorder aBorder) { return fBorders[static_cast<std::size_t>(aBorder)]; }
  const TExportCellBorder& operator[](TCellBorder aBorder) const { return GetI(aBorder); }
  TExportCellBorder& operator[](TCellBorder aBorder) { return GetI(aBorder); }
  TExportCellBorder& Top() { return GetI(cbTop); }
  TExportCellBorder& Right() { return GetI(cbRight); }
  TExportCellBorder& Bottom() { return GetI(cbBottom); }
  TExportCellBorder& Left() { return GetI(cbLeft); }
  TExportCellBorder& DiagonalDown() { return GetI(cbDiagonalDown); }
  TExportCellBorder& DiagonalUp() { return GetI(cbDiagonalUp); }
  const TExportCellBorder& Top() const { return GetI(cbTop); }
  const TExportCellBorder& Right() const { return GetI(cbRight); }
  const TExportCellBorder& Bottom() const { return GetI(cbBottom); }
  const TExportCellBorder& Left() const { return GetI(cbLeft); }
  const TExportCellBorder& DiagonalDown() const { return GetI(cbDiagonalDown); }
  const TExportCellBorder& DiagonalUp() const { return GetI(cbDiagonalUp); }

  // Borders in aBorders get aStyle (and aColor unless clNone); the others
  // become ebNone and keep their colour.
  TExportCellBorders& SetBorders(TCellBorders aBorders, TCellBorderStyle aStyle, TColor aColor);
  // One border: style, and colour unless clNone.
  TExportCellBorders& SetBorder(TCellBorder aBorder, TCellBorderStyle aStyle, TColor aColor);

  void Assign(const TExportCellBorders& aFrom) { *this = aFrom; }
  void AssignNoDefaults(const TExportCellBorders& aFrom);
  void AssignNoDefaultsNoNone(const TExportCellBorders& aFrom);
  bool SameAs(const TExportCellBorders& aBorders) const { return fBorders == aBorders.fBorders; }
  // Footprints of top, right, bottom, left, diagonal-down, diagonal-up joined by ";".
  std::string FootPrint() const;
  bool operator==(const TExportCellBorders&) const = default;

 private:
  std::array<TExportCellBorder, kBorderCount> fBorders{};
};

// A workbook's unique border sets; entry 0 is the default set (all ebAuto).
class TExportCellBordersList {
 public:
  TExportCellBordersList();
  int Count() const { return static_cast<int>(fItems.size()); }
  const TExportCellBorders& Get(int aIndex) const;
  const TExportCellBorders& operator[](int aIndex) const { return Get(aIndex); }
  bool ValidIndex(int aIndex) const { return aIndex >= 0 && aIndex < Count(); }
  int CreateAddUnique(const TExportCellBorders& aBorders);
  // Appends even when an equal entry exists (readers keeping a file's indexes).
  int AddForced(const TExportCellBorders& aBorders);
  int Find(const std::string& aFootPrint) const;
  void Reset();

 private:
  std::vector<std::unique_ptr<TExportCellBorders>> fItems;
  std::unordered_map<std::string, int> fIndex;
};

}  // namespace sheet
