#include "app/MainWindow.h"

#include "app/JpegPicture.h"
#include "app/Paths.h"

namespace app {

TMainWindow::TMainWindow(TFileSystem& fileSystem, TDialogs& dialogs, TMainWindowSettings settings)
    : fFileSystem(fileSystem), fDialogs(dialogs), fSettings(std::move(settings)) {
  if (fSettings.ArticleListFolder.empty()) fSettings.ArticleListFolder = DefaultArticleListFolder();
  Hooks.RestoreDescription = [](TMainWindow& window) { window.LoadDescription(); };
  Hooks.ReadCustomers = [](TMainWindow& window) {
    window.CteniZakazniku();
    window.FillCustomerChoice();
  };
}

TMainWindow& TMainWindow::SetRegion(const text::TRegionalSettings& region) {
  fSettings.Region = region;
  return *this;
}

std::string TMainWindow::DescriptionFilePath() const {
  return JoinPath(fSettings.ArticleListFolder, kDescriptionFileName);
}

TCommandResult TMainWindow::RunCommand(const std::function<void()>& command) {
  try {
    command();
    return {};
  } catch (const std::exception& error) {
    fDialogs.ShowError(error.what());
    return TCommandResult{true, error.what()};
  }
}

bool TMainWindow::ShowPicture(const std::string& path) {
  if (!fFileSystem.FileExists(path)) return false;
  std::optional<TJpegSize> size;
  try {
    size = ReadJpegFileSize(fFileSystem, path, TJpegCheck::jcDecoderHeader);
  } catch (const EInOutError&) {
    return false;
  }
  // A picture that does not decode is treated like a missing one rather than
  // stopping the command that shows it.
  if (!size) return false;
  Window.ItemPicture = TPictureState{path, size->Width, size->Height};
  return true;
}

TOpenDialogOptions TMainWindow::CsvOpenDialogOptions(const std::string& initialDir) {
  return TOpenDialogOptions{"Otevřít tabulku z disku", "Soubory CSV |*.csv", "csv", initialDir};
}

bool TMainWindow::MayDiscardOffer() {
  return !Workspace.UnexportedChanges || fDialogs.AskYesNo(kDiscardChangesQuestion);
}

void TMainWindow::OpenListClick() {
  if (!MayDiscardOffer()) return;  // asked before the file dialog
  const std::optional<std::string> path = fDialogs.OpenFile(CsvOpenDialogOptions(fSettings.ArticleListFolder));
  if (path) OpenList(*path);
}

void TMainWindow::OpenList(const std::string& path) {
  if (!fFileSystem.FileExists(path)) throw EOfferError(FileMissingMessage(path));
  Window.MoveUpButtonEnabled = true;
  Window.MoveDownButtonEnabled = true;
  Workspace.OpenedCsvName = path;
  ReadArticleList(path, Workspace.SourceLines, &Workspace.SourceOrigins);
  Workspace.UnexportedChanges = false;  // the earlier offer is gone
  Workspace.CurrentCsvPath = path;
  // The opened list's own workbook: the start-up list's must not be overwritten.
  Workspace.ExportFilePath = ExportFilePathFor(path);
  Workspace.OpenedCsvName = ExtractFileName(path);
  AssociateImageFolder(Workspace.OpenedCsvName);
  OfferPipeline();
  WarnIfPicturesDoNotPair(Workspace.ImageFolderPath, Workspace.ImageFolderFiles.Names().Count(),
                          static_cast<std::size_t>(ImportedItems()));
}

void TMainWindow::AppendListClick() {
  const std::optional<std::string> path = fDialogs.OpenFile(CsvOpenDialogOptions(fSettings.ArticleListFolder));
  if (path) AppendList(*path);
}

void TMainWindow::AppendList(const std::string& path) {
  if (!fFileSystem.FileExists(path)) throw EOfferError(FileMissingMessage(path));
  Workspace.OpenedCsvName = path;
  ReadArticleList(path, Workspace.AppendLines, &Workspace.AppendOrigins);
  Workspace.OpenedCsvName = ExtractFileName(path);
  AssociateAppendImageFolder(Workspace.OpenedCsvName);
  const int before = Workspace.SourceLines.Count() >= kMinJoinableLines ? ImportedItems() : 0;
  PridaniSeznamu();
  Workspace.UnexportedChanges = true;
  OfferPipeline();
  WarnIfPicturesDoNotPair(Workspace.AppendImageFolderPath, Workspace.AppendImageFolderFiles.Names().Count(),
                          static_cast<std::size_t>(std::max(ImportedItems() - before, 0)));
}

// The origins of the joined lines: the kept current lines', then the appended
// ones' from `firstAppended` on. Origins out of step with their lines are
// dropped, so that no message names a wrong line.
void TMainWindow::JoinOrigins(std::size_t keptCurrent, std::size_t firstAppended) {
  TOfferWorkspace& ws = Workspace;
  const bool known = ws.SourceOrigins.size() == ws.SourceLines.Count() && keptCurrent <= ws.SourceOrigins.size() &&
                     ws.AppendOrigins.size() == ws.AppendLines.Count() && firstAppended <= ws.AppendOrigins.size();
  std::vector<TLineOrigin> joined;
  if (known) {
    joined.assign(ws.SourceOrigins.begin(), ws.SourceOrigins.begin() + static_cast<std::ptrdiff_t>(keptCurrent));
    joined.insert(joined.end(), ws.AppendOrigins.begin() + static_cast<std::ptrdiff_t>(firstAppended),
                  ws.AppendOrigins.end());
  }
  ws.SourceOrigins = std::move(joined);
}

void TMainWindow::PridaniSeznamu() {
  TOfferWorkspace& ws = Workspace;
  const std::size_t c = ws.SourceLines.Count();
  const std::size_t a = ws.AppendLines.Count();
  ws.MergeLines.Clear();
  if (c >= kMinJoinableLines) {
    for (std::size_t i = 0; i + 4 < c; ++i) ws.MergeLines.Add(ws.SourceLines.Get(static_cast<std::ptrdiff_t>(i)));
  }
  // Without a current list the appended header line is the joined list's
  // header; dropping it would make the first element the header.
  const std::size_t firstAppended = c >= kMinJoinableLines ? 1 : 0;
  for (std::size_t i = firstAppended; i < a; ++i) ws.MergeLines.Add(ws.AppendLines.Get(static_cast<std::ptrdiff_t>(i)));
  JoinOrigins(c >= kMinJoinableLines ? c - 4 : 0, firstAppended);
  ws.SourceLines.Assign(ws.MergeLines);
}

}  // namespace app
