#include "text/Utf8.h"

namespace text {

namespace {

bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// The UTF-16 decoding both unit sources share; `unit(i)` reads unit i.
template <class TUnitAt>
void AppendUnitsAsUtf8(std::string& out, std::size_t count, TUnitAt unit, TInvalidUtf policy) {
  for (std::size_t i = 0; i < count; ++i) {
    const char32_t u = unit(i);
    if (IsHighSurrogate(u) && i + 1 < count && IsLowSurrogate(unit(i + 1))) {
      AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
      ++i;
    } else {
      AppendUtf8(out, u, policy);
    }
  }
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp, TInvalidUtf policy) {
  if (cp > 0x10FFFF || (IsSurrogate(cp) && policy == TInvalidUtf::kReplace)) cp = kReplacementChar;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

void AppendUtf16AsUtf8(std::string& out, std::u16string_view units, TInvalidUtf policy) {
  AppendUnitsAsUtf8(out, units.size(), [&](std::size_t i) { return char32_t(units[i]); }, policy);
}

void AppendUtf16LeAsUtf8(std::string& out, const std::uint8_t* bytes, std::size_t count, TInvalidUtf policy) {
  AppendUnitsAsUtf8(
      out, count, [&](std::size_t i) { return char32_t(bytes[2 * i] | (bytes[2 * i + 1] << 8)); }, policy);
}

void AppendLatin1AsUtf8(std::string& out, const std::uint8_t* bytes, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) AppendUtf8(out, bytes[i]);
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const TDecodedChar c = DecodeUtf8(text, pos, TInvalidUtf::kReplace);
    if (!c.fValid) return false;
    pos += c.fLength;
  }
  return true;
}

std::string SanitizeUtf8(std::string_view text) {
  if (IsValidUtf8(text)) return std::string(text);
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t pos = 0; pos < text.size();) {
    const TDecodedChar c = DecodeUtf8(text, pos, TInvalidUtf::kReplace);
    if (c.fValid) out.append(text.substr(pos, c.fLength));
    else AppendUtf8(out, kReplacementChar);
    pos += c.fLength;
  }
  return out;
}

}  // namespace text
