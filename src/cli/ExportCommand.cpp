#include "cli/ExportCommand.h"

#include <ostream>

#include "app/MainWindow.h"
#include "app/OfferExport.h"
#include "text/Conversion.h"

namespace cli {

namespace {

// Reads the customer list as start-up does, then chooses as the user would.
void ChooseCustomer(app::TMainWindow& window, const TExportOptions& options) {
  window.CteniZakazniku();
  window.FillCustomerChoice();
  if (options.CustomerName) {
    window.TypeCustomerName(*options.CustomerName);
    return;
  }
  const int count = static_cast<int>(window.Window.CustomerChoiceItems.Count());
  if (*options.Customer > count) {
    throw std::runtime_error("zákazník " + std::to_string(*options.Customer) + " v seznamu není (zákazníků je " +
                             std::to_string(count) + ")");
  }
  window.SelectCustomer(*options.Customer - 1);
}

}  // namespace

bool ParseExportOptions(const std::vector<std::string>& args, TExportOptions& options, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> std::optional<std::string> {
      std::string text;
      if (!TakeOptionValue(args, i, text, error)) return std::nullopt;
      return text;
    };
    if (arg == "--layout") {
      const std::optional<std::string> layout = value();
      if (!layout) return false;
      if (*layout == "offer") {
        options.Layout = app::offersheet::kOfferLayout;
      } else if (*layout == "order") {
        options.Layout = app::offersheet::kOrderLayout;
      } else {
        error = "neznámé provedení tabulky " + *layout + " (offer nebo order)";
        return false;
      }
    } else if (arg == "--allow-empty") {
      options.AllowEmpty = true;
    } else if (arg == "--no-customer-header") {
      options.CustomerHeader = false;
    } else if (arg == "--description") {
      options.Description = value();
      if (!options.Description) return false;
    } else if (arg == "--customer") {
      const std::optional<std::string> number = value();
      if (!number) return false;
      std::int32_t n = 0;
      if (!text::TryStrToInt(*number, n) || n < 1) {
        error = "číslo zákazníka musí být kladné celé číslo: " + *number;
        return false;
      }
      options.Customer = n;
      options.CustomerName.reset();
    } else if (arg == "--customer-name") {
      options.CustomerName = value();
      if (!options.CustomerName) return false;
      options.Customer.reset();
    } else if (arg == "-o" || arg == "--output") {
      const std::optional<std::string> output = value();
      if (!output) return false;
      if (output->empty()) {
        error = "prázdný název výstupního souboru";
        return false;
      }
      options.Output = *output;
    } else {
      if (!AcceptOption(ParseLoadOption(args, i, options.Load, error), arg, error)) return false;
    }
  }
  return true;
}

int RunExport(const TExportOptions& options, app::TFileSystem& fs, std::ostream& out, std::ostream& err) {
  return RunOnOffer(options.Load, fs, err, [&](app::TMainWindow& window) {
    app::TMainWindowState& view = window.Window;
    view.LayoutChoice = options.Layout;
    view.CustomerHeaderCheck = options.CustomerHeader;
    view.SaveDialogCheck = false;
    if (options.Description) view.DescriptionEntry = *options.Description;
    if (options.Customer || options.CustomerName) ChooseCustomer(window, options);
    if (!options.Output.empty()) window.Workspace.ExportFilePath = options.Output;
    if (view.ItemList.Items.Empty() && !options.AllowEmpty) {
      throw std::runtime_error("nabídka nemá žádnou položku, nic nebylo zapsáno (prázdnou nabídku zapíše volba "
                               "--allow-empty)");
    }
    app::ExportOffer(window);
    out << window.Workspace.ExportFilePath << '\n';
    return 0;
  });
}

}  // namespace cli
