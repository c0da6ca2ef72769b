#include "text/StreamBytes.h"

namespace text {

std::string ReadAll(std::istream& in) {
  std::string bytes;
  std::streambuf* buffer = in.rdbuf();
  if (!buffer) {
    in.setstate(std::ios::badbit);
    return bytes;
  }
  constexpr std::streamsize kBlock = 1 << 16;
  for (;;) {
    const std::size_t used = bytes.size();
    bytes.resize(used + kBlock);
    std::streamsize got = 0;
    try {
      got = buffer->sgetn(bytes.data() + used, kBlock);
    } catch (...) {
      bytes.resize(used);
      in.setstate(std::ios::badbit);
      return bytes;
    }
    bytes.resize(used + static_cast<std::size_t>(got));
    if (got < kBlock) break;
  }
  in.setstate(std::ios::eofbit);
  return bytes;
}

}  // namespace text
