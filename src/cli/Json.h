#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cli {

// A JSON string literal: quotes, backslashes and control characters escaped,
// other characters as UTF-8; bytes that are not UTF-8 become U+FFFD.
std::string JsonString(std::string_view utf8);

// The literal, or null for an empty text (a value the window does not hold).
std::string JsonStringOrNull(std::string_view utf8);

// ["a", "b"]: a JSON array of string literals.
std::string JsonStringArray(const std::vector<std::string>& texts);

}  // namespace cli
