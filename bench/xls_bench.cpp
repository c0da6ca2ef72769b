// XLS load benchmark: a 65,000 x 10 Excel 97-2003 workbook (half numbers,
// half texts) is loaded into the document model and, in the same run, read
// cell by cell by xlrd; then a 1,000-customer list is read by a whole
// `nabidka-cli customers` process. Both workbooks are written by LibreOffice
// from CSV files generated here and kept in the build folder, so reruns
// skip the conversion (delete bench/xls-bench-data in the build folder to
// make them again).
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchRegistry.h"
#include "sheet/CellKinds.h"
#include "sheet/Workbook.h"
#include "sheet/Worksheet.h"
#include "xls/ExporterXLS.h"

namespace {

namespace fs = std::filesystem;
using TClock = std::chrono::steady_clock;

// Bump when the generated data changes, so cached workbooks are not reused.
constexpr int kDataVersion = 1;

double Seconds(TClock::time_point from) { return std::chrono::duration<double>(TClock::now() - from).count(); }

fs::path CacheDir() { return fs::path(NABIDKA_BINARY_DIR) / "bench" / "xls-bench-data"; }

fs::path CliPath() { return fs::path(NABIDKA_BINARY_DIR) / "src" / "cli" / "nabidka-cli"; }

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char ch : text) out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
  return out + "\"";
}

std::string Fixed(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

// Columns alternate number / text. Numbers: integers (RK records), prices with
// two decimals (RK scaled by 100 or NUMBER), values that only a double holds.
// Texts: distinct codes, descriptions repeating every 5,000 rows, a few
// cities and colours, distinct notes; Czech letters throughout.
std::string DataCsv(int rows) {
  static const char* kCities[] = {"Praha",   "Brno",     "Ostrava", "Plzeň",     "Liberec",
                                  "Olomouc", "Ústí nad Labem", "Hradec Králové", "České Budějovice",
                                  "Pardubice", "Zlín",    "Havířov"};
  static const char* kColours[] = {"dub přírodní", "buk", "ořech", "bílá lesk", "antracit", "třešeň", "jasan",
                                   "wenge"};
  std::string csv;
  csv.reserve(static_cast<std::size_t>(rows) * 150);
  for (int r = 0; r < rows; ++r) {
    char code[32];
    std::snprintf(code, sizeof code, "ART-%06d", r * 7 + 3);
    csv += std::to_string(r + 1);
    csv += ',' + CsvField(code);
    csv += ',' + Fixed((r * 37 % 100000) / 100.0 + 1, 2);
    csv += ',' + CsvField("Skříňka č. " + std::to_string(r % 5000) + ", dvoje dvířka");
    csv += ',' + std::to_string(r % 50 + 1);
    csv += ',' + CsvField(kCities[r % 12]);
    csv += ',' + std::to_string(25596641 + r * 13);
    csv += ',' + CsvField("Poznámka k řádku " + std::to_string(r + 1));
    csv += ',' + Fixed(r * 1.0137 + 0.001, 3);
    csv += ',' + CsvField(kColours[r % 8]);
    csv += '\n';
  }
  return csv;
}

// A customer list laid out like the bundled example: number, firm, street,
// postcode and town, company and VAT numbers, contact name and phone.
std::string CustomersCsv(int customers) {
  static const char* kNames[] = {"Novák", "Dvořák", "Černý", "Růžička", "Procházka", "Kučera", "Veselý", "Horák"};
  static const char* kTowns[] = {"110 00 Praha 1", "602 00 Brno", "370 01 České Budějovice", "779 00 Olomouc",
                                 "301 00 Plzeň", "460 01 Liberec"};
  std::string csv = "Číslo,Firma,Ulice,PSČ - město,IČO,DIČ,Kontaktní jméno,Kontaktní telefon\n";
  for (int i = 1; i <= customers; ++i) {
    const std::string name = kNames[i % 8];
    const int ico = 25596641 + i * 101;
    char phone[32];
    std::snprintf(phone, sizeof phone, "+420 7%02d %03d %03d", i % 100, (i * 7) % 1000, (i * 13) % 1000);
    csv += std::to_string(i);
    csv += ',' + CsvField("Nábytek " + name + " " + std::to_string(i) + (i % 3 ? " s.r.o." : ", a.s."));
    csv += ',' + CsvField("Žižkova " + std::to_string(i % 300 + 1) + "/" + std::to_string(i % 17 + 1));
    csv += ',' + CsvField(kTowns[i % 6]);
    csv += ',' + std::to_string(ico);
    csv += ',' + (i % 5 ? "CZ" + std::to_string(ico) : std::string());
    csv += ',' + CsvField("Jiří " + name);
    csv += ',' + (i % 4 ? CsvField(phone) : std::string());
    csv += '\n';
  }
  return csv;
}

// The cached workbook `name`.xls, converted by LibreOffice from the CSV text
// `csv` makes when missing.
fs::path CachedWorkbook(const std::string& name, const std::function<std::string()>& csv) {
  const fs::path target = CacheDir() / (name + ".xls");
  if (fs::exists(target)) return target;
  fs::create_directories(CacheDir());
  const fs::path work = fs::temp_directory_path() / ("nabidka-xlsbench-" + std::to_string(getpid()));
  fs::create_directories(work);
  {
    std::ofstream out(work / (name + ".csv"), std::ios::binary);
    out << csv();
    if (!out) throw std::runtime_error("cannot write " + (work / (name + ".csv")).string());
  }
  // Comma separated, double quotes, UTF-8, from line 1.
  const std::string command = "cd '" + work.string() +
                              "' && soffice --headless -env:UserInstallation=file:///tmp/lo-xlsbench"
                              " --infilter=CSV:44,34,76,1 --convert-to xls:\"MS Excel 97\" " +
                              name + ".csv >/dev/null 2>&1";
  std::cerr << "converting " << name << ".csv with LibreOffice...\n";
  const int status = std::system(command.c_str());
  const fs::path produced = work / (name + ".xls");
  if (status != 0 || !fs::exists(produced)) {
    fs::remove_all(work);
    throw std::runtime_error("LibreOffice could not convert " + name + ".csv (is soffice installed?)");
  }
  // Renamed into place only once complete, so an interrupted run leaves no half file.
  const fs::path partial = CacheDir() / (name + ".xls.part");
  fs::copy_file(produced, partial, fs::copy_options::overwrite_existing);
  fs::rename(partial, target);
  fs::remove_all(work);
  return target;
}

struct TModelSummary {
  long fCells = 0;
  double fNumberSum = 0;
};

TModelSummary Summarize(const sheet::TExportWorkbook& workbook) {
  TModelSummary s;
  const sheet::TExportWorkSheets& sheets = workbook.WorkSheets();
  for (int w = 0; w < sheets.Count(); ++w) {
    const sheet::TExportRows& rows = sheets.Get(w).Rows();
    for (int r = 0; r < rows.Count(); ++r) {
      const sheet::TExportRow& row = rows.Get(r);
      for (int c = 0; c < row.CellCount(); ++c) {
        const sheet::TExportCell& cell = row.Cells().Get(c);
        if (auto number = dynamic_cast<const sheet::TExportCellCustomNumber*>(&cell)) {
          ++s.fCells;
          s.fNumberSum += number->Value();
        } else if (auto text = dynamic_cast<const sheet::TExportCellString*>(&cell)) {
          if (!text->Text().empty()) ++s.fCells;
        }
      }
    }
  }
  return s;
}

// Output of a shell command; empty when it failed.
std::string Capture(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    if (pclose(pipe) != 0) out.clear();
  }
  return out;
}

std::string Field(const std::string& output, const std::string& name) {
  std::istringstream in(output);
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(name + ": ", 0) == 0) return line.substr(name.size() + 2);
  return {};
}

// Wall seconds of one whole process run with its output discarded; negative
// when it failed. posix_spawn, unlike fork, does not copy the page tables of
// this process (large after the workbook loads), which would be timed too.
double TimedRun(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  const auto start = TClock::now();
  pid_t pid = 0;
  const int error = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  int status = 0;
  if (error == 0) waitpid(pid, &status, 0);
  const double s = Seconds(start);
  posix_spawn_file_actions_destroy(&actions);
  return error == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? s : -1;
}

int RunXlsBody(const std::vector<std::string>& args) {
  int rows = 65000, repeat = 3, customers = 1000, cliRuns = 15;
  std::string baselineCli;  // another build's nabidka-cli, timed in turn with this one
  if (args.size() % 2 != 0) {
    std::cerr << "usage: nabidka-bench xls [--rows N] [--repeat N] [--customers N] [--cli-runs N] [--baseline-cli PATH]\n";
    return 2;
  }
  for (std::size_t i = 0; i + 1 < args.size(); i += 2) {
    if (args[i] == "--rows") rows = std::stoi(args[i + 1]);
    else if (args[i] == "--repeat") repeat = std::stoi(args[i + 1]);
    else if (args[i] == "--customers") customers = std::stoi(args[i + 1]);
    else if (args[i] == "--baseline-cli") baselineCli = args[i + 1];
    else if (args[i] == "--cli-runs") cliRuns = std::stoi(args[i + 1]);
    else {
      std::cerr << "usage: nabidka-bench xls [--rows N] [--repeat N] [--customers N] [--cli-runs N] [--baseline-cli PATH]\n";
      return 2;
    }
  }
  const std::string tag = "v" + std::to_string(kDataVersion);
  const fs::path data = CachedWorkbook("data-" + tag + "-" + std::to_string(rows) + "x10", [&] { return DataCsv(rows); });
  const fs::path list =
      CachedWorkbook("customers-" + tag + "-" + std::to_string(customers), [&] { return CustomersCsv(customers); });

  xls::RegisterXlsFormat();
  double best = 0;
  TModelSummary ours;
  for (int i = 0; i < repeat; ++i) {
    sheet::TExportWorkbook workbook;
    const auto start = TClock::now();
    workbook.LoadFromFile(data.string());
    const double s = Seconds(start);
    if (i == 0 || s < best) best = s;
    if (i == 0) ours = Summarize(workbook);
  }

  std::cout << "file: " << data.string() << " (" << fs::file_size(data) << " bytes)\n";
  std::cout << "cells: " << ours.fCells << "\n";
  std::cout << "load_seconds: " << Fixed(best, 4) << "\n";

  const std::string script = std::string(NABIDKA_SOURCE_DIR) + "/bench/xls_xlrd.py";
  const std::string xlrd =
      Capture("/usr/bin/python3 '" + script + "' '" + data.string() + "' " + std::to_string(repeat) + " 2>/dev/null");
  const std::string xlrdSeconds = Field(xlrd, "xlrd_seconds");
  double speedup = -1;
  if (xlrdSeconds.empty()) {
    std::cout << "xlrd_seconds: n/a (needs /usr/bin/python3 with python3-xlrd)\n";
  } else {
    const double reference = std::stod(xlrdSeconds);
    speedup = reference / best;
    std::cout << "xlrd_seconds: " << Fixed(reference, 4) << "\n";
    std::cout << "speedup: " << Fixed(speedup, 2) << "\n";
    const long xlrdCells = std::stol(Field(xlrd, "cells"));
    const double xlrdSum = std::stod(Field(xlrd, "number_sum"));
    if (xlrdCells != ours.fCells || std::fabs(xlrdSum - ours.fNumberSum) > 1e-6 * std::fabs(xlrdSum) + 0.01)
      std::cout << "warning: xlrd read " << xlrdCells << " cells (number sum " << xlrdSum << "), the model "
                << ours.fCells << " (number sum " << Fixed(ours.fNumberSum, 2) << ")\n";
  }

  // This build's program and, if given, another build's, run in turn so that
  // both see the same machine; the best of each is reported.
  std::vector<fs::path> clis{CliPath()};
  if (!baselineCli.empty()) clis.push_back(baselineCli);
  std::vector<double> bestOf(clis.size(), -1);
  for (std::size_t k = 0; k < clis.size(); ++k) {
    if (!fs::exists(clis[k])) continue;
    const std::string listed = Capture("'" + clis[k].string() + "' customers --file '" + list.string() + "'");
    if (Field(listed, "Zákazníků") != std::to_string(customers))
      std::cout << "warning: " << clis[k].string() << " customers listed " << Field(listed, "Zákazníků") << " customers\n";
  }
  for (int i = 0; i < cliRuns; ++i) {
    for (std::size_t k = 0; k < clis.size(); ++k) {
      if (!fs::exists(clis[k])) continue;
      const double s = TimedRun({clis[k].string(), "customers", "--file", list.string()});
      if (s >= 0 && (bestOf[k] < 0 || s < bestOf[k])) bestOf[k] = s;
    }
  }
  const double bestCli = bestOf[0];
  if (bestCli < 0)
    std::cout << "customers_ms: n/a (" << clis[0].string() << " missing or failing)\n";
  else
    std::cout << "customers_ms: " << Fixed(bestCli * 1000, 2) << "\n";
  if (clis.size() > 1) {
    std::cout << "customers_ms_baseline: " << (bestOf[1] < 0 ? std::string("n/a") : Fixed(bestOf[1] * 1000, 2)) << " ("
              << clis[1].string() << ")\n";
  }
  // The targets: at least twice as fast as xlrd, the customer list in under 15 ms.
  std::cout << "target_speedup_2x: " << (speedup < 0 ? "n/a" : speedup >= 2 ? "met" : "NOT met") << "\n";
  std::cout << "target_customers_15ms: " << (bestCli < 0 ? "n/a" : bestCli < 0.015 ? "met" : "NOT met") << "\n";
  return 0;
}

int RunXls(const std::vector<std::string>& args) {
  try {
    return RunXlsBody(args);
  } catch (const std::exception& error) {
    std::cerr << "nabidka-bench xls: " << error.what() << "\n";
    return 1;
  }
}

const bench::TBenchRegistrar kXls("xls",
                                  "load of a 65,000 x 10 XLS workbook beside xlrd; 1,000-customer list via nabidka-cli",
                                  RunXls);

}  // namespace
