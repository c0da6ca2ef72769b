#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <vector>

#include "xlsx/ZipArchive.h"

namespace xlsx {

// Sheet data that must wait for its frame: the XML is produced chunk by
// chunk, each chunk raw-deflated on its own (on a worker thread, so XML
// generation and compression overlap) and kept only in compressed form. The
// pieces are later spliced into the archive entry as they are, so the data
// are compressed exactly once and the whole XML never sits in memory.
class TDeflatedChunks {
 public:
  struct TPiece {
    std::string fData;  // raw deflate, ends with a sync flush
    std::uint32_t fCRC32 = 0;
    std::uint64_t fSize = 0;  // uncompressed
  };

  explicit TDeflatedChunks(bool threaded = true, int level = -1);
  ~TDeflatedChunks();
  TDeflatedChunks(const TDeflatedChunks&) = delete;
  TDeflatedChunks& operator=(const TDeflatedChunks&) = delete;

  // The current chunk's uncompressed XML; append to it.
  std::string& Buffer() { return fBuffer; }
  // Hands the current chunk to the compressor and starts a new one.
  void CloseChunk();
  // Closes the last chunk and waits for all compression to end.
  void Finish();
  // Splices all pieces, in order, into a deflated entry; `progress` gets
  // (position, size) of the uncompressed data in MiB after each piece.
  void WriteTo(TZipEntryStream& entry, const std::function<void(int, int)>& progress = {}) const;

  std::size_t ChunkCount() const { return fPieces.size() + fPending.size(); }
  std::uint64_t UncompressedSize() const { return fUncompressed; }
  std::uint64_t CompressedSize() const;

  static TPiece Compress(const std::string& data, int level);

 private:
  void CollectOne();
  // Chunk buffers go back and forth between the writer and the compressor
  // instead of being allocated afresh for every chunk.
  std::string TakeSpareBuffer();
  void ReturnSpareBuffer(std::string buffer);

  bool fThreaded;
  int fLevel;
  std::string fBuffer;
  std::vector<TPiece> fPieces;
  std::deque<std::future<TPiece>> fPending;
  std::uint64_t fUncompressed = 0;
  std::mutex fSpareLock;
  std::vector<std::string> fSpare;
};

}  // namespace xlsx
