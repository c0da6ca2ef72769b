#include "cli/ShowCommand.h"

#include <algorithm>
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
  if (window.Window.DescriptionEntry != app::TMainWindowState::kInitialDescription) {
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

const char* FocusName(app::TFocusTarget focus) {
  switch (focus) {
    case app::TFocusTarget::ftItemList: return "ItemList";
    case app::TFocusTarget::ftCountEntry: return "CountEntry";
    case app::TFocusTarget::ftPriceEntry: return "PriceEntry";
    case app::TFocusTarget::ftDescriptionEntry: return "DescriptionEntry";
    case app::TFocusTarget::ftNone: break;
  }
  return nullptr;
}

const char* JsonBool(bool value) { return value ? "true" : "false"; }

// The controls of the detail view and the totals as the window shows them.
void PrintWindowJson(const app::TMainWindow& window, std::ostream& out) {
  const app::TMainWindowState& view = window.Window;
  const app::TOfferWorkspace& ws = window.Workspace;
  const char* focus = FocusName(view.Focus);
  out << "{\"ItemCodeField\": " << JsonString(view.ItemCodeField)
      << ", \"ItemDescriptionField\": " << JsonString(view.ItemDescriptionField)
      << ",\n   \"ItemCountField\": " << JsonString(view.ItemCountField)
      << ", \"ItemPriceField\": " << JsonString(view.ItemPriceField)
      << ", \"ItemTotalField\": " << JsonString(view.ItemTotalField)
      << ",\n   \"CountEntry\": " << JsonString(view.CountEntry) << ", \"PriceEntry\": " << JsonString(view.PriceEntry)
      << ",\n   \"PropertiesBox\": " << JsonStringArray(view.PropertiesBox.Entries())
      << ",\n   \"ItemPicture\": " << JsonString(view.ItemPicture.FileName)
      << ",\n   \"NetTotalField\": " << JsonString(view.NetTotalField) << ", \"VatField\": " << JsonString(view.VatField)
      << ", \"GrossTotalField\": " << JsonString(view.GrossTotalField)
      << ",\n   \"SelectedItemIndex\": " << JsonString(ws.SelectedItemIndex)
      << ", \"EditedItemLine\": " << JsonString(ws.EditedItemLine)
      << ",\n   \"MoveUpButtonEnabled\": " << JsonBool(view.MoveUpButtonEnabled)
      << ", \"MoveDownButtonEnabled\": " << JsonBool(view.MoveDownButtonEnabled)
      << ", \"Focus\": " << (focus ? JsonString(focus) : std::string("null")) << '}';
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
        << JsonStringArray(item.Properties) << ", \"picture\": " << JsonStringOrNull(item.PicturePath)
        << ", \"extra\": " << JsonBool(!item.Imported) << '}';
  }
  out << "],\n \"net\": " << JsonStringOrNull(window.Window.NetTotalField)
      << ", \"vat\": " << JsonStringOrNull(window.Window.VatField)
      << ", \"gross\": " << JsonStringOrNull(window.Window.GrossTotalField) << ",\n \"window\": ";
  PrintWindowJson(window, out);
  out << ",\n \"source_lines\": " << JsonStringArray(ws.SourceLines.Entries())
      << ",\n \"messages\": " << JsonStringArray(messages) << "}\n";
}

// A command with a value: the value taken, the command appended.
TOptionMatch TakeValueCommand(const std::vector<std::string>& args, std::size_t& i, app::TWindowCommandKind kind,
                              TShowOptions& options, std::string& error) {
  std::string value;
  if (!TakeOptionValue(args, i, value, error)) return TOptionMatch::omFailed;
  options.Commands.push_back({kind, value, {}});
  return TOptionMatch::omTaken;
}

TOptionMatch TakeListOption(const std::vector<std::string>& args, std::size_t& i, TShowOptions& options,
                            std::string& error) {
  const bool append = args[i] == "--append";
  std::string path;
  if (!TakeOptionValue(args, i, path, error)) return TOptionMatch::omFailed;
  if (path.empty()) {
    error = "prázdný název seznamu prvků";
    return TOptionMatch::omFailed;
  }
  const bool firstList = !append && options.List.empty() &&
                         std::none_of(options.Commands.begin(), options.Commands.end(), [](const auto& c) {
                           return c.Kind == app::TWindowCommandKind::wcOpenList;
                         });
  if (firstList) {
    options.List = path;  // start-up opens it instead of choosing the newest list
  } else {
    options.Commands.push_back({append ? app::TWindowCommandKind::wcAppendList : app::TWindowCommandKind::wcOpenList, path, {}});
  }
  return TOptionMatch::omTaken;
}

TOptionMatch TakeSelectOption(const std::vector<std::string>& args, std::size_t& i, TShowOptions& options,
                              std::string& error) {
  std::string number;
  if (!TakeOptionValue(args, i, number, error)) return TOptionMatch::omFailed;
  std::int32_t n = 0;
  if (!text::TryStrToInt(number, n) || n < 1) {
    error = "číslo položky musí být kladné celé číslo: " + number;
    return TOptionMatch::omFailed;
  }
  options.Commands.push_back({app::TWindowCommandKind::wcSelect, number, {}});
  return TOptionMatch::omTaken;
}

// Consecutive --extra options are the rows of one dialog.
TOptionMatch TakeExtraOption(const std::vector<std::string>& args, std::size_t& i, TShowOptions& options,
                             std::string& error) {
  const std::size_t at = i;
  std::string row;
  if (!TakeOptionValue(args, i, row, error)) return TOptionMatch::omFailed;
  if (!app::IsExtraItemRow(row)) {
    error = "hodnota volby --extra musí mít tvar KÓD;POPIS;POČET;CENA: " + row;
    return TOptionMatch::omFailed;
  }
  const bool sameDialog = !options.Commands.empty() && options.LastExtraArgument + 2 == at &&
                          options.Commands.back().Kind == app::TWindowCommandKind::wcExtraItems;
  if (sameDialog) {
    options.Commands.back().ExtraRows.push_back(row);
  } else {
    options.Commands.push_back({app::TWindowCommandKind::wcExtraItems, {}, {row}});
  }
  options.LastExtraArgument = at;
  return TOptionMatch::omTaken;
}

}  // namespace

TOptionMatch ParseLoadOption(const std::vector<std::string>& args, std::size_t& i, TShowOptions& options,
                             std::string& error) {
  using app::TWindowCommandKind;
  const std::string& arg = args[i];
  if (arg == "--list" || arg == "--append") return TakeListOption(args, i, options, error);
  if (arg == "--select") return TakeSelectOption(args, i, options, error);
  if (arg == "--count") return TakeValueCommand(args, i, TWindowCommandKind::wcCount, options, error);
  if (arg == "--price") return TakeValueCommand(args, i, TWindowCommandKind::wcPrice, options, error);
  if (arg == "--extra") return TakeExtraOption(args, i, options, error);
  const std::pair<const char*, TWindowCommandKind> buttons[] = {{"--move-up", TWindowCommandKind::wcMoveUp},
                                                                {"--move-down", TWindowCommandKind::wcMoveDown},
                                                                {"--edit-mode", TWindowCommandKind::wcEditMode}};
  for (const auto& [name, kind] : buttons) {
    if (arg != name) continue;
    options.Commands.push_back({kind, {}, {}});
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

namespace {

void WarnOfAListWithoutItems(TCommandDialogs& dialogs, const std::string& path) {
  dialogs.Warn("v seznamu prvků " + path + " nebyla nalezena žádná položka");
}

}  // namespace

app::TStartUpResult LoadOffer(const TShowOptions& options, app::TMainWindow& window, TCommandDialogs& dialogs,
                              std::ostream* hints) {
  app::TFileSystem& fs = window.FileSystem();
  const std::string& folder = window.ArticleListFolder();
  app::TStartUpResult result;
  try {
    if (options.List.empty() && !fs.DirectoryExists(folder)) {
      throw std::runtime_error("složka se seznamy prvků neexistuje: " + folder);
    }
    window.Hooks.RestoreDescription(window);
    if (fs.DirectoryExists(folder)) window.ListArticleFolder();
    if (!options.List.empty()) {
      window.OpenList(options.List);
      result.ListLoaded = true;
    } else {
      if (window.Workspace.CsvFileList.Names().Empty()) {
        throw std::runtime_error("ve složce " + folder + " není žádný seznam prvků (*.csv)");
      }
      result.ListLoaded = window.VyberZpracovaniPoslednihoSouboru();
      result.PictureFolderMissing = !result.ListLoaded;
    }
  } catch (const text::EConvertError& error) {
    dialogs.ShowError(error.what());
    result.Failure = error.what();
    // The hint only where the other separator would have read the text.
    text::TRegionalSettings other = window.Region();
    other.fDecimalSeparator = other.fDecimalSeparator == "," ? "." : ",";
    other.fThousandSeparator.clear();
    double ignored = 0;
    if (hints && !error.Text().empty() && text::TryStrToFloat(error.Text(), ignored, other)) {
      *hints << "(desetinný oddělovač je \"" << window.Region().fDecimalSeparator
             << "\"; jiný lze zadat volbou --decimal-separator)\n";
    }
  } catch (const std::exception& error) {
    dialogs.ShowError(error.what());
    result.Failure = error.what();
  }
  if (result.ListLoaded && window.Workspace.ImportedItemCount == "0") {
    WarnOfAListWithoutItems(dialogs, window.Workspace.CurrentCsvPath);
  }
  return result;
}

namespace {

// The command line counts a list left unloaded for want of its pictures as a
// failed start: there is no offer to show or export.
bool StartedWithOffer(const app::TStartUpResult& result) { return result.Ok() && !result.PictureFolderMissing; }

}  // namespace


bool RunCommandChain(const TShowOptions& options, app::TMainWindow& window, TCommandDialogs& dialogs,
                     bool stopAtFailure) {
  using app::TWindowCommandKind;
  bool allDone = true;
  for (const app::TWindowCommand& command : options.Commands) {
    if (command.Kind == TWindowCommandKind::wcExtraItems) dialogs.SetExtraItemRows(command.ExtraRows);
    const std::string importedBefore = window.Workspace.ImportedItemCount;
    if (app::RunWindowCommand(window, command)) {
      // An opened list without items, or an appended one that added none.
      const std::string& imported = window.Workspace.ImportedItemCount;
      if ((command.Kind == TWindowCommandKind::wcOpenList && imported == "0") ||
          (command.Kind == TWindowCommandKind::wcAppendList && imported == importedBefore)) {
        WarnOfAListWithoutItems(dialogs, command.Value);
      }
      continue;
    }
    allDone = false;
    if (stopAtFailure) break;
  }
  return allDone;
}

int RunOnOffer(const TShowOptions& options, app::TFileSystem& fs, std::ostream& err,
               const std::function<int(app::TMainWindow&)>& action) {
  TCommandDialogs dialogs(&err);
  app::TMainWindow window(fs, dialogs, LoadSettings(options));
  if (!StartedWithOffer(LoadOffer(options, window, dialogs, &err))) return 1;
  if (!RunCommandChain(options, window, dialogs, true)) return 1;
  try {
    return action(window);
  } catch (const std::exception& error) {
    dialogs.ShowError(error.what());
    return 1;
  }
}

int RunShow(const TShowOptions& options, app::TFileSystem& fs, std::ostream& out, std::ostream& err) {
  // Without --json the window's boxes go to stderr as they are shown; with it
  // they are the object's "messages" (and, for failures, stderr too).
  TCommandDialogs dialogs(&err, options.Json);
  app::TMainWindow window(fs, dialogs, LoadSettings(options));
  const bool started = StartedWithOffer(LoadOffer(options, window, dialogs, options.Json ? nullptr : &err));
  if (!options.Json && !started) return 1;
  // As in the window, a failing command does not stop the ones after it.
  const bool allDone = RunCommandChain(options, window, dialogs, false);
  if (options.Json) {
    PrintOfferJson(window, dialogs.Messages(), out);
  } else {
    PrintOffer(window, out);
  }
  return started && allDone ? 0 : 1;
}

}  // namespace cli
