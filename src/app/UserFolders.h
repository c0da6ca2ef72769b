#pragma once

#include <string>

// Where the programs look when told nothing: the user's folders as the
// system names them ($HOME on POSIX systems, the shell's known folders on
// Windows; UserFolders.cpp, UserFolders[Win32].cpp).
namespace app {

// The folder the window opens without --folder: the environment's
// NABIDKA_FOLDER, else ~/pCon_article_lists on POSIX systems and
// C:\pCon_article_lists (on the system's drive) on Windows. UTF-8.
std::string DefaultWindowFolder();

}  // namespace app
