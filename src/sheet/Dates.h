#pragma once

// Date serials as spreadsheets count them. In the 1900 system serial 1 is
// 1 January 1900 and serial 60 the fictitious 29 February 1900 that
// spreadsheet applications keep for compatibility, so every serial from 61
// (1 March 1900) on equals the days since 30 December 1899; serial 0 shows as
// day 0 of January 1900. In the 1904 system serial 0 is 1 January 1904
// (1462 days later). The fraction is the time of day.
namespace sheet {

// Days between the two systems' serial 0.
inline constexpr double k1904DateOffset = 1462;

// Largest serial a spreadsheet shows as a date: 31 December 9999 (1900 system).
inline constexpr double kMaxDateSerial1900 = 2958465;

struct TDateTimeParts {
  int fYear = 0;
  int fMonth = 0;  // 1 ... 12
  int fDay = 0;    // 1 ... 31; 0 only for serial 0 of the 1900 system
  int fHour = 0;
  int fMinute = 0;
  int fSecond = 0;
  int fMillisecond = 0;
  int fDayOfWeek = 0;  // 1 = Sunday ... 7 = Saturday, as spreadsheets number them
  long long fWholeDays = 0;  // the serial's whole days after rounding to milliseconds (elapsed-time formats)

  bool operator==(const TDateTimeParts&) const = default;
};

// False for NaN, negative serials and serials past 31 December 9999: no date
// shows for them. The serial is rounded to whole milliseconds first.
bool DecodeDateSerial(double serial, TDateTimeParts& parts, bool use1904 = false);

// False for an invalid date or one the system cannot hold (before 1 January
// 1900, or 1904 in the 1904 system; after 9999). 29 February 1900 gives 60.
bool TryEncodeDateSerial(int year, int month, int day, double& serial, bool use1904 = false);
// Fraction of a day; false for values out of range.
bool TryEncodeTime(int hour, int minute, int second, int millisecond, double& fraction);

inline double Serial1904To1900(double serial) { return serial + k1904DateOffset; }
inline double Serial1900To1904(double serial) { return serial - k1904DateOffset; }

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

}  // namespace sheet
