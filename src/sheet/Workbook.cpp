#include "sheet/Workbook.h"


#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unordered_set>

#include "sheet/FormatRegistry.h"
#include "text/PathText.h"
#include "text/StreamBytes.h"

namespace sheet {

TExportWorkbook::TExportWorkbook()
    : fWorkSheets(std::make_unique<TExportWorkSheets>(this)), fDrawings(std::make_unique<TExportDrawings>(this)) {
  fWorkSheets->SetOnNotify([this](TOwnedListBase&, TOwnedListObject& aItem, TOwnedListNotification aAction) {
    WorkSheetsNotify(aItem, aAction);
  });
}

TExportWorkbook::~TExportWorkbook() {
  fIsDestroying = true;
  // Drawings first: they detach from their placements, so freeing the cells
  // afterwards has nothing left to release.
  fDrawings.reset();
  fWorkSheets.reset();
}

void TExportWorkbook::WorkSheetsNotify(TOwnedListObject& aItem, TOwnedListNotification aAction) {
  if (aAction == olnAdded) return;
  // Both references are cleared: a worksheet can be active and open at once.
  if (&aItem == fActiveWorkSheet) fActiveWorkSheet = nullptr;
  if (&aItem == fOpenWorkSheet) fOpenWorkSheet = nullptr;
  fNamedCells.RemoveWorkSheet(static_cast<TExportWorkSheet*>(&aItem));
}

TExportWorkSheet& TExportWorkbook::AddWorkSheet(const std::string& aTitle, int aPosition) {
  TExportWorkSheet& sheet = aPosition < 0 ? fWorkSheets->Add() : fWorkSheets->Insert(aPosition);
  if (!aTitle.empty()) sheet.SetTitle(aTitle);
  fActiveWorkSheet = &sheet;
  return sheet;
}

TExportWorkSheet& TExportWorkbook::ActiveWorkSheet() {
  if (!fActiveWorkSheet) {
    if (fWorkSheets->Empty()) AddWorkSheet();
    fActiveWorkSheet = &fWorkSheets->Last();
  }
  return *fActiveWorkSheet;
}

TExportWorkbook& TExportWorkbook::SetActiveWorkSheet(TExportWorkSheet* aWorkSheet) {
  if (aWorkSheet && aWorkSheet->OwnerList() == fWorkSheets.get()) fActiveWorkSheet = aWorkSheet;
  return *this;
}

TExportWorkSheet& TExportWorkbook::OpenWorkSheet() {
  if (!fOpenWorkSheet) {
    if (fWorkSheets->Empty()) AddWorkSheet();
    fOpenWorkSheet = &fWorkSheets->First();
  }
  return *fOpenWorkSheet;
}

int TExportWorkbook::ActiveWorkSheetIndex() const {
  if (fActiveWorkSheet) return fActiveWorkSheet->IndexInList();
  return fWorkSheets->Count() - 1;
}

int TExportWorkbook::OpenWorkSheetIndex() const {
  if (fOpenWorkSheet) return fOpenWorkSheet->IndexInList();
  return fWorkSheets->Empty() ? -1 : 0;
}

TExportWorkbook& TExportWorkbook::SetOpenWorkSheet(TExportWorkSheet* aWorkSheet) {
  if (aWorkSheet && aWorkSheet->OwnerList() == fWorkSheets.get()) fOpenWorkSheet = aWorkSheet;
  return *this;
}

bool TExportWorkbook::TitlesValid() const {
  std::unordered_set<std::string> seen;
  for (const TExportWorkSheet& sheet : *fWorkSheets) {
    std::string title = sheet.Title();
    if (title.empty()) return false;
    for (char& c : title) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!seen.insert(title).second) return false;
  }
  return true;
}

void TExportWorkbook::CheckTitles() const {
  if (!TitlesValid()) throw EExportException(kMsgInvalidTitles);
}

TExportImage& TExportWorkbook::AddImageFromFile(const std::string& aFileName) {
  errno = 0;
  std::ifstream in(text::PathFromUtf8(aFileName), std::ios::binary);
  if (!in) {
    const int error = errno;
    throw EExportFileException("Cannot open file \"" + aFileName + "\". " +
                               (error ? std::strerror(error) : "The file could not be read."));
  }
  // Only opened and measured here: the writers copy the bytes at save time.
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(text::PathFromUtf8(aFileName), ec);
  if (ec) throw EExportFileException("Cannot open file \"" + aFileName + "\". " + ec.message());
  std::string name, ext;
  SplitImageFileName(aFileName, name, ext);
  TExportImage& image = fDrawings->Add<TExportImage>();
  image.SetExt(ext).SetSourceFile(aFileName, size);
  image.SetName(name);
  return image;
}

TExportImage& TExportWorkbook::AddImageFromStream(std::istream& aStream, const std::string& aFileName) {
  std::string name, ext;
  SplitImageFileName(aFileName, name, ext);
  if (ext.empty()) throw EExportFileNameException(kMsgNoExtension);
  std::string data = text::ReadAll(aStream);
  TExportImage& image = fDrawings->Add<TExportImage>();
  image.SetExt(ext).SetData(std::move(data));
  image.SetName(name);
  return image;
}

}  // namespace sheet
