#include "sheet/Color.h"

#include <array>
#include <cstdint>

namespace sheet {

int ColorToRGB(TColor aColor) {
  if (aColor == clNone || aColor == clDefault) return 0x000000;
  const auto value = static_cast<std::uint32_t>(aColor);
  if (IsSystemColor(aColor)) {
    // RRGGBB of the toolkit's system colours; -1 = not in the table.
    static constexpr std::array<int, 31> kSystem = {
        0xF4F4F4, 0x0076A3, 0x000000, 0x9B9B9B, 0xEAEAEA, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF, 0xEAEAEA,
        0xEAEAEA, 0x9B9B9B, 0x0A246A, 0xFFFFFF, 0xEAEAEA, 0x9B9B9B, 0x9B9B9B, 0x000000, 0xD4D0C8, 0xF4F4F4, 0x404040,
        0xEAEAEA, 0x000000, 0xFFFFE1, -1,       0x000080, 0x000000, 0xC0C0C0, 0x0A246A, 0xD4D0C8};
    const std::uint32_t index = value & 0xFFFFFF;
    if (index < kSystem.size() && kSystem[index] >= 0) return kSystem[index];
  }
  // 0x00BBGGRR -> 0xRRGGBB
  const std::uint32_t r = value & 0xFF, g = (value >> 8) & 0xFF, b = (value >> 16) & 0xFF;
  return static_cast<int>((r << 16) | (g << 8) | b);
}

}  // namespace sheet
