#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "app/FileSystem.h"
#include "cli/CliSupport.h"

namespace cli {

// Options of `nabidka-cli customers`.
struct TCustomersOptions {
  TCommonOptions Common;
  std::string File;  // a customer list to read instead of the folder's
  bool Json = false;
};

// Parses the arguments after "customers". Returns false with a message in `error`.
bool ParseCustomersOptions(const std::vector<std::string>& args, TCustomersOptions& options, std::string& error);

// Reads the customer list as the window does at start-up and prints the
// chooser's entries, each with the customer fields choosing it fills in.
// With Json: {"grid": [[row 0 texts], ...], "entries": [...], "messages": [...]}
// ("messages" holds what the window would have shown, errors included).
// Returns 0, or 1 when the list could not be read.
int RunCustomers(const TCustomersOptions& options, app::TFileSystem& fs, std::ostream& out, std::ostream& err);

}  // namespace cli
