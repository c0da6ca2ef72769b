#include "app/Paths.h"

namespace app {

namespace {

bool IsDelimiter(char c) {
#ifdef _WIN32
  return c == '\\' || c == '/';
#else
  return c == '/';
#endif
}

}  // namespace

std::string DefaultArticleListFolder() {
#ifdef _WIN32
  return "C:\\pCon_article_lists";
#else
  return "pCon_article_lists";
#endif
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  path += kPathDelimiter;
  path += name;
  return path;
}

std::string ExtractFileName(std::string_view path) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (IsDelimiter(path[i - 1])) return std::string(path.substr(i));
  }
  return std::string(path);
}

std::string ExportFilePathFor(std::string_view csvPath) {
  const std::string name = ExtractFileName(csvPath);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return std::string(csvPath) + ".xlsx";
  return std::string(csvPath.substr(0, csvPath.size() - (name.size() - dot - 1))) + "xlsx";
}

std::vector<std::string> PathComponents(std::string_view folder) {
  std::vector<std::string> parts;
  std::size_t pos = 0;
  if (!folder.empty() && IsDelimiter(folder[0])) {
    parts.emplace_back(1, kPathDelimiter);
    pos = 1;
  } else if (folder.size() >= 2 && folder[1] == ':') {
    parts.push_back(std::string(folder.substr(0, 2)) + kPathDelimiter);
    pos = folder.size() > 2 && IsDelimiter(folder[2]) ? 3 : 2;
  }
  std::string current;
  for (; pos <= folder.size(); ++pos) {
    if (pos == folder.size() || IsDelimiter(folder[pos])) {
      if (!current.empty() && current != ".") parts.push_back(current);
      current.clear();
    } else {
      current += folder[pos];
    }
  }
  return parts;
}

}  // namespace app
