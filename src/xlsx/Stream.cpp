#include "xlsx/Stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace xlsx {

void TMemoryStream::Write(const void* data, std::size_t count) {
  if (count == 0) return;
  const std::uint64_t end = fPosition + count;
  if (end > fData.size()) fData.resize(end);
  std::memcpy(fData.data() + fPosition, data, count);
  fPosition = end;
}

std::size_t TMemoryStream::Read(void* data, std::size_t count) {
  if (fPosition >= fData.size()) return 0;
  const std::size_t n = std::min<std::uint64_t>(count, fData.size() - fPosition);
  std::memcpy(data, fData.data() + fPosition, n);
  fPosition += n;
  return n;
}

[[noreturn]] void TFileStream::Fail(const std::string& what) const {
  throw EStreamError(what + " \"" + fPath + "\": " + std::strerror(errno));
}

TFileStream::~TFileStream() {
  if (fFile) std::fclose(fFile);
}

void TFileStream::Write(const void* data, std::size_t count) {
  if (count && std::fwrite(data, 1, count, fFile) != count) Fail("Error writing file");
}

std::size_t TFileStream::Read(void* data, std::size_t count) {
  const std::size_t n = std::fread(data, 1, count, fFile);
  if (n < count && std::ferror(fFile)) Fail("Error reading file");
  return n;
}

void TFileStream::Flush() {
  if (std::fflush(fFile) != 0) Fail("Error writing file");
}

}  // namespace xlsx

namespace xlsx {

TOStreamAdapter::TOStreamAdapter(std::ostream& stream) : fStream(stream) {
  const auto pos = stream.tellp();
  if (pos < 0) throw EStreamError("The destination stream is not seekable");
  fBase = pos;
}

void TOStreamAdapter::Write(const void* data, std::size_t count) {
  if (count == 0) return;
  fStream.write(static_cast<const char*>(data), static_cast<std::streamsize>(count));
  if (!fStream) throw EStreamError("Error writing to the destination stream");
  fPosition += count;
  fSize = std::max(fSize, fPosition);
}

std::size_t TOStreamAdapter::Read(void*, std::size_t) {
  throw EStreamError("The destination stream cannot be read");
}

void TOStreamAdapter::Seek(std::uint64_t position) {
  if (position == fPosition) return;
  fStream.seekp(fBase + static_cast<std::streamoff>(position));
  if (!fStream) throw EStreamError("Cannot seek in the destination stream");
  fPosition = position;
}

void TOStreamAdapter::Truncate() {
  if (fPosition < fSize) throw EStreamError("The destination stream cannot be cut shorter");
}

}  // namespace xlsx
