#include "sheet/CellName.h"

#include <algorithm>

namespace sheet {

std::string ColumnLetters(int aColIndex) {
  std::string s;
  if (aColIndex < 0) return s;
  long long n = static_cast<long long>(aColIndex) + 1;
  while (n > 0) {
    const long long r = (n - 1) % 26;
    s.push_back(static_cast<char>('A' + r));
    n = (n - r) / 26;
  }
  std::reverse(s.begin(), s.end());
  return s;
}

int ColumnIndexFromLetters(std::string_view aLetters) {
  if (aLetters.empty() || aLetters.size() > 3) return -1;
  int n = 0;
  for (char c : aLetters) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c < 'A' || c > 'Z') return -1;
    n = n * 26 + (c - 'A' + 1);
  }
  return n - 1;
}

std::string RangeName(int aCol, int aRow, int aColSpan, int aRowSpan, bool aCol1Abs, bool aRow1Abs, bool aCol2Abs,
                      bool aRow2Abs) {
  std::string s;
  if (aCol >= 0) {
    if (aCol1Abs) s += '$';
    s += ColumnLetters(aCol);
  }
  if (aRow >= 0) {
    if (aRow1Abs) s += '$';
    s += std::to_string(static_cast<long long>(aRow) + 1);
  }
  if (aColSpan > 1 || aRowSpan > 1) {
    s += ':';
    if (aCol >= 0 && aColSpan >= 0) {
      if (aCol2Abs) s += '$';
      s += ColumnLetters(aCol + std::max(aColSpan, 1) - 1);
    }
    if (aRow >= 0 && aRowSpan >= 0) {
      if (aRow2Abs) s += '$';
      s += std::to_string(static_cast<long long>(aRow) + std::max(aRowSpan, 1));
    }
  }
  return s;
}

bool ParseCellName(std::string_view aName, int& aColIndex, int& aRowIndex) {
  aColIndex = -1;
  aRowIndex = -1;
  std::string letters;
  std::string digits;
  bool inDigits = false;
  for (std::size_t i = 0; i < aName.size(); ++i) {
    char c = aName[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') {
      if (inDigits) return false;
      letters.push_back(c);
    } else if (c == '$') {
      // Before the letters, or before the first digit.
      if (inDigits) return false;
      if (!letters.empty()) {
        if (i + 1 >= aName.size() || aName[i + 1] < '0' || aName[i + 1] > '9') return false;
      }
    } else if (c >= '0' && c <= '9') {
      if (letters.empty()) return false;
      inDigits = true;
      digits.push_back(c);
    } else {
      return false;
    }
  }
  if (letters.empty()) return false;
  aColIndex = letters.size() > 3 ? -1 : ColumnIndexFromLetters(letters);
  if (!digits.empty()) {
    if (digits.size() > 10) return false;
    const long long row = std::stoll(digits) - 1;
    if (row > 2147483646) return false;
    aRowIndex = static_cast<int>(row);
  }
  return true;
}

}  // namespace sheet
