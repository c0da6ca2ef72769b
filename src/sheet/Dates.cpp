#include "sheet/Dates.h"

#include <cmath>

namespace sheet {

namespace {

constexpr long long kMsPerDay = 86400000LL;

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(y + (month <= 2));
}

// 1899-12-30: serials from 61 on count from here.
const long long kEpoch1900 = DaysFromCivil(1899, 12, 30);

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool DecodeDateSerial(double serial, TDateTimeParts& parts, bool use1904) {
  parts = TDateTimeParts{};
  if (!std::isfinite(serial) || serial < 0) return false;
  if (use1904) serial += k1904DateOffset;
  if (serial >= kMaxDateSerial1900 + 1) return false;
  const long long ms = std::llround(serial * static_cast<double>(kMsPerDay));
  long long days = ms / kMsPerDay;
  long long msOfDay = ms % kMsPerDay;
  if (days > static_cast<long long>(kMaxDateSerial1900)) return false;  // rounded past the last day
  parts.fWholeDays = use1904 ? days - static_cast<long long>(k1904DateOffset) : days;
  if (days >= 61) {
    CivilFromDays(kEpoch1900 + days, parts.fYear, parts.fMonth, parts.fDay);
  } else if (days == 60) {
    parts.fYear = 1900;
    parts.fMonth = 2;
    parts.fDay = 29;
  } else if (days >= 1) {
    CivilFromDays(kEpoch1900 + days + 1, parts.fYear, parts.fMonth, parts.fDay);
  } else {
    parts.fYear = 1900;
    parts.fMonth = 1;
    parts.fDay = 0;
  }
  // Spreadsheets number serial 1 as a Sunday and keep counting through the
  // fictitious leap day, which makes every date from March 1900 on right.
  parts.fDayOfWeek = static_cast<int>(((days - 1) % 7 + 7) % 7) + 1;
  parts.fHour = static_cast<int>(msOfDay / 3600000);
  parts.fMinute = static_cast<int>(msOfDay / 60000 % 60);
  parts.fSecond = static_cast<int>(msOfDay / 1000 % 60);
  parts.fMillisecond = static_cast<int>(msOfDay % 1000);
  return true;
}

bool TryEncodeDateSerial(int year, int month, int day, double& serial, bool use1904) {
  serial = 0;
  if (year == 1900 && month == 2 && day == 29) {
    if (use1904) return false;
    serial = 60;
    return true;
  }
  if (year < 1900 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    return false;
  long long days = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpoch1900;
  if (days < 61) days -= 1;  // before the fictitious leap day the count is one lower
  if (use1904) {
    days -= static_cast<long long>(k1904DateOffset);
    if (days < 0) return false;
  }
  serial = static_cast<double>(days);
  return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, double& fraction) {
  fraction = 0;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
      millisecond > 999)
    return false;
  const long long ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
  fraction = static_cast<double>(ms) / static_cast<double>(kMsPerDay);
  return true;
}

}  // namespace sheet
