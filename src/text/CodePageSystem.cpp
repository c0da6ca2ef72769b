#include "text/CodePageSystem.h"

#include <iconv.h>

#include <bit>
#include <string>

#include "text/CodePage.h"

namespace text {

namespace {

// The byte's character, or 0 when iconv leaves the byte undefined. The
// Hebrew and Vietnamese converters hold a letter back in case a combining mark
// follows: the second call flushes it.
char32_t DecodeByte(iconv_t cd, unsigned char byte) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char in = static_cast<char>(byte);
  char32_t out = 0;
  char* inPtr = &in;
  std::size_t inLeft = 1;
  char* outPtr = reinterpret_cast<char*>(&out);
  std::size_t outLeft = sizeof out;
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
      iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || outLeft != 0) {
    return 0;
  }
  return out;
}

}  // namespace

std::array<char32_t, 256> SystemCodePageChars(int codePage) {
  // UTF-32 in the machine's byte order, without a byte-order mark.
  const char* utf32 = std::endian::native == std::endian::little ? "UTF-32LE" : "UTF-32BE";
  iconv_t cd = iconv_open(utf32, ("CP" + std::to_string(codePage)).c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    throw ECodePageError("Code page " + std::to_string(codePage) + " is not available");
  }
  std::array<char32_t, 256> chars{};
  for (int b = 0; b < 256; ++b) chars[static_cast<std::size_t>(b)] = DecodeByte(cd, static_cast<unsigned char>(b));
  iconv_close(cd);
  return chars;
}

}  // namespace text
