#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Decoding and encoding of single UTF-8 characters. Input texts come from
// files we do not control, so decoding never fails: every byte that does not
// start a well-formed sequence (stray continuation bytes, truncated or
// overlong sequences, encoded surrogates, values above U+10FFFF) stands for
// one replacement character U+FFFD.
namespace text {

constexpr char32_t kReplacementChar = 0xFFFD;

// The character at `pos`; advances `pos` past it (by one byte for a bad byte).
// `pos` must be below text.size().
char32_t NextCodePoint(std::string_view text, std::size_t& pos);

// Appends the UTF-8 form of `cp`; surrogates and values above U+10FFFF
// append U+FFFD instead.
void AppendUtf8(std::string& out, char32_t cp);

bool IsValidUtf8(std::string_view text);
// The text with every bad byte replaced by U+FFFD; valid text comes back unchanged.
std::string SanitizeUtf8(std::string_view text);

}  // namespace text
