#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/Dialogs.h"
#include "app/MainWindow.h"
#include "text/CodePage.h"
#include "text/RegionalSettings.h"

namespace cli {

// The program is made for Czech dealers: when the environment names no
// locale at all (plain C or POSIX), the Czech regional settings apply.
text::TRegionalSettings DefaultRegion();

std::string WithoutTrailingDelimiters(std::string path);

// Options every command takes: where the lists are, the ANSI code page of
// their text files and the regional settings (the user's, item by item
// overridden).
struct TCommonOptions {
  std::string Folder;  // article-list folder; empty: the command's default
  int CodePage = text::kDefaultAnsiCodePage;
  std::optional<std::string> DecimalSeparator;
  std::optional<std::string> ThousandSeparator;  // may be empty: no grouping
  std::optional<std::string> ShortDateFormat;    // already in the record's notation
  std::optional<std::string> LongTimeFormat;
  bool Help = false;

  // DefaultRegion() with the overrides. A grouping separator equal to the
  // overridden decimal one is dropped, as a locale that makes them equal is read.
  text::TRegionalSettings Region() const;
  // The window's settings; `folder` stands in for an empty Folder.
  app::TMainWindowSettings WindowSettings(const std::string& folder) const;
};

enum class TOptionMatch { omNotMine, omTaken, omFailed };

// Whether parsing goes on after a shared parser's answer for `arg`; an option
// that no parser takes is an error.
bool AcceptOption(TOptionMatch match, const std::string& arg, std::string& error);

// The value of option args[i], advancing i over it. False with a message in
// `error` when the arguments end.
bool TakeOptionValue(const std::vector<std::string>& args, std::size_t& i, std::string& target, std::string& error);

// Takes args[i] (and its value) when it is one of the common options.
TOptionMatch ParseCommonOption(const std::vector<std::string>& args, std::size_t& i, TCommonOptions& options,
                               std::string& error);

// A date or time format in the date-time notation (d, m, y, h, n for minutes,
// s, am/pm; any case; "m" right after an hour means minutes) turned into the
// regional record's (M month, m minutes, H 24-hour or h with AMPM). Nothing
// when it holds a letter that is no part of the notation.
std::optional<std::string> RegionalFormatFromDateTimeFormat(std::string_view format);

// The window's message and error boxes for a command line: every text is kept
// in order and, when an echo stream is given, also written there at once
// (errors after "Chyba: ").
class TCommandDialogs : public app::TDialogs {
 public:
  // With errorsOnly, plain messages are only kept, not echoed.
  explicit TCommandDialogs(std::ostream* echo = nullptr, bool errorsOnly = false)
      : fEcho(echo), fEchoErrorsOnly(errorsOnly) {}

  std::optional<std::string> OpenFile(const app::TOpenDialogOptions&) override { return std::nullopt; }
  void ShowMessage(const std::string& message) override;
  void ShowError(const std::string& message) override;
  // A warning of the command line's own: kept with the messages and always
  // written to the echo stream (after "Upozornění: ").
  void Warn(const std::string& message);
  // The next dialog is filled with these rows and confirmed.
  void SetExtraItemRows(std::vector<std::string> rows) { fExtraRows = std::move(rows); }
  // Fills the dialog with the rows set last, or closes it unconfirmed when none are.
  void ShowExtraItemsDialog(app::TForm1& dialog) override;

  const std::vector<std::string>& Messages() const { return fMessages; }
  bool Failed() const { return fFailed; }

 private:
  std::ostream* fEcho;
  bool fEchoErrorsOnly;
  std::vector<std::string> fMessages;
  std::optional<std::vector<std::string>> fExtraRows;
  bool fFailed = false;
};

}  // namespace cli
