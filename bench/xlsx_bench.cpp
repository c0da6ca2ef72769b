// XLSX save benchmark: builds a 100,000-row offer-like sheet (6 columns: two
// texts with about half of them distinct, an integer, three numbers with two
// decimals; four cell formats), saves it, and runs the same cells through
// libxlsxwriter in its default and constant-memory modes; the same sheet is
// also saved as an OpenDocument spreadsheet, for the ratio of the two writers. Every variant runs
// in its own child process, so each peak memory figure is its own.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>

#include "BenchRegistry.h"
#include "sheet/Workbook.h"
#include "xlsx/DeflateStats.h"
#include "xlsx/ExporterXLSX.h"

#ifdef NABIDKA_HAVE_ODS
#include "ods/ExporterODS.h"
#endif

#ifdef NABIDKA_HAVE_XLSXWRITER
#include <xlsxwriter.h>
#endif

namespace {

using TClock = std::chrono::steady_clock;

double Seconds(TClock::time_point from) { return std::chrono::duration<double>(TClock::now() - from).count(); }

// CPU seconds of the calling thread: with a second core free, the wall time
// of a save whose compression runs on a worker approaches this.
double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

// User + system CPU seconds of the whole process (all threads) so far.
double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long StatusKb(const char* field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  const std::size_t n = std::strlen(field);
  while (std::getline(in, line))
    if (line.compare(0, n, field) == 0 && line.size() > n && line[n] == ':') return std::stol(line.substr(n + 1));
  return -1;
}

// Starts a new peak-memory interval (Linux: resets VmHWM to the current RSS).
void ResetPeak() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
}

struct TResult {
  double fBuild = 0, fSave = 0;
  double fSaveCpu = 0;
  double fBuildCpu = -1;
  double fSaveMainCpu = 0;
  long fRssBeforeSave = 0, fPeakSave = 0;
  long fFileSize = 0;
  double fDeflateCpu = 0;  // CPU seconds spent in deflate during the save
};

// The cells of row r: texts, integer, three money values.
std::string TextA(int r) { return "Artikl " + std::to_string(r / 2); }
std::string TextB(int r) { return "Popis položky č. " + std::to_string(r % 50000) + " – čalounění"; }
double Money(int r, int k) { return (r % 9973) * 1.25 + k * 0.01 + 10; }

TResult RunOurs(int rows, const std::string& path, bool threaded, bool ods = false) {
  TResult res;
  auto start = TClock::now();
  auto wb = std::make_unique<sheet::TExportWorkbook>();
  sheet::TExportWorkSheet& ws = wb->AddWorkSheet("Data");
  for (int r = 0; r < rows; ++r) {
    sheet::TExportRow& row = ws.AddRow();
    row.AddCellString(TextA(r)).SetBorders(15, sheet::ebThin, 0);
    row.AddCellString(TextB(r)).SetFontStyle(sheet::fsBold);
    row.AddCellNumber(r, 0);
    for (int k = 0; k < 3; ++k) row.AddCellNumber(Money(r, k), 2);
  }
  res.fBuild = Seconds(start);
  res.fBuildCpu = CpuSeconds();
  res.fRssBeforeSave = StatusKb("VmRSS");
  ResetPeak();
  start = TClock::now();
  const double cpu = CpuSeconds();
  const double mainCpu = ThreadCpuSeconds();
  const std::uint64_t deflateBefore = xlsx::DeflateCpuNanoseconds();
  bool saved = false;
#ifdef NABIDKA_HAVE_ODS
  if (ods) {
    ods::TExporterODS exporter;
    exporter.SetThreaded(threaded);
    saved = wb->SaveToFile(path, exporter);
  }
#endif
  if (!ods) {
    xlsx::TExporterXLSX exporter;
    exporter.SetThreaded(threaded);
    saved = wb->SaveToFile(path, exporter);
  }
  if (!saved) throw std::runtime_error("save failed");
  res.fSave = Seconds(start);
  res.fSaveCpu = CpuSeconds() - cpu;
  res.fSaveMainCpu = ThreadCpuSeconds() - mainCpu;
  res.fDeflateCpu = static_cast<double>(xlsx::DeflateCpuNanoseconds() - deflateBefore) / 1e9;
  res.fPeakSave = StatusKb("VmHWM");
  res.fFileSize = static_cast<long>(std::filesystem::file_size(path));
  return res;
}

#ifdef NABIDKA_HAVE_XLSXWRITER
TResult RunXlsxWriter(int rows, const std::string& path, bool constantMemory) {
  TResult res;
  ResetPeak();
  res.fRssBeforeSave = StatusKb("VmRSS");
  auto start = TClock::now();
  lxw_workbook_options options{};
  options.constant_memory = constantMemory ? LXW_TRUE : LXW_FALSE;
  lxw_workbook* wb = workbook_new_opt(path.c_str(), &options);
  lxw_worksheet* ws = workbook_add_worksheet(wb, "Data");
  lxw_format* border = workbook_add_format(wb);
  format_set_border(border, LXW_BORDER_THIN);
  lxw_format* bold = workbook_add_format(wb);
  format_set_bold(bold);
  lxw_format* integer = workbook_add_format(wb);
  format_set_num_format(integer, "0");
  lxw_format* money = workbook_add_format(wb);
  format_set_num_format(money, "0.00");
  for (int r = 0; r < rows; ++r) {
    worksheet_write_string(ws, static_cast<lxw_row_t>(r), 0, TextA(r).c_str(), border);
    worksheet_write_string(ws, static_cast<lxw_row_t>(r), 1, TextB(r).c_str(), bold);
    worksheet_write_number(ws, static_cast<lxw_row_t>(r), 2, r, integer);
    for (int k = 0; k < 3; ++k) worksheet_write_number(ws, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(3 + k), Money(r, k), money);
  }
  res.fBuild = Seconds(start);
  res.fBuildCpu = CpuSeconds();
  start = TClock::now();
  const double cpu = CpuSeconds();
  if (workbook_close(wb) != LXW_NO_ERROR) throw std::runtime_error("libxlsxwriter failed");
  res.fSave = Seconds(start);
  res.fSaveCpu = CpuSeconds() - cpu;
  res.fSaveMainCpu = res.fSaveCpu;
  res.fPeakSave = StatusKb("VmHWM");
  res.fFileSize = static_cast<long>(std::filesystem::file_size(path));
  return res;
}
#endif

// Runs `body` in a child process and returns its result.
TResult InChild(const std::function<TResult()>& body) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    TResult r{};
    int code = 0;
    try {
      r = body();
    } catch (const std::exception& e) {
      std::cerr << "error: " << e.what() << "\n";
      code = 1;
    }
    const ssize_t written = write(fds[1], &r, sizeof r);
    _exit(written == static_cast<ssize_t>(sizeof r) ? code : 1);
  }
  close(fds[1]);
  TResult r{};
  const ssize_t got = read(fds[0], &r, sizeof r);
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (got != static_cast<ssize_t>(sizeof r) || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw std::runtime_error("benchmark child failed");
  return r;
}

void Print(const char* name, const TResult& r) {
  std::printf("%-30s build %6.3f s (CPU %5.3f)  save %6.3f s (CPU %5.3f, main thread %5.3f)  total %6.3f s (CPU %5.3f)  "
              "RSS before save %6.1f MiB  peak in save %6.1f MiB  file %5.2f MiB\n",
              name, r.fBuild, r.fBuildCpu, r.fSave, r.fSaveCpu, r.fSaveMainCpu, r.fBuild + r.fSave, r.fBuildCpu + r.fSaveCpu,
              r.fRssBeforeSave / 1024.0, r.fPeakSave / 1024.0, r.fFileSize / 1048576.0);
}

int RunXlsxBench(const std::vector<std::string>& args) {
  int rows = 100000;
  int repeat = 3;
  std::string only;
  std::string keep;
  for (std::size_t i = 0; i + 1 < args.size(); i += 2) {
    if (args[i] == "--rows") rows = std::stoi(args[i + 1]);
    if (args[i] == "--repeat") repeat = std::stoi(args[i + 1]);
    if (args[i] == "--only") only = args[i + 1];
    if (args[i] == "--keep") keep = args[i + 1];
  }
  auto wanted = [&](const char* name) { return only.empty() || only == name; };
  const auto dir = keep.empty() ? std::filesystem::temp_directory_path() / ("nabidka-bench-" + std::to_string(getpid()))
                                : std::filesystem::path(keep);
  std::filesystem::create_directories(dir);
  std::printf("XLSX save: %d rows x 6 columns, best of %d runs each\n", rows, repeat);
  auto best = [&](const std::function<TResult()>& body) {
    TResult b{};
    for (int i = 0; i < repeat; ++i) {
      const TResult r = InChild(body);
      if (i == 0 || r.fSave + r.fBuild < b.fSave + b.fBuild) b = r;
    }
    return b;
  };
  TResult ours{}, lxw{}, lxwConstant{};
  if (wanted("ours")) Print("nabidka (worker thread)", ours = best([&] { return RunOurs(rows, (dir / "ours.xlsx").string(), true); }));
  if (wanted("ours1")) Print("nabidka (single thread)", best([&] { return RunOurs(rows, (dir / "ours1.xlsx").string(), false); }));
  TResult ods{};
#ifdef NABIDKA_HAVE_ODS
  if (wanted("ods")) Print("nabidka OpenDocument", ods = best([&] { return RunOurs(rows, (dir / "ours.ods").string(), true, true); }));
#endif
#ifdef NABIDKA_HAVE_XLSXWRITER
  if (wanted("lxw")) Print("libxlsxwriter default", lxw = best([&] { return RunXlsxWriter(rows, (dir / "lxw.xlsx").string(), false); }));
  if (wanted("lxw-cm"))
    Print("libxlsxwriter constant_memory", lxwConstant = best([&] { return RunXlsxWriter(rows, (dir / "lxw-cm.xlsx").string(), true); }));
  if (wanted("lxw") || wanted("lxw-cm"))
    std::printf("(libxlsxwriter: \"build\" = the write calls, \"save\" = workbook_close; its RSS is measured from process start)\n");
#else
  std::printf("libxlsxwriter not found at build time: no comparison\n");
#endif
  if (only.empty()) {
    // The figures as name: value lines; libxlsxwriter's times are its whole run
    // (write calls + close), since it builds nothing in memory beforehand worth comparing.
    const double lxwTotal = lxw.fBuild + lxw.fSave, constantTotal = lxwConstant.fBuild + lxwConstant.fSave;
    std::printf("build_seconds: %.4f\n", ours.fBuild);
    std::printf("save_seconds: %.4f\n", ours.fSave);
    std::printf("peak_mib: %.1f\n", ours.fPeakSave / 1024.0);
    std::printf("libxlsxwriter_default_seconds: %.4f\n", lxwTotal);
    std::printf("libxlsxwriter_default_peak_mib: %.1f\n", lxw.fPeakSave / 1024.0);
    std::printf("libxlsxwriter_constant_seconds: %.4f\n", constantTotal);
    std::printf("save_vs_constant: %.3f\n", constantTotal > 0 ? ours.fSave / constantTotal : 0.0);
    std::printf("total_vs_default: %.3f\n", lxwTotal > 0 ? (ours.fBuild + ours.fSave) / lxwTotal : 0.0);
    std::printf("deflate_share: %.3f\n", ours.fSaveCpu > 0 ? ours.fDeflateCpu / ours.fSaveCpu : 0.0);
    std::printf("ods_save_seconds: %.4f\n", ods.fSave);
    std::printf("ods_peak_mib: %.1f\n", ods.fPeakSave / 1024.0);
    std::printf("ods_vs_xlsx_save: %.3f\n", ours.fSave > 0 ? ods.fSave / ours.fSave : 0.0);
  }
  if (keep.empty()) std::filesystem::remove_all(dir);
  return 0;
}

bench::TBenchRegistrar registrar("xlsx", "XLSX save of a 100,000-row sheet, side by side with libxlsxwriter [--rows N] [--repeat N] [--only ours|ours1|ods|lxw|lxw-cm] [--keep DIR]",
                                 RunXlsxBench);

}  // namespace
