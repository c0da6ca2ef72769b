// The seed corpus of fuzz_article_list, and what the fuzzer found, replayed
// through the same entry: no crash, leak or hang on any of them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ArticleListEntry.h"

namespace {

TEST(ArticleListFuzzReplay, EveryCorpusFileRunsThrough) {
  const std::filesystem::path corpus = std::filesystem::path(NABIDKA_SOURCE_DIR) / "fuzz" / "corpus" / "article_list";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    nabidka_fuzz::RunArticleList(bytes);
    ++files;
  }
  EXPECT_GE(files, 6);
}

}  // namespace
