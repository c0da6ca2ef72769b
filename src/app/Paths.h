#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace app {

#ifdef _WIN32
constexpr char kPathDelimiter = '\\';
#else
constexpr char kPathDelimiter = '/';
#endif

// The fixed folder the planner exports its article lists into.
std::string DefaultArticleListFolder();

// folder + the platform's delimiter + name.
std::string JoinPath(std::string_view folder, std::string_view name);
// The text after the last path delimiter ('\' and '/' on Windows, '/' elsewhere).
std::string ExtractFileName(std::string_view path);
// The components of a folder path as a directory view shows them: the root
// first ("C:\" or "/"), then each folder name down to the folder itself.
std::vector<std::string> PathComponents(std::string_view folder);
// Where the offer of an article list is exported: the list's path with
// "xlsx" for its extension ("K.csv" -> "K.xlsx"; a name without one gets
// ".xlsx"), so every list has its own workbook beside it.
std::string ExportFilePathFor(std::string_view csvPath);

}  // namespace app
