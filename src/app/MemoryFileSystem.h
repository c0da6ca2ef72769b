#pragma once

#include <map>
#include <set>
#include <string>

#include "app/FileSystem.h"

namespace app {

// An in-memory file system for tests and previews. Paths use '/' between
// components (on Windows '\\' too); a trailing delimiter is ignored. Adding a file creates its folders.
class TMemoryFileSystem : public TFileSystem {
 public:
  TMemoryFileSystem& AddFile(const std::string& path, std::string bytes, TLocalDateTime written = {2024, 1, 1, 12, 0, 0});
  TMemoryFileSystem& AddFolder(const std::string& path);
  // A file whose time stamp cannot be read.
  TMemoryFileSystem& SetTimeUnreadable(const std::string& path);
  TMemoryFileSystem& SetUnreadable(const std::string& path);
  // Writing to the path fails with "File access denied"; an existing file stays as it was.
  TMemoryFileSystem& SetNotWritable(const std::string& path);
  TMemoryFileSystem& Remove(const std::string& path);

  bool FileExists(const std::string& path) const override;
  bool DirectoryExists(const std::string& path) const override;
  std::vector<std::string> ListFiles(const std::string& folder, const std::string& mask) const override;
  std::vector<std::string> ListSubFolders(const std::string& folder) const override;
  std::optional<TLocalDateTime> LastWriteTime(const std::string& path) const override;
  std::string ReadFile(const std::string& path) const override;
  void WriteFile(const std::string& path, const std::string& bytes) override;
  void DeleteFile(const std::string& path) override;

 private:
  struct TFile {
    std::string Bytes;
    std::optional<TLocalDateTime> Written;
    bool Readable = true;
  };
  static std::string Normal(const std::string& path);
  static std::string ParentOf(const std::string& path);
  static std::string NameOf(const std::string& path);

  std::map<std::string, TFile> fFiles;
  std::set<std::string> fFolders;
  std::set<std::string> fNotWritable;
};

}  // namespace app
