#include "sheet/ReplacementFileNames.h"

#include <random>
#include <vector>

#include "sheet/ReplacementFile.h"
#include "text/PathText.h"

namespace sheet {

namespace fs = std::filesystem;

fs::path TemporaryNameFor(const fs::path& target) {
  static std::mt19937_64 random{std::random_device{}()};
  fs::path candidate = target;
  candidate += ".~" + std::to_string(random() % 1000000000ULL) + ".tmp";
  return candidate;
}

void RemoveStaleTemporaries(const fs::path& target) {
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::error_code ec;
  std::vector<fs::path> stale;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (TReplacementFile::IsTemporaryFor(it->path(), target)) stale.push_back(it->path());
  }
  for (const fs::path& path : stale) fs::remove(path, ec);
}

std::string FullTargetName(const fs::path& target) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(target, ec);
  return text::Utf8FromPath(ec ? target : absolute);
}

bool TReplacementFile::IsTemporaryFor(const fs::path& candidate, const fs::path& target) {
  const std::string name = text::Utf8FromPath(candidate.filename());
  const std::string prefix = text::Utf8FromPath(target.filename()) + ".~";
  if (name.size() <= prefix.size() + 4 || name.compare(0, prefix.size(), prefix) != 0 || !name.ends_with(".tmp")) {
    return false;
  }
  for (std::size_t i = prefix.size(); i + 4 < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return false;
  }
  return true;
}

}  // namespace sheet
