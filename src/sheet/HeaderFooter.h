#pragma once

#include <string>

#include "sheet/Font.h"

namespace sheet {

// One part (left, centre or right) of a page header or footer. The text uses
// the placeholders [PAGENUMBER], [PAGECOUNT], [SHEETNAME], [DATE], [TIME], [FILENAME].
class TExportHeader {
 public:
  TExportHeader() = default;
  explicit TExportHeader(const TExportFont& aFont) : fFont(aFont) {}

  const std::string& Text() const { return fText; }
  // Stores the text and forgets a header code read from a file.
  TExportHeader& SetText(const std::string& aText);
  TExportFont& Font() { return fFont; }
  const TExportFont& Font() const { return fFont; }
  // The part in header-code notation ("&\"Arial\"&10&K000000Strana &P z &N"):
  // the stored code when one was read and the text not set since, else built.
  std::string ExcelFormattedText() const;
  // Parses a header code (readers) into font and text and stores the code.
  TExportHeader& SetExcelFormattedText(const std::string& aCode);

 private:
  std::string fText;
  std::string fExcelFormattedText;
  TExportFont fFont;
};

// Page header or footer: three parts and the distance from the page edge (cm).
class TExportHeaders {
 public:
  TExportHeaders() = default;
  explicit TExportHeaders(const TExportFont& aFont) : fLeft(aFont), fCenter(aFont), fRight(aFont) {}

  TExportHeader& Left() { return fLeft; }
  TExportHeader& Center() { return fCenter; }
  TExportHeader& Right() { return fRight; }
  const TExportHeader& Left() const { return fLeft; }
  const TExportHeader& Center() const { return fCenter; }
  const TExportHeader& Right() const { return fRight; }
  // 0 = left, 1 = centre, 2 = right; std::out_of_range
  // "TExportHeaders.GetItem: index out of bounds." otherwise.
  TExportHeader& GetItem(int aIndex);
  const TExportHeader& GetItem(int aIndex) const;
  double Height() const { return fHeight; }
  TExportHeaders& SetHeight(double v) { fHeight = v; return *this; }
  // The code the file carries: "&L", "&C", "&R" each before its part's
  // codes and text, parts without a text left out.
  std::string ExcelFormattedText() const;
  // At least one part has a text.
  bool Present() const { return !fLeft.Text().empty() || !fCenter.Text().empty() || !fRight.Text().empty(); }

 private:
  TExportHeader fLeft;
  TExportHeader fCenter;
  TExportHeader fRight;
  double fHeight = 1.0;
};

}  // namespace sheet
