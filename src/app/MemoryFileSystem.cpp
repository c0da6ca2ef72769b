#include "app/MemoryFileSystem.h"

#include <algorithm>

#include "app/Paths.h"
#include "app/TextOrder.h"

namespace app {

// Folders are kept with "/" between names; on Windows "\\" separates them
// as well, as it does on the disk there.
std::string TMemoryFileSystem::Normal(const std::string& path) {
  std::string p = path;
  if (kPathDelimiter == '\\') std::replace(p.begin(), p.end(), '\\', '/');
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  return p;
}

std::string TMemoryFileSystem::ParentOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string TMemoryFileSystem::NameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

TMemoryFileSystem& TMemoryFileSystem::AddFolder(const std::string& path) {
  for (std::string p = Normal(path); !p.empty() && fFolders.insert(p).second; p = ParentOf(p)) {
    if (p == "/") break;
  }
  return *this;
}

TMemoryFileSystem& TMemoryFileSystem::AddFile(const std::string& path, std::string bytes, TLocalDateTime written) {
  const std::string p = Normal(path);
  fFiles[p] = TFile{std::move(bytes), written, true};
  const std::string parent = ParentOf(p);
  if (!parent.empty()) AddFolder(parent);
  return *this;
}

TMemoryFileSystem& TMemoryFileSystem::SetTimeUnreadable(const std::string& path) {
  fFiles.at(Normal(path)).Written.reset();
  return *this;
}

TMemoryFileSystem& TMemoryFileSystem::SetUnreadable(const std::string& path) {
  fFiles.at(Normal(path)).Readable = false;
  return *this;
}

TMemoryFileSystem& TMemoryFileSystem::SetNotWritable(const std::string& path) {
  fNotWritable.insert(Normal(path));
  return *this;
}

TMemoryFileSystem& TMemoryFileSystem::Remove(const std::string& path) {
  fFiles.erase(Normal(path));
  fFolders.erase(Normal(path));
  return *this;
}

bool TMemoryFileSystem::FileExists(const std::string& path) const { return fFiles.count(Normal(path)) > 0; }

bool TMemoryFileSystem::DirectoryExists(const std::string& path) const { return fFolders.count(Normal(path)) > 0; }

std::vector<std::string> TMemoryFileSystem::ListFiles(const std::string& folder, const std::string& mask) const {
  const std::string f = Normal(folder);
  if (!DirectoryExists(f)) throw EInOutError(EInOutError::kPathNotFound);
  std::vector<std::string> names;
  for (const auto& [path, file] : fFiles) {
    if (ParentOf(path) == f && MatchesMask(NameOf(path), mask)) names.push_back(NameOf(path));
  }
  return names;
}

std::vector<std::string> TMemoryFileSystem::ListSubFolders(const std::string& folder) const {
  const std::string f = Normal(folder);
  if (!DirectoryExists(f)) throw EInOutError(EInOutError::kPathNotFound);
  std::vector<std::string> names;
  for (const auto& path : fFolders) {
    if (path != f && ParentOf(path) == f) names.push_back(NameOf(path));
  }
  return names;
}

std::optional<TLocalDateTime> TMemoryFileSystem::LastWriteTime(const std::string& path) const {
  const auto it = fFiles.find(Normal(path));
  if (it == fFiles.end()) return std::nullopt;
  return it->second.Written;
}

std::string TMemoryFileSystem::ReadFile(const std::string& path) const {
  const auto it = fFiles.find(Normal(path));
  if (it == fFiles.end()) {
    throw EInOutError(DirectoryExists(ParentOf(Normal(path))) ? EInOutError::kFileNotFound
                                                               : EInOutError::kPathNotFound);
  }
  if (!it->second.Readable) throw EInOutError(EInOutError::kAccessDenied);
  return it->second.Bytes;
}

void TMemoryFileSystem::WriteFile(const std::string& path, const std::string& bytes) {
  const std::string p = Normal(path);
  if (!DirectoryExists(ParentOf(p))) throw EInOutError(EInOutError::kPathNotFound);
  if (fNotWritable.count(p) > 0) throw EInOutError(EInOutError::kAccessDenied);
  fFiles[p] = TFile{bytes, TLocalDateTime{}, true};
}

void TMemoryFileSystem::DeleteFile(const std::string& path) {
  if (fFiles.erase(Normal(path)) == 0) throw EInOutError(EInOutError::kFileNotFound);
}

}  // namespace app
