#include "xls/Utf16Le.h"

namespace xls {

namespace {

void AppendCodePoint(std::string& to, std::uint32_t cp) {
  if (cp < 0x80) {
    to.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    to.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    to.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    to.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    to.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    to.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    to.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    to.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    to.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    to.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

void AppendUtf16LeAsUtf8(std::string& to, const std::uint8_t* bytes, std::size_t units) {
  for (std::size_t i = 0; i < units; ++i) {
    std::uint32_t u = bytes[2 * i] | (static_cast<std::uint32_t>(bytes[2 * i + 1]) << 8);
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < units) {
      std::uint32_t low = bytes[2 * i + 2] | (static_cast<std::uint32_t>(bytes[2 * i + 3]) << 8);
      if (low >= 0xDC00 && low < 0xE000) {
        AppendCodePoint(to, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    if (u >= 0xD800 && u < 0xE000) u = 0xFFFD;
    AppendCodePoint(to, u);
  }
}

void AppendLatin1AsUtf8(std::string& to, const std::uint8_t* bytes, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) AppendCodePoint(to, bytes[i]);
}

}  // namespace xls
