#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Texts live as UTF-8 in memory. Where the offer logic counts characters
// (length limits, positions of separators) it counts UTF-16 code units, as
// the files and peers we interoperate with do; these helpers count and cut in
// those units, on top of the decoding in text/Utf8.h.
namespace text {

std::u16string ToUtf16(std::string_view utf8);
std::string ToUtf8(std::u16string_view utf16);

// Number of UTF-16 code units of a UTF-8 text.
std::size_t Utf16Length(std::string_view utf8);
// The first `count` UTF-16 code units (never splits a surrogate pair: a pair
// that would straddle the cut is left out).
std::string Utf16Left(std::string_view utf8, std::size_t count);
// Code units [start, start + count) in UTF-16 terms; clipped to the text.
std::string Utf16Mid(std::string_view utf8, std::size_t start, std::size_t count = std::u16string::npos);
// UTF-16 index of the first occurrence of `c` (an ASCII character), or npos.
std::size_t Utf16IndexOf(std::string_view utf8, char c);

}  // namespace text
