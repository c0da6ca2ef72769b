#include "text/LocalTime.h"

#include <windows.h>

namespace text {

namespace {

std::tm CalendarTime(const SYSTEMTIME& time) {
  std::tm local{};
  local.tm_year = time.wYear - 1900;
  local.tm_mon = time.wMonth - 1;
  local.tm_mday = time.wDay;
  local.tm_hour = time.wHour;
  local.tm_min = time.wMinute;
  local.tm_sec = time.wSecond;
  local.tm_wday = time.wDayOfWeek;
  local.tm_isdst = -1;
  return local;
}

}  // namespace

std::tm LocalTimeOf(std::time_t moment) {
  std::tm local{};
  localtime_s(&local, &moment);
  return local;
}

// The file time is UTC; the time zone's rule for that date (not today's
// daylight saving) makes it local, as Explorer shows it.
std::optional<std::tm> FileLastWriteLocalTime(const std::filesystem::path& file) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  if (!FileTimeToSystemTime(&data.ftLastWriteTime, &utc) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
    return std::nullopt;
  }
  return CalendarTime(local);
}

}  // namespace text
