#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "xls/XLSSharedStrings.h"

// What a BIFF8 workbook stream says, in plain structures, before it is put
// into the document model. Reading (XLSBookReader) checks every length and
// count; building the model (ExporterXLS) only interprets.
namespace xls {

struct TXLSFont {
  int fHeight = 200;  // twentieths of a point
  bool fItalic = false;
  bool fStrikeOut = false;
  int fColorIndex = 0x7FFF;
  int fWeight = 400;
  int fEscapement = 0;
  int fUnderline = 0;
  int fCharSet = 0;
  std::string fName;
};

// Extended colours of an XF (XFEXT), as 0x00BBGGRR.
struct TXLSXFExtColors {
  std::optional<std::uint32_t> fFill, fTop, fBottom, fLeft, fRight, fDiagonal, fFont;
};

struct TXLSXF {
  int fFontIndex = 0;  // already adjusted: the file's index 4 does not exist
  int fFormatIndex = 0;
  bool fLocked = true;
  bool fFormulaHidden = false;
  int fHAlign = 0;  // 0 ... 7
  bool fWrap = false;
  int fVAlign = 2;  // 0 top ... 4 distributed
  int fRotation = 0;  // raw byte
  int fIndent = 0;
  // Line styles 0 ... 13 and colour indexes: left, right, top, bottom, diagonal.
  int fLeftStyle = 0, fRightStyle = 0, fTopStyle = 0, fBottomStyle = 0, fDiagStyle = 0;
  int fLeftColor = 0, fRightColor = 0, fTopColor = 0, fBottomColor = 0, fDiagColor = 0;
  bool fDiagDown = false, fDiagUp = false;
  bool fSolidFill = false;
  int fFillColor = 0;
  TXLSXFExtColors fExt;
};

enum class TXLSSheetKind : std::uint8_t { Worksheet = 0, MacroSheet = 1, Chart = 2, VBModule = 6 };

struct TXLSSheetInfo {
  std::string fName;
  std::uint32_t fOffset = 0;
  std::uint8_t fVisibility = 0;
  std::uint8_t fKind = 0;
};

enum class TXLSCellKind : std::uint8_t { Blank, Number, String, Boolean, Error, FormulaEmpty };

// A sheet holds cells by the ten thousand: a cell keeps no text of its own,
// only where its text is, so that it stays 24 bytes.
struct TXLSCell {
  std::uint16_t fRow = 0;
  std::uint16_t fCol = 0;
  std::uint16_t fXF = 0;
  TXLSCellKind fKind = TXLSCellKind::Blank;
  bool fFormula = false;
  bool fBool = false;
  bool fShared = false;  // the text is a shared string (LABELSST)
  // The text: an index into the shared strings when fShared (-2: beyond 31
  // bits), else into the sheet's fTexts (LABEL, RSTRING, string formula
  // results); -1 none.
  std::int32_t fTextIndex = -1;
  double fValue = 0;
};

struct TXLSRow {
  std::uint16_t fRow = 0;
  std::uint16_t fHeight = 0;  // twips, bit 15 = default height
  std::uint32_t fFlags = 0;   // data offset 12
};

struct TXLSColInfo {
  std::uint16_t fFirst = 0, fLast = 0, fWidth = 0, fXF = 0, fOptions = 0;
};

struct TXLSMerge {
  std::uint16_t fFirstRow = 0, fLastRow = 0, fFirstCol = 0, fLastCol = 0;
};

struct TXLSSetup {
  std::uint16_t fPaperSize = 0, fScale = 100, fPageStart = 1, fFitWidth = 1, fFitHeight = 1, fOptions = 0;
  double fHeaderMargin = 0.5, fFooterMargin = 0.5;  // inches
};

struct TXLSWindow2 {
  std::uint16_t fOptions = 0x06B6;
  std::uint16_t fTopRow = 0, fLeftCol = 0;
};

struct TXLSWorksheet {
  std::string fName;
  std::vector<TXLSCell> fCells;  // in record order
  std::vector<std::string> fTexts;  // the cells' own texts
  std::vector<TXLSRow> fRows;
  std::vector<TXLSColInfo> fCols;
  std::vector<TXLSMerge> fMerges;
  std::optional<double> fLeftMargin, fRightMargin, fTopMargin, fBottomMargin;  // inches
  std::optional<std::string> fHeader, fFooter;
  bool fPrintHeaders = false, fPrintGridLines = false, fHCenter = false, fVCenter = false;
  bool fFitToPage = false;
  std::optional<TXLSSetup> fSetup;
  std::optional<std::uint16_t> fDefColWidth;   // characters
  std::optional<std::uint16_t> fDefRowHeight;  // twips
  std::optional<TXLSWindow2> fWindow2;
  std::optional<std::pair<std::uint16_t, std::uint16_t>> fPaneSplit;  // columns, rows
  std::optional<std::array<std::uint16_t, 4>> fSelection;  // first row, last row, first col, last col
  std::optional<std::pair<std::uint16_t, std::uint16_t>> fZoom;  // numerator, denominator
  int fDimensionRows = -1;
};

struct TXLSBook {
  std::uint16_t fBiffVersion = 0;
  bool fEncrypted = false;
  bool fUse1904 = false;
  int fActiveSheet = 0;
  int fCodePage = 0;  // from the last FONT's character set; 0 = the system's
  std::vector<TXLSFont> fFonts;
  std::map<int, std::string> fFormats;  // the file's FORMAT records
  std::vector<TXLSXF> fXFs;
  std::array<std::uint32_t, 66> fPalette{};
  std::vector<TXLSSheetInfo> fSheets;  // every BOUNDSHEET, of every kind
  TXLSSharedStrings_Import fSharedStrings;
  std::vector<TXLSWorksheet> fWorksheets;  // one per worksheet BOUNDSHEET, in order
};

// The standard BIFF8 colour palette (0x00BBGGRR), entries 0 ... 65.
const std::array<std::uint32_t, 66>& DefaultPalette();

// Maps a FONT character set to a Windows code page (0 = the system's).
int CodePageOfCharSet(int charSet);

// Reads a whole workbook stream. Raises EOleStorageException when it does not
// begin with a BOF record, EXLSEncrypted for a FILEPASS record, EXLSSharedStrings
// and EStreamReadError for broken records.
TXLSBook ReadXLSBook(std::string_view workbookStream);

}  // namespace xls
