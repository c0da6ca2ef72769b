// Document model benchmark: a worksheet of 1,000,000 number cells (10,000
// rows x 100 columns, one format) is built; reported are the build time and
// the heap the model holds per cell.
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "BenchRegistry.h"
#include "sheet/Workbook.h"

namespace {

using TClock = std::chrono::steady_clock;

// Heap in use, including the blocks malloc serves by mmap (large pools).
std::size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

int RunModelBench(const std::vector<std::string>& args) {
  int rows = 10000, cols = 100, repeat = 3;
  for (std::size_t i = 0; i + 1 < args.size(); i += 2) {
    if (args[i] == "--rows") rows = std::stoi(args[i + 1]);
    if (args[i] == "--cols") cols = std::stoi(args[i + 1]);
    if (args[i] == "--repeat") repeat = std::stoi(args[i + 1]);
  }
  double best = 0;
  double bytesPerCell = 0;
  for (int run = 0; run < repeat; ++run) {
    const std::size_t heapBefore = HeapInUse();
    const auto start = TClock::now();
    auto workbook = std::make_unique<sheet::TExportWorkbook>();
    sheet::TExportWorkSheet& ws = workbook->AddWorkSheet("Data");
    for (int r = 0; r < rows; ++r) {
      sheet::TExportRow& row = ws.AddRow();
      for (int c = 0; c < cols; ++c) row.AddCellNumber(r * 0.5 + c, 2);
    }
    const double seconds = std::chrono::duration<double>(TClock::now() - start).count();
    const double cells = static_cast<double>(rows) * cols;
    // The first run only: later runs may reuse storage the model's pools kept.
    if (run == 0) bytesPerCell = static_cast<double>(HeapInUse() - heapBefore) / cells;
    if (run == 0 || seconds < best) best = seconds;
  }
  std::printf("model: %d rows x %d columns of number cells, best of %d runs\n", rows, cols, repeat);
  std::printf("bytes_per_cell: %.1f\n", bytesPerCell);
  std::printf("build_seconds: %.4f\n", best);
  return 0;
}

bench::TBenchRegistrar registrar("model",
                                 "Build a worksheet of 1,000,000 number cells; heap bytes per cell and build time "
                                 "[--rows N] [--cols N] [--repeat N]",
                                 RunModelBench);

}  // namespace
