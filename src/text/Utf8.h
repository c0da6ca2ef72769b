#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The one place where UTF-8 and UTF-16 are decoded and encoded. Texts live
// as UTF-8 in memory; they come from files we do not control, so decoding
// never fails: what is not well-formed is handled by an explicit policy.
namespace text {

constexpr char32_t kReplacementChar = 0xFFFD;

// What decoding makes of input that is not well-formed.
enum class TInvalidUtf {
  // Every byte that starts no well-formed sequence (stray continuation bytes,
  // truncated or overlong sequences, values above U+10FFFF) and every
  // surrogate code point (encoded on its own in UTF-8, or unpaired in UTF-16)
  // stands for one U+FFFD.
  kReplace,
  // The same, except that surrogate code points come through as themselves
  // (as some converters produce them), so that an XML writer can give them
  // the escaped _xHHHH_ form that reads back as the original unit.
  kKeepSurrogates,
};

// One decoded character: its value, the bytes it took, and whether those
// bytes were a well-formed sequence (false: U+FFFD for one bad byte).
struct TDecodedChar {
  char32_t fValue;
  std::uint8_t fLength;
  bool fValid;
};

inline bool IsSurrogate(char32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }

// The character at `pos` (below text.size()).
inline TDecodedChar DecodeUtf8(std::string_view text, std::size_t pos, TInvalidUtf policy) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) return {lead, 1, true};
  std::size_t length;
  char32_t cp;
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, cp = lead & 0x1Fu, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, cp = lead & 0x0Fu, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, cp = lead & 0x07u, minimum = 0x10000;
  } else {
    return {kReplacementChar, 1, false};
  }
  if (text.size() - pos < length) return {kReplacementChar, 1, false};
  for (std::size_t i = 1; i < length; ++i) {
    const auto b = static_cast<unsigned char>(text[pos + i]);
    if ((b & 0xC0) != 0x80) return {kReplacementChar, 1, false};
    cp = (cp << 6) | (b & 0x3Fu);
  }
  if (cp < minimum || cp > 0x10FFFF) return {kReplacementChar, 1, false};
  if (IsSurrogate(cp) && policy == TInvalidUtf::kReplace) return {kReplacementChar, 1, false};
  return {cp, static_cast<std::uint8_t>(length), true};
}

// The character at `pos` under kReplace; advances `pos` past it (by one byte for a bad byte).
inline char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
  const TDecodedChar c = DecodeUtf8(text, pos, TInvalidUtf::kReplace);
  pos += c.fLength;
  return c.fValue;
}

// Appends the UTF-8 form of `cp`; values above U+10FFFF, and surrogates
// under kReplace, append U+FFFD instead.
void AppendUtf8(std::string& out, char32_t cp, TInvalidUtf policy = TInvalidUtf::kReplace);

// UTF-16 code units as UTF-8: pairs join, unpaired surrogates follow the policy.
void AppendUtf16AsUtf8(std::string& out, std::u16string_view units, TInvalidUtf policy = TInvalidUtf::kReplace);
// The same for `count` code units stored little-endian at `bytes` (file records).
void AppendUtf16LeAsUtf8(std::string& out, const std::uint8_t* bytes, std::size_t count,
                         TInvalidUtf policy = TInvalidUtf::kReplace);
// 8-bit characters that stand for U+0000 ... U+00FF (the compressed form of
// UTF-16 texts whose high bytes are all zero).
void AppendLatin1AsUtf8(std::string& out, const std::uint8_t* bytes, std::size_t count);

bool IsValidUtf8(std::string_view text);
// The text with every bad byte replaced by U+FFFD; valid text comes back unchanged.
std::string SanitizeUtf8(std::string_view text);

}  // namespace text
