#include "app/FolderListing.h"

#include "app/Paths.h"
#include "app/TextOrder.h"

namespace app {

TFolderListing& TFolderListing::SetFolder(const TFileSystem& fs, const std::string& folder) {
  if (Shows(folder)) return *this;
  std::vector<std::string> names = fs.ListFiles(folder, fMask);
  SortTextsNoCase(names);
  fNames.Clear();
  for (auto& name : names) fNames.Add(std::move(name));
  fFolder = folder;
  fHasFolder = true;
  return *this;
}

TFolderListing& TFolderListing::Reset() {
  fFolder.clear();
  fHasFolder = false;
  fNames.Clear();
  return *this;
}

TDirectoryView& TDirectoryView::SetFolder(const TFileSystem& fs, const std::string& folder) {
  if (fHasFolder && fFolder == folder) return *this;
  std::vector<std::string> subFolders = fs.ListSubFolders(folder);
  SortTextsNoCase(subFolders);
  fEntries.Clear();
  const std::vector<std::string> components = PathComponents(folder);
  for (const auto& part : components) fEntries.Add(part);
  fComponentCount = components.size();
  for (auto& name : subFolders) fEntries.Add(std::move(name));
  fFolder = folder;
  fHasFolder = true;
  return *this;
}

}  // namespace app
