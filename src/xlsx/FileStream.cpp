// The file streams' system calls on POSIX systems.
#include <unistd.h>

#include "xlsx/Stream.h"

namespace xlsx {

TFileStream::TFileStream(const std::string& path, TMode mode) : fPath(path) {
  fFile = std::fopen(path.c_str(), mode == TMode::fmRead ? "rb" : "w+b");
  if (!fFile) Fail(mode == TMode::fmRead ? "Cannot open file" : "Cannot create file");
}

std::uint64_t TFileStream::Position() const {
  const off_t pos = ftello(fFile);
  if (pos < 0) Fail("Cannot get the position in file");
  return static_cast<std::uint64_t>(pos);
}

void TFileStream::Seek(std::uint64_t position) {
  if (fseeko(fFile, static_cast<off_t>(position), SEEK_SET) != 0) Fail("Cannot seek in file");
}

std::uint64_t TFileStream::Size() const {
  const off_t here = ftello(fFile);
  if (fseeko(fFile, 0, SEEK_END) != 0) Fail("Cannot seek in file");
  const off_t size = ftello(fFile);
  if (here < 0 || size < 0 || fseeko(fFile, here, SEEK_SET) != 0) Fail("Cannot seek in file");
  return static_cast<std::uint64_t>(size);
}

void TFileStream::Truncate() {
  Flush();
  if (ftruncate(fileno(fFile), static_cast<off_t>(Position())) != 0) Fail("Cannot truncate file");
}

}  // namespace xlsx
