#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <streambuf>

namespace sheet {

// A seekable output buffer straight over a file the system writes: 64 KiB
// are gathered, then handed to WriteSome until all are written. The system's
// calls and the error they leave are the platform's (WriteSome, SeekFile);
// the first failure is kept as the stream's Error().
template <class TError>
class TFileOutputBuffer : public std::streambuf {
 public:
  TFileOutputBuffer() { Empty(); }
  TError Error() const { return fError; }

 protected:
  // Writes some of `size` bytes: how many, or 0 after a failure it has remembered.
  virtual std::size_t WriteSome(const char* data, std::size_t size) = 0;
  // Moves the file position: the new one, or -1 after a failure it has remembered.
  virtual std::int64_t SeekFile(std::int64_t offset, std::ios_base::seekdir dir) = 0;

  void Remember(TError error) {
    if (fError == TError{}) fError = error;
  }

  int_type overflow(int_type c) override {
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return Drain() ? 0 : -1; }
  pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode) override {
    if (!Drain()) return pos_type(off_type(-1));
    return pos_type(off_type(SeekFile(off, dir)));
  }
  pos_type seekpos(pos_type pos, std::ios_base::openmode which) override {
    return seekoff(off_type(pos), std::ios_base::beg, which);
  }

 private:
  void Empty() { setp(fBuffer.data(), fBuffer.data() + fBuffer.size()); }
  bool Drain() {
    for (const char* from = pbase(); from < pptr();) {
      const std::size_t written = WriteSome(from, static_cast<std::size_t>(pptr() - from));
      if (written == 0) {
        Empty();
        return false;
      }
      from += written;
    }
    Empty();
    return true;
  }

  TError fError{};
  std::array<char, 64 * 1024> fBuffer;
};

}  // namespace sheet
