#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "xlsx/Stream.h"

namespace xlsx {

class EZipException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A zlib failure, carrying zlib's (negative) return code.
class EZCompressionError : public std::runtime_error {
 public:
  EZCompressionError(int code, const std::string& message) : std::runtime_error(message), fCode(code) {}
  int Code() const { return fCode; }

 private:
  int fCode;
};

enum class TZipCompression { zcStored, zcDeflate };
enum class TZipMode { zmRead, zmReadWrite, zmWrite };
enum class TZipStatus { zsClosed, zsRead, zsReadWrite, zsWrite };
enum class TZipAddDuplicates { adReplaceOld, adAdd, adDontAdd, adException };

struct TZipHeader {
  std::uint16_t fMadeByVersion = 0;
  std::uint16_t fRequiredVersion = 0;
  std::uint16_t fFlag = 0;
  std::uint16_t fCompressionMethod = 0;
  std::uint32_t fModifiedDateTime = 0;  // MS-DOS time in the low word, date in the high word
  std::uint32_t fCRC32 = 0;
  std::uint64_t fCompressedSize = 0;
  std::uint64_t fUncompressedSize = 0;
  std::uint32_t fDiskNumberStart = 0;
  std::uint16_t fInternalAttributes = 0;
  std::uint32_t fExternalAttributes = 0;
  std::uint64_t fLocalHeaderOffset = 0;
  std::string fFileName;     // as stored (slashes)
  std::string fFileComment;
  std::string fExtraField;
};

// Local date and time, as the archive stamps entries with it.
using TZipClock = std::function<std::tm()>;
// time word = seconds / 2 + minutes * 32 + hours * 2048 (low 16 bits);
// date word = day + month * 32 + (year - 1980) * 512 (high 16 bits); 0 outside 1980 ... 2107.
std::uint32_t DateTimeToDos(const std::tm& local);

class TZipArchive;
class TZipCompressor;

// Write-only stream of one entry's uncompressed bytes, between
// AddFromExternalStreamPrepare and AddFromExternalStreamFinish.
class TZipEntryStream : public TWriteStream {
 public:
  ~TZipEntryStream() override;
  void Write(const void* data, std::size_t count) override;
  using TWriteStream::Write;
  // Splices a piece that was raw-deflated on its own (fresh dictionary, ended
  // with a sync flush, never a final block) into a deflated entry, so sheet
  // data compressed once in memory need not be compressed again. `crc` and
  // `uncompressedSize` describe the piece's uncompressed bytes.
  void AppendDeflatedPiece(std::string_view compressed, std::uint32_t crc, std::uint64_t uncompressedSize);
  std::uint64_t Position() const { return fUncompressedSize; }

 private:
  friend class TZipArchive;
  TZipEntryStream(TZipArchive& archive, std::unique_ptr<TZipCompressor> compressor);
  void CheckLimit(std::uint64_t more) const;

  TZipArchive& fArchive;
  std::unique_ptr<TZipCompressor> fCompressor;
  std::uint32_t fCRC32 = 0;
  std::uint64_t fUncompressedSize = 0;
};

// Writes a ZIP archive into a seekable stream: local headers, entry data
// (stored or raw deflate), central directory and end records; Zip64 end
// records when the entry count or the directory offset need them.
class TZipArchive {
 public:
  static constexpr std::size_t kCopyBlockSize = 16384;
  // An entry's sizes must stay below this: the local header is written before
  // the sizes are known and cannot grow a Zip64 block afterwards.
  static constexpr std::uint64_t kMaxEntrySize = 0xFFFFFFFEull;

  TZipArchive();
  ~TZipArchive();
  TZipArchive(const TZipArchive&) = delete;
  TZipArchive& operator=(const TZipArchive&) = delete;

  void OpenStream(TSeekableStream& stream, TZipMode mode);
  void OpenFile(const std::string& fileName, TZipMode mode);
  void Close();

  void AddFromStream(std::string_view archiveFileName, TReadStream& source,
                     TZipCompression compression = TZipCompression::zcDeflate);
  void AddFromBuffer(std::string_view archiveFileName, std::string_view data,
                     TZipCompression compression = TZipCompression::zcDeflate);
  // An empty archive name takes the file's own name without its folder.
  void AddFromFile(const std::string& fileName, std::string_view archiveFileName = {},
                   TZipCompression compression = TZipCompression::zcDeflate);
  // Returns the open entry stream, or nullptr when the entry was abandoned
  // as a duplicate in mode adDontAdd.
  TZipEntryStream* AddFromExternalStreamPrepare(std::string_view archiveFileName,
                                                TZipCompression compression = TZipCompression::zcDeflate);
  void AddFromExternalStreamFinish();
  // An entry whose bytes `write` streams into it; the entry is finished with
  // what was written even when `write` throws, and the error goes on.
  void AddFromWriter(std::string_view archiveFileName, const std::function<void(TZipEntryStream&)>& write,
                     TZipCompression compression = TZipCompression::zcDeflate);

  TZipStatus Status() const { return fStatus; }
  std::size_t FileCount() const { return fFiles.size(); }
  const TZipHeader& FileInfo(std::size_t index) const { return *fFiles.at(index); }
  // Index of an entry by name (case-insensitive), or -1.
  int IndexOf(std::string_view archiveFileName) const;

  const std::string& Comment() const { return fComment; }
  TZipArchive& SetComment(std::string comment);
  bool UTF8Support() const { return fUTF8Support; }
  TZipArchive& SetUTF8Support(bool value) { fUTF8Support = value; return *this; }
  TZipAddDuplicates AddDuplicates() const { return fAddDuplicates; }
  TZipArchive& SetAddDuplicates(TZipAddDuplicates value) { fAddDuplicates = value; return *this; }
  // The time stamps of new entries come from this clock (local time now by default).
  TZipArchive& SetClock(TZipClock clock) { fClock = std::move(clock); return *this; }
  // Lowers the entry size limit (for tests that cannot write 4 GiB).
  TZipArchive& SetEntrySizeLimit(std::uint64_t limit) { fEntrySizeLimit = limit; return *this; }

 private:
  friend class TZipEntryStream;
  friend class TZipCompressor;

  // Starts an entry; false when it was abandoned as a duplicate.
  bool StartEntry(std::string_view archiveFileName, TZipCompression compression, std::uint32_t dosTime);
  void DeleteEntry(std::size_t index);
  void WriteSharedHeaderFields(const TZipHeader& header);
  void WriteLocalHeader(TZipHeader& header);
  void WriteCentralDirectory();
  void WriteBytes(const void* data, std::size_t count);
  template <typename T> void WriteLE(T value);
  static std::string NameKey(std::string_view name);

  TZipStatus fStatus = TZipStatus::zsClosed;
  TSeekableStream* fStream = nullptr;
  std::unique_ptr<TFileStream> fFileStream;
  std::uint64_t fStartFileData = 0;
  std::uint64_t fEndFileData = 0;
  std::vector<std::unique_ptr<TZipHeader>> fFiles;
  std::unordered_map<std::string, std::size_t> fFilesIndex;
  std::string fComment;
  bool fUTF8Support = true;
  TZipAddDuplicates fAddDuplicates = TZipAddDuplicates::adReplaceOld;
  bool fModified = false;
  std::unique_ptr<TZipHeader> fPendingHeader;
  std::unique_ptr<TZipEntryStream> fExternalStream;
  TZipClock fClock;
  std::uint64_t fEntrySizeLimit = kMaxEntrySize;
};

}  // namespace xlsx
