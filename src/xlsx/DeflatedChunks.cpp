#include "xlsx/DeflatedChunks.h"
#include "xlsx/DeflateStats.h"

#include <zlib.h>

#include <chrono>

namespace xlsx {

namespace {
// At most this many chunks wait for the worker, which bounds the memory
// held by uncompressed chunks when compression is slower than generation.
constexpr std::size_t kMaxPending = 2;
constexpr std::size_t kChunkReserve = 1 << 20;
}  // namespace

TDeflatedChunks::TDeflatedChunks(bool threaded, int level) : fThreaded(threaded), fLevel(level) {
  fBuffer.reserve(kChunkReserve);
}

TDeflatedChunks::~TDeflatedChunks() {
  for (auto& f : fPending)
    if (f.valid()) f.wait();
}

TDeflatedChunks::TPiece TDeflatedChunks::Compress(const std::string& data, int level) {
  TDeflateTimer timer;
  TPiece piece;
  piece.fSize = data.size();
  piece.fCRC32 = static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
  z_stream z{};
  int rc = deflateInit2(&z, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
  if (rc != Z_OK) throw EZCompressionError(rc, "zlib deflateInit2 failed");
  // Each thread keeps its output buffer, so its pages are touched once, not per chunk.
  thread_local std::string out;
  const std::size_t bound = deflateBound(&z, static_cast<uLong>(data.size())) + 16;
  if (out.size() < bound) out.resize(bound);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  std::size_t produced = 0;
  for (;;) {
    z.next_out = reinterpret_cast<Bytef*>(out.data() + produced);
    z.avail_out = static_cast<uInt>(out.size() - produced);
    rc = deflate(&z, Z_SYNC_FLUSH);
    produced = out.size() - z.avail_out;
    if (rc < 0 && rc != Z_BUF_ERROR) {
      deflateEnd(&z);
      throw EZCompressionError(rc, "zlib deflate failed");
    }
    if (z.avail_in == 0 && z.avail_out != 0) break;
    out.resize(out.size() * 2);
  }
  deflateEnd(&z);
  piece.fData.assign(out.data(), produced);
  return piece;
}

void TDeflatedChunks::CollectOne() {
  fPieces.push_back(fPending.front().get());
  fPending.pop_front();
}

void TDeflatedChunks::CloseChunk() {
  if (fBuffer.empty()) return;
  fUncompressed += fBuffer.size();
  std::string data = TakeSpareBuffer();
  data.swap(fBuffer);
  if (!fThreaded) {
    fPieces.push_back(Compress(data, fLevel));
    ReturnSpareBuffer(std::move(data));
    return;
  }
  while (!fPending.empty() && fPending.front().wait_for(std::chrono::seconds(0)) == std::future_status::ready)
    CollectOne();
  if (fPending.size() >= kMaxPending) {
    // The worker is behind: this thread compresses the chunk meanwhile
    // instead of waiting, which keeps both cores busy.
    std::promise<TPiece> done;
    done.set_value(Compress(data, fLevel));
    fPending.push_back(done.get_future());
    ReturnSpareBuffer(std::move(data));
    return;
  }
  const int level = fLevel;
  fPending.push_back(std::async(std::launch::async, [this, level, chunk = std::move(data)]() mutable {
    TPiece piece = Compress(chunk, level);
    ReturnSpareBuffer(std::move(chunk));
    return piece;
  }));
}

std::string TDeflatedChunks::TakeSpareBuffer() {
  std::lock_guard<std::mutex> lock(fSpareLock);
  std::string buffer;
  if (!fSpare.empty()) {
    buffer.swap(fSpare.back());
    fSpare.pop_back();
  } else {
    buffer.reserve(kChunkReserve);
  }
  return buffer;
}

void TDeflatedChunks::ReturnSpareBuffer(std::string buffer) {
  buffer.clear();
  std::lock_guard<std::mutex> lock(fSpareLock);
  fSpare.push_back(std::move(buffer));
}

void TDeflatedChunks::Finish() {
  CloseChunk();
  while (!fPending.empty()) CollectOne();
  std::string().swap(fBuffer);
  std::lock_guard<std::mutex> lock(fSpareLock);
  fSpare.clear();
}

void TDeflatedChunks::WriteTo(TZipEntryStream& entry, const std::function<void(int, int)>& progress) const {
  constexpr std::uint64_t kMiB = 1 << 20;
  std::uint64_t done = 0;
  for (const TPiece& piece : fPieces) {
    entry.AppendDeflatedPiece(piece.fData, piece.fCRC32, piece.fSize);
    done += piece.fSize;
    if (progress) progress(static_cast<int>(done / kMiB), static_cast<int>(fUncompressed / kMiB));
  }
}

std::uint64_t TDeflatedChunks::CompressedSize() const {
  std::uint64_t total = 0;
  for (const TPiece& piece : fPieces) total += piece.fData.size();
  return total;
}

}  // namespace xlsx
