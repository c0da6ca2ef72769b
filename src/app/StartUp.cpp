// Start-up: the folder listings and loading the newest article list with its
// pictures (the table description and the customer list have their own files).
#include <algorithm>
#include <cstdint>

#include "app/DosDateTime.h"
#include "app/MainWindow.h"
#include "app/Paths.h"
#include "app/TextOrder.h"
#include "text/Conversion.h"

namespace app {

namespace {

struct TStampedName {
  std::int32_t Stamp;
  std::string Name;
};

// Newest last. Stamps compare as numbers: as texts, a nine-digit stamp (a
// file from before 2010) or a negative one (after 2043) would pass for the
// newest. A stamp that could not be read ranks oldest; equal stamps are
// ordered by name without regard to case, the last name winning.
bool OlderFirst(const TStampedName& a, const TStampedName& b) {
  auto key = [](std::int32_t stamp) -> std::int64_t {
    return stamp == -1 ? -1 : static_cast<std::int64_t>(static_cast<std::uint32_t>(stamp));
  };
  if (key(a.Stamp) != key(b.Stamp)) return key(a.Stamp) < key(b.Stamp);
  const int byName = CompareTextNoCase(a.Name, b.Name);
  return byName != 0 ? byName < 0 : a.Name < b.Name;
}

}  // namespace

TStartUpResult TMainWindow::FormCreate() {
  TStartUpResult result;
  const TCommandResult run = RunCommand([&] {
    if (Hooks.RestoreDescription) Hooks.RestoreDescription(*this);
    ListArticleFolder();
    // Without its picture folder the newest list stays unloaded; that is no
    // error, and the customer list is still read.
    result.ListLoaded = VyberZpracovaniPoslednihoSouboru();
    result.PictureFolderMissing = !result.ListLoaded;
    if (Hooks.ReadCustomers) {
      Hooks.ReadCustomers(*this);
      result.CustomersRead = true;
    }
  });
  if (!run) result.Failure = run.Message;
  return result;
}

void TMainWindow::ListArticleFolder() {
  TOfferWorkspace& ws = Workspace;
  NamingFile(ArticleListFolder(), [&] {
    ws.CsvFileList.SetFolder(fFileSystem, ArticleListFolder());
    ws.FolderListing.SetFolder(fFileSystem, ArticleListFolder());
  });
  ws.FolderNames.Assign(ws.FolderListing.Entries());
  ws.FolderNamesComponentCount = ws.FolderListing.ComponentCount();
}

bool TMainWindow::VyberZpracovaniPoslednihoSouboru() {
  TOfferWorkspace& ws = Workspace;
  ws.CsvFilesByStamp.Clear();
  std::vector<TStampedName> stamped;
  for (const std::string& name : ws.CsvFileList.Names()) {
    const std::optional<TLocalDateTime> written = fFileSystem.LastWriteTime(JoinPath(ArticleListFolder(), name));
    stamped.push_back({written ? PackDosDateTime(*written) : -1, name});
  }
  std::stable_sort(stamped.begin(), stamped.end(), OlderFirst);
  for (const auto& entry : stamped) ws.CsvFilesByStamp.Add(std::to_string(entry.Stamp) + "@" + entry.Name);

  ws.LatestCsvEntry = ws.CsvFilesByStamp.Last();  // no list at all: "List index out of bounds (-1)"
  // The stamp never holds '@', so the name is everything after the first one:
  // a name with '@' in it stays whole.
  ws.LatestCsvName = ws.LatestCsvEntry.substr(ws.LatestCsvEntry.find('@') + 1);
  ws.CurrentCsvPath = ArticleListFolder() + "/" + ws.LatestCsvName;
  ws.ExportFilePath = ExportFilePathFor(ws.CurrentCsvPath);

  if (FindImageFolder(ws.LatestCsvName)) {
    TakeImageFiles();
    ReadArticleList(ws.CurrentCsvPath, ws.SourceLines, &ws.SourceOrigins);
    OfferPipeline();
    WarnIfPicturesDoNotPair(ws.ImageFolderPath, ws.ImageFolderFiles.Names().Count(),
                            static_cast<std::size_t>(ImportedItems()));
    return true;
  }
  Window.OpenButtonEnabled = false;
  Window.ExtraItemsButtonEnabled = false;
  Window.AppendButtonEnabled = false;
  Window.ExportButtonEnabled = false;
  Window.MoveUpButtonEnabled = false;
  Window.MoveDownButtonEnabled = false;
  fDialogs.ShowMessage(kNoWordExportMessage);
  return false;
}

}  // namespace app
