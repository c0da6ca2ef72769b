// Association of the word processor's picture folder «<list>_soubory» with an
// article list: the k-th picture taken belongs to the k-th imported item.
#include "app/MainWindow.h"
#include "app/Paths.h"
#include "text/Conversion.h"
#include "text/Utf16.h"

namespace app {

namespace {

// The web-page export keeps every picture twice; the first of each pair is taken.
void TakeEveryOther(const TTextList& files, TTextList& names) {
  names.Clear();
  for (std::size_t i = 0; i < files.Count(); i += 2) names.Add(files.Get(static_cast<std::ptrdiff_t>(i)));
}

}  // namespace

std::string TMainWindow::ImageFolderNameFor(const std::string& csvFileName) {
  const std::size_t length = text::Utf16Length(csvFileName);
  std::string base = length < 5 ? std::string() : text::Utf16Left(csvFileName, length - 4);
  return base + kImageFolderSuffix;
}

// Only the sub-folders of the directory view count: its leading path
// components (the root, the article folder's own name) are never a
// picture folder inside the article folder.
bool TMainWindow::IsKnownSubFolder(const std::string& name) const {
  const TTextList& names = Workspace.FolderNames;
  for (std::size_t i = std::max<std::size_t>(Workspace.FolderNamesComponentCount, 1); i < names.Count(); ++i) {
    if (names.Get(static_cast<std::ptrdiff_t>(i)) == name) return true;
  }
  return false;
}

std::string PicturesDoNotPairMessage(const std::string& folder, std::size_t files, std::size_t items) {
  return "Obrázky ve složce " + folder + " nesedí k položkám: " + std::to_string(files) +
         " souborů .jpg (z nich se bere každý druhý, tedy " + std::to_string((files + 1) / 2) + " obrázků) pro " +
         std::to_string(items) + " položek. Obrázky se přiřazují podle pořadí; zkontrolujte je.";
}

// Pictures pair with items strictly by order, every other file; when the
// folder cannot hold one picture an item, or its files do not come in pairs,
// a picture may stand at the wrong item: the user is told once, the offer
// goes on as it is.
void TMainWindow::WarnIfPicturesDoNotPair(const std::string& folder, std::size_t files, std::size_t items) {
  if (folder == kNoImageFolder || items == 0) return;
  const std::size_t pictures = (files + 1) / 2;
  if (pictures < items || files % 2 != 0) fDialogs.ShowMessage(PicturesDoNotPairMessage(folder, files, items));
}

int TMainWindow::ImportedItems() const {
  int imported = 0;
  return text::TryStrToInt(Workspace.ImportedItemCount, imported) && imported > 0 ? imported : 0;
}

bool TMainWindow::FindImageFolder(const std::string& csvFileName) {
  TOfferWorkspace& ws = Workspace;
  ws.ImageFolderName = ImageFolderNameFor(csvFileName);
  ws.ImageFolderPath = kNoImageFolder;
  if (!IsKnownSubFolder(ws.ImageFolderName)) {
    // No folder, no pictures: the previous offer's listing must not lend its
    // names to this one.
    ws.ImageFolderFiles.Reset();
    return false;
  }
  ws.ImageFolderPath = JoinPath(ArticleListFolder(), ws.ImageFolderName);
  NamingFile(ws.ImageFolderPath, [&] { ws.ImageFolderFiles.SetFolder(fFileSystem, ws.ImageFolderPath); });
  return true;
}

void TMainWindow::TakeImageFiles() {
  TOfferWorkspace& ws = Workspace;
  TakeEveryOther(ws.ImageFolderFiles.Names(), ws.ImageFileNames);
  ws.ItemImagePaths.Clear();
  const std::string folder = JoinPath(ArticleListFolder(), ws.ImageFolderName);
  for (const std::string& name : ws.ImageFileNames) ws.ItemImagePaths.Add(JoinPath(folder, name));
}

bool TMainWindow::AssociateImageFolder(const std::string& csvFileName) {
  const bool found = FindImageFolder(csvFileName);
  TakeImageFiles();
  return found;
}

// Pictures pair with items by position, so the appended items' pictures must
// start right after the pictures of the items the join keeps: surplus
// pictures of the current folder are dropped, missing ones stand as empty
// paths (no picture).
void TMainWindow::AlignImagePathsForAppend() {
  TOfferWorkspace& ws = Workspace;
  int kept = 0;
  if (ws.SourceLines.Count() >= kMinJoinableLines && !text::TryStrToInt(ws.ImportedItemCount, kept)) kept = 0;
  kept = std::max(kept, 0);
  TTextList aligned;
  for (int i = 0; i < kept; ++i) aligned.Add(ws.ItemImagePaths.Has(i) ? ws.ItemImagePaths.Get(i) : std::string());
  ws.ItemImagePaths.Assign(aligned);
}

bool TMainWindow::AssociateAppendImageFolder(const std::string& csvFileName) {
  TOfferWorkspace& ws = Workspace;
  ws.AppendImageFolderName = ImageFolderNameFor(csvFileName);
  ws.AppendImageFolderPath = kNoImageFolder;
  const bool found = IsKnownSubFolder(ws.AppendImageFolderName);
  if (found) {
    ws.AppendImageFolderPath = JoinPath(ArticleListFolder(), ws.AppendImageFolderName);
    NamingFile(ws.AppendImageFolderPath, [&] { ws.AppendImageFolderFiles.SetFolder(fFileSystem, ws.AppendImageFolderPath); });
  } else {
    ws.AppendImageFolderFiles.Reset();
  }
  TakeEveryOther(ws.AppendImageFolderFiles.Names(), ws.AppendImageFileNames);
  AlignImagePathsForAppend();
  const std::string folder = JoinPath(ArticleListFolder(), ws.AppendImageFolderName);
  for (const std::string& name : ws.AppendImageFileNames) ws.ItemImagePaths.Add(JoinPath(folder, name));
  return found;
}

}  // namespace app
