#include "app/UserFolders.h"

#include <cstdlib>

#include "app/Paths.h"

namespace app {

std::string DefaultWindowFolder() {
  if (const char* folder = std::getenv("NABIDKA_FOLDER"); folder && *folder) return folder;
  if (const char* home = std::getenv("HOME"); home && *home) return JoinPath(home, "pCon_article_lists");
  return DefaultArticleListFolder();
}

}  // namespace app
