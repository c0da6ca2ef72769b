#include "app/UserRegion.h"

#include <cstdlib>
#include <string>

namespace app {

text::TRegionalSettings UserRegion() {
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') continue;
    const std::string locale = value;
    if (locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0) break;
    return text::TRegionalSettings::FromUserLocale();
  }
  return text::TRegionalSettings::Czech();
}

}  // namespace app
