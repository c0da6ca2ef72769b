#include "cli/CliSupport.h"

#include <cstdlib>

#include "app/Paths.h"

namespace cli {

text::TRegionalSettings DefaultRegion() {
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') continue;
    const std::string locale = value;
    if (locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0) break;
    return text::TRegionalSettings::FromUserLocale();
  }
  return text::TRegionalSettings::Czech();
}

std::string WithoutTrailingDelimiters(std::string path) {
  while (path.size() > 1 && (path.back() == '/' || path.back() == app::kPathDelimiter)) path.pop_back();
  return path;
}

}  // namespace cli
