#pragma once

#include <string_view>
#include <vector>

#include "sheet/TextMeasure.h"

// What every text measure shares: the resolution, and the lines and
// characters of a text. Internal to the sheet layer's measures.
namespace sheet {

inline constexpr double kDpi = 96;

inline double PixelsPerEm(const TMeasuredFont& font) { return (font.fSize > 0 ? font.fSize : 0) * kDpi / 72; }

// UTF-8 to code points; a malformed byte counts as U+FFFD.
std::vector<char32_t> CodePoints(std::string_view s);

// Lines of a text: "\r\n", "\n" and "\r" each end a line.
std::vector<std::string_view> Lines(std::string_view text);

}  // namespace sheet
