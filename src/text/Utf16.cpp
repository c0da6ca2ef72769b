#include "text/Utf16.h"

#include "text/Utf8.h"

namespace text {

namespace {

std::size_t UnitsOf(char32_t cp) { return cp >= 0x10000 ? 2 : 1; }

}  // namespace

std::u16string ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t cp = NextCodePoint(utf8, pos);
    if (cp >= 0x10000) {
      const char32_t v = cp - 0x10000;
      out += static_cast<char16_t>(0xD800 + (v >> 10));
      out += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::string ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  AppendUtf16AsUtf8(out, utf16);
  return out;
}

std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) units += UnitsOf(NextCodePoint(utf8, pos));
  return units;
}

std::string Utf16Left(std::string_view utf8, std::size_t count) {
  return Utf16Mid(utf8, 0, count);
}

// Bad bytes come out as U+FFFD, as they were counted.
std::string Utf16Mid(std::string_view utf8, std::size_t start, std::size_t count) {
  std::string out;
  const std::size_t end = count > std::u16string::npos - start ? std::u16string::npos : start + count;
  std::size_t unit = 0;
  std::size_t pos = 0;
  while (pos < utf8.size() && unit < end) {
    const std::size_t from = pos;
    const char32_t cp = NextCodePoint(utf8, pos);
    const std::size_t next = unit + UnitsOf(cp);
    if (unit >= start && next <= end) {
      if (cp == kReplacementChar && pos - from == 1) {
        AppendUtf8(out, cp);
      } else {
        out.append(utf8.substr(from, pos - from));
      }
    }
    unit = next;
  }
  return out;
}

std::size_t Utf16IndexOf(std::string_view utf8, char c) {
  std::size_t unit = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    if (utf8[pos] == c && static_cast<unsigned char>(c) < 0x80) return unit;
    unit += UnitsOf(NextCodePoint(utf8, pos));
  }
  return std::u16string::npos;
}

}  // namespace text
