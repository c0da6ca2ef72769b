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
  explicit EConvertError(const std::string& message, std::string text = {})
      : std::runtime_error(message), fText(std::move(text)) {}
  // The text that did not convert ("" when the message is of another kind).
  const std::string& Text() const { return fText; }

 private:
  std::string fText;
};

// An index outside a list: "List index out of bounds (%d)".
class EListError : public std::out_of_range {
 public:
  explicit EListError(std::int64_t index);
  std::int64_t Index() const { return fIndex; }

 private:
  std::int64_t fIndex;
};

// A floating-point value that has no result of the asked kind (NaN or a
// magnitude beyond the integer range): "Invalid floating point operation".
class EInvalidOp : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The conversion errors for a text: "'%s' is not a valid integer value" and
// "'%s' is not a valid floating point value".
EConvertError InvalidIntegerError(std::string_view s);
EConvertError InvalidFloatError(std::string_view s);

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
// binary value is rounded half away from zero at the pattern's decimals; a
// negative value starts with "-" unless it rounds to zero. NaN and
// infinities give "NAN", "INF" and "-INF".
std::string FormatFloat(std::string_view pattern, double value, const TRegionalSettings& region);

// Round half to even to a whole number (the runtime's Round): 1234.5 gives
// 1234, 1235.5 gives 1236. Throws EInvalidOp for NaN and values beyond int64.
std::int64_t RoundHalfEven(double value);

// General notation: the shortest text of the value rounded to 15 significant
// digits, the region's decimal separator, no thousands separators, no
// trailing zeros. Magnitudes below 0.00001 (other than 0) and those with more
// than 15 integer digits use the exponent form: mantissa, "E", "-" for a
// negative exponent, the exponent without leading zeros (1E-6, 1.5E20).
// NaN and infinities give "NAN", "INF" and "-INF"; -0 gives "0".
std::string FormatGeneral(double value, const TRegionalSettings& region);
// The same with "." as the decimal separator, for numbers written into files.
std::string FormatXmlNumber(double value);

// Fixed-point text with exactly `decimals` decimals (0 … 99) of the value
// first rounded to 15 significant digits, then to the decimals with a half
// away from zero (so 1.005 gives «1.01» here, unlike FormatFloat); a leading
// "-" unless the text is all zeros; the region's thousands separator between
// groups of three integer digits when `thousands` is set (none when the
// region has none). Magnitudes with more than 15 integer digits fall back to
// the general notation.
std::string FormatFixed(double value, int decimals, const TRegionalSettings& region, bool thousands = false);

}  // namespace text
