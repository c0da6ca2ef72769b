#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

namespace xlsx {

// The byte sinks and sources the writer works with. The package writer needs
// to go back to a local header after an entry's data, so its destination is
// seekable; the XML writers only append.
class EStreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TWriteStream {
 public:
  virtual ~TWriteStream() = default;
  // Writes all `count` bytes or throws.
  virtual void Write(const void* data, std::size_t count) = 0;
  void Write(std::string_view bytes) { Write(bytes.data(), bytes.size()); }
};

class TReadStream {
 public:
  virtual ~TReadStream() = default;
  // Reads up to `count` bytes; 0 means the end was reached.
  virtual std::size_t Read(void* data, std::size_t count) = 0;
};

// Reads a string the caller keeps alive (an in-memory picture copied into
// an archive in its blocks).
class TStringReadStream : public TReadStream {
 public:
  explicit TStringReadStream(const std::string& data) : fData(data) {}
  std::size_t Read(void* out, std::size_t count) override {
    const std::size_t n = std::min(count, fData.size() - fPos);
    std::copy_n(fData.data() + fPos, n, static_cast<char*>(out));
    fPos += n;
    return n;
  }

 private:
  const std::string& fData;
  std::size_t fPos = 0;
};

class TSeekableStream : public TWriteStream, public TReadStream {
 public:
  virtual std::uint64_t Position() const = 0;
  virtual void Seek(std::uint64_t position) = 0;
  virtual std::uint64_t Size() const = 0;
  // Cuts the stream at the current position.
  virtual void Truncate() = 0;
};

// A seekable stream in memory.
class TMemoryStream : public TSeekableStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::string data) : fData(std::move(data)) {}
  void Write(const void* data, std::size_t count) override;
  using TWriteStream::Write;
  std::size_t Read(void* data, std::size_t count) override;
  std::uint64_t Position() const override { return fPosition; }
  void Seek(std::uint64_t position) override { fPosition = position; }
  std::uint64_t Size() const override { return fData.size(); }
  void Truncate() override { fData.resize(fPosition < fData.size() ? fPosition : fData.size()); }
  const std::string& Data() const { return fData; }

 private:
  std::string fData;
  std::uint64_t fPosition = 0;
};

// A file opened for reading, or created (truncated) for reading and writing.
// The path is UTF-8; opening and positioning are the platform's
// (FileStream.cpp, FileStreamWin32.cpp).
class TFileStream : public TSeekableStream {
 public:
  enum class TMode { fmRead, fmCreate };
  TFileStream(const std::string& path, TMode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  void Write(const void* data, std::size_t count) override;
  using TWriteStream::Write;
  std::size_t Read(void* data, std::size_t count) override;
  std::uint64_t Position() const override;
  void Seek(std::uint64_t position) override;
  std::uint64_t Size() const override;
  void Truncate() override;
  // Flushes buffered bytes to the system; throws when that fails.
  void Flush();

 private:
  // Throws EStreamError naming the file and the C library's cause.
  [[noreturn]] void Fail(const std::string& what) const;

  std::FILE* fFile = nullptr;
  std::string fPath;
};

}  // namespace xlsx

#include <ostream>

namespace xlsx {

// A std::ostream as the archive's destination. Positions count from where
// the stream stood when adapted, so an archive written into the middle of a
// stream is still self-consistent. Standard streams cannot be cut shorter,
// so Truncate only accepts the current end, and reading is not possible.
class TOStreamAdapter : public TSeekableStream {
 public:
  explicit TOStreamAdapter(std::ostream& stream);
  void Write(const void* data, std::size_t count) override;
  using TWriteStream::Write;
  std::size_t Read(void* data, std::size_t count) override;
  std::uint64_t Position() const override { return fPosition; }
  void Seek(std::uint64_t position) override;
  std::uint64_t Size() const override { return fSize; }
  void Truncate() override;

 private:
  std::ostream& fStream;
  std::streamoff fBase;
  std::uint64_t fPosition = 0;
  std::uint64_t fSize = 0;
};

}  // namespace xlsx
