#include "cli/CustomersCommand.h"

#include <cstdlib>
#include <ostream>

#include "cli/CliSupport.h"
#include "app/MainWindow.h"
#include "app/Paths.h"
#include "text/Utf8.h"

namespace cli {

namespace {

// Messages and errors the window would show, in order.
class TRecordingDialogs : public app::TDialogs {
 public:
  std::vector<std::string> Shown;
  bool Failed = false;

  std::optional<std::string> OpenFile(const app::TOpenDialogOptions&) override { return std::nullopt; }
  void ShowMessage(const std::string& message) override { Shown.push_back(message); }
  void ShowError(const std::string& message) override {
    Shown.push_back(message);
    Failed = true;
  }
};



void PrintJsonList(std::ostream& out, const std::vector<std::string>& texts) {
  out << '[';
  for (std::size_t i = 0; i < texts.size(); ++i) out << (i > 0 ? ", " : "") << JsonString(texts[i]);
  out << ']';
}

void PrintJson(const app::TMainWindow& window, const std::vector<std::string>& messages, std::ostream& out) {
  const app::TTextGrid& grid = window.Workspace.CustomerGrid;
  out << "{\"grid\": [";
  for (std::size_t r = 0; r < grid.RowCount(); ++r) {
    std::vector<std::string> row;
    for (std::size_t c = 0; c < grid.ColCount(); ++c) {
      row.push_back(grid.Cell(static_cast<std::ptrdiff_t>(c), static_cast<std::ptrdiff_t>(r)));
    }
    out << (r > 0 ? ",\n  " : "\n  ");
    PrintJsonList(out, row);
  }
  out << "],\n \"entries\": ";
  PrintJsonList(out, window.Window.CustomerChoiceItems.Entries());
  out << ",\n \"messages\": ";
  PrintJsonList(out, messages);
  out << "}\n";
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

std::string JsonString(std::string_view utf8) {
  static constexpr char kHex[] = "0123456789abcdef";
  const std::string text = text::SanitizeUtf8(utf8);
  std::string out = "\"";
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    switch (ch) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          out += "\\u00";
          out += kHex[byte >> 4];
          out += kHex[byte & 0xF];
        } else {
          out += ch;
        }
    }
  }
  out += '"';
  return out;
}

bool ParseCustomersOptions(const std::vector<std::string>& args, TCustomersOptions& options, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string& target) {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        error = "chybí hodnota volby " + arg;
        return false;
      }
      target = args[++i];
      return true;
    };
    if (arg == "--folder") {
      if (!value(options.Folder)) return false;
    } else if (arg == "--file") {
      if (!value(options.File)) return false;
    } else if (arg == "--json") {
      options.Json = true;
    } else {
      error = "neznámá volba " + arg;
      return false;
    }
  }
  return true;
}

int RunCustomers(const TCustomersOptions& options, app::TFileSystem& fs, std::ostream& out, std::ostream& err) {
  app::TMainWindowSettings settings;
  settings.Region = DefaultRegion();
  settings.ArticleListFolder =
      options.Folder.empty() ? app::DefaultArticleListFolder() : WithoutTrailingDelimiters(options.Folder);
  TRecordingDialogs dialogs;
  app::TMainWindow window(fs, dialogs, settings);
  const std::string path = options.File.empty() ? window.CustomerListFilePath() : options.File;

  // Start-up steps 4 and 5: a failure leaves the chooser as the window shows it then.
  window.RunCommand([&] {
    window.ReadCustomerList(path);
    window.FillCustomerChoice();
  });

  if (options.Json) {
    PrintJson(window, dialogs.Shown, out);
  } else if (dialogs.Failed) {
    for (const std::string& message : dialogs.Shown) err << "Chyba: " << message << '\n';
  } else {
    PrintEntries(window, path, out);
  }
  return dialogs.Failed ? 1 : 0;
}

}  // namespace cli
