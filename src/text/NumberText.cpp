// Number to text: the digit patterns of the offer and the general notation.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "text/Conversion.h"

namespace text {

namespace {

std::string_view DecimalSeparator(const TRegionalSettings& region) {
  return region.fDecimalSeparator.empty() ? std::string_view(".") : std::string_view(region.fDecimalSeparator);
}

const char* NonFiniteText(double value) {
  if (std::isnan(value)) return "NAN";
  return value > 0 ? "INF" : "-INF";
}

struct TFixedDigits {
  std::string fInteger;   // without leading zeros; empty for a zero integer part
  std::string fFraction;  // exactly the asked number of digits
};

// Rounds the non-negative decimal number `integer`.`fraction` to `decimals`
// decimals, a half going away from zero.
TFixedDigits RoundHalfUp(std::string integer, std::string fraction, int decimals) {
  const auto places = static_cast<std::size_t>(decimals);
  if (fraction.size() < places + 1) fraction.append(places + 1 - fraction.size(), '0');
  std::string digits = integer + fraction.substr(0, places);
  std::size_t integerLength = integer.size();
  if (fraction[places] >= '5') {
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0) {
      digits.insert(digits.begin(), '1');
      ++integerLength;
    } else {
      ++digits[i - 1];
    }
  }
  TFixedDigits out;
  out.fInteger = digits.substr(0, integerLength);
  out.fFraction = digits.substr(integerLength);
  const std::size_t firstNonZero = out.fInteger.find_first_not_of('0');
  out.fInteger.erase(0, firstNonZero == std::string::npos ? out.fInteger.size() : firstNonZero);
  return out;
}

// |value| with `decimals` decimals, an exact half rounding away from zero.
// The exact decimal expansion of the double is produced first (a double with
// k fractional bits has exactly k fractional decimal digits), so 0.125 is a
// true tie and rounds up, while 1.005 (stored as 1.00499999…) rounds down.
TFixedDigits ExactFixedDigits(double value, int decimals) {
  value = std::fabs(value);
  int exponent = 0;
  std::frexp(value, &exponent);
  const int fractionalBits = value == 0 ? 0 : std::min(1100, std::max(0, 53 - exponent));
  const int precision = std::max(decimals + 1, fractionalBits);
  std::string buffer(static_cast<std::size_t>(precision) + 320, '\0');
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, precision);
  buffer.resize(static_cast<std::size_t>(result.ptr - buffer.data()));
  const std::size_t point = buffer.find('.');
  return RoundHalfUp(buffer.substr(0, point), buffer.substr(point + 1), decimals);
}

// |value| rounded to 15 significant digits: the digits without trailing
// zeros (at least one) and the decimal exponent of the first; 0 gives "0", 0.
struct TSignificantDigits {
  std::string fDigits;
  int fExponent = 0;
};

TSignificantDigits SignificantDigits(double value) {
  TSignificantDigits out;
  value = std::fabs(value);
  if (value == 0) {
    out.fDigits = "0";
    return out;
  }
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));  // d.ddde±xx
  const std::size_t e = text.find('e');
  for (char c : text.substr(0, e)) {
    if (c != '.') out.fDigits += c;
  }
  out.fDigits.erase(out.fDigits.find_last_not_of('0') + 1);
  const std::string_view exponent = text.substr(e + 1);
  std::from_chars(exponent.data() + (exponent[0] == '+' ? 1 : 0), exponent.data() + exponent.size(),
                  out.fExponent);
  return out;
}

std::string GeneralText(double value, std::string_view separator) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  if (value == 0) return "0";
  const auto [digits, exponent] = SignificantDigits(value);
  std::string out = value < 0 ? "-" : "";
  if (exponent < -5 || exponent >= 15) {
    out += digits[0];
    if (digits.size() > 1) {
      out += separator;
      out.append(digits, 1);
    }
    out += 'E';
    out += std::to_string(exponent);
  } else if (exponent < 0) {
    out += '0';
    out += separator;
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
  } else {
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) {
      out += digits;
      out.append(integerDigits - digits.size(), '0');
    } else {
      out.append(digits, 0, integerDigits);
      out += separator;
      out.append(digits, integerDigits);
    }
  }
  return out;
}

}  // namespace

std::string FormatFloat(std::string_view pattern, double value, const TRegionalSettings& region) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  const std::size_t point = pattern.find('.');
  const std::string_view integerPattern = pattern.substr(0, point);
  const std::string_view fractionPattern =
      point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);
  int decimals = 0;
  for (char c : fractionPattern) decimals += c == '0';
  std::size_t places = 0;
  for (char c : integerPattern) places += c == '0';

  const TFixedDigits digits = ExactFixedDigits(value, decimals);
  const bool isZero =
      digits.fInteger.empty() && digits.fFraction.find_first_not_of('0') == std::string::npos;
  std::string integer = digits.fInteger;
  if (integer.size() < places) integer.insert(0, places - integer.size(), '0');

  std::string out = std::signbit(value) && !isZero ? "-" : "";
  // Digits beyond the pattern's places print together at the first place;
  // a pattern without integer places prints them just before the separator.
  std::size_t next = 0;
  if (places == 0) {
    out += integerPattern;
    out += integer;
  } else {
    const std::size_t surplus = integer.size() - places;
    for (char c : integerPattern) {
      if (c != '0') {
        out += c;
      } else if (next == 0) {
        out.append(integer, 0, surplus + 1);
        next = surplus + 1;
      } else {
        out += integer[next++];
      }
    }
  }
  if (point != std::string_view::npos) {
    out += DecimalSeparator(region);
    std::size_t fractionNext = 0;
    for (char c : fractionPattern) {
      out += c == '0' ? digits.fFraction[fractionNext++] : c;
    }
  }
  return out;
}

std::string FormatGeneral(double value, const TRegionalSettings& region) {
  return GeneralText(value, DecimalSeparator(region));
}

std::string FormatXmlNumber(double value) { return GeneralText(value, "."); }

std::string FormatFixed(double value, int decimals, const TRegionalSettings& region, bool thousands) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  decimals = std::clamp(decimals, 0, 99);
  const auto [digits, exponent] = SignificantDigits(value);
  if (exponent >= 15) return GeneralText(value, DecimalSeparator(region));
  std::string integer;
  std::string fraction;
  if (exponent >= 0) {
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    integer = digits.substr(0, std::min(integerDigits, digits.size()));
    integer.append(integerDigits - integer.size(), '0');
    if (digits.size() > integerDigits) fraction = digits.substr(integerDigits);
  } else if (digits != "0") {
    fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  }
  const TFixedDigits rounded = RoundHalfUp(integer, fraction, decimals);
  const bool isZero =
      rounded.fInteger.empty() && rounded.fFraction.find_first_not_of('0') == std::string::npos;

  std::string out = value < 0 && !isZero ? "-" : "";
  const std::string& whole = rounded.fInteger.empty() ? std::string("0") : rounded.fInteger;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (thousands && i > 0 && (whole.size() - i) % 3 == 0) out += region.fThousandSeparator;
    out += whole[i];
  }
  if (decimals > 0) {
    out += DecimalSeparator(region);
    out += rounded.fFraction;
  }
  return out;
}

}  // namespace text
