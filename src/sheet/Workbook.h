#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "sheet/Borders.h"
#include "sheet/Cell.h"
#include "sheet/CellKinds.h"
#include "sheet/Exceptions.h"
#include "sheet/Font.h"
#include "sheet/FormatRegistry.h"
#include "sheet/Images.h"
#include "sheet/NamedCells.h"
#include "sheet/Progress.h"
#include "sheet/Row.h"
#include "sheet/Types.h"
#include "sheet/Worksheet.h"

namespace sheet {

// The in-memory workbook. The creator owns it; everything inside belongs to it.
class TExportWorkbook {
 public:
  TExportWorkbook();
  ~TExportWorkbook();
  TExportWorkbook(const TExportWorkbook&) = delete;
  TExportWorkbook& operator=(const TExportWorkbook&) = delete;

  // ---- worksheets
  TExportWorkSheets& WorkSheets() { return *fWorkSheets; }
  const TExportWorkSheets& WorkSheets() const { return *fWorkSheets; }
  // Appends (aPosition < 0) or inserts (clamped); a non-empty title is applied
  // with the title rules. The new worksheet becomes the active one.
  TExportWorkSheet& AddWorkSheet(const std::string& aTitle = {}, int aPosition = -1);
  // The active worksheet; with none set, the last one (a worksheet is added when there is none).
  TExportWorkSheet& ActiveWorkSheet();
  // Accepts only worksheets of this workbook.
  TExportWorkbook& SetActiveWorkSheet(TExportWorkSheet* aWorkSheet);
  // First visible tab; with none set, the first worksheet (added when there is none).
  TExportWorkSheet& OpenWorkSheet();
  TExportWorkbook& SetOpenWorkSheet(TExportWorkSheet* aWorkSheet);
  // Their positions, for the writers: the last and the first worksheet when
  // none is set; -1 without worksheets.
  int ActiveWorkSheetIndex() const;
  int OpenWorkSheetIndex() const;
  // Lower-cased titles non-empty and pairwise different.
  bool TitlesValid() const;
  // Throws EExportException with the title message when TitlesValid() is false.
  void CheckTitles() const;

  // ---- shared tables
  TExportFontList& Fonts() { return fFonts; }
  const TExportFontList& Fonts() const { return fFonts; }
  TExportCellBordersList& BordersList() { return fBorders; }
  const TExportCellBordersList& BordersList() const { return fBorders; }
  // The styles cells share while they are formatted alike.
  TSharedCellStyles& SharedCellStyles() { return fSharedCellStyles; }
  // Entry 0 of the font list.
  const TExportFont& StandardFont() const { return fFonts.Get(0); }
  TExportDrawings& Drawings() { return *fDrawings; }
  const TExportDrawings& Drawings() const { return *fDrawings; }
  TExportNamedCells& NamedCells() { return fNamedCells; }
  const TExportNamedCells& NamedCells() const { return fNamedCells; }
  // Adds an image drawing from a file (read at once; EExportFileException naming
  // the file when it cannot be read). Cells normally use TExportCell::AddImage.
  TExportImage& AddImageFromFile(const std::string& aFileName);
  TExportImage& AddImageFromStream(std::istream& aStream, const std::string& aFileName);

  // ---- plain properties
  const std::string& DefaultFontName() const { return fDefaultFontName; }
  TExportWorkbook& SetDefaultFontName(const std::string& v) { fDefaultFontName = v; return *this; }
  const std::string& Title() const { return fTitle; }
  TExportWorkbook& SetTitle(const std::string& v) { fTitle = v; return *this; }
  const std::string& WorkbookCodeName() const { return fWorkbookCodeName; }
  TExportWorkbook& SetWorkbookCodeName(const std::string& v) { fWorkbookCodeName = v; return *this; }
  const std::string& Author() const { return fAuthor; }
  TExportWorkbook& SetAuthor(const std::string& v) { fAuthor = v; return *this; }
  const std::string& Application() const { return fApplication; }
  TExportWorkbook& SetApplication(const std::string& v) { fApplication = v; return *this; }
  const std::string& ApplicationVersion() const { return fApplicationVersion; }
  TExportWorkbook& SetApplicationVersion(const std::string& v) { fApplicationVersion = v; return *this; }
  bool Use1904DateSystem() const { return fUse1904DateSystem; }
  TExportWorkbook& SetUse1904DateSystem(bool v) { fUse1904DateSystem = v; return *this; }
  bool UseProgress() const { return fUseProgress; }
  TExportWorkbook& SetUseProgress(bool v) { fUseProgress = v; return *this; }
  bool AutoAdjustFormulas() const { return fAutoAdjustFormulas; }
  TExportWorkbook& SetAutoAdjustFormulas(bool v) { fAutoAdjustFormulas = v; return *this; }
  bool SaveOnTheFly() const { return fSaveOnTheFly; }
  bool LoadOnTheFly() const { return fLoadOnTheFly; }
  bool IsDestroying() const { return fIsDestroying; }

  // ---- progress (the callback replaces the progress window)
  const TExportProgressNotification& OnProgress() const { return fOnProgress; }
  TExportWorkbook& SetOnProgress(TExportProgressNotification v) { fOnProgress = std::move(v); return *this; }
  // Called by the format writers and readers; defined with the save/load paths.
  void DoProgress(TExportProgressNotificationType aStep, int aPosition, int aCount, const std::string& aText = {});

  // ---- saving and loading (defined with the format registry, WorkbookIO.cpp)
  bool SaveToFile(const std::string& aFileName, bool aExecuteFileAfterExport = false);
  bool SaveToFile(const std::string& aFileName, TCustomExporter& aExporter, bool aExecuteFileAfterExport = false);
  bool SaveToFile(const std::string& aFileName, const TExporterClass& aExporterClass,
                  bool aExecuteFileAfterExport = false);
  bool SaveToStream(std::ostream& aStream, TCustomExporter& aExporter);
  bool SaveToStream(std::ostream& aStream, const TExporterClass& aExporterClass);
  bool LoadFromFile(const std::string& aFileName);
  bool LoadFromFile(const std::string& aFileName, TCustomExporter& aExporter);
  bool LoadFromFile(const std::string& aFileName, const TExporterClass& aExporterClass);
  bool LoadFromStream(std::istream& aStream, TCustomExporter& aExporter);
  bool LoadFromStream(std::istream& aStream, const TExporterClass& aExporterClass);
  bool SaveToFileWithDialog(const std::string& aFileName = {}, const std::string& aInitialDir = {},
                            bool aExecuteFileAfterExport = false);

 private:
  friend class TExportWorkSheets;
  void WorkSheetsNotify(TOwnedListObject& aItem, TOwnedListNotification aAction);

  std::string fDefaultFontName = "Arial";
  TExportFontList fFonts;
  TExportCellBordersList fBorders;
  TSharedCellStyles fSharedCellStyles;
  std::unique_ptr<TExportWorkSheets> fWorkSheets;
  std::unique_ptr<TExportDrawings> fDrawings;
  TExportNamedCells fNamedCells;
  std::string fTitle;
  std::string fWorkbookCodeName;
  std::string fAuthor;
  std::string fApplication = "Microsoft Excel";
  std::string fApplicationVersion = "12.000";
  bool fUse1904DateSystem = false;
  bool fUseProgress = true;
  TExportProgressNotification fOnProgress;

 public:
  // Exists only during one save or load (managed by the save/load paths).
  std::unique_ptr<TExportProgressDialog> fProgressDlg;

 private:
  bool fAutoAdjustFormulas = false;
  TExportWorkSheet* fActiveWorkSheet = nullptr;
  TExportWorkSheet* fOpenWorkSheet = nullptr;
  bool fSaveOnTheFly = false;
  bool fLoadOnTheFly = false;
  bool fIsDestroying = false;
};

}  // namespace sheet
