#include "text/Conversion.h"

#include <charconv>
#include <cmath>
#include <limits>

// Accepted forms, as the classic runtime's conversions accept them ("blank"
// means the space character only):
//   StrToInt    leading blanks; an optional "+" or "-"; then decimal digits, or
//               hexadecimal digits after "$", "0x" or "0X". Decimal values must
//               lie in -2147483648 … 2147483647; hexadecimal values up to
//               FFFFFFFF are read as the 32-bit pattern ("$FFFFFFFF" is -1).
//               Trailing blanks, inner blanks, a lone sign and the empty text
//               are errors.
//   StrToFloat  leading and trailing blanks; an optional "+" or "-"; digits
//               with at most one decimal separator of the region (".5" and "5."
//               are fine, the separator alone is not); an optional exponent "E"
//               or "e" with an optional sign and at least one digit. Thousands
//               separators, the other decimal separator, hexadecimal, "INF" and
//               "NAN" are errors, as is the empty text. Magnitudes beyond the
//               double range are errors; magnitudes too small for it read as 0.
//               The result is the correctly rounded double of the decimal text.
namespace text {

EListError::EListError(std::int64_t index)
    : std::out_of_range("List index out of bounds (" + std::to_string(index) + ")"), fIndex(index) {}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool TryStrToInt(std::string_view s, std::int32_t& value) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  bool hex = false;
  if (i < s.size() && s[i] == '$') {
    hex = true, i += 1;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true, i += 2;
  }
  if (i == s.size()) return false;
  std::uint64_t magnitude = 0;
  const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 2147483648ull : 2147483647ull);
  for (; i < s.size(); ++i) {
    const int digit = hex ? HexValue(s[i]) : (IsDigit(s[i]) ? s[i] - '0' : -1);
    if (digit < 0) return false;
    magnitude = magnitude * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
    if (magnitude > limit) return false;
  }
  auto bits = static_cast<std::uint32_t>(magnitude);
  if (negative) bits = 0u - bits;
  value = static_cast<std::int32_t>(bits);
  return true;
}

namespace {

// '<text>' followed by the message. A NUL byte of the text shows as "\0":
// messages travel as C strings, which would end at it.
std::string QuotedMessage(std::string_view s, std::string_view message) {
  std::string out;
  out.reserve(s.size() + message.size() + 2);
  out.push_back('\'');
  for (const char c : s) {
    if (c == '\0') {
      out += "\\0";
    } else {
      out.push_back(c);
    }
  }
  out.push_back('\'');
  out.append(message);
  return out;
}

}  // namespace

EConvertError InvalidIntegerError(std::string_view s) {
  return EConvertError(QuotedMessage(s, " is not a valid integer value"), std::string(s));
}

EConvertError InvalidFloatError(std::string_view s) {
  return EConvertError(QuotedMessage(s, " is not a valid floating point value"), std::string(s));
}

std::int32_t StrToInt(std::string_view s) {
  std::int32_t value = 0;
  if (!TryStrToInt(s, value)) {
    throw InvalidIntegerError(s);
  }
  return value;
}

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

bool TryStrToFloat(std::string_view s, double& value, const TRegionalSettings& region) {
  const std::string_view separator =
      region.fDecimalSeparator.empty() ? std::string_view(".") : std::string_view(region.fDecimalSeparator);
  std::size_t i = 0;
  std::size_t end = s.size();
  while (i < end && s[i] == ' ') ++i;
  while (end > i && s[end - 1] == ' ') --end;

  // The text is rewritten into the plain form from_chars reads, which is
  // independent of the process locale.
  std::string plain;
  plain.reserve(end - i + 2);
  bool negative = false;
  if (i < end && (s[i] == '+' || s[i] == '-')) {
    negative = s[i++] == '-';
    if (negative) plain += '-';
  }
  std::size_t digits = 0;
  // Decimal position of the first significant digit, to tell an underflow
  // from an overflow when the value is out of range.
  long long magnitude = 0;
  bool significant = false;
  long long intDigits = 0;
  while (i < end && IsDigit(s[i])) {
    if (s[i] != '0') significant = true;
    if (significant) ++intDigits;
    plain += s[i++], ++digits;
  }
  magnitude = intDigits;
  if (s.substr(i, end - i).starts_with(separator)) {
    i += separator.size();
    plain += '.';
    while (i < end && IsDigit(s[i])) {
      if (!significant) {
        if (s[i] != '0') significant = true; else --magnitude;
      }
      plain += s[i++], ++digits;
    }
  }
  if (digits == 0) return false;
  long long exponent = 0;
  if (i < end && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    plain += 'e';
    bool negativeExponent = false;
    if (i < end && (s[i] == '+' || s[i] == '-')) {
      negativeExponent = s[i] == '-';
      if (negativeExponent) plain += '-';
      ++i;
    }
    std::size_t exponentDigits = 0;
    while (i < end && IsDigit(s[i])) {
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (s[i] - '0');
      plain += s[i++], ++exponentDigits;
    }
    if (exponentDigits == 0) return false;
    if (negativeExponent) exponent = -exponent;
  }
  if (i != end) return false;

  double parsed = 0;
  const auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), parsed);
  if (ptr != plain.data() + plain.size()) return false;
  if (ec == std::errc::result_out_of_range) {
    if (!significant || magnitude + exponent > 0) return false;  // overflow
    parsed = negative ? -0.0 : 0.0;
  } else if (ec != std::errc()) {
    return false;
  }
  value = parsed;
  return true;
}

double StrToFloat(std::string_view s, const TRegionalSettings& region) {
  double value = 0;
  if (!TryStrToFloat(s, value, region)) {
    throw InvalidFloatError(s);
  }
  return value;
}

std::int64_t RoundHalfEven(double value) {
  // 2^63 is the first double beyond the range; NaN fails both comparisons.
  if (!(value >= -9223372036854775808.0 && value < 9223372036854775808.0)) {
    throw EInvalidOp("Invalid floating point operation");
  }
  const double floor = std::floor(value);
  const double fraction = value - floor;  // exact for doubles
  double rounded = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) rounded = floor + 1.0;
  if (rounded >= 9223372036854775808.0) throw EInvalidOp("Invalid floating point operation");
  return static_cast<std::int64_t>(rounded);
}

}  // namespace text
