#pragma once

#include <array>

// The platform's own description of a code page (iconv on POSIX systems,
// MultiByteToWideChar on Windows), read once per code page by CodePage.cpp's
// tables. Internal to the text layer.
namespace text {

// The character of every byte 0x00 … 0xFF in the code page, 0 where the
// platform does not define the byte. Throws ECodePageError when the platform
// does not know the code page.
std::array<char32_t, 256> SystemCodePageChars(int codePage);

}  // namespace text
