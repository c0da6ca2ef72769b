#pragma once

#include <string>
#include <vector>

// The command line and the console as the program sees them, in UTF-8 on
// every system (Console.cpp, ConsoleWin32.cpp).
namespace cli {

// The program's arguments without its name. On Windows they are read as
// UTF-16 from the system, whatever the ANSI code page makes of argv.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Makes the console show the UTF-8 the program writes (Windows); a failure,
// as when the output is a pipe, changes nothing.
void PrepareConsole();

}  // namespace cli
