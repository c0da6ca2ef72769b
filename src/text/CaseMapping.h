#pragma once

// The platform's simple case mapping of one code point beyond ASCII (the C
// library's C.UTF-8 locale on POSIX systems, the invariant locale on
// Windows); a code point without a mapping comes back unchanged. Internal
// to the text layer: TextCase.h is the interface for everyone else.
namespace text {

char32_t SystemLowerCase(char32_t cp);
char32_t SystemUpperCase(char32_t cp);

}  // namespace text
