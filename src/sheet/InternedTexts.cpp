#include "sheet/InternedTexts.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <unordered_map>

namespace sheet {

namespace {

// Fixed-size chunks that never move: Get reads without locking.
constexpr std::uint32_t kChunkBits = 10;
constexpr std::uint32_t kChunkSize = 1u << kChunkBits;
constexpr std::uint32_t kMaxChunks = 4096;

struct THash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

struct TPool {
  std::mutex fMutex;
  std::unordered_map<std::string, std::uint32_t, THash, std::equal_to<>> fIds;
  std::atomic<std::string*> fChunks[kMaxChunks] = {};
  std::uint32_t fCount = 0;

  TPool() { Add({}); }

  std::uint32_t Add(std::string_view aText) {
    const std::uint32_t id = fCount;
    const std::uint32_t chunkIndex = id >> kChunkBits;
    if (chunkIndex >= kMaxChunks) throw std::length_error("Too many distinct number formats");
    std::string* chunk = fChunks[chunkIndex].load(std::memory_order_relaxed);
    if (!chunk) {
      chunk = new std::string[kChunkSize];
      fChunks[chunkIndex].store(chunk, std::memory_order_release);
    }
    chunk[id & (kChunkSize - 1)] = std::string(aText);
    fIds.emplace(std::string(aText), id);
    ++fCount;
    return id;
  }
};

// Never destroyed: cells freed during static destruction may still read their formats.
TPool& Pool() {
  static TPool* const pool = new TPool;
  return *pool;
}

}  // namespace

std::uint32_t TInternedTexts::Intern(std::string_view aText) {
  if (aText.empty()) return 0;
  TPool& pool = Pool();
  std::lock_guard lock(pool.fMutex);
  if (const auto it = pool.fIds.find(aText); it != pool.fIds.end()) return it->second;
  return pool.Add(aText);
}

const std::string& TInternedTexts::Get(std::uint32_t aId) {
  const std::string* chunk = Pool().fChunks[aId >> kChunkBits].load(std::memory_order_acquire);
  return chunk[aId & (kChunkSize - 1)];
}

}  // namespace sheet
