#include "cli/ShowCommand.h"

#include <ostream>

#include "app/MainWindow.h"
#include "app/OfferItems.h"
#include "app/Paths.h"
#include "cli/Json.h"
#include "text/Conversion.h"

namespace cli {

namespace {

std::string FolderOf(const std::string& path) {
  const std::string name = app::ExtractFileName(path);
  if (name.size() == path.size()) return ".";
  return WithoutTrailingDelimiters(path.substr(0, path.size() - name.size()));
}

void PrintOffer(const app::TMainWindow& window, std::ostream& out) {
  const app::TOfferWorkspace& ws = window.Workspace;
  out << "Nabídka: " << ws.CurrentCsvPath << '\n';
  out << "Obrázky: " << ws.ImageFolderPath << '\n';
  if (window.Window.DescriptionEntry != app::TMainWindowState{}.DescriptionEntry) {
    out << "Popis tabulky: " << window.Window.DescriptionEntry << '\n';
  }
  out << '\n';
  for (const app::TOfferItem& item : app::CollectOfferItems(ws, window.Window)) {
    out << item.Code << '\n';
    out << "    Popis:        " << item.Description << '\n';
    out << "    Počet kusů:   " << item.Count << '\n';
    out << "    Cena za kus:  " << item.UnitPrice << '\n';
    out << "    Celková cena: " << item.Total << '\n';
    if (item.Imported) {
      out << "    Obrázek:      " << (item.PicturePath.empty() ? "bez obrázku" : item.PicturePath) << '\n';
    }
    if (!item.Properties.empty()) {
      out << "    Vlastnosti:\n";
      for (const std::string& line : item.Properties) out << "      " << line << '\n';
    }
    out << '\n';
  }
  out << "Celková cena bez DPH: " << window.Window.NetTotalField << '\n';
  out << "DPH 21%:              " << window.Window.VatField << '\n';
  out << "Celková cena s DPH:   " << window.Window.GrossTotalField << '\n';
}

void PrintOfferJson(const app::TMainWindow& window, const std::vector<std::string>& messages, std::ostream& out) {
  const app::TOfferWorkspace& ws = window.Workspace;
  out << "{\"list\": " << JsonStringOrNull(ws.CurrentCsvPath) << ",\n \"items\": [";
  const std::vector<app::TOfferItem> items = app::CollectOfferItems(ws, window.Window);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const app::TOfferItem& item = items[i];
    // CalcGrid row i + 1 holds item i; column 1 its code.
    const std::string code = ws.CalcGrid.Cell(1, static_cast<std::ptrdiff_t>(i + 1));
    out << (i > 0 ? ",\n  " : "\n  ") << "{\"entry\": " << JsonString(item.Code)
        << ", \"code\": " << JsonStringOrNull(code) << ", \"description\": " << JsonStringOrNull(item.Description)
        << ", \"count\": " << JsonStringOrNull(item.Count) << ", \"price\": " << JsonStringOrNull(item.UnitPrice)
        << ", \"total\": " << JsonStringOrNull(item.Total) << ",\n   \"properties\": "
        << JsonStringArray(item.Properties) << ", \"picture\": " << JsonStringOrNull(item.PicturePath) << '}';
  }
  out << "],\n \"net\": " << JsonStringOrNull(window.Window.NetTotalField)
      << ", \"vat\": " << JsonStringOrNull(window.Window.VatField)
      << ", \"gross\": " << JsonStringOrNull(window.Window.GrossTotalField)
      << ",\n \"messages\": " << JsonStringArray(messages) << "}\n";
}

}  // namespace

TOptionMatch ParseLoadOption(const std::vector<std::string>& args, std::size_t& i, TShowOptions& options,
                             std::string& error) {
  const std::string& arg = args[i];
  if (arg == "--list") {
    return TakeOptionValue(args, i, options.List, error) ? TOptionMatch::omTaken : TOptionMatch::omFailed;
  }
  if (arg == "--append") {
    std::string path;
    if (!TakeOptionValue(args, i, path, error)) return TOptionMatch::omFailed;
    options.Appends.push_back(path);
    return TOptionMatch::omTaken;
  }
  return ParseCommonOption(args, i, options.Common, error);
}

bool ParseShowOptions(const std::vector<std::string>& args, TShowOptions& options, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--json") {
      options.Json = true;
      continue;
    }
    const std::string& arg = args[i];
    if (!AcceptOption(ParseLoadOption(args, i, options, error), arg, error)) return false;
  }
  return true;
}

app::TMainWindowSettings LoadSettings(const TShowOptions& options) {
  return options.Common.WindowSettings(!options.List.empty() ? FolderOf(options.List)
                                                             : app::DefaultArticleListFolder());
}

bool LoadOffer(const TShowOptions& options, app::TMainWindow& window, TCommandDialogs& dialogs, std::ostream* hints) {
  app::TFileSystem& fs = window.FileSystem();
  const std::string& folder = window.ArticleListFolder();
  try {
    if (options.List.empty() && !fs.DirectoryExists(folder)) {
      throw std::runtime_error("složka se seznamy prvků neexistuje: " + folder);
    }
    window.Hooks.RestoreDescription(window);
    if (fs.DirectoryExists(folder)) window.ListArticleFolder();
    if (!options.List.empty()) {
      window.OpenList(options.List);
    } else {
      if (window.Workspace.CsvFileList.Names().Empty()) {
        throw std::runtime_error("ve složce " + folder + " není žádný seznam prvků (*.csv)");
      }
      window.VyberZpracovaniPoslednihoSouboru();
      if (dialogs.MessageShown()) return false;  // the newest list has no picture folder
    }
    for (const std::string& path : options.Appends) window.AppendList(path);
    return true;
  } catch (const text::EConvertError& error) {
    dialogs.ShowError(error.what());
    if (hints) {
      *hints << "(desetinný oddělovač je \"" << window.Region().fDecimalSeparator
             << "\"; jiný lze zadat volbou --decimal-separator)\n";
    }
    return false;
  } catch (const std::exception& error) {
    dialogs.ShowError(error.what());
    return false;
  }
}

int RunOnOffer(const TShowOptions& options, app::TFileSystem& fs, std::ostream& err,
               const std::function<int(app::TMainWindow&)>& action) {
  TCommandDialogs dialogs(&err);
  app::TMainWindow window(fs, dialogs, LoadSettings(options));
  if (!LoadOffer(options, window, dialogs, &err)) return 1;
  try {
    return action(window);
  } catch (const std::exception& error) {
    dialogs.ShowError(error.what());
    return 1;
  }
}

int RunShow(const TShowOptions& options, app::TFileSystem& fs, std::ostream& out, std::ostream& err) {
  if (!options.Json) {
    return RunOnOffer(options, fs, err, [&out](app::TMainWindow& window) {
      PrintOffer(window, out);
      return 0;
    });
  }
  TCommandDialogs dialogs;
  app::TMainWindow window(fs, dialogs, LoadSettings(options));
  const bool loaded = LoadOffer(options, window, dialogs, nullptr);
  PrintOfferJson(window, dialogs.Messages(), out);
  return loaded ? 0 : 1;
}

}  // namespace cli
