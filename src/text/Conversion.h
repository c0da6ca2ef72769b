#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "text/RegionalSettings.h"

namespace text {

// A text that does not convert; messages are the runtime's English texts.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An index outside a list: "List index out of bounds (%d)".
class EListError : public std::out_of_range {
 public:
  explicit EListError(std::int64_t index);
};

// Whole numbers, 32-bit signed. Throws EConvertError "'%s' is not a valid integer value".
std::int32_t StrToInt(std::string_view s);
bool TryStrToInt(std::string_view s, std::int32_t& value);
std::string IntToStr(std::int64_t value);

// Decimal numbers with the region's decimal separator, never with thousands
// separators. Throws EConvertError "'%s' is not a valid floating point value".
double StrToFloat(std::string_view s, const TRegionalSettings& region);
bool TryStrToFloat(std::string_view s, double& value, const TRegionalSettings& region);

// Rounds to IEEE 754 single precision, where money is computed.
inline float ToSingle(double value) { return static_cast<float>(value); }

// Output patterns "0.00", "000.00", "0 000.00": '0' is a digit place, '.'
// the region's decimal separator, any other character prints where it
// stands; surplus integer digits print at the first digit place; the exact
// binary value is rounded half away from zero at the pattern's decimals.
std::string FormatFloat(std::string_view pattern, double value, const TRegionalSettings& region);

// Round half to even to a whole number (the runtime's Round).
std::int64_t RoundHalfEven(double value);

}  // namespace text
