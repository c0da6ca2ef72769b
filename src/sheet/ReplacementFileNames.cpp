#include "sheet/ReplacementFileNames.h"

#include <cstdio>
#include <random>
#include <vector>

#include "sheet/ReplacementFile.h"
#include "text/PathText.h"

namespace sheet {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefix = ".~nabidka-";
constexpr std::string_view kSuffix = ".tmp";
constexpr std::size_t kDigits = 16;

}  // namespace

fs::path TemporaryNameIn(const fs::path& folder) {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  char digits[kDigits + 1];
  std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(random()));
  return folder / (std::string(kPrefix) + digits + std::string(kSuffix));
}

bool IsOurTemporary(const fs::path& candidate) {
  const std::string name = text::Utf8FromPath(candidate.filename());
  if (name.size() != kPrefix.size() + kDigits + kSuffix.size() || !name.starts_with(kPrefix) ||
      !name.ends_with(kSuffix)) {
    return false;
  }
  for (std::size_t i = kPrefix.size(); i < kPrefix.size() + kDigits; ++i) {
    const char c = name[i];
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

bool TReplacementFile::IsTemporary(const fs::path& candidate) { return IsOurTemporary(candidate); }

void RemoveStaleTemporaries(const fs::path& folder) {
  std::error_code ec;
  std::vector<fs::path> ours;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (IsOurTemporary(it->path())) ours.push_back(it->path());
  }
  for (const fs::path& path : ours) RemoveIfStale(path);
}

fs::path ResolvedTarget(const fs::path& target) {
  fs::path resolved = target;
  std::error_code ec;
  // A loop of links ends the walk; the save then fails on the name as given.
  for (int hops = 0; hops < 40 && fs::is_symlink(resolved, ec); ++hops) {
    const fs::path next = fs::read_symlink(resolved, ec);
    if (ec) break;
    resolved = next.is_absolute() ? next : FolderOf(resolved) / next;
  }
  return resolved;
}

fs::path FolderOf(const fs::path& file) {
  const fs::path folder = file.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

std::string FullTargetName(const fs::path& target) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(target, ec);
  return text::Utf8FromPath(ec ? target : absolute);
}

}  // namespace sheet
