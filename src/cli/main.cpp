#include <iostream>
#include <string>
#include <vector>

#include "app/FileSystem.h"
#include "cli/CustomersCommand.h"
#include "cli/ExportCommand.h"
#include "cli/ShowCommand.h"

namespace {

void PrintUsage(std::ostream& out) {
  out << "Použití: nabidka-cli show [--folder SLOŽKA] [--list SOUBOR.csv] [--append SOUBOR.csv]...\n"
         "                          [--decimal-separator ZNAK]\n"
         "  Načte nejnovější seznam prvků ze složky (nebo zadaný seznam), připojí další\n"
         "  seznamy a vypíše nabídku s cenami, DPH 21 % a celkovou cenou.\n"
         "  Čísla se čtou podle místního nastavení (bez nastavení: česká čárka).\n"
         "       nabidka-cli export [volby příkazu show] [--layout offer|order] [--no-customer-header]\n"
         "                          [--description TEXT] [--customer N | --customer-name TEXT] [-o SOUBOR]\n"
         "  Načte nabídku jako show a uloží ji jako sešit (formát podle přípony, výchozí je\n"
         "  seznam s příponou xlsx); vypíše cestu zapsaného souboru. --customer vybere N-tého\n"
         "  zákazníka ze seznamu zákazníků, --customer-name zapíše název do výběru zákazníka.\n"
         "       nabidka-cli customers [--folder SLOŽKA] [--file SEZNAM.xls] [--json]\n"
         "  Načte seznam zákazníků (Seznam_zakazniku.xls ve složce) a vypíše zákazníky,\n"
         "  jak je nabízí výběr zákazníka.\n";
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    PrintUsage(args.empty() ? std::cerr : std::cout);
    return args.empty() ? 1 : 0;
  }
  if (args[0] == "export") {
    cli::TExportOptions options;
    std::string error;
    if (!cli::ParseExportOptions({args.begin() + 1, args.end()}, options, error)) {
      std::cerr << "Chyba: " << error << '\n';
      PrintUsage(std::cerr);
      return 1;
    }
    app::TDiskFileSystem fs;
    return cli::RunExport(options, fs, std::cout, std::cerr);
  }
  if (args[0] == "customers") {
    cli::TCustomersOptions options;
    std::string error;
    if (!cli::ParseCustomersOptions({args.begin() + 1, args.end()}, options, error)) {
      std::cerr << "Chyba: " << error << '\n';
      PrintUsage(std::cerr);
      return 1;
    }
    app::TDiskFileSystem fs;
    return cli::RunCustomers(options, fs, std::cout, std::cerr);
  }
  if (args[0] != "show") {
    std::cerr << "Chyba: neznámý příkaz " << args[0] << '\n';
    PrintUsage(std::cerr);
    return 1;
  }
  cli::TShowOptions options;
  std::string error;
  if (!cli::ParseShowOptions({args.begin() + 1, args.end()}, options, error)) {
    std::cerr << "Chyba: " << error << '\n';
    PrintUsage(std::cerr);
    return 1;
  }
  app::TDiskFileSystem fs;
  return cli::RunShow(options, fs, std::cout, std::cerr);
}
