#include "sheet/Images.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>

#include "sheet/Cell.h"
#include "sheet/Exceptions.h"
#include "sheet/Workbook.h"
#include "text/PathText.h"
#include "text/StreamBytes.h"

namespace sheet {

std::string TExportImage::ReadData() const {
  if (fSourceFileName.empty()) return fData;
  std::ifstream in(text::PathFromUtf8(fSourceFileName), std::ios::binary);
  if (!in) throw EExportFileException("Cannot open file \"" + fSourceFileName + "\". " + std::strerror(errno));
  std::string data = text::ReadAll(in);
  if (in.bad()) throw EExportFileException("Cannot read the picture file \"" + fSourceFileName + "\".");
  return data;
}

TExportDrawing::~TExportDrawing() {
  // Placements that outlive their drawing (workbook teardown, explicit delete) forget it.
  for (TExportCellDrawing* placement : fCellDrawings) placement->fDrawing = nullptr;
}

TExportWorkbook* TExportDrawing::Workbook() const {
  const TOwnedListBase* list = OwnerList();
  return list ? static_cast<const TExportDrawings*>(list)->Workbook() : nullptr;
}

void TExportDrawing::ReleaseCellDrawing(TExportCellDrawing* aCellDrawing) {
  const auto it = std::find(fCellDrawings.rbegin(), fCellDrawings.rend(), aCellDrawing);
  if (it != fCellDrawings.rend()) fCellDrawings.erase(std::next(it).base());
  const TExportWorkbook* wb = Workbook();
  if (fCellDrawings.empty() && fCommentDrawingCount == 0 && !(wb && wb->IsDestroying())) delete this;
}

TExportCellDrawing::~TExportCellDrawing() {
  if (fDrawing) fDrawing->ReleaseCellDrawing(this);
}

TExportCell* TExportCellDrawing::Cell() const {
  const TOwnedListBase* list = OwnerList();
  return list ? static_cast<const TExportCellDrawings*>(list)->Cell() : nullptr;
}

void TExportCellDrawing::Attach(TExportDrawing& aDrawing, int aLeft, int aTop, int aWidth, int aHeight) {
  fDrawing = &aDrawing;
  fRect.Left = aLeft;
  fRect.Top = aTop;
  fRect.Right = aLeft + aWidth;
  fRect.Bottom = aTop + aHeight;
  aDrawing.AddCellDrawing(this);
}

namespace {
// Walks from index aStart while the offset covers the current size.
void Walk(int aStart, double aOffset, const std::vector<double>& aSizes, double aDefault, int& aIndex,
          int& aRemaining) {
  int index = aStart;
  double offset = aOffset;
  const auto size = [&](int i) {
    return i >= 0 && i < static_cast<int>(aSizes.size()) && aSizes[static_cast<std::size_t>(i)] >= 0
               ? aSizes[static_cast<std::size_t>(i)]
               : aDefault;
  };
  while (true) {
    const double s = size(index);
    if (s <= 0) {
      // Zero-sized (hidden) entries are stepped over; beyond the list nothing more can be covered.
      if (index >= static_cast<int>(aSizes.size()) || index < 0) break;
      ++index;
      continue;
    }
    if (offset < s) break;
    offset -= s;
    ++index;
  }
  aIndex = index;
  aRemaining = static_cast<int>(std::lround(offset));
}
}  // namespace

TExportCellPosition TExportCellDrawing::FarCorner(const std::vector<double>& aColWidths,
                                                  const std::vector<double>& aRowHeights, double aDefaultColWidth,
                                                  double aDefaultRowHeight) const {
  TExportCellPosition pos;
  const TExportCell* cell = Cell();
  const int col = cell ? cell->ColIndex() : 0;
  const int row = cell ? cell->RowIndex() : 0;
  Walk(std::max(col, 0), fRect.Right, aColWidths, aDefaultColWidth, pos.fCol, pos.fOffsetX);
  Walk(std::max(row, 0), fRect.Bottom, aRowHeights, aDefaultRowHeight, pos.fRow, pos.fOffsetY);
  return pos;
}

void SplitImageFileName(const std::string& aFileName, std::string& aName, std::string& aExt) {
  const std::size_t slash = aFileName.find_last_of("/\\");
  std::string base = slash == std::string::npos ? aFileName : aFileName.substr(slash + 1);
  const std::size_t dot = base.rfind('.');
  if (dot == std::string::npos) {
    aName = base;
    aExt.clear();
    return;
  }
  aExt = base.substr(dot + 1);
  for (char& c : aExt) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  aName = base.substr(0, dot);
}

}  // namespace sheet
