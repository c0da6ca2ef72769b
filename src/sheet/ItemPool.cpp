#include "sheet/ItemPool.h"

#include <mutex>
#include <new>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define SHEET_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define SHEET_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define SHEET_POISON(p, n) ((void)(p), (void)(n))
#define SHEET_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace sheet {

namespace {

constexpr std::size_t kStep = 8;
constexpr std::size_t kLargestPooled = 256;
constexpr std::size_t kSlabBytes = 64 * 1024;

struct TFreeBlock {
  TFreeBlock* fNext;
};

struct TSizeClass {
  TFreeBlock* fFree = nullptr;
  char* fNext = nullptr;
  std::size_t fLeft = 0;
};

struct TPools {
  std::mutex fMutex;
  TSizeClass fClasses[kLargestPooled / kStep + 1];
  std::vector<char*> fSlabs;  // kept reachable: slabs live as long as the process
};

// Never destroyed: objects freed during static destruction still return here.
TPools& Pools() {
  static TPools* const pools = new TPools;
  return *pools;
}

std::size_t Rounded(std::size_t aSize) { return (aSize + kStep - 1) / kStep * kStep; }

}  // namespace

void* TItemPool::Allocate(std::size_t aSize) {
  if (aSize == 0 || aSize > kLargestPooled) return ::operator new(aSize);
  const std::size_t size = Rounded(aSize);
  TPools& pools = Pools();
  std::lock_guard lock(pools.fMutex);
  TSizeClass& sizeClass = pools.fClasses[size / kStep];
  if (TFreeBlock* block = sizeClass.fFree) {
    SHEET_UNPOISON(block, size);
    sizeClass.fFree = block->fNext;
    return block;
  }
  if (sizeClass.fLeft < size) {
    pools.fSlabs.reserve(pools.fSlabs.size() + 1);
    char* slab = static_cast<char*>(::operator new(kSlabBytes));
    pools.fSlabs.push_back(slab);
    sizeClass.fNext = slab;
    sizeClass.fLeft = kSlabBytes;
  }
  void* block = sizeClass.fNext;
  sizeClass.fNext += size;
  sizeClass.fLeft -= size;
  return block;
}

void TItemPool::Free(void* aBlock, std::size_t aSize) noexcept {
  if (!aBlock) return;
  if (aSize == 0 || aSize > kLargestPooled) {
    ::operator delete(aBlock);
    return;
  }
  const std::size_t size = Rounded(aSize);
  TPools& pools = Pools();
  std::lock_guard lock(pools.fMutex);
  TSizeClass& sizeClass = pools.fClasses[size / kStep];
  auto* block = static_cast<TFreeBlock*>(aBlock);
  block->fNext = sizeClass.fFree;
  sizeClass.fFree = block;
  SHEET_POISON(block, size);
}

}  // namespace sheet
