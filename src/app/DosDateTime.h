#pragma once

#include <cstdint>

#include "app/FileSystem.h"

namespace app {

// A local time packed in the 32-bit MS-DOS date-time format: bits 31-25 year
// minus 1980, 24-21 month, 20-16 day, 15-11 hour, 10-5 minute, 4-0 seconds
// divided by two (two-second steps). Read as a signed 32-bit number; -1 for
// a time the format cannot hold (before 1980 or after 2107).
std::int32_t PackDosDateTime(const TLocalDateTime& time);
TLocalDateTime UnpackDosDateTime(std::int32_t packed);

}  // namespace app
