#include <iostream>

#include "BenchRegistry.h"

namespace bench {

std::vector<TBenchCommand>& Commands() {
  static std::vector<TBenchCommand> commands;
  return commands;
}

}  // namespace bench

int main(int argc, char** argv) {
  const auto& commands = bench::Commands();
  if (argc < 2) {
    std::cerr << "usage: nabidka-bench <benchmark> [options]\n";
    for (const auto& c : commands) std::cerr << "  " << c.fName << "  " << c.fHelp << "\n";
    return 2;
  }
  const std::string name = argv[1];
  for (const auto& c : commands)
    if (c.fName == name) return c.fRun(std::vector<std::string>(argv + 2, argv + argc));
  std::cerr << "unknown benchmark: " << name << "\n";
  return 2;
}
