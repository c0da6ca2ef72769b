#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <limits>
#include <string_view>

#include "text/Conversion.h"

// Money of the offer is computed in IEEE 754 single precision, as the
// calculation table and the workbook's number cells hold it.
namespace app {

// A price or total text under the regional settings, rounded to single
// precision. Raises the floating-point conversion error.
inline float ParseMoney(std::string_view textValue, const text::TRegionalSettings& region) {
  return text::ToSingle(text::StrToFloat(textValue, region));
}

// Amounts from this size on cannot be rounded to whole crowns (the totals
// with VAT are rounded in 64-bit integers): 2^63 / 1.21 with room to spare.
inline constexpr float kMaxMoney = 7.0e18f;

// A price that single precision cannot hold (beyond 3.4E38) or a total
// that overflows it would print as "INF" and reach the workbook as no
// number, and one beyond kMaxMoney could not be rounded: the item is named
// instead. `what` is "Cena" or "Celková cena";
// the texts joined by " × " are the message's quote (count and price for a
// total). Called for every row of every recalculation, it builds the
// message only when it throws.
inline void RequireMoneyInRange(float value, std::string_view what, std::string_view itemCode, std::string_view first,
                               std::string_view second = {}) {
  if (std::isfinite(value) && std::fabs(value) < kMaxMoney) return;
  std::string quoted(first);
  if (!second.empty()) quoted.append(" × ").append(second);
  throw text::EConvertError(std::string(what) + " položky " + std::string(itemCode) + " je mimo rozsah: '" + quoted +
                            "'");
}

// A 32-bit count times a single-precision price needs 55 significant bits to
// be exact before its one rounding to single precision.
static_assert(std::numeric_limits<long double>::digits >= 55, "money products need an extended-precision type");

// count × price, exact in extended precision and rounded once to single precision.
inline float MoneyProduct(std::int32_t count, float price) {
  return static_cast<float>(static_cast<long double>(count) * static_cast<long double>(price));
}

// a + b, rounded once to single precision.
inline float MoneySum(float a, float b) {
  return static_cast<float>(static_cast<long double>(a) + static_cast<long double>(b));
}

}  // namespace app
