#include "text/CodePageSystem.h"

#include <windows.h>

#include <string>

#include "text/CodePage.h"

namespace text {

std::array<char32_t, 256> SystemCodePageChars(int codePage) {
  CPINFO info{};
  if (!GetCPInfo(static_cast<UINT>(codePage), &info)) {
    throw ECodePageError("Code page " + std::to_string(codePage) + " is not available");
  }
  std::array<char32_t, 256> chars{};
  for (int b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    wchar_t wide[2] = {};
    // Byte by byte: every supported code page has one byte per character.
    // MB_ERR_INVALID_CHARS makes a byte without a character fail instead
    // of becoming the default character.
    const int n = MultiByteToWideChar(static_cast<UINT>(codePage), MB_ERR_INVALID_CHARS, &byte, 1, wide, 2);
    chars[static_cast<std::size_t>(b)] = n == 1 ? static_cast<char32_t>(wide[0]) : 0;
  }
  return chars;
}

}  // namespace text
