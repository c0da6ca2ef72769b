#pragma once

#include <string>

#include "app/FileSystem.h"
#include "app/TextTables.h"

namespace app {

// A view of the files of one folder that match a mask, ascending by name
// without regard to case. It reads the disk only when it is set to a folder
// other than the one it shows: setting the same folder again keeps the
// earlier listing, even if the folder has changed since.
class TFolderListing {
 public:
  explicit TFolderListing(std::string mask) : fMask(std::move(mask)) {}

  const std::string& Folder() const { return fFolder; }
  const std::string& Mask() const { return fMask; }
  const TTextList& Names() const { return fNames; }
  bool Shows(const std::string& folder) const { return fHasFolder && fFolder == folder; }

  TFolderListing& SetFolder(const TFileSystem& fs, const std::string& folder);
  // Shows no folder; the next SetFolder reads the disk.
  TFolderListing& Reset();

 private:
  std::string fMask;
  std::string fFolder;
  bool fHasFolder = false;
  TTextList fNames;
};

// The directory view of a folder: its path components (the root first, the
// folder's own name last), then its sub-folder names, ascending without
// regard to case.
class TDirectoryView {
 public:
  const std::string& Folder() const { return fFolder; }
  const TTextList& Entries() const { return fEntries; }
  std::size_t ComponentCount() const { return fComponentCount; }

  TDirectoryView& SetFolder(const TFileSystem& fs, const std::string& folder);

 private:
  std::string fFolder;
  bool fHasFolder = false;
  std::size_t fComponentCount = 0;
  TTextList fEntries;
};

}  // namespace app
