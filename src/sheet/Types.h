#pragma once

#include <cstdint>

// Enumerations and small value types of the spreadsheet document model. The
// numeric values are what the file writers and readers store, so they are fixed.
namespace sheet {

// 0x00BBGGRR (red in the lowest byte); see clNone and the system-colour form.
using TColor = std::int32_t;
inline constexpr TColor clNone = 0x1FFFFFFF;     // no colour: not set / inherit / automatic
inline constexpr TColor clDefault = 0x20000000;  // the toolkit's default colour
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
// A value whose top byte is 0xFF names system colour (value & 0xFF).
inline constexpr bool IsSystemColor(TColor c) { return (static_cast<std::uint32_t>(c) >> 24) == 0xFF; }

enum TExportCellType : int {
  ectEmpty = 0,
  ectString = 1,
  ectNumber = 2,
  ectPercent = 3,
  ectCurrency = 4,
  ectDate = 5,
  ectDateTime = 6,
  ectTime = 7,
  ectBoolean = 8,
};

enum TCellHAlignment : int {
  cahAuto = 0,
  cahLeft = 1,
  cahCenter = 2,
  cahRight = 3,
  cahFilled = 4,
  cahJustify = 5,
  cahCenterContinuous = 6,
  cahDistributed = 7,
};

enum TCellVAlignment : int {
  cavAuto = 0,
  cavTop = 1,
  cavCenter = 2,
  cavBottom = 3,
  cavJustify = 4,
  cavDistributed = 5,
};

// The widget toolkit's alignments, mapped by the cell's SetAlignment overloads.
enum TAlignment : int { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };
enum TVerticalAlignment : int { taAlignTop = 0, taAlignBottom = 1, taVerticalCenter = 2 };

enum TExportFlowOrientation : int { efoLeftToRight = 0, efoTopToBottom = 1 };

// Degrees -90 ... 90 (stored as given).
using TExportCellRotation = int;

// Bit set: bit 0 locked, bit 1 formula hidden.
using TExportCellProtection = std::uint8_t;
inline constexpr TExportCellProtection ecpLocked = 1;
inline constexpr TExportCellProtection ecpFormulaHidden = 2;

enum TExportFontStyleBIS : int { efsAuto = 0, efsYes = 1, efsNo = 2 };
enum TExportFontStyleUnderline : int {
  efuAuto = 0,
  efuSingle = 1,
  efuDouble = 2,
  efuSingleAccounting = 3,
  efuDoubleAccounting = 4,
  efuNo = 5,
};
enum TExportFontStyleEscapement : int { efeAuto = 0, efeSuperscript = 1, efeSubscript = 2, efeNo = 3 };

// The toolkit's font-style set as a bit mask.
using TFontStyles = std::uint8_t;
inline constexpr TFontStyles fsBold = 1;
inline constexpr TFontStyles fsItalic = 2;
inline constexpr TFontStyles fsUnderline = 4;
inline constexpr TFontStyles fsStrikeOut = 8;

enum TCellBorder : int {
  cbTop = 0,
  cbRight = 1,
  cbBottom = 2,
  cbLeft = 3,
  cbDiagonalDown = 4,
  cbDiagonalUp = 5,
};
inline constexpr int kBorderCount = 6;

// Bit mask over TCellBorder (bit i = border i); 15 = the four outer borders.
using TCellBorders = std::uint8_t;
inline constexpr TCellBorders cbOutline = 15;
inline constexpr TCellBorders cbAll = 63;
inline constexpr TCellBorders BorderBit(TCellBorder b) { return static_cast<TCellBorders>(1u << b); }

enum TCellBorderStyle : int {
  ebAuto = 0,
  ebNone = 1,
  ebThin = 2,
  ebMedium = 3,
  ebDashed = 4,
  ebDotted = 5,
  ebThick = 6,
  ebDouble = 7,
  ebHair = 8,
  ebMediumDashed = 9,
  ebDashDotted = 10,
  ebMediumDashDotted = 11,
  ebDashDotDotted = 12,
  ebMediumDashDotDotted = 13,
  ebSlantedDashDotted = 14,
};

enum TExportCalculateRowHeight : int { erhSingleLine = 0, erhMultiLine = 1, erhForceAuto = 2 };

enum TExportWorkSheetVisibility : int { ewvVisible = 0, ewvHidden = 1, ewvVeryHidden = 2 };

enum TExportCellCurrencyPosition : int { ecpBefore = 0, ecpBeforeFill = 1, ecpAfter = 2 };

enum TExportCellBooleanValueType : int { btBoolean = 0, btError = 1 };

// -1 ... 99; -1 = general notation.
using TDecimalPlaces = int;
// 1 ... 99.
using TIntegerDigits = int;
// 0 ... 7.
using TExportGroupLevel = int;
inline constexpr TExportGroupLevel kMaxGroupLevel = 7;

// Page setup.
using TExportCenterTable = std::uint8_t;
inline constexpr TExportCenterTable ectHorizontal = 1;
inline constexpr TExportCenterTable ectVertical = 2;

enum TExportPageOrientation : int { epoPortrait = 0, epoLandscape = 1 };
enum TExportScaleType : int { estPercent = 0, estFitToPage = 1 };

// Paper size codes 0 ... 90 in the spreadsheet order; only the common ones are named.
using TExportPaperType = int;
inline constexpr TExportPaperType eptUndefined = 0;
inline constexpr TExportPaperType eptLetter = 1;
inline constexpr TExportPaperType eptLetterSmall = 2;
inline constexpr TExportPaperType eptTabloid = 3;
inline constexpr TExportPaperType eptLedger = 4;
inline constexpr TExportPaperType eptLegal = 5;
inline constexpr TExportPaperType eptStatement = 6;
inline constexpr TExportPaperType eptExecutive = 7;
inline constexpr TExportPaperType eptA3 = 8;
inline constexpr TExportPaperType eptA4 = 9;
inline constexpr TExportPaperType eptA4Small = 10;
inline constexpr TExportPaperType eptA5 = 11;
inline constexpr TExportPaperType ept12x11 = 90;

enum TExportWorksheetView : int { ewvNormal = 0, ewvPageBreakPreview = 1, ewvPageLayout = 2 };

// Drawing style of a picture placement.
enum TExportDrawingFillStyle : int { edfNone = 0, edfAutomatic = 1, edfColor = 2 };
enum TExportDrawingBorderStyle : int { ebsSolid = 0, ebsDotted = 1, ebsDashed = 2 };

}  // namespace sheet
