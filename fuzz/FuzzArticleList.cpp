// libFuzzer target: an article list through the whole offer (ArticleListEntry.h).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ArticleListEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nabidka_fuzz::RunArticleList(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
