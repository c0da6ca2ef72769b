#pragma once

#include <string>
#include <string_view>

// Case conversion and case-insensitive comparison of UTF-8 texts, the same on
// every machine whatever the process locale (Unicode simple case mapping).
namespace text {

std::string LowerCase(std::string_view utf8);
std::string UpperCase(std::string_view utf8);
// Only A–Z / a–z change; for format texts and other ASCII notation.
std::string AsciiLowerCase(std::string_view text);
std::string AsciiUpperCase(std::string_view text);

// Compares the lower-cased texts code point by code point: negative, zero or
// positive. The order is that of the code points, not a language's
// alphabet ("č" sorts after "z").
int CompareTextIgnoreCase(std::string_view a, std::string_view b);
inline bool SameTextIgnoreCase(std::string_view a, std::string_view b) {
  return CompareTextIgnoreCase(a, b) == 0;
}

}  // namespace text
