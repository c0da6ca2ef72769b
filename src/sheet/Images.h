#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "sheet/OwnedList.h"
#include "sheet/Types.h"

namespace sheet {

class TExportCell;
class TExportCellDrawing;
class TExportWorkbook;

// A workbook-level drawing; cells show it through placements. It frees itself
// when its last placement goes.
class TExportDrawing : public TOwnedListObject {
 public:
  TExportDrawing() = default;
  ~TExportDrawing() override;
  TExportWorkbook* Workbook() const;
  int DrawingIndex() const { return IndexInList(); }
  // File name without folder and extension.
  const std::string& Name() const { return fName; }
  TExportDrawing& SetName(const std::string& v) { fName = v; return *this; }
  // Name under which a reader found it in a package; empty for AddImage.
  const std::string& ZipFileName() const { return fZipFileName; }
  TExportDrawing& SetZipFileName(const std::string& v) { fZipFileName = v; return *this; }
  // Placements that use this drawing (not owned).
  const std::vector<TExportCellDrawing*>& CellDrawings() const { return fCellDrawings; }
  int CommentDrawingCount() const { return fCommentDrawingCount; }
  virtual bool IsImage() const { return false; }

 private:
  friend class TExportCellDrawing;
  void AddCellDrawing(TExportCellDrawing* aCellDrawing) { fCellDrawings.push_back(aCellDrawing); }
  // Removes the placement; frees the drawing when nothing uses it any more.
  void ReleaseCellDrawing(TExportCellDrawing* aCellDrawing);

  std::string fZipFileName;
  std::vector<TExportCellDrawing*> fCellDrawings;
  int fCommentDrawingCount = 0;
  std::string fName;
};

// A picture, never decoded: either the bytes it was given, or a file whose
// bytes the writers copy at save time (a workbook of large photos is never
// held in memory).
class TExportImage : public TExportDrawing {
 public:
  TExportImage() = default;
  // Extension without dot, lower case ("jpg", "png" ...).
  const std::string& Ext() const { return fExt; }
  TExportImage& SetExt(const std::string& v) { fExt = v; return *this; }
  // The bytes given with SetData; empty for a picture kept in its file.
  const std::string& Data() const { return fData; }
  TExportImage& SetData(std::string aData) {
    fData = std::move(aData);
    fSourceFileName.clear();
    fSize = fData.size();
    return *this;
  }
  // The file the writers read the picture from; empty when it has its bytes.
  const std::string& SourceFileName() const { return fSourceFileName; }
  TExportImage& SetSourceFile(std::string aFileName, std::uint64_t aSize) {
    fSourceFileName = std::move(aFileName);
    fData.clear();
    fSize = aSize;
    return *this;
  }
  // The picture's size in bytes (the file's when it was added).
  std::uint64_t Size() const { return fSize; }
  // All bytes, from the file when the picture is kept there. Throws
  // EExportFileException when the file can no longer be read.
  std::string ReadData() const;
  bool IsImage() const override { return true; }

 private:
  std::string fExt;
  std::string fData;
  std::string fSourceFileName;
  std::uint64_t fSize = 0;
};

class TExportDrawings : public TOwnedList<TExportDrawing> {
 public:
  explicit TExportDrawings(TExportWorkbook* aWorkbook) : fWorkbook(aWorkbook) {}
  TExportWorkbook* Workbook() const { return fWorkbook; }
  TExportDrawing& GetI(int aIndex) const { return Get(aIndex); }

 private:
  TExportWorkbook* fWorkbook;
};

struct TExportRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TExportRect&) const = default;
};

struct TExportDrawingFill {
  TExportDrawingFillStyle fStyle = edfAutomatic;
  TColor fColor = 0xFFFFFF;
  int fTransparency = 0;
};
struct TExportDrawingBorder {
  TExportDrawingFillStyle fFillStyle = edfNone;
  TColor fColor = 0;
  int fTransparency = 0;
  int fSize = -1;
  TExportDrawingBorderStyle fLineStyle = ebsSolid;
};
struct TExportDrawingShadow {
  TColor fColor = 0;
  int fDistance = 3;
  int fBlur = 4;
  int fTransparency = 50;
};
struct TExportDrawingStyle {
  TExportDrawingFill fFill;
  TExportDrawingBorder fBorder;
  TExportDrawingShadow fShadow;
};

// Where the far corner of a placement falls: a cell and the offset into it.
struct TExportCellPosition {
  int fCol = 0;
  int fRow = 0;
  int fOffsetX = 0;
  int fOffsetY = 0;
  bool operator==(const TExportCellPosition&) const = default;
};

// A drawing placed in a cell: offset and size in pixels.
class TExportCellDrawing : public TOwnedListObject {
 public:
  TExportCellDrawing() = default;
  // Releases the drawing (unless the workbook is being destroyed).
  ~TExportCellDrawing() override;
  TExportCell* Cell() const;
  TExportDrawing* Drawing() const { return fDrawing; }
  int DrawingIndex() const { return fDrawing ? fDrawing->DrawingIndex() : -1; }
  const TExportRect& Rect() const { return fRect; }
  TExportCellDrawing& SetRect(const TExportRect& aRect) { fRect = aRect; return *this; }
  TExportDrawingStyle& DrawingStyle() { return fDrawingStyle; }
  const TExportDrawingStyle& DrawingStyle() const { return fDrawingStyle; }
  TExportDrawingFill& Fill() { return fDrawingStyle.fFill; }
  TExportDrawingBorder& Border() { return fDrawingStyle.fBorder; }
  TExportDrawingShadow& Shadow() { return fDrawingStyle.fShadow; }

  // The cell position of the far corner: start at the placement's cell with
  // offsets (Right, Bottom) and move right/down while the offset covers the
  // column/row. Widths/heights missing from the lists or negative count as the defaults.
  TExportCellPosition FarCorner(const std::vector<double>& aColWidths, const std::vector<double>& aRowHeights,
                                double aDefaultColWidth, double aDefaultRowHeight) const;

 private:
  friend class TExportCell;
  friend class TExportDrawing;
  void Attach(TExportDrawing& aDrawing, int aLeft, int aTop, int aWidth, int aHeight);

  TExportRect fRect;
  TExportDrawingStyle fDrawingStyle;
  TExportDrawing* fDrawing = nullptr;
};

class TExportCellDrawings : public TOwnedList<TExportCellDrawing> {
 public:
  explicit TExportCellDrawings(TExportCell* aCell) : fCell(aCell) {}
  TExportCell* Cell() const { return fCell; }

 private:
  TExportCell* fCell;
};

// Name (file name without folder and last extension) and extension (lower case, no dot).
void SplitImageFileName(const std::string& aFileName, std::string& aName, std::string& aExt);

}  // namespace sheet
