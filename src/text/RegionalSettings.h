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
  // Date-time formats: d/dd day, ddd/dddd day name, M/MM month, MMM/MMMM
  // month name, yy/yyyy year, H/HH hour (h/hh with AMPM: 12-hour), m/mm
  // minutes (after an hour), s/ss seconds, AMPM the AM/PM string. The date-time
  // renderer reads them without regard to case ("n" may stand for minutes).
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

// The process-wide record, for the few places that show values without being
// given a record (cell texts read without settings). It starts as the user's
// locale, read on first use; setting it affects later calls in every thread.
TRegionalSettings ProcessRegionalSettings();
void SetProcessRegionalSettings(const TRegionalSettings& region);

}  // namespace text
