#pragma once

#include <cstdint>

namespace xlsx {

// CPU time that all threads of the process have spent in zlib's deflate so
// far, for benchmarks that report how much of a save is compression.
std::uint64_t DeflateCpuNanoseconds();

// Adds the calling thread's CPU time between construction and destruction.
class TDeflateTimer {
 public:
  TDeflateTimer();
  ~TDeflateTimer();
  TDeflateTimer(const TDeflateTimer&) = delete;
  TDeflateTimer& operator=(const TDeflateTimer&) = delete;

 private:
  std::uint64_t fStart;
};

}  // namespace xlsx
