#include <iostream>
#include <string>
#include <vector>

#include "app/FileSystem.h"
#include "cli/Console.h"
#include "cli/CustomersCommand.h"
#include "cli/ExportCommand.h"
#include "cli/ShowCommand.h"

namespace {

// Exit codes: 0 done, 1 the command failed, 2 the command line was wrong.
constexpr int kUsageError = 2;

void PrintUsage(std::ostream& out) {
  out << "Použití: nabidka-cli PŘÍKAZ [VOLBY]     (nabidka-cli --help, nabidka-cli PŘÍKAZ --help)\n"
         "\n"
         "Společné volby všech příkazů:\n"
         "  --folder SLOŽKA               složka se seznamy prvků (výchozí pCon_article_lists)\n"
         "  --codepage N                  kódová stránka textových souborů (výchozí 1250;\n"
         "                                874, 1250 až 1258 nebo 850)\n"
         "  --decimal-separator ZNAK      desetinný oddělovač\n"
         "  --thousands-separator ZNAK    oddělovač tisíců (prázdný: bez oddělovače)\n"
         "  --short-date-format FORMÁT    krátký formát data, např. dd.mm.yyyy\n"
         "  --long-time-format FORMÁT     dlouhý formát času, např. hh:nn:ss\n"
         "  -h, --help                    tato nápověda\n"
         "  Místní nastavení se bere z prostředí (bez nastavení: české); volby ho přepíší.\n"
         "  Formáty: d den, m měsíc (po hodinách minuty), y rok, h hodina, n minuty,\n"
         "  s sekundy, am/pm dvanáctihodinový čas.\n"
         "\n"
         "nabidka-cli show [společné volby] [příkazy okna]... [--json]\n"
         "  Načte nejnovější seznam prvků ze složky (nebo zadaný seznam), provede příkazy\n"
         "  okna v zadaném pořadí a vypíše nabídku s cenami, DPH 21 % a celkovou cenou.\n"
         "  Příkazy okna:\n"
         "  --list SOUBOR.csv             první: otevře tento seznam místo nejnovějšího;\n"
         "                                další: \"Otevřít soubor z disku\"\n"
         "  --append SOUBOR.csv           \"Přidat soubor z disku\"\n"
         "  --select N                    klepne na N-tou položku seznamu (--select 3 je «03. …»)\n"
         "  --count TEXT, --price TEXT    zapíše počet kusů / cenu za kus a stiskne Enter\n"
         "  --move-up, --move-down        \"Posun nahoru\" / \"Posun dolu\"\n"
         "  --extra \"KÓD;POPIS;POČET;CENA\" řádek dialogu \"Zadat další prvky\"; po sobě jdoucí\n"
         "                                volby --extra tvoří jeden dialog potvrzený \"Doplnit\"\n"
         "  --edit-mode                   zaškrtne \"editovat\"\n"
         "  Selhaný příkaz (i stisk vypnutého tlačítka) se ohlásí a další příkazy proběhnou;\n"
         "  návratový kód je pak 1.\n"
         "  --json                        vypíše jeden objekt JSON: {\"list\", \"items\": [{\"entry\",\n"
         "                                \"code\", \"description\", \"count\", \"price\", \"total\",\n"
         "                                \"properties\", \"picture\", \"extra\"}], \"net\", \"vat\",\n"
         "                                \"gross\", \"window\" (texty a stavy ovládacích prvků),\n"
         "                                \"source_lines\", \"messages\"}; chyby a hlášení jsou\n"
         "                                v \"messages\"\n"
         "\n"
         "nabidka-cli export [společné volby] [příkazy okna]... [--layout offer|order]\n"
         "                   [--no-customer-header] [--description TEXT]\n"
         "                   [--customer N | --customer-name TEXT] [-o SOUBOR] [--allow-empty]\n"
         "  Načte nabídku a provede příkazy okna jako show (první selhaný příkaz vše ukončí,\n"
         "  nic se nezapíše) a uloží ji jako sešit; vypíše cestu zapsaného souboru.\n"
         "  --layout offer|order          nabídka s obrázky (výchozí) nebo objednávka bez obrázků\n"
         "  --no-customer-header          bez hlavičky se zákazníkem\n"
         "  --description TEXT            popis tabulky (výchozí: uložený popis)\n"
         "  --customer N                  N-tý zákazník ze seznamu zákazníků\n"
         "  --customer-name TEXT          název zapsaný do výběru zákazníka\n"
         "  --allow-empty                 zapíše i nabídku bez položek (jinak chyba)\n"
         "  -o, --output SOUBOR           výstupní soubor, formát podle přípony: xlsx, ods,\n"
         "                                csv, zip (CSV v ZIP) (výchozí: seznam s příponou xlsx)\n"
         "\n"
         "nabidka-cli customers [společné volby] [--file SEZNAM.xls] [--json]\n"
         "  Načte seznam zákazníků (Seznam_zakazniku.xls ve složce) a vypíše zákazníky,\n"
         "  jak je nabízí výběr zákazníka.\n"
         "  --file SEZNAM.xls             jiný seznam zákazníků\n"
         "  --json                        vypíše {\"grid\", \"entries\", \"messages\"}\n"
         "\n"
         "nabidka-cli --version             vypíše verzi\n"
         "\n"
         "Návratový kód: 0 hotovo, 1 příkaz selhal, 2 chybný příkazový řádek.\n";
}

int UsageError(const std::string& error) {
  std::cerr << "Chyba: " << error << '\n';
  PrintUsage(std::cerr);
  return kUsageError;
}

template <typename TOptions, typename TParse, typename TRun>
int Dispatch(const std::vector<std::string>& args, TParse parse, TRun run,
             const cli::TCommonOptions& (*common)(const TOptions&)) {
  TOptions options;
  std::string error;
  if (!parse({args.begin() + 1, args.end()}, options, error)) return UsageError(error);
  if (common(options).Help) {
    PrintUsage(std::cout);
    return 0;
  }
  app::TDiskFileSystem fs;
  return run(options, fs, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
  cli::PrepareConsole();
  const std::vector<std::string> args = cli::ProgramArguments(argc, argv);
  if (args.empty()) return UsageError("chybí příkaz");
  if (args[0] == "--help" || args[0] == "-h") {
    PrintUsage(std::cout);
    return 0;
  }
  if (args[0] == "--version") {
    std::cout << "nabidka-cli " << NABIDKA_VERSION << '\n';
    return 0;
  }
  if (args[0] == "show") {
    return Dispatch<cli::TShowOptions>(args, cli::ParseShowOptions, cli::RunShow,
                                       [](const cli::TShowOptions& o) -> const cli::TCommonOptions& { return o.Common; });
  }
  if (args[0] == "export") {
    return Dispatch<cli::TExportOptions>(
        args, cli::ParseExportOptions, cli::RunExport,
        [](const cli::TExportOptions& o) -> const cli::TCommonOptions& { return o.Load.Common; });
  }
  if (args[0] == "customers") {
    return Dispatch<cli::TCustomersOptions>(
        args, cli::ParseCustomersOptions, cli::RunCustomers,
        [](const cli::TCustomersOptions& o) -> const cli::TCommonOptions& { return o.Common; });
  }
  return UsageError("neznámý příkaz " + args[0]);
}
