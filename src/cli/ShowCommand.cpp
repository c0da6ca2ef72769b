#include "cli/ShowCommand.h"

#include <cstdlib>
#include <ostream>

#include "cli/CliSupport.h"
#include "app/MainWindow.h"
#include "app/OfferItems.h"
#include "app/Paths.h"
#include "text/Conversion.h"
#include "text/Utf16.h"

namespace cli {

namespace {

// The command line has no dialogs: messages and errors go to stderr.
class TConsoleDialogs : public app::TDialogs {
 public:
  explicit TConsoleDialogs(std::ostream& err) : fErr(err) {}
  std::optional<std::string> OpenFile(const app::TOpenDialogOptions&) override { return std::nullopt; }
  void ShowMessage(const std::string& message) override {
    fErr << message << '\n';
    fMessageShown = true;
  }
  void ShowError(const std::string& message) override { fErr << "Chyba: " << message << '\n'; }
  bool MessageShown() const { return fMessageShown; }

 private:
  std::ostream& fErr;
  bool fMessageShown = false;
};



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

}  // namespace

bool ParseShowOptions(const std::vector<std::string>& args, TShowOptions& options, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string& target) {
      if (i + 1 >= args.size()) {
        error = "chybí hodnota volby " + arg;
        return false;
      }
      target = args[++i];
      return true;
    };
    if (arg == "--folder") {
      if (!value(options.Folder)) return false;
    } else if (arg == "--list") {
      if (!value(options.List)) return false;
    } else if (arg == "--append") {
      std::string path;
      if (!value(path)) return false;
      options.Appends.push_back(path);
    } else if (arg == "--decimal-separator") {
      if (!value(options.DecimalSeparator)) return false;
      if (text::Utf16Length(options.DecimalSeparator) != 1) {
        error = "desetinný oddělovač musí být jeden znak";
        return false;
      }
    } else {
      error = "neznámá volba " + arg;
      return false;
    }
  }
  return true;
}

int RunOnOffer(const TShowOptions& options, app::TFileSystem& fs, std::ostream& err,
               const std::function<int(app::TMainWindow&)>& action) {
  app::TMainWindowSettings settings;
  settings.Region = DefaultRegion();
  if (!options.DecimalSeparator.empty()) settings.Region.fDecimalSeparator = options.DecimalSeparator;
  settings.ArticleListFolder = !options.Folder.empty() ? WithoutTrailingDelimiters(options.Folder)
                               : !options.List.empty() ? FolderOf(options.List)
                                                       : app::DefaultArticleListFolder();
  TConsoleDialogs dialogs(err);
  app::TMainWindow window(fs, dialogs, settings);
  const std::string& folder = window.ArticleListFolder();

  try {
    if (options.List.empty() && !fs.DirectoryExists(folder)) {
      err << "Chyba: složka se seznamy prvků neexistuje: " << folder << '\n';
      return 1;
    }
    window.Hooks.RestoreDescription(window);
    if (fs.DirectoryExists(folder)) window.ListArticleFolder();
    if (!options.List.empty()) {
      window.OpenList(options.List);
    } else {
      if (window.Workspace.CsvFileList.Names().Empty()) {
        err << "Chyba: ve složce " << folder << " není žádný seznam prvků (*.csv)\n";
        return 1;
      }
      window.VyberZpracovaniPoslednihoSouboru();
      if (dialogs.MessageShown()) return 1;  // the newest list has no picture folder
    }
    for (const std::string& path : options.Appends) window.AppendList(path);
    return action(window);
  } catch (const text::EConvertError& error) {
    dialogs.ShowError(error.what());
    err << "(desetinný oddělovač je \"" << settings.Region.fDecimalSeparator
        << "\"; jiný lze zadat volbou --decimal-separator)\n";
    return 1;
  } catch (const std::exception& error) {
    dialogs.ShowError(error.what());
    return 1;
  }
}

int RunShow(const TShowOptions& options, app::TFileSystem& fs, std::ostream& out, std::ostream& err) {
  return RunOnOffer(options, fs, err, [&out](app::TMainWindow& window) {
    PrintOffer(window, out);
    return 0;
  });
}

}  // namespace cli
