#pragma once

#include <string>

// The system's text for an error code, in UTF-8, without a final full stop
// or line end: strerror for errno values on POSIX systems, FormatMessageW
// for GetLastError values on Windows (in the user's language).
namespace text {

std::string SystemErrorMessage(unsigned long code);

}  // namespace text
