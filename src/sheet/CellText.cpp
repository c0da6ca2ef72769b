#include "sheet/CellText.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cmath>
#include <cstdint>
#include <vector>

#include "sheet/Dates.h"
#include "text/Conversion.h"

namespace sheet {

namespace {

// A finite value as decimal digits: value = (-1)^neg × 0.fDigits × 10^fPoint,
// at most 15 significant digits, no trailing zeros; no digits = zero.
struct TDigits {
  bool fNegative = false;
  std::string fDigits;
  int fPoint = 0;
};

void StripTrailingZeros(TDigits& d) {
  while (!d.fDigits.empty() && d.fDigits.back() == '0') d.fDigits.pop_back();
  if (d.fDigits.empty()) d.fPoint = 0;
}

TDigits ToDigits15(double value) {
  TDigits d;
  d.fNegative = std::signbit(value);
  if (value == 0) return d;
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
  const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
  const std::size_t e = text.find('e');
  d.fDigits += text[0];
  d.fDigits += text.substr(2, e - 2);
  int exponent = 0;
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(), exponent);
  d.fPoint = exponent + 1;
  StripTrailingZeros(d);
  return d;
}

// Rounds half away from zero so that at most `decimals` digits follow the point.
void RoundAt(TDigits& d, int decimals) {
  const long long keep = static_cast<long long>(d.fPoint) + decimals;
  if (keep >= static_cast<long long>(d.fDigits.size())) return;
  if (keep < 0) {
    d.fDigits.clear();
    d.fPoint = 0;
    return;
  }
  const bool up = d.fDigits[static_cast<std::size_t>(keep)] >= '5';
  d.fDigits.resize(static_cast<std::size_t>(keep));
  if (up) {
    long long i = keep - 1;
    while (i >= 0 && d.fDigits[static_cast<std::size_t>(i)] == '9') {
      d.fDigits[static_cast<std::size_t>(i)] = '0';
      --i;
    }
    if (i < 0) {
      d.fDigits.insert(d.fDigits.begin(), '1');
      ++d.fPoint;
    } else {
      ++d.fDigits[static_cast<std::size_t>(i)];
    }
  }
  StripTrailingZeros(d);
}

std::string IntegerDigits(const TDigits& d) {
  if (d.fPoint <= 0 || d.fDigits.empty()) return "0";
  std::string out = d.fDigits.substr(0, std::min<std::size_t>(d.fDigits.size(), static_cast<std::size_t>(d.fPoint)));
  out.append(static_cast<std::size_t>(d.fPoint) - out.size(), '0');
  return out;
}

std::string FractionDigits(const TDigits& d, int decimals) {
  std::string out;
  for (int i = 0; i < decimals; ++i) {
    const long long index = static_cast<long long>(d.fPoint) + i;
    out += (index >= 0 && index < static_cast<long long>(d.fDigits.size())) ? d.fDigits[static_cast<std::size_t>(index)]
                                                                          : '0';
  }
  return out;
}

std::string Group(const std::string& integerDigits, std::string_view separator) {
  if (separator.empty() || integerDigits.size() <= 3) return integerDigits;
  std::string out;
  const std::size_t lead = integerDigits.size() % 3 == 0 ? 3 : integerDigits.size() % 3;
  out += integerDigits.substr(0, lead);
  for (std::size_t i = lead; i < integerDigits.size(); i += 3) {
    out += separator;
    out += integerDigits.substr(i, 3);
  }
  return out;
}

std::string ThousandSeparatorFor(const TNumberFormatRec& rec, const text::TRegionalSettings& region) {
  if (!rec.ThousandSep) return {};
  if (!region.fThousandSeparator.empty()) return region.fThousandSeparator;
  return region.fDecimalSeparator == "," ? "." : "'";
}

std::string FormatFixedDigits(TDigits d, int decimals, std::string_view thousandSep, int integerDigits,
                              const text::TRegionalSettings& region) {
  RoundAt(d, decimals);
  std::string integer = IntegerDigits(d);
  if (integer.size() < static_cast<std::size_t>(integerDigits))
    integer.insert(0, static_cast<std::size_t>(integerDigits) - integer.size(), '0');
  std::string out = (d.fNegative && !d.fDigits.empty()) ? "-" : "";
  out += Group(integer, thousandSep);
  if (decimals > 0) out += region.fDecimalSeparator + FractionDigits(d, decimals);
  return out;
}

}  // namespace

std::string FormatGeneralNumber(double value, const text::TRegionalSettings& region) {
  if (std::isnan(value)) return {};
  return text::FormatGeneral(value, region);
}

std::string FormatFixedNumber(double value, int decimals, std::string_view thousandSep,
                              const text::TRegionalSettings& region) {
  if (std::isnan(value)) return {};
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  return FormatFixedDigits(ToDigits15(value), std::max(decimals, 0), thousandSep, 1, region);
}

std::string FormatNumberValue(double value, const TNumberFormatRec& rec, const text::TRegionalSettings& region) {
  if (std::isnan(value)) return {};
  if (rec.DecimalPlaces < 0 && rec.IntegerDigits <= 1) return FormatGeneralNumber(value, region);
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  // The value is rounded as a whole before it is split, so 12.96 with «00.0»
  // gives «13.0», and the sign stands before the padding zeros.
  return FormatFixedDigits(ToDigits15(value), std::max(rec.DecimalPlaces, 0), ThousandSeparatorFor(rec, region),
                           std::max(rec.IntegerDigits, 1), region);
}

std::string FormatPercentValue(double value, const TNumberFormatRec& rec, const text::TRegionalSettings& region) {
  std::string out = FormatNumberValue(value * 100, rec, region);
  if (!out.empty()) out += "%";
  return out;
}

std::string FormatCurrencyValue(double value, const TNumberFormatRec& rec, const text::TRegionalSettings& region) {
  const std::string number = FormatNumberValue(value, rec, region);
  if (number.empty() || rec.CurrencyStr.empty()) return number;
  return rec.CurrencyPos == ecpAfter ? number + " " + rec.CurrencyStr : rec.CurrencyStr + " " + number;
}

std::string FormatScientificValue(double value, const TNumberFormatRec& rec, const text::TRegionalSettings& region) {
  if (std::isnan(value)) return {};
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  TDigits d = ToDigits15(value);
  int exponent = 0;
  if (!d.fDigits.empty()) {
    exponent = d.fPoint - 1;
    d.fPoint = 1;
    if (rec.DecimalPlaces >= 0) RoundAt(d, rec.DecimalPlaces);
    if (d.fPoint == 2) {  // 9.996 at two places rounds to 10.00: 1.00 one power up
      d.fPoint = 1;
      ++exponent;
    }
  }
  std::string mantissa;
  if (rec.DecimalPlaces < 0) {
    mantissa = (d.fNegative && !d.fDigits.empty()) ? "-" : "";
    mantissa += d.fDigits.empty() ? "0" : d.fDigits.substr(0, 1);
    if (d.fDigits.size() > 1) mantissa += region.fDecimalSeparator + d.fDigits.substr(1);
  } else {
    mantissa = FormatFixedDigits(d, rec.DecimalPlaces, {}, 1, region);
  }
  std::string digits = std::to_string(std::abs(exponent));
  const int width = std::clamp(rec.ExponentDigits, 1, 3);
  if (digits.size() < static_cast<std::size_t>(width)) digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
  return mantissa + "E" + (exponent < 0 ? "-" : "+") + digits;
}

std::string FormatFractionValue(double value, const TNumberFormatRec& rec) {
  if (std::isnan(value) || std::isinf(value)) return {};
  static constexpr long long kLimits[] = {9, 99, 999, 9999};
  const long long limit = kLimits[std::clamp(rec.FractionDigits, 1, 4) - 1];
  const bool negative = value < 0;
  double whole = std::trunc(std::fabs(value));
  const double fraction = std::fabs(value) - whole;
  long long numerator = 0;
  long long denominator = 1;
  if (fraction > 1e-12) {
    // Continued-fraction convergents from 0/1; the last one within the limit.
    long long h1 = 1, h2 = 0, k1 = 0, k2 = 1;
    double x = fraction;
    for (int guard = 0; guard < 64; ++guard) {
      const double a = std::floor(x);
      const long long h = static_cast<long long>(a) * h1 + h2;
      const long long k = static_cast<long long>(a) * k1 + k2;
      if (k > limit) break;
      numerator = h;
      denominator = k;
      h2 = h1;
      h1 = h;
      k2 = k1;
      k1 = k;
      if (x == a) break;
      x = 1 / (x - a);
      if (x > 2147483647.0) break;
    }
    if (numerator != 0 && numerator == denominator) {  // the fraction rounds up to a whole
      whole += 1;
      numerator = 0;
    }
  }
  std::string out;
  if (whole != 0) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, whole, std::chars_format::fixed, 0);
    out.assign(buf, res.ptr);
  }
  if (numerator != 0) {
    if (!out.empty()) out += " ";
    out += std::to_string(numerator) + "/" + std::to_string(denominator);
  }
  if (out.empty()) return "0";
  // The sign stands first, also when only a fraction shows («-1/2»).
  return negative ? "-" + out : out;
}

namespace {

constexpr const char* kLongMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};
constexpr const char* kLongDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

std::string Pad2(long long v) { return v < 10 && v >= 0 ? "0" + std::to_string(v) : std::to_string(v); }

// The next date-time letter after position i, skipping separators and literals.
char NextLetter(const std::string& f, std::size_t i) {
  while (i < f.size()) {
    const char c = f[i];
    if (c == '"') {
      const std::size_t close = f.find('"', i + 1);
      if (close == std::string::npos) return 0;
      i = close + 1;
      continue;
    }
    if (c >= 'a' && c <= 'z') return c;
    if (c == '[') return 'h';  // "[h]"
    ++i;
  }
  return 0;
}

}  // namespace

std::string FormatDateTimeValue(double serial, std::string_view excelFormat, const text::TRegionalSettings& region,
                                bool use1904) {
  const std::string f = EffectiveDateTimeFormat(excelFormat, region);
  const bool showsMilliseconds = f.find('z') != std::string::npos || f.find("s.0") != std::string::npos;
  // Without sub-second places the time is rounded to the second, as
  // spreadsheets show it (08:00:00 stays 08:00:00, not 07:59:59).
  if (!showsMilliseconds && std::isfinite(serial)) serial = std::round(serial * 86400.0) / 86400.0;
  TDateTimeParts p;
  if (!DecodeDateSerial(serial, p, use1904)) return {};
  const bool twelveHour = f.find("am/pm") != std::string::npos || f.find("a/p") != std::string::npos ||
                          f.find("ampm") != std::string::npos;
  std::string out;
  char lastUnit = 0;  // 'h' after an hour, 'd' after a date part
  for (std::size_t i = 0; i < f.size();) {
    const char c = f[i];
    std::size_t run = 1;
    while (i + run < f.size() && f[i + run] == c) ++run;
    switch (c) {
      case '"':
      case '\'': {
        const std::size_t close = f.find(c, i + 1);
        const std::size_t end = close == std::string::npos ? f.size() : close;
        out += f.substr(i + 1, end - i - 1);
        i = close == std::string::npos ? f.size() : close + 1;
        continue;
      }
      case 'd':
        if (run == 1) out += std::to_string(p.fDay);
        else if (run == 2) out += Pad2(p.fDay);
        else if (run == 3) out += std::string(kLongDays[p.fDayOfWeek - 1]).substr(0, 3);
        else out += kLongDays[p.fDayOfWeek - 1];
        lastUnit = 'd';
        break;
      case 'm': {
        const bool minutes = run <= 2 && (lastUnit == 'h' || NextLetter(f, i + run) == 's');
        if (minutes) out += run == 1 ? std::to_string(p.fMinute) : Pad2(p.fMinute);
        else if (run == 1) out += std::to_string(p.fMonth);
        else if (run == 2) out += Pad2(p.fMonth);
        else if (run == 3) out += std::string(kLongMonths[p.fMonth - 1]).substr(0, 3);
        else if (run == 5) out += std::string(kLongMonths[p.fMonth - 1]).substr(0, 1);
        else out += kLongMonths[p.fMonth - 1];
        lastUnit = minutes ? 'n' : 'd';
        break;
      }
      case 'y':
        out += run <= 2 ? Pad2(p.fYear % 100) : std::to_string(p.fYear);
        lastUnit = 'd';
        break;
      case 'h': {
        int hour = p.fHour;
        if (twelveHour) hour = hour % 12 == 0 ? 12 : hour % 12;
        out += run == 1 ? std::to_string(hour) : Pad2(hour);
        lastUnit = 'h';
        break;
      }
      case '[':
        if (f.compare(i, 3, "[h]") == 0) {
          out += std::to_string(p.fWholeDays * 24 + p.fHour);
          lastUnit = 'h';
          i += 3;
          continue;
        }
        out += c;
        break;
      case 'n':
        out += run == 1 ? std::to_string(p.fMinute) : Pad2(p.fMinute);
        lastUnit = 'n';
        break;
      case 's': {
        out += run == 1 ? std::to_string(p.fSecond) : Pad2(p.fSecond);
        lastUnit = 's';
        // "ss.0", "ss.00", "ss.000": parts of the second
        std::size_t j = i + run;
        if (j < f.size() && f[j] == '.') {
          std::size_t zeros = 0;
          while (j + 1 + zeros < f.size() && f[j + 1 + zeros] == '0') ++zeros;
          if (zeros > 0) {
            char ms[4];
            std::snprintf(ms, sizeof ms, "%03d", p.fMillisecond);
            out += region.fDecimalSeparator + std::string(ms).substr(0, std::min<std::size_t>(zeros, 3));
            i = j + 1 + zeros;
            continue;
          }
        }
        break;
      }
      case 'z':
        if (run >= 3) {
          char ms[4];
          std::snprintf(ms, sizeof ms, "%03d", p.fMillisecond);
          out += ms;
        } else {
          out += std::to_string(p.fMillisecond);
        }
        break;
      case 'a':
        if (f.compare(i, 5, "am/pm") == 0) {
          out += p.fHour < 12 ? region.fTimeAMString : region.fTimePMString;
          i += 5;
          continue;
        }
        if (f.compare(i, 3, "a/p") == 0) {
          out += p.fHour < 12 ? "a" : "p";
          i += 3;
          continue;
        }
        if (f.compare(i, 4, "ampm") == 0) {
          out += p.fHour < 12 ? region.fTimeAMString : region.fTimePMString;
          i += 4;
          continue;
        }
        out += std::string(run, c);
        break;
      case '/':
        out += region.fDateSeparator;
        run = 1;
        break;
      case ':':
        out += region.fTimeSeparator;
        run = 1;
        break;
      default:
        out += std::string(run, c);
        break;
    }
    i += run;
  }
  return out;
}

std::string FormatNumberText(double value, std::string_view excelFormat, const text::TRegionalSettings& region) {
  if (std::isnan(value)) return {};
  TNumberFormatRec rec;
  switch (AnalyzeNumberFormat(excelFormat, rec)) {
    case TNumberFormatKind::nfkNone:
    case TNumberFormatKind::nfkString:
      return FormatGeneralNumber(value, region);
    case TNumberFormatKind::nfkNumber:
      return FormatNumberValue(value, rec, region);
    case TNumberFormatKind::nfkPercent:
      return FormatPercentValue(value, rec, region);
    case TNumberFormatKind::nfkCurrency:
      return FormatCurrencyValue(value, rec, region);
    case TNumberFormatKind::nfkScientific:
      return FormatScientificValue(value, rec, region);
    case TNumberFormatKind::nfkFraction:
      return FormatFractionValue(value, rec);
    case TNumberFormatKind::nfkDateTime:
      return FormatDateTimeValue(value, excelFormat, region);
  }
  return {};
}

// ---- parsing ----

namespace {

std::string_view Trim(std::string_view s) {
  auto blank = [](std::string_view t, std::size_t i) -> std::size_t {
    if (t[i] == ' ' || t[i] == '\t') return 1;
    return 0;
  };
  while (!s.empty()) {
    if (blank(s, 0)) { s.remove_prefix(1); continue; }
    if (s.size() >= 2 && s.substr(0, 2) == "\xC2\xA0") { s.remove_prefix(2); continue; }
    break;
  }
  while (!s.empty()) {
    if (blank(s, s.size() - 1)) { s.remove_suffix(1); continue; }
    if (s.size() >= 2 && s.substr(s.size() - 2) == "\xC2\xA0") { s.remove_suffix(2); continue; }
    break;
  }
  return s;
}

void EraseAll(std::string& s, std::string_view part) {
  if (part.empty()) return;
  std::size_t pos;
  while ((pos = s.find(part)) != std::string::npos) s.erase(pos, part.size());
}

}  // namespace

bool TryParseNumberText(std::string_view text, double& value, const text::TRegionalSettings& region) {
  value = 0;
  std::string s(Trim(text));
  if (region.fThousandSeparator != region.fDecimalSeparator) EraseAll(s, region.fThousandSeparator);
  EraseAll(s, " ");
  EraseAll(s, "\xC2\xA0");
  if (!region.fDecimalSeparator.empty() && region.fDecimalSeparator != ".") {
    if (s.find('.') != std::string::npos) return false;  // a point is no decimal separator here
    const std::size_t pos = s.find(region.fDecimalSeparator);
    if (pos != std::string::npos) s.replace(pos, region.fDecimalSeparator.size(), ".");
  }
  if (!s.empty() && s.front() == '+') s.erase(0, 1);
  if (s.empty()) return false;
  double parsed = 0;
  const auto res = std::from_chars(s.data(), s.data() + s.size(), parsed, std::chars_format::general);
  if (res.ec != std::errc() || res.ptr != s.data() + s.size() || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

bool TryParsePercentText(std::string_view text, double& value, const text::TRegionalSettings& region) {
  std::string s(text);
  EraseAll(s, "%");
  if (!TryParseNumberText(s, value, region)) return false;
  value /= 100;
  return true;
}

bool TryParseDateTimeText(std::string_view text, double& serial, const text::TRegionalSettings& region) {
  serial = 0;
  const std::string s(Trim(text));
  if (s.empty()) return false;
  // Split into numbers; remember where the time part starts (the first number
  // followed by the time separator) and an AM/PM marker.
  std::vector<long long> numbers;
  int timeStart = -1;
  bool pm = false;
  bool am = false;
  std::size_t i = 0;
  auto lower = [](std::string t) {
    for (char& c : t)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return t;
  };
  const std::string ls = lower(s);
  while (i < s.size()) {
    if (s[i] >= '0' && s[i] <= '9') {
      long long v = 0;
      const std::size_t start = i;
      while (i < s.size() && s[i] >= '0' && s[i] <= '9' && i - start < 9) v = v * 10 + (s[i++] - '0');
      if (i < s.size() && s[i] >= '0' && s[i] <= '9') return false;
      if (timeStart < 0 && !region.fTimeSeparator.empty() && s.compare(i, region.fTimeSeparator.size(), region.fTimeSeparator) == 0)
        timeStart = static_cast<int>(numbers.size());
      numbers.push_back(v);
      continue;
    }
    if (!region.fTimePMString.empty() && ls.compare(i, region.fTimePMString.size(), lower(region.fTimePMString)) == 0) {
      pm = true;
      i += region.fTimePMString.size();
      continue;
    }
    if (!region.fTimeAMString.empty() && ls.compare(i, region.fTimeAMString.size(), lower(region.fTimeAMString)) == 0) {
      am = true;
      i += region.fTimeAMString.size();
      continue;
    }
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c >= 0x80 || std::string_view("/.-: ,").find(s[i]) != std::string_view::npos ||
        region.fDateSeparator.find(s[i]) != std::string::npos || region.fTimeSeparator.find(s[i]) != std::string::npos) {
      ++i;
      continue;
    }
    return false;
  }
  const int dateCount = timeStart < 0 ? static_cast<int>(numbers.size()) : timeStart;
  double date = 0;
  if (dateCount == 3) {
    // Order of day, month and year from the short date format.
    const std::string order = lower(region.fShortDateFormat);
    const std::size_t dp = order.find('d'), mp = order.find('m'), yp = order.find('y');
    if (dp == std::string::npos || mp == std::string::npos || yp == std::string::npos) return false;
    std::vector<std::pair<std::size_t, char>> parts{{dp, 'd'}, {mp, 'm'}, {yp, 'y'}};
    std::sort(parts.begin(), parts.end());
    long long day = 0, month = 0, year = 0;
    for (int k = 0; k < 3; ++k) {
      const long long v = numbers[static_cast<std::size_t>(k)];
      if (parts[static_cast<std::size_t>(k)].second == 'd') day = v;
      else if (parts[static_cast<std::size_t>(k)].second == 'm') month = v;
      else year = v;
    }
    if (year < 100) year += year < 50 ? 2000 : 1900;
    if (year > 9999 || month > 12 || day > 31) return false;
    if (!TryEncodeDateSerial(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day), date)) return false;
  } else if (dateCount != 0) {
    return false;
  }
  double time = 0;
  const int timeCount = static_cast<int>(numbers.size()) - dateCount;
  if (timeCount == 1 || timeCount > 3) return false;
  if (timeCount >= 2) {
    long long hour = numbers[static_cast<std::size_t>(dateCount)];
    const long long minute = numbers[static_cast<std::size_t>(dateCount + 1)];
    const long long second = timeCount == 3 ? numbers[static_cast<std::size_t>(dateCount + 2)] : 0;
    if (pm || am) {
      if (hour < 1 || hour > 12) return false;
      hour = hour % 12 + (pm ? 12 : 0);
    }
    if (hour > 23 || minute > 59 || second > 59) return false;
    TryEncodeTime(static_cast<int>(hour), static_cast<int>(minute), static_cast<int>(second), 0, time);
  } else if (pm || am) {
    return false;
  }
  if (dateCount == 0 && timeCount == 0) return false;
  serial = date + time;
  return true;
}

}  // namespace sheet
