#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace xlsx::utf8 {

// One code point of a UTF-8 text. Surrogate code points encoded on their own
// (as some converters produce them) decode as themselves, so writers can
// escape them; a byte that starts no valid sequence decodes as U+FFFD with
// `fValid` false and a length of 1.
struct TCodePoint {
  char32_t fValue;
  std::uint8_t fLength;
  bool fValid;
};

inline TCodePoint Decode(std::string_view s, std::size_t pos) {
  const auto b0 = static_cast<unsigned char>(s[pos]);
  if (b0 < 0x80) return {b0, 1, true};
  auto cont = [&](std::size_t i) {
    return pos + i < s.size() && (static_cast<unsigned char>(s[pos + i]) & 0xC0) == 0x80;
  };
  auto bits = [&](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(s[pos + i]) & 0x3F); };
  if (b0 >= 0xC2 && b0 < 0xE0 && cont(1)) return {((b0 & 0x1Fu) << 6) | bits(1), 2, true};
  if (b0 >= 0xE0 && b0 < 0xF0 && cont(1) && cont(2)) {
    const char32_t v = ((b0 & 0x0Fu) << 12) | (bits(1) << 6) | bits(2);
    if (v >= 0x800) return {v, 3, true};
  }
  if (b0 >= 0xF0 && b0 < 0xF5 && cont(1) && cont(2) && cont(3)) {
    const char32_t v = ((b0 & 0x07u) << 18) | (bits(1) << 12) | (bits(2) << 6) | bits(3);
    if (v >= 0x10000 && v <= 0x10FFFF) return {v, 4, true};
  }
  return {0xFFFD, 1, false};
}

inline void Append(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Characters XML 1.0 cannot carry in any form other than an escape of our own.
inline bool IsXmlForbidden(char32_t c) {
  return (c < 0x20 && c != 0x09 && c != 0x0A && c != 0x0D) || (c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE ||
         c == 0xFFFF;
}

}  // namespace xlsx::utf8
