#pragma once

#include <string_view>

#include "sheet/Types.h"

// Pixel heights of one text line per font name and point size (1 ... 70) at
// 96 DPI, and the row height the spreadsheet writers derive from them.
namespace sheet {

inline constexpr int kFontTableRowCount = 113;
inline constexpr int kFontTableMaxSize = 70;

// True when the name (exact, case-sensitive) is one of the table's fonts.
bool IsTableFont(std::string_view name);
// The table's height for the name at an integer size 1 ... 70; 0 when the
// name is unknown, the size is outside the table or the row has no heights.
int FontTableHeight(std::string_view name, int size);

// One line of text in pixels: max(trunc(table × 1.124), trunc(size × 1.75))
// for table fonts at sizes 1 ... 70 (a fractional size uses the row of its
// whole part), else trunc(size × 1.75); subscript adds a quarter (truncated).
int RowHeightFromFont(std::string_view name, double size, TExportFontStyleEscapement escapement = efeAuto);

}  // namespace sheet
