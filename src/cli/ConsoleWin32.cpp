#include "cli/Console.h"

#include <windows.h>
#include <shellapi.h>

#include "text/Utf16.h"

namespace cli {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>{};
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(text::ToUtf8(reinterpret_cast<const char16_t*>(wide[i])));
  LocalFree(wide);
  return args;
}

void PrepareConsole() { SetConsoleOutputCP(CP_UTF8); }

}  // namespace cli
