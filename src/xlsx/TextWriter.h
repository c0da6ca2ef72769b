#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "xlsx/Stream.h"

namespace xlsx {

// Buffered text output into a stream. Texts are UTF-8 in memory and in every
// part we write, so the buffer holds UTF-8 bytes; the byte-order mark is
// written once before the first bytes when asked for.
class TTextWriter {
 public:
  static constexpr std::size_t kDefaultCapacity = 8192;

  explicit TTextWriter(std::size_t capacity = kDefaultCapacity);
  ~TTextWriter();
  TTextWriter(const TTextWriter&) = delete;
  TTextWriter& operator=(const TTextWriter&) = delete;

  // Targets `stream` (not owned); resets the buffer and the "BOM written" state.
  void InitStream(TWriteStream& stream, bool writeBOM);
  void WriteString(std::string_view text);
  void WriteChar(char c);
  void EnsureTempStringWritten();
  // Flushes and detaches from the stream.
  void ReleaseDocument();

  bool WriteBOM() const { return fWriteBOM; }
  TTextWriter& SetWriteBOM(bool value) { fWriteBOM = value; return *this; }

 private:
  void Emit(const char* data, std::size_t count);

  std::string fBuffer;
  std::size_t fCapacity;
  TWriteStream* fStream = nullptr;
  bool fWriteBOM = true;
  bool fBOMWritten = false;
};

}  // namespace xlsx
