#include "text/StreamBytes.h"

#include <algorithm>

namespace text {

std::string ReadAll(std::istream& in) {
  std::string bytes;
  std::streambuf* buffer = in.rdbuf();
  if (!buffer) {
    in.setstate(std::ios::badbit);
    return bytes;
  }
  // A file or string stream knows how much is left: one allocation of that
  // size instead of a growing buffer saves copies and fresh pages (a 200 KB
  // customer list was read through four reallocations).
  std::streamsize expected = 0;
  try {
    const auto here = buffer->pubseekoff(0, std::ios::cur, std::ios::in);
    const auto end = buffer->pubseekoff(0, std::ios::end, std::ios::in);
    if (here != std::streampos(-1) && end != std::streampos(-1) && buffer->pubseekpos(here, std::ios::in) == here)
      expected = static_cast<std::streamsize>(end - here);
  } catch (...) {
    expected = 0;
  }
  if (expected > 0) bytes.reserve(static_cast<std::size_t>(expected) + 1);
  constexpr std::streamsize kBlock = 1 << 16;
  for (;;) {
    const std::size_t used = bytes.size();
    const std::streamsize block = std::max(kBlock, expected - static_cast<std::streamsize>(used) + 1);
    bytes.resize(used + static_cast<std::size_t>(block));
    std::streamsize got = 0;
    try {
      got = buffer->sgetn(bytes.data() + used, block);
    } catch (...) {
      bytes.resize(used);
      in.setstate(std::ios::badbit);
      return bytes;
    }
    bytes.resize(used + static_cast<std::size_t>(got));
    if (got < block) break;
  }
  in.setstate(std::ios::eofbit);
  return bytes;
}

}  // namespace text
