#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace xls {

// Appends `units` UTF-16 little-endian code units read from `bytes` as UTF-8.
// Unpaired surrogates become U+FFFD, so any byte sequence gives valid UTF-8.
void AppendUtf16LeAsUtf8(std::string& to, const std::uint8_t* bytes, std::size_t units);
// Appends 8-bit characters that stand for U+0000 ... U+00FF (the compressed
// form of 16-bit characters whose high byte is zero) as UTF-8.
void AppendLatin1AsUtf8(std::string& to, const std::uint8_t* bytes, std::size_t count);

}  // namespace xls
