#include "cli/ExportCommand.h"

#include <ostream>

#include "app/MainWindow.h"
#include "app/OfferExport.h"

namespace cli {

bool ParseExportOptions(const std::vector<std::string>& args, TExportOptions& options, std::string& error) {
  std::vector<std::string> loadArgs;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) {
        error = "chybí hodnota volby " + arg;
        return std::nullopt;
      }
      return args[++i];
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
    } else if (arg == "--no-customer-header") {
      options.CustomerHeader = false;
    } else if (arg == "--description") {
      options.Description = value();
      if (!options.Description) return false;
    } else if (arg == "-o" || arg == "--output") {
      const std::optional<std::string> output = value();
      if (!output) return false;
      if (output->empty()) {
        error = "prázdný název výstupního souboru";
        return false;
      }
      options.Output = *output;
    } else {
      // The loading options of `show`, with their values, are parsed there.
      loadArgs.push_back(arg);
      const bool takesValue =
          arg == "--folder" || arg == "--list" || arg == "--append" || arg == "--decimal-separator";
      if (takesValue && i + 1 < args.size()) loadArgs.push_back(args[++i]);
    }
  }
  return ParseShowOptions(loadArgs, options.Load, error);
}

int RunExport(const TExportOptions& options, app::TFileSystem& fs, std::ostream& out, std::ostream& err) {
  return RunOnOffer(options.Load, fs, err, [&](app::TMainWindow& window) {
    app::TMainWindowState& view = window.Window;
    view.LayoutChoice = options.Layout;
    view.CustomerHeaderCheck = options.CustomerHeader;
    view.SaveDialogCheck = false;
    if (options.Description) view.DescriptionEntry = *options.Description;
    if (!options.Output.empty()) window.Workspace.ExportFilePath = options.Output;
    app::ExportOffer(window);
    out << window.Workspace.ExportFilePath << '\n';
    return 0;
  });
}

}  // namespace cli
