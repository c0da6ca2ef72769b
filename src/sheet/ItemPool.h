#pragma once

#include <cstddef>

namespace sheet {

// Storage for the many small objects of a document (cells, rows): exact sizes
// in 8-byte steps carved from 64 KiB slabs, without the heap's per-block header
// and rounding. Freed blocks are kept for reuse by objects of the same size, so
// memory is not given back to the system. Thread-safe.
class TItemPool {
 public:
  static void* Allocate(std::size_t aSize);
  // aSize must be the size passed to Allocate.
  static void Free(void* aBlock, std::size_t aSize) noexcept;
};

}  // namespace sheet
