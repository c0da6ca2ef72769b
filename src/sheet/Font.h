#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "sheet/Types.h"

namespace sheet {

// Bold, underline, italic, strike-out and escapement; 0 in each means automatic.
class TExportFontStyle {
 public:
  TExportFontStyleBIS Bold() const { return fBold; }
  TExportFontStyleUnderline Underline() const { return fUnderline; }
  TExportFontStyleBIS Italic() const { return fItalic; }
  TExportFontStyleBIS StrikeOut() const { return fStrikeOut; }
  TExportFontStyleEscapement Escapement() const { return fEscapement; }
  TExportFontStyle& SetBold(TExportFontStyleBIS v) { fBold = v; return *this; }
  TExportFontStyle& SetUnderline(TExportFontStyleUnderline v) { fUnderline = v; return *this; }
  TExportFontStyle& SetItalic(TExportFontStyleBIS v) { fItalic = v; return *this; }
  TExportFontStyle& SetStrikeOut(TExportFontStyleBIS v) { fStrikeOut = v; return *this; }
  TExportFontStyle& SetEscapement(TExportFontStyleEscapement v) { fEscapement = v; return *this; }

  // The toolkit's style set. Writing makes every member explicit.
  TFontStyles AsFontStyles() const;
  TExportFontStyle& SetAsFontStyles(TFontStyles aStyles);

  // Copies only members that are not automatic.
  void AssignNoDefaults(const TExportFontStyle& aFrom);
  // "bold;underline;italic;escapement;strikeout"
  std::string FootPrint() const;
  bool operator==(const TExportFontStyle&) const = default;

 private:
  TExportFontStyleBIS fBold = efsAuto;
  TExportFontStyleUnderline fUnderline = efuAuto;
  TExportFontStyleBIS fItalic = efsAuto;
  TExportFontStyleBIS fStrikeOut = efsAuto;
  TExportFontStyleEscapement fEscapement = efeAuto;
};

class TExportFont {
 public:
  TExportFont() = default;
  // Builds a font from the four values.
  static TExportFont Create(const std::string& aName, int aSize, TFontStyles aStyle, TColor aColor);
  // "Arial", 10, black, every style member explicitly off: entry 0 of a workbook's font list.
  static TExportFont StandardFont();

  const std::string& Name() const { return fName; }
  int Size() const { return fSize; }
  TColor Color() const { return fColor; }
  const TExportFontStyle& Style() const { return fStyle; }
  TExportFontStyle& Style() { return fStyle; }

  TExportFont& SetName(const std::string& aName) { fName = aName; return *this; }
  TExportFont& SetSize(int aSize) { fSize = aSize; return *this; }
  TExportFont& SetSizeAdd(int aAddSize) { fSize += aAddSize; return *this; }
  TExportFont& SetStyle(TFontStyles aStyles) { fStyle.SetAsFontStyles(aStyles); return *this; }
  TExportFont& SetColor(TColor aColor) { fColor = aColor; return *this; }

  void Assign(const TExportFont& aFrom) { *this = aFrom; }
  // Copies only what aFrom sets: size >= 0, non-automatic style members, a colour, a name.
  void AssignNoDefaults(const TExportFont& aFrom);
  // Colour, size, name (case-sensitive) and the five style members equal.
  bool SameAs(const TExportFont& aFont) const;
  // "size;stylefootprint;colour;name"
  std::string FootPrint() const;

 private:
  int fSize = 10;
  TExportFontStyle fStyle;
  TColor fColor = clNone;
  std::string fName;
};

// A workbook's unique fonts, interned by footprint; indexes follow insertion order.
class TExportFontList {
 public:
  TExportFontList();  // holds the standard font as entry 0
  int Count() const { return static_cast<int>(fItems.size()); }
  // List-index error outside 0 ... Count-1.
  const TExportFont& Get(int aIndex) const;
  const TExportFont& operator[](int aIndex) const { return Get(aIndex); }
  bool ValidIndex(int aIndex) const { return aIndex >= 0 && aIndex < Count(); }
  // Index of the entry with aFont's footprint, added as a copy when new.
  int CreateAddUnique(const TExportFont& aFont);
  // Appends aFont even when an equal entry exists, so that the list's indexes
  // match a file's font table (readers). Returns the new index.
  int AddForced(const TExportFont& aFont);
  // Index of the entry with this footprint, -1 when none.
  int Find(const std::string& aFootPrint) const;
  // Removes every entry (readers that replace the table); the standard font is re-created.
  void Reset();

 private:
  std::vector<std::unique_ptr<TExportFont>> fItems;
  std::unordered_map<std::string, int> fIndex;
};

}  // namespace sheet
