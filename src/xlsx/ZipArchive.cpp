#include "xlsx/ZipArchive.h"
#include "xlsx/DeflateStats.h"

#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "text/LocalTime.h"
#include "text/PathText.h"

namespace xlsx {

namespace {

constexpr std::uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr std::uint32_t kCentralHeaderSignature = 0x02014b50;
constexpr std::uint32_t kEndOfCentralSignature = 0x06054b50;
constexpr std::uint32_t kZip64EndOfCentralSignature = 0x06064b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr std::uint16_t kZip64ExtraId = 0x0001;
constexpr std::size_t kMaxFieldLength = 65535;
constexpr std::size_t kDeflateBufferSize = 65536;

bool NeedsZip64(const TZipHeader& h) {
  return h.fUncompressedSize >= 0xFFFFFFFFull || h.fCompressedSize >= 0xFFFFFFFFull ||
         h.fLocalHeaderOffset >= 0xFFFFFFFFull || h.fDiskNumberStart >= 0xFFFF;
}

std::uint32_t Low32(std::uint64_t v) { return v >= 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<std::uint32_t>(v); }

void PutLE(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Raises both version fields as the entry requires and keeps the Zip64
// extended-information block of the extra field in step with the sizes.
void PrepareHeader(TZipHeader& h) {
  const std::uint16_t needed = NeedsZip64(h) ? 45 : 10;
  h.fMadeByVersion = std::max(h.fMadeByVersion, needed);
  h.fRequiredVersion = std::max(h.fRequiredVersion, needed);
  // Drop an earlier Zip64 block, keep every other block.
  std::string rest;
  std::size_t pos = 0;
  const std::string& extra = h.fExtraField;
  while (pos + 4 <= extra.size()) {
    const std::uint16_t id = static_cast<unsigned char>(extra[pos]) | (static_cast<unsigned char>(extra[pos + 1]) << 8);
    const std::size_t len = static_cast<unsigned char>(extra[pos + 2]) | (static_cast<unsigned char>(extra[pos + 3]) << 8);
    const std::size_t end = std::min(extra.size(), pos + 4 + len);
    if (id != kZip64ExtraId) rest.append(extra, pos, end - pos);
    pos = end;
  }
  if (pos < extra.size()) rest.append(extra, pos, std::string::npos);
  if (NeedsZip64(h)) {
    std::string data;
    if (h.fUncompressedSize >= 0xFFFFFFFFull) PutLE(data, h.fUncompressedSize, 8);
    if (h.fCompressedSize >= 0xFFFFFFFFull) PutLE(data, h.fCompressedSize, 8);
    if (h.fLocalHeaderOffset >= 0xFFFFFFFFull) PutLE(data, h.fLocalHeaderOffset, 8);
    if (h.fDiskNumberStart >= 0xFFFF) PutLE(data, h.fDiskNumberStart, 4);
    std::string block;
    PutLE(block, kZip64ExtraId, 2);
    PutLE(block, data.size(), 2);
    rest = block + data + rest;
  }
  if (rest.size() > kMaxFieldLength) rest.resize(kMaxFieldLength);
  h.fExtraField = std::move(rest);
}

}  // namespace

std::uint32_t DateTimeToDos(const std::tm& t) {
  const int year = t.tm_year + 1900;
  if (year < 1980 || year > 2107) return 0;
  const std::uint32_t time = static_cast<std::uint32_t>(t.tm_sec / 2 + t.tm_min * 32 + t.tm_hour * 2048);
  const std::uint32_t date = static_cast<std::uint32_t>(t.tm_mday + (t.tm_mon + 1) * 32 + (year - 1980) * 512);
  return (date << 16) | (time & 0xFFFF);
}

// ---------------------------------------------------------------------------
// Compressors: write an entry's data into the archive stream at their own
// position (moving the stream back there if someone else moved it).

class TZipCompressor {
 public:
  TZipCompressor(TSeekableStream& stream, std::uint64_t position) : fStream(stream), fPosition(position) {}
  virtual ~TZipCompressor() = default;
  virtual void Write(const void* data, std::size_t count) = 0;
  virtual void Finish() = 0;
  virtual void AppendDeflatedPiece(std::string_view) {
    throw EZipException("Only deflated entries can take deflated pieces");
  }
  std::uint64_t OutputSize() const { return fOutput; }
  std::uint64_t EndPosition() const { return fPosition; }

 protected:
  void Emit(const void* data, std::size_t count) {
    if (count == 0) return;
    if (fLimit && fOutput + count > fLimit) throw EZipException(fTooLargeMessage);
    if (fStream.Position() != fPosition) fStream.Seek(fPosition);
    fStream.Write(data, count);
    fPosition += count;
    fOutput += count;
  }

 public:
  std::uint64_t fLimit = 0;
  std::string fTooLargeMessage;

 private:
  TSeekableStream& fStream;
  std::uint64_t fPosition;
  std::uint64_t fOutput = 0;
};

namespace {

class TStoredCompressor : public TZipCompressor {
 public:
  using TZipCompressor::TZipCompressor;
  void Write(const void* data, std::size_t count) override { Emit(data, count); }
  void Finish() override {}
};

class TDeflateCompressor : public TZipCompressor {
 public:
  TDeflateCompressor(TSeekableStream& stream, std::uint64_t position)
      : TZipCompressor(stream, position), fBuffer(kDeflateBufferSize) {
    const int rc = deflateInit2(&fZ, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    if (rc != Z_OK) throw EZCompressionError(rc, "zlib deflateInit2 failed");
    fOpen = true;
  }
  ~TDeflateCompressor() override {
    if (fOpen) deflateEnd(&fZ);
  }
  void Write(const void* data, std::size_t count) override {
    if (count == 0) return;
    Run(data, count, Z_NO_FLUSH);
    fHasOwnData = true;
  }
  void AppendDeflatedPiece(std::string_view piece) override {
    // Bring the compressor to a byte boundary with a reset dictionary, so
    // neither side refers back into the other's data.
    if (fHasOwnData) {
      Run(nullptr, 0, Z_FULL_FLUSH);
      fHasOwnData = false;
    }
    Flush();
    Emit(piece.data(), piece.size());
  }
  void Finish() override {
    if (!fOpen) return;
    Run(nullptr, 0, Z_FINISH);
    deflateEnd(&fZ);
    fOpen = false;
  }

 private:
  void Flush() {
    const std::size_t have = fZ.next_out ? fBuffer.size() - fZ.avail_out : 0;
    if (have) Emit(fBuffer.data(), have);
    fZ.next_out = fBuffer.data();
    fZ.avail_out = static_cast<uInt>(fBuffer.size());
  }
  void Run(const void* data, std::size_t count, int flush) {
    if (fZ.next_out == nullptr) {
      fZ.next_out = fBuffer.data();
      fZ.avail_out = static_cast<uInt>(fBuffer.size());
    }
    const auto* in = static_cast<const Bytef*>(data);
    std::size_t left = count;
    for (;;) {
      const std::size_t step = std::min<std::size_t>(left, 1u << 30);
      const bool last = step == left;
      const int mode = last ? flush : Z_NO_FLUSH;
      fZ.next_in = const_cast<Bytef*>(in);
      fZ.avail_in = static_cast<uInt>(step);
      for (;;) {
        if (fZ.avail_out == 0) Flush();
        int rc;
        {
          TDeflateTimer timer;
          rc = deflate(&fZ, mode);
        }
        if (rc < 0 && rc != Z_BUF_ERROR) throw EZCompressionError(rc, "zlib deflate failed");
        if (mode == Z_FINISH) {
          if (rc == Z_STREAM_END) break;
          continue;
        }
        if (fZ.avail_in == 0 && fZ.avail_out != 0) break;
      }
      in += step;
      left -= step;
      if (last) break;
    }
    if (flush != Z_NO_FLUSH) Flush();
  }

  z_stream fZ{};
  std::vector<Bytef> fBuffer;
  bool fOpen = false;
  bool fHasOwnData = false;
};

}  // namespace

// ---------------------------------------------------------------------------

TZipEntryStream::TZipEntryStream(TZipArchive& archive, std::unique_ptr<TZipCompressor> compressor)
    : fArchive(archive), fCompressor(std::move(compressor)) {}

TZipEntryStream::~TZipEntryStream() = default;

void TZipEntryStream::CheckLimit(std::uint64_t more) const {
  if (fUncompressedSize + more > fArchive.fEntrySizeLimit)
    throw EZipException(fCompressor->fTooLargeMessage);
}

void TZipEntryStream::Write(const void* data, std::size_t count) {
  if (count == 0) return;
  CheckLimit(count);
  fCompressor->Write(data, count);
  std::size_t done = 0;
  while (done < count) {
    const std::size_t step = std::min<std::size_t>(count - done, 1u << 30);
    fCRC32 = static_cast<std::uint32_t>(crc32(fCRC32, static_cast<const Bytef*>(data) + done, static_cast<uInt>(step)));
    done += step;
  }
  fUncompressedSize += count;
}

void TZipEntryStream::AppendDeflatedPiece(std::string_view compressed, std::uint32_t crc, std::uint64_t uncompressedSize) {
  CheckLimit(uncompressedSize);
  fCompressor->AppendDeflatedPiece(compressed);
  fCRC32 = static_cast<std::uint32_t>(crc32_combine(fCRC32, crc, static_cast<z_off_t>(uncompressedSize)));
  fUncompressedSize += uncompressedSize;
}

// ---------------------------------------------------------------------------

TZipArchive::TZipArchive() : fClock(text::LocalNow) {}

TZipArchive::~TZipArchive() {
  try {
    Close();
  } catch (...) {
    // A destructor must not throw; Close has already released everything.
  }
}

void TZipArchive::OpenStream(TSeekableStream& stream, TZipMode mode) {
  Close();
  switch (mode) {
    case TZipMode::zmWrite: break;
    case TZipMode::zmRead:
    case TZipMode::zmReadWrite: throw EZipException("Reading archives is not supported");
    default: throw EZipException("Invalid argument");
  }
  fStream = &stream;
  fStartFileData = stream.Position();
  fEndFileData = 0;
  fStatus = TZipStatus::zsWrite;
  fModified = false;
}

void TZipArchive::OpenFile(const std::string& fileName, TZipMode mode) {
  Close();
  if (mode == TZipMode::zmRead || mode == TZipMode::zmReadWrite) throw EZipException("Reading archives is not supported");
  if (mode != TZipMode::zmWrite) throw EZipException("Invalid argument");
  auto file = std::make_unique<TFileStream>(fileName, TFileStream::TMode::fmCreate);
  OpenStream(*file, mode);
  fFileStream = std::move(file);
}

void TZipArchive::Close() {
  struct TRelease {
    TZipArchive& a;
    ~TRelease() {
      a.fExternalStream.reset();
      a.fPendingHeader.reset();
      a.fStatus = TZipStatus::zsClosed;
      a.fFiles.clear();
      a.fFilesIndex.clear();
      a.fStream = nullptr;
      a.fFileStream.reset();
    }
  } release{*this};
  if ((fStatus == TZipStatus::zsWrite || fStatus == TZipStatus::zsReadWrite) && fStream) {
    if (fExternalStream) AddFromExternalStreamFinish();
    if (fModified) WriteCentralDirectory();
    if (fFileStream) fFileStream->Flush();
  }
}

TZipArchive& TZipArchive::SetComment(std::string comment) {
  fComment = std::move(comment);
  if (fStatus != TZipStatus::zsClosed) fModified = true;
  return *this;
}

std::string TZipArchive::NameKey(std::string_view name) {
  std::string key(name);
  for (char& c : key)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return key;
}

int TZipArchive::IndexOf(std::string_view archiveFileName) const {
  std::string name(archiveFileName);
  std::replace(name.begin(), name.end(), '\\', '/');
  const auto it = fFilesIndex.find(NameKey(name));
  return it == fFilesIndex.end() ? -1 : static_cast<int>(it->second);
}

void TZipArchive::WriteBytes(const void* data, std::size_t count) { fStream->Write(data, count); }

template <typename T>
void TZipArchive::WriteLE(T value) {
  unsigned char bytes[sizeof(T)];
  for (std::size_t i = 0; i < sizeof(T); ++i) bytes[i] = static_cast<unsigned char>((static_cast<std::uint64_t>(value) >> (8 * i)) & 0xFF);
  WriteBytes(bytes, sizeof(T));
}

// The fields the local and the central header share, from the version needed
// to the extra field's length.
void TZipArchive::WriteSharedHeaderFields(const TZipHeader& h) {
  WriteLE<std::uint16_t>(h.fRequiredVersion);
  WriteLE<std::uint16_t>(h.fFlag);
  WriteLE<std::uint16_t>(h.fCompressionMethod);
  WriteLE<std::uint32_t>(h.fModifiedDateTime);
  WriteLE<std::uint32_t>(h.fCRC32);
  WriteLE<std::uint32_t>(Low32(h.fCompressedSize));
  WriteLE<std::uint32_t>(Low32(h.fUncompressedSize));
  WriteLE<std::uint16_t>(static_cast<std::uint16_t>(h.fFileName.size()));
  WriteLE<std::uint16_t>(static_cast<std::uint16_t>(h.fExtraField.size()));
}

void TZipArchive::WriteLocalHeader(TZipHeader& h) {
  PrepareHeader(h);
  WriteLE<std::uint32_t>(kLocalHeaderSignature);
  WriteSharedHeaderFields(h);
  WriteBytes(h.fFileName.data(), h.fFileName.size());
  WriteBytes(h.fExtraField.data(), h.fExtraField.size());
}

bool TZipArchive::StartEntry(std::string_view archiveFileName, TZipCompression compression, std::uint32_t dosTime) {
  if (archiveFileName.empty()) throw EZipException("File name must not be empty");
  std::string name(archiveFileName);
  std::replace(name.begin(), name.end(), '\\', '/');
  if (fStatus != TZipStatus::zsWrite && fStatus != TZipStatus::zsReadWrite)
    throw EZipException("File must be open for writing");
  if (fExternalStream) throw EZipException("Wrong state: the archive ist blocked for writing.");
  if (compression != TZipCompression::zcStored && compression != TZipCompression::zcDeflate)
    throw EZipException("Support for compression method not registered: " + std::to_string(static_cast<int>(compression)));

  auto header = std::make_unique<TZipHeader>();
  header->fCompressionMethod = compression == TZipCompression::zcStored ? 0 : 8;
  header->fModifiedDateTime = dosTime;
  const bool nonAscii = std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  if (nonAscii) header->fFlag |= 0x0800;
  if (name.size() > kMaxFieldLength) name.resize(kMaxFieldLength);
  header->fFileName = name;

  if (fAddDuplicates != TZipAddDuplicates::adAdd) {
    const int existing = IndexOf(name);
    if (existing >= 0) {
      switch (fAddDuplicates) {
        case TZipAddDuplicates::adReplaceOld: DeleteEntry(static_cast<std::size_t>(existing)); break;
        case TZipAddDuplicates::adDontAdd: return false;
        case TZipAddDuplicates::adException:
          throw EZipException("The file " + name + " already exists in the archive.");
        case TZipAddDuplicates::adAdd: break;
      }
    }
  }

  fStream->Seek(fEndFileData);
  header->fLocalHeaderOffset = fEndFileData;
  WriteLocalHeader(*header);
  std::unique_ptr<TZipCompressor> compressor;
  if (compression == TZipCompression::zcStored)
    compressor = std::make_unique<TStoredCompressor>(*fStream, fStream->Position());
  else
    compressor = std::make_unique<TDeflateCompressor>(*fStream, fStream->Position());
  compressor->fLimit = fEntrySizeLimit;
  compressor->fTooLargeMessage = "The entry " + name + " is too large: entries of 4 GiB or more are not supported";
  fExternalStream.reset(new TZipEntryStream(*this, std::move(compressor)));
  fPendingHeader = std::move(header);
  return true;
}

void TZipArchive::AddFromExternalStreamFinish() {
  if (!fExternalStream) throw EZipException("Wrong state: you are not writing a file.");
  std::unique_ptr<TZipEntryStream> entry = std::move(fExternalStream);
  std::unique_ptr<TZipHeader> header = std::move(fPendingHeader);
  std::exception_ptr failure;
  try {
    entry->fCompressor->Finish();
  } catch (...) {
    failure = std::current_exception();
  }
  header->fCompressedSize = entry->fCompressor->OutputSize();
  header->fUncompressedSize = entry->fUncompressedSize;
  header->fCRC32 = entry->fCRC32;
  fEndFileData = std::max(entry->fCompressor->EndPosition(), fEndFileData);
  const std::size_t firstLength = header->fExtraField.size();
  PrepareHeader(*header);
  if (header->fExtraField.size() != firstLength)  // cannot happen below the size limit
    throw EZipException("The entry " + header->fFileName + " outgrew its local header");
  fStream->Seek(header->fLocalHeaderOffset);
  WriteLocalHeader(*header);
  fStream->Seek(fEndFileData);
  fFilesIndex[NameKey(header->fFileName)] = fFiles.size();
  fFiles.push_back(std::move(header));
  fModified = true;
  if (failure) std::rethrow_exception(failure);
}

TZipEntryStream* TZipArchive::AddFromExternalStreamPrepare(std::string_view archiveFileName, TZipCompression compression) {
  if (!StartEntry(archiveFileName, compression, DateTimeToDos(fClock()))) return nullptr;
  return fExternalStream.get();
}

void TZipArchive::AddFromWriter(std::string_view archiveFileName, const std::function<void(TZipEntryStream&)>& write,
                                TZipCompression compression) {
  TZipEntryStream* entry = AddFromExternalStreamPrepare(archiveFileName, compression);
  if (!entry) return;
  try {
    write(*entry);
  } catch (...) {
    try { AddFromExternalStreamFinish(); } catch (...) {}
    throw;
  }
  AddFromExternalStreamFinish();
}

void TZipArchive::AddFromStream(std::string_view archiveFileName, TReadStream& source, TZipCompression compression) {
  AddFromWriter(archiveFileName, [&](TZipEntryStream& entry) {
    std::vector<char> buffer(kCopyBlockSize);
    for (;;) {
      const std::size_t n = source.Read(buffer.data(), buffer.size());
      if (n == 0) break;
      entry.Write(buffer.data(), n);
    }
  }, compression);
}

void TZipArchive::AddFromBuffer(std::string_view archiveFileName, std::string_view data, TZipCompression compression) {
  AddFromWriter(archiveFileName, [&](TZipEntryStream& entry) { entry.Write(data); }, compression);
}

void TZipArchive::AddFromFile(const std::string& fileName, std::string_view archiveFileName, TZipCompression compression) {
  TFileStream source(fileName, TFileStream::TMode::fmRead);
  const std::filesystem::path path = text::PathFromUtf8(fileName);
  const std::string ownName = text::Utf8FromPath(path.filename());
  const std::string_view name = archiveFileName.empty() ? std::string_view(ownName) : archiveFileName;
  const std::optional<std::tm> stamp = text::FileLastWriteLocalTime(path);
  const std::uint32_t dos = DateTimeToDos(stamp ? *stamp : fClock());
  if (!StartEntry(name, compression, dos)) return;
  TZipEntryStream* entry = fExternalStream.get();
  try {
    std::vector<char> buffer(kCopyBlockSize);
    for (std::size_t n; (n = source.Read(buffer.data(), buffer.size())) > 0;) entry->Write(buffer.data(), n);
  } catch (...) {
    try { AddFromExternalStreamFinish(); } catch (...) {}
    throw;
  }
  AddFromExternalStreamFinish();
}

void TZipArchive::DeleteEntry(std::size_t index) {
  // Entries lie in the stream in list order; move the later ones down over the gap.
  const std::uint64_t start = fFiles[index]->fLocalHeaderOffset;
  const std::uint64_t end = index + 1 < fFiles.size() ? fFiles[index + 1]->fLocalHeaderOffset : fEndFileData;
  const std::uint64_t gap = end - start;
  std::vector<char> buffer(kCopyBlockSize);
  for (std::uint64_t from = end; from < fEndFileData;) {
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), fEndFileData - from));
    fStream->Seek(from);
    std::size_t got = 0;
    while (got < n) {
      const std::size_t r = fStream->Read(buffer.data() + got, n - got);
      if (r == 0) throw EZipException("Error reading zip file");
      got += r;
    }
    fStream->Seek(from - gap);
    fStream->Write(buffer.data(), n);
    from += n;
  }
  fFiles.erase(fFiles.begin() + static_cast<std::ptrdiff_t>(index));
  fFilesIndex.clear();
  for (std::size_t i = 0; i < fFiles.size(); ++i) {
    if (i >= index) fFiles[i]->fLocalHeaderOffset -= gap;
    fFilesIndex[NameKey(fFiles[i]->fFileName)] = i;
  }
  fEndFileData -= gap;
  fStream->Seek(fEndFileData);
  fStream->Truncate();
  fModified = true;
}

void TZipArchive::WriteCentralDirectory() {
  fStream->Seek(fEndFileData);
  fStream->Truncate();
  for (const auto& hp : fFiles) {
    TZipHeader& h = *hp;
    PrepareHeader(h);
    std::string comment = h.fFileComment.substr(0, kMaxFieldLength);
    WriteLE<std::uint32_t>(kCentralHeaderSignature);
    WriteLE<std::uint16_t>(h.fMadeByVersion);
    WriteSharedHeaderFields(h);
    WriteLE<std::uint16_t>(static_cast<std::uint16_t>(comment.size()));
    WriteLE<std::uint16_t>(h.fDiskNumberStart >= 0xFFFF ? 0xFFFF : static_cast<std::uint16_t>(h.fDiskNumberStart));
    WriteLE<std::uint16_t>(h.fInternalAttributes);
    WriteLE<std::uint32_t>(h.fExternalAttributes);
    WriteLE<std::uint32_t>(Low32(h.fLocalHeaderOffset));
    WriteBytes(h.fFileName.data(), h.fFileName.size());
    WriteBytes(h.fExtraField.data(), h.fExtraField.size());
    WriteBytes(comment.data(), comment.size());
  }
  const std::uint64_t entries = fFiles.size();
  const std::uint64_t dirOffset = fEndFileData;
  const std::uint64_t dirSize = fStream->Position() - fEndFileData;
  if (entries >= 0xFFFF || dirOffset >= 0xFFFFFFFFull || dirSize >= 0xFFFFFFFFull) {
    const std::uint64_t zip64Offset = fStream->Position();
    WriteLE<std::uint32_t>(kZip64EndOfCentralSignature);
    WriteLE<std::uint64_t>(44);
    WriteLE<std::uint16_t>(45);
    WriteLE<std::uint16_t>(45);
    WriteLE<std::uint32_t>(0);
    WriteLE<std::uint32_t>(0);
    WriteLE<std::uint64_t>(entries);
    WriteLE<std::uint64_t>(entries);
    WriteLE<std::uint64_t>(dirSize);
    WriteLE<std::uint64_t>(dirOffset);
    WriteLE<std::uint32_t>(kZip64LocatorSignature);
    WriteLE<std::uint32_t>(0);
    WriteLE<std::uint64_t>(zip64Offset);
    WriteLE<std::uint32_t>(1);
  }
  const std::string comment = fComment.substr(0, kMaxFieldLength);
  const std::uint16_t count16 = entries >= 0xFFFF ? 0xFFFF : static_cast<std::uint16_t>(entries);
  WriteLE<std::uint32_t>(kEndOfCentralSignature);
  WriteLE<std::uint16_t>(0);
  WriteLE<std::uint16_t>(0);
  WriteLE<std::uint16_t>(count16);
  WriteLE<std::uint16_t>(count16);
  WriteLE<std::uint32_t>(Low32(dirSize));
  WriteLE<std::uint32_t>(Low32(dirOffset));
  WriteLE<std::uint16_t>(static_cast<std::uint16_t>(comment.size()));
  WriteBytes(comment.data(), comment.size());
  fModified = false;
}

}  // namespace xlsx
