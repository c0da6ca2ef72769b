#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "app/FileSystem.h"
#include "cli/ShowCommand.h"

namespace cli {

// Options of `nabidka-cli export`: the offer is loaded as `show` loads it
// (its Json option is not used).
struct TExportOptions {
  TShowOptions Load;
  int Layout = 0;                          // 0 offer with pictures, 1 order
  bool CustomerHeader = true;
  std::optional<std::string> Description;  // none: what start-up restored
  std::optional<int> Customer;              // 1-based chooser entry
  std::optional<std::string> CustomerName;  // a text typed into the chooser
  std::string Output;                      // empty: the list's path with "xlsx"
  bool AllowEmpty = false;                 // write an offer without any item
};

// Parses the arguments after "export". Returns false with a message in `error`.
bool ParseExportOptions(const std::vector<std::string>& args, TExportOptions& options, std::string& error);

// Loads the offer, writes it without a dialog to the output path (the format
// follows its extension) and prints the written path. Nothing is opened.
// Returns the exit code: 0, or 1 after printing the failure to `err`.
int RunExport(const TExportOptions& options, app::TFileSystem& fs, std::ostream& out, std::ostream& err);

}  // namespace cli
