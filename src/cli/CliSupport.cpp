#include "cli/CliSupport.h"

#include <cstdlib>
#include <ostream>

#include "app/Paths.h"
#include "app/UserRegion.h"
#include "app/WindowCommands.h"
#include "text/Conversion.h"
#include "text/Utf16.h"

namespace cli {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithNoCase(std::string_view text, std::size_t pos, std::string_view prefix) {
  if (text.size() - pos < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (Lower(text[pos + i]) != prefix[i]) return false;
  }
  return true;
}

bool HasAmPm(std::string_view format) {
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "ampm") ||
        StartsWithNoCase(format, i, "a/p")) {
      return true;
    }
  }
  return false;
}

// The first character that is no letter and no blank: the record's separator.
std::optional<std::string> FirstSeparator(std::string_view format) {
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = Lower(format[i]);
    if ((c >= 'a' && c <= 'z') || c == ' ' || c == '"' || c == '\'') continue;
    std::size_t end = i + 1;
    while (end < format.size() && (static_cast<unsigned char>(format[end]) & 0xC0) == 0x80) ++end;
    return std::string(format.substr(i, end - i));
  }
  return std::nullopt;
}

bool TakeSingleCharacter(const std::vector<std::string>& args, std::size_t& i, std::optional<std::string>& target,
                         bool mayBeEmpty, std::string& error) {
  const std::string& option = args[i];
  std::string value;
  if (!TakeOptionValue(args, i, value, error)) return false;
  if (text::Utf16Length(value) != 1 && !(mayBeEmpty && value.empty())) {
    error = "hodnota volby " + option + " musí být jeden znak" + (mayBeEmpty ? " (nebo prázdná)" : "");
    return false;
  }
  target = value;
  return true;
}

bool TakeFormat(const std::vector<std::string>& args, std::size_t& i, std::optional<std::string>& target,
                std::string& error) {
  const std::string& option = args[i];
  std::string value;
  if (!TakeOptionValue(args, i, value, error)) return false;
  target = RegionalFormatFromDateTimeFormat(value);
  if (!target || target->empty()) {
    error = "neplatný formát " + option + " \"" + value +
            "\" (povolené jsou d, m, y, h, n, s, am/pm a oddělovače, např. dd.mm.yyyy nebo hh:nn:ss)";
    return false;
  }
  return true;
}

}  // namespace

text::TRegionalSettings DefaultRegion() { return app::UserRegion(); }

std::string WithoutTrailingDelimiters(std::string path) {
  while (path.size() > 1 && (path.back() == '/' || path.back() == app::kPathDelimiter)) path.pop_back();
  return path;
}

text::TRegionalSettings TCommonOptions::Region() const {
  text::TRegionalSettings region = DefaultRegion();
  if (DecimalSeparator) {
    region.fDecimalSeparator = *DecimalSeparator;
    if (!ThousandSeparator && region.fThousandSeparator == region.fDecimalSeparator) region.fThousandSeparator.clear();
  }
  if (ThousandSeparator) region.fThousandSeparator = *ThousandSeparator;
  if (ShortDateFormat) {
    region.fShortDateFormat = *ShortDateFormat;
    if (const auto separator = FirstSeparator(*ShortDateFormat)) region.fDateSeparator = *separator;
  }
  if (LongTimeFormat) {
    region.fLongTimeFormat = *LongTimeFormat;
    if (const auto separator = FirstSeparator(*LongTimeFormat)) region.fTimeSeparator = *separator;
  }
  return region;
}

app::TMainWindowSettings TCommonOptions::WindowSettings(const std::string& folder) const {
  app::TMainWindowSettings settings;
  settings.Region = Region();
  settings.AnsiCodePage = CodePage;
  settings.ArticleListFolder = Folder.empty() ? folder : WithoutTrailingDelimiters(Folder);
  return settings;
}

bool TakeOptionValue(const std::vector<std::string>& args, std::size_t& i, std::string& target, std::string& error) {
  if (i + 1 >= args.size()) {
    error = "chybí hodnota volby " + args[i];
    return false;
  }
  target = args[++i];
  return true;
}

TOptionMatch ParseCommonOption(const std::vector<std::string>& args, std::size_t& i, TCommonOptions& options,
                               std::string& error) {
  const std::string& arg = args[i];
  bool ok = true;
  if (arg == "--help" || arg == "-h") {
    options.Help = true;
  } else if (arg == "--folder") {
    ok = TakeOptionValue(args, i, options.Folder, error);
    if (ok && options.Folder.empty()) {
      error = "prázdný název složky";
      ok = false;
    }
  } else if (arg == "--codepage") {
    std::string value;
    ok = TakeOptionValue(args, i, value, error);
    std::int32_t codePage = 0;
    if (ok && (!text::TryStrToInt(value, codePage) || !text::IsSupportedCodePage(codePage))) {
      error = "nepodporovaná kódová stránka " + value + " (874, 1250 až 1258 nebo 850)";
      ok = false;
    }
    if (ok) options.CodePage = codePage;
  } else if (arg == "--decimal-separator") {
    ok = TakeSingleCharacter(args, i, options.DecimalSeparator, false, error);
  } else if (arg == "--thousands-separator") {
    ok = TakeSingleCharacter(args, i, options.ThousandSeparator, true, error);
  } else if (arg == "--short-date-format") {
    ok = TakeFormat(args, i, options.ShortDateFormat, error);
  } else if (arg == "--long-time-format") {
    ok = TakeFormat(args, i, options.LongTimeFormat, error);
  } else {
    return TOptionMatch::omNotMine;
  }
  if (ok && options.DecimalSeparator && options.ThousandSeparator &&
      *options.DecimalSeparator == *options.ThousandSeparator) {
    error = "desetinný oddělovač a oddělovač tisíců musí být různé";
    ok = false;
  }
  return ok ? TOptionMatch::omTaken : TOptionMatch::omFailed;
}

std::optional<std::string> RegionalFormatFromDateTimeFormat(std::string_view format) {
  const bool twelveHour = HasAmPm(format);
  std::string out;
  bool afterHour = false;
  std::size_t i = 0;
  while (i < format.size()) {
    const char c = Lower(format[i]);
    if (c == '"' || c == '\'') {  // a quoted literal passes unchanged
      const std::size_t close = format.find(format[i], i + 1);
      const std::size_t end = close == std::string_view::npos ? format.size() : close + 1;
      out += format.substr(i, end - i);
      i = end;
      continue;
    }
    if (StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "ampm") ||
        StartsWithNoCase(format, i, "a/p")) {
      out += "AMPM";
      i += StartsWithNoCase(format, i, "am/pm") ? 5 : StartsWithNoCase(format, i, "ampm") ? 4 : 3;
      continue;
    }
    if (c < 'a' || c > 'z') {
      out += format[i++];
      continue;
    }
    std::size_t run = 0;
    while (i + run < format.size() && Lower(format[i + run]) == c) ++run;
    i += run;
    switch (c) {
      case 'd': case 'y': case 's':
        out.append(run, c);
        afterHour = false;
        break;
      case 'h':
        out.append(run, twelveHour ? 'h' : 'H');
        afterHour = true;
        break;
      case 'n':
        out.append(run, 'm');
        afterHour = false;
        break;
      case 'm':
        out.append(run, afterHour && run <= 2 ? 'm' : 'M');
        afterHour = false;
        break;
      default:
        return std::nullopt;
    }
  }
  return out;
}

void TCommandDialogs::ShowMessage(const std::string& message) {
  fMessages.push_back(message);
  if (fEcho && !fEchoErrorsOnly) *fEcho << message << '\n';
}

void TCommandDialogs::ShowError(const std::string& message) {
  fMessages.push_back(message);
  fFailed = true;
  if (fEcho) *fEcho << "Chyba: " << message << '\n';
}

void TCommandDialogs::Warn(const std::string& message) {
  fMessages.push_back("Upozornění: " + message);
  if (fEcho) *fEcho << "Upozornění: " << message << '\n';
}

void TCommandDialogs::ShowExtraItemsDialog(app::TForm1& dialog) {
  if (!fExtraRows) {
    dialog.Cancel();
    return;
  }
  const std::vector<std::string> rows = std::move(*fExtraRows);
  fExtraRows.reset();
  app::FillExtraItemsDialog(dialog, rows);
}

bool AcceptOption(TOptionMatch match, const std::string& arg, std::string& error) {
  switch (match) {
    case TOptionMatch::omTaken: return true;
    case TOptionMatch::omFailed: return false;
    case TOptionMatch::omNotMine: break;
  }
  error = "neznámá volba " + arg;
  return false;
}

}  // namespace cli
