#include "text/LocaleText.h"

#include "text/Utf8.h"

namespace text {

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The first character (UTF-8) of `format` that is no letter and no blank.
std::string FirstSeparator(std::string_view format, std::string fallback) {
  std::size_t pos = 0;
  while (pos < format.size()) {
    const std::size_t start = pos;
    const char32_t cp = NextCodePoint(format, pos);
    if (cp >= 0x80 || (!IsLetter(static_cast<char>(cp)) && cp != ' ')) {
      return std::string(format.substr(start, pos - start));
    }
  }
  return fallback;
}

// "HH:mm:ss" → "HH:mm", "hh:mm:ss AMPM" → "hh:mm AMPM".
std::string WithoutSeconds(const std::string& format) {
  const std::size_t s = format.find('s');
  if (s == std::string::npos) return format;
  std::size_t end = s;
  while (end < format.size() && format[end] == 's') ++end;
  std::size_t start = s;
  while (start > 0 && !IsLetter(format[start - 1])) --start;
  return format.substr(0, start) + format.substr(end);
}

}  // namespace

std::string StrftimeToRuntimeFormat(std::string_view format) {
  std::string out;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    bool unpadded = false;
    ++i;
    while (i < format.size() && (format[i] == '-' || format[i] == '_' || format[i] == '0' ||
                                 format[i] == '^' || format[i] == '#' || format[i] == 'E' ||
                                 format[i] == 'O' || (format[i] >= '1' && format[i] <= '9'))) {
      if (format[i] == '-') unpadded = true;
      ++i;
    }
    if (i == format.size()) break;
    switch (format[i]) {
      case 'd': out += unpadded ? "d" : "dd"; break;
      case 'e': out += "d"; break;
      case 'a': out += "ddd"; break;
      case 'A': out += "dddd"; break;
      case 'm': out += unpadded ? "M" : "MM"; break;
      case 'b': case 'h': out += "MMM"; break;
      case 'B': out += "MMMM"; break;
      case 'y': out += "yy"; break;
      case 'Y': case 'G': out += "yyyy"; break;
      case 'H': out += unpadded ? "H" : "HH"; break;
      case 'k': out += "H"; break;
      case 'I': out += unpadded ? "h" : "hh"; break;
      case 'l': out += "h"; break;
      case 'M': out += unpadded ? "m" : "mm"; break;
      case 'S': out += unpadded ? "s" : "ss"; break;
      case 'p': case 'P': out += "AMPM"; break;
      case 'D': out += "MM/dd/yy"; break;
      case 'F': out += "yyyy-MM-dd"; break;
      case 'T': out += "HH:mm:ss"; break;
      case 'R': out += "HH:mm"; break;
      case 'r': out += "hh:mm:ss AMPM"; break;
      case 'n': case 't': out += ' '; break;
      case '%': out += '%'; break;
      default: break;
    }
  }
  // A dropped conversion may leave blanks at the ends.
  const std::size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

std::string WindowsLocaleFormatToRuntimeFormat(std::string_view format) {
  std::string out;
  std::size_t i = 0;
  while (i < format.size()) {
    const char c = format[i];
    if (c == '\'') {  // a quoted literal passes unchanged
      const std::size_t close = format.find('\'', i + 1);
      const std::size_t end = close == std::string_view::npos ? format.size() : close + 1;
      out += format.substr(i, end - i);
      i = end;
      continue;
    }
    std::size_t run = 1;
    while (i + run < format.size() && format[i + run] == c) ++run;
    if (c == 't') {
      out += "AMPM";
    } else if (c != 'g') {
      out += format.substr(i, run);
    }
    i += run;
  }
  const std::size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

TRegionalSettings RegionalSettingsFromLocaleData(const TLocaleData& data) {
  TRegionalSettings region;
  if (!data.fDecimalPoint.empty()) region.fDecimalSeparator = data.fDecimalPoint;
  region.fThousandSeparator = data.fThousandsSeparator;
  if (region.fThousandSeparator == region.fDecimalSeparator) region.fThousandSeparator.clear();

  const std::string date = StrftimeToRuntimeFormat(data.fDateFormat);
  if (!date.empty()) {
    region.fShortDateFormat = date;
    region.fDateSeparator = FirstSeparator(date, region.fDateSeparator);
    const std::size_t firstToken = date.find_first_of("dMy");
    const char first = firstToken == std::string::npos ? 'd' : date[firstToken];
    if (first == 'M') {
      region.fLongDateFormat = "dddd, MMMM d, yyyy";
    } else if (first == 'y') {
      region.fLongDateFormat = "yyyy MMMM d";
    } else if (region.fDateSeparator == ".") {
      region.fLongDateFormat = "d. MMMM yyyy";
    } else {
      region.fLongDateFormat = "d MMMM yyyy";
    }
  }
  const std::string time = StrftimeToRuntimeFormat(data.fTimeFormat);
  if (!time.empty()) {
    region.fLongTimeFormat = time;
    region.fShortTimeFormat = WithoutSeconds(time);
    region.fTimeSeparator = FirstSeparator(time, region.fTimeSeparator);
  }
  if (!data.fAm.empty()) region.fTimeAMString = data.fAm;
  if (!data.fPm.empty()) region.fTimePMString = data.fPm;
  return region;
}

}  // namespace text
