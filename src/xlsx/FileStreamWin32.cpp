// The file streams' system calls on Windows: the file is opened by its wide
// name and positioned with 64-bit offsets (long is 32 bits there).
#include <io.h>
#include <stdio.h>

#include "text/PathText.h"
#include "xlsx/Stream.h"

namespace xlsx {

TFileStream::TFileStream(const std::string& path, TMode mode) : fPath(path) {
  fFile = _wfopen(text::PathFromUtf8(path).c_str(), mode == TMode::fmRead ? L"rb" : L"w+b");
  if (!fFile) Fail(mode == TMode::fmRead ? "Cannot open file" : "Cannot create file");
}

std::uint64_t TFileStream::Position() const {
  const __int64 pos = _ftelli64(fFile);
  if (pos < 0) Fail("Cannot get the position in file");
  return static_cast<std::uint64_t>(pos);
}

void TFileStream::Seek(std::uint64_t position) {
  if (_fseeki64(fFile, static_cast<__int64>(position), SEEK_SET) != 0) Fail("Cannot seek in file");
}

std::uint64_t TFileStream::Size() const {
  const __int64 here = _ftelli64(fFile);
  if (_fseeki64(fFile, 0, SEEK_END) != 0) Fail("Cannot seek in file");
  const __int64 size = _ftelli64(fFile);
  if (here < 0 || size < 0 || _fseeki64(fFile, here, SEEK_SET) != 0) Fail("Cannot seek in file");
  return static_cast<std::uint64_t>(size);
}

void TFileStream::Truncate() {
  Flush();
  if (_chsize_s(_fileno(fFile), static_cast<__int64>(Position())) != 0) Fail("Cannot truncate file");
}

}  // namespace xlsx
