#include "text/CaseMapping.h"

#include <windows.h>

#include <array>
#include <memory>

namespace text {

namespace {

// LCMapStringEx maps UTF-16 units one to one with LCMAP_LOWERCASE or
// LCMAP_UPPERCASE (without linguistic casing), so the whole basic plane is
// mapped in one call per direction, once; other planes ask the system per
// character.
using TPlaneMap = std::array<char16_t, 0x10000>;

std::unique_ptr<TPlaneMap> MapPlane(DWORD flags) {
  auto plane = std::make_unique<TPlaneMap>();
  std::unique_ptr<wchar_t[]> units(new wchar_t[0x10000]);
  for (std::size_t u = 0; u < 0x10000; ++u) {
    (*plane)[u] = static_cast<char16_t>(u);
    // Surrogates are not characters on their own; NUL would end nothing here
    // but is left alone like them.
    units[u] = u == 0 || (u >= 0xD800 && u <= 0xDFFF) ? L' ' : static_cast<wchar_t>(u);
  }
  std::unique_ptr<wchar_t[]> mapped(new wchar_t[0x10000]);
  const int n = LCMapStringEx(LOCALE_NAME_INVARIANT, flags, units.get(), 0x10000, mapped.get(), 0x10000,
                              nullptr, nullptr, 0);
  if (n != 0x10000) return plane;
  for (std::size_t u = 1; u < 0x10000; ++u) {
    if (u < 0xD800 || u > 0xDFFF) (*plane)[u] = static_cast<char16_t>(mapped[u]);
  }
  return plane;
}

char32_t MapSupplementary(char32_t cp, DWORD flags) {
  const char32_t v = cp - 0x10000;
  const wchar_t pair[2] = {static_cast<wchar_t>(0xD800 + (v >> 10)), static_cast<wchar_t>(0xDC00 + (v & 0x3FF))};
  wchar_t out[2] = {};
  if (LCMapStringEx(LOCALE_NAME_INVARIANT, flags, pair, 2, out, 2, nullptr, nullptr, 0) != 2) return cp;
  if (out[0] < 0xD800 || out[0] > 0xDBFF || out[1] < 0xDC00 || out[1] > 0xDFFF) return cp;
  return 0x10000 + ((static_cast<char32_t>(out[0]) - 0xD800) << 10) + (static_cast<char32_t>(out[1]) - 0xDC00);
}

char32_t Map(char32_t cp, DWORD flags, const TPlaneMap& plane) {
  if (cp < 0x10000) return plane[cp];
  return cp <= 0x10FFFF ? MapSupplementary(cp, flags) : cp;
}

}  // namespace

char32_t SystemLowerCase(char32_t cp) {
  static const std::unique_ptr<TPlaneMap> plane = MapPlane(LCMAP_LOWERCASE);
  return Map(cp, LCMAP_LOWERCASE, *plane);
}

char32_t SystemUpperCase(char32_t cp) {
  static const std::unique_ptr<TPlaneMap> plane = MapPlane(LCMAP_UPPERCASE);
  return Map(cp, LCMAP_UPPERCASE, *plane);
}

}  // namespace text
