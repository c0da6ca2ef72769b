#include "xlsx/DeflateStats.h"

#include <atomic>
#include <ctime>

namespace xlsx {

namespace {

std::atomic<std::uint64_t> gDeflateNanoseconds{0};

std::uint64_t ThreadCpuNow() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<std::uint64_t>(t.tv_sec) * 1000000000u + static_cast<std::uint64_t>(t.tv_nsec);
}

}  // namespace

std::uint64_t DeflateCpuNanoseconds() { return gDeflateNanoseconds.load(std::memory_order_relaxed); }

TDeflateTimer::TDeflateTimer() : fStart(ThreadCpuNow()) {}

TDeflateTimer::~TDeflateTimer() { gDeflateNanoseconds.fetch_add(ThreadCpuNow() - fStart, std::memory_order_relaxed); }

}  // namespace xlsx
