#include "app/DosDateTime.h"

namespace app {

std::int32_t PackDosDateTime(const TLocalDateTime& t) {
  if (t.Year < 1980 || t.Year > 2107 || t.Month < 1 || t.Month > 12 || t.Day < 1 || t.Day > 31 || t.Hour < 0 ||
      t.Hour > 23 || t.Minute < 0 || t.Minute > 59 || t.Second < 0 || t.Second > 59) {
    return -1;
  }
  const std::uint32_t packed = (static_cast<std::uint32_t>(t.Year - 1980) << 25) |
                               (static_cast<std::uint32_t>(t.Month) << 21) | (static_cast<std::uint32_t>(t.Day) << 16) |
                               (static_cast<std::uint32_t>(t.Hour) << 11) |
                               (static_cast<std::uint32_t>(t.Minute) << 5) | static_cast<std::uint32_t>(t.Second / 2);
  return static_cast<std::int32_t>(packed);
}

TLocalDateTime UnpackDosDateTime(std::int32_t packed) {
  const auto u = static_cast<std::uint32_t>(packed);
  return TLocalDateTime{static_cast<int>(u >> 25) + 1980, static_cast<int>((u >> 21) & 0x0F),
                        static_cast<int>((u >> 16) & 0x1F), static_cast<int>((u >> 11) & 0x1F),
                        static_cast<int>((u >> 5) & 0x3F),  static_cast<int>(u & 0x1F) * 2};
}

}  // namespace app
