#pragma once

#include <string>
#include <string_view>

// A1 cell names: column letters in bijective base 26 (A ... Z, AA ...), rows from 1.
namespace sheet {

// 0 -> "A", 25 -> "Z", 26 -> "AA", 701 -> "ZZ", 702 -> "AAA"; negative -> "".
std::string ColumnLetters(int aColIndex);
// Inverse for 1 ... 3 letters (case-insensitive); -1 otherwise.
int ColumnIndexFromLetters(std::string_view aLetters);

// Name of the range with top-left (aCol, aRow) and spans: "B3", "A1:F1";
// the abs flags put "$" before the first column, first row, last column, last row.
std::string RangeName(int aCol, int aRow, int aColSpan = 1, int aRowSpan = 1, bool aCol1Abs = false,
                      bool aRow1Abs = false, bool aCol2Abs = false, bool aRow2Abs = false);
inline std::string CellName(int aCol, int aRow) { return RangeName(aCol, aRow); }

// Parses "B3", "$b$3": letters (optional "$"), then digits (optional leading "$").
// False when the name does not fit; otherwise the column (-1 for four or more
// letters) and the row index (-1 without digits).
bool ParseCellName(std::string_view aName, int& aColIndex, int& aRowIndex);

}  // namespace sheet
