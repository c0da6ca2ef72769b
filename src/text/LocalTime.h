#pragma once

#include <ctime>
#include <filesystem>
#include <optional>

// Wall-clock times in the user's time zone, as the system keeps it:
// localtime_r and stat on POSIX systems, the Windows time-zone functions on
// Windows (LocalTime.cpp, LocalTimeWin32.cpp).
namespace text {

// The moment as a local calendar time (tm_year counts from 1900, tm_mon from 0).
std::tm LocalTimeOf(std::time_t moment);
inline std::tm LocalNow() { return LocalTimeOf(std::time(nullptr)); }

// The file's last-write time as a local calendar time; nothing when it
// cannot be read.
std::optional<std::tm> FileLastWriteLocalTime(const std::filesystem::path& file);

}  // namespace text
