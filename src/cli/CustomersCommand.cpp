#include "cli/CustomersCommand.h"

#include <cstdlib>
#include <ostream>

#include "cli/CliSupport.h"
#include "cli/Json.h"
#include "app/MainWindow.h"
#include "app/Paths.h"

namespace cli {

namespace {

void PrintJson(const app::TMainWindow& window, const std::vector<std::string>& messages, std::ostream& out) {
  const app::TTextGrid& grid = window.Workspace.CustomerGrid;
  out << "{\"grid\": [";
  for (std::size_t r = 0; r < grid.RowCount(); ++r) {
    std::vector<std::string> row;
    for (std::size_t c = 0; c < grid.ColCount(); ++c) {
      row.push_back(grid.Cell(static_cast<std::ptrdiff_t>(c), static_cast<std::ptrdiff_t>(r)));
    }
    out << (r > 0 ? ",\n  " : "\n  ") << JsonStringArray(row);
  }
  out << "],\n \"entries\": " << JsonStringArray(window.Window.CustomerChoiceItems.Entries())
      << ",\n \"messages\": " << JsonStringArray(messages) << "}\n";
}

// Every entry as choosing it shows the customer in the window's fields.
void PrintEntries(app::TMainWindow& window, const std::string& path, std::ostream& out) {
  const app::TMainWindowState& view = window.Window;
  const int count = static_cast<int>(view.CustomerChoiceItems.Count());
  out << "Seznam zákazníků: " << path << '\n';
  out << "Zákazníků: " << count << '\n';
  for (int i = 0; i < count; ++i) {
    window.SelectCustomer(i);
    out << '\n' << (i + 1) << ". " << view.CustomerFirmField << '\n';
    out << "    Ulice:             " << view.CustomerStreetField << '\n';
    out << "    PSČ - město:       " << view.CustomerCityField << '\n';
    out << "    IČO:               " << view.CustomerIcoField << '\n';
    out << "    DIČ:               " << view.CustomerDicField << '\n';
    out << "    Kontaktní jméno:   " << view.CustomerContactField << '\n';
    out << "    Kontaktní telefon: " << view.CustomerPhoneField << '\n';
  }
}

}  // namespace

bool ParseCustomersOptions(const std::vector<std::string>& args, TCustomersOptions& options, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--json") {
      options.Json = true;
    } else if (arg == "--file") {
      if (!TakeOptionValue(args, i, options.File, error)) return false;
      if (options.File.empty()) {
        error = "prázdný název seznamu zákazníků";
        return false;
      }
    } else {
      if (!AcceptOption(ParseCommonOption(args, i, options.Common, error), arg, error)) return false;
    }
  }
  return true;
}

int RunCustomers(const TCustomersOptions& options, app::TFileSystem& fs, std::ostream& out, std::ostream& err) {
  // Without --json the window's boxes go to stderr as they are shown.
  TCommandDialogs dialogs(options.Json ? nullptr : &err);
  app::TMainWindow window(fs, dialogs, options.Common.WindowSettings(app::DefaultArticleListFolder()));
  const std::string path = options.File.empty() ? window.CustomerListFilePath() : options.File;

  // Start-up steps 4 and 5: a failure leaves the chooser as the window shows it then.
  window.RunCommand([&] {
    window.ReadCustomerList(path);
    window.FillCustomerChoice();
  });

  if (options.Json) {
    PrintJson(window, dialogs.Messages(), out);
  } else if (!dialogs.Failed()) {
    PrintEntries(window, path, out);
  }
  return dialogs.Failed() ? 1 : 0;
}

}  // namespace cli
