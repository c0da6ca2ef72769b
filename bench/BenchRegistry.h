#pragma once

#include <string>
#include <vector>

// Subcommands of nabidka-bench. A benchmark file registers its commands with
// a static TBenchRegistrar.
namespace bench {

struct TBenchCommand {
  std::string fName;
  std::string fHelp;
  int (*fRun)(const std::vector<std::string>& args);
};

std::vector<TBenchCommand>& Commands();

struct TBenchRegistrar {
  TBenchRegistrar(std::string name, std::string help, int (*run)(const std::vector<std::string>&)) {
    Commands().push_back({std::move(name), std::move(help), run});
  }
};

}  // namespace bench
