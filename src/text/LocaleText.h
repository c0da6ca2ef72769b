#pragma once

#include <string>
#include <string_view>

#include "text/RegionalSettings.h"

// How the platform's locale data becomes a TRegionalSettings record. Kept
// apart from the locale query so it can be checked with made-up locale data.
namespace text {

// What the locale tells, already in UTF-8; formats in strftime notation.
struct TLocaleData {
  std::string fDecimalPoint;
  std::string fThousandsSeparator;
  std::string fDateFormat;  // D_FMT, e.g. "%-d.%-m.%Y"
  std::string fTimeFormat;  // T_FMT, e.g. "%H:%M:%S"
  std::string fAm;
  std::string fPm;
};

// A strftime format in the record's notation: d/dd day, ddd/dddd day name,
// M/MM month, MMM/MMMM month name, yy/yyyy year, H/HH 24-hour, h/hh 12-hour,
// m/mm minutes, s/ss seconds, AMPM. Conversions it has no token for are dropped.
std::string StrftimeToRuntimeFormat(std::string_view format);

// Empty or missing items fall back to the English record's; the short time
// is the long time without its seconds, and the long date follows the order
// of the short one.
TRegionalSettings RegionalSettingsFromLocaleData(const TLocaleData& data);

// A date or time format of Windows' regional settings (LOCALE_SSHORTDATE,
// LOCALE_STIMEFORMAT, …) in the record's notation: the notations agree but
// for the AM/PM designator ("tt" or "t" → "AMPM") and the era ("g", "gg"),
// which the record has no token for and is dropped; quoted texts stay.
std::string WindowsLocaleFormatToRuntimeFormat(std::string_view format);

// A text in the locale's character set (nl_langinfo(CODESET)) as UTF-8.
// POSIX systems only (UserLocale.cpp).
std::string LocaleTextToUtf8(std::string_view text, const std::string& codeset);

}  // namespace text
