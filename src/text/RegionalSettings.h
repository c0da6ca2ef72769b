#pragma once

#include <string>

namespace text {

// The user's regional settings as the conversions need them. Every conversion
// takes a record explicitly, so behaviour never depends on the process locale.
// Separators are UTF-8 texts of one character (a no-break space is two bytes).
struct TRegionalSettings {
  std::string fDecimalSeparator = ".";
  std::string fThousandSeparator = ",";
  std::string fDateSeparator = "/";
  std::string fTimeSeparator = ":";
  // Formats in the runtime's date-time notation (d, dd, m, mm, yyyy, h, hh, nn, ss, am/pm).
  std::string fShortDateFormat = "M/d/yyyy";
  std::string fLongDateFormat = "dddd, MMMM d, yyyy";
  std::string fShortTimeFormat = "h:mm AMPM";
  std::string fLongTimeFormat = "h:mm:ss AMPM";
  std::string fTimeAMString = "AM";
  std::string fTimePMString = "PM";

  // Read from the user's locale (setlocale(LC_ALL, ""), localeconv, nl_langinfo).
  static TRegionalSettings FromUserLocale();
  // Fixed records for tests and for callers that need a known region.
  static TRegionalSettings Czech();   // "," decimal, no-break space thousands, d.M.yyyy
  static TRegionalSettings English(); // "." decimal, "," thousands, M/d/yyyy

  bool operator==(const TRegionalSettings&) const = default;
};

}  // namespace text
