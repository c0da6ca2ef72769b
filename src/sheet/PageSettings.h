#pragma once

#include <string>

#include "sheet/Range.h"
#include "sheet/Types.h"

namespace sheet {

class TExportWorkSheet;

// Page setup of a worksheet; margins in centimetres.
class TExportPageSettings {
 public:
  explicit TExportPageSettings(TExportWorkSheet* aWorkSheet) : fWorkSheet(aWorkSheet) {}
  TExportWorkSheet* WorkSheet() const { return fWorkSheet; }

  double MarginLeft() const { return fMarginLeft; }
  double MarginTop() const { return fMarginTop; }
  double MarginRight() const { return fMarginRight; }
  double MarginBottom() const { return fMarginBottom; }
  TExportPageSettings& SetMarginLeft(double v) { fMarginLeft = v; return *this; }
  TExportPageSettings& SetMarginTop(double v) { fMarginTop = v; return *this; }
  TExportPageSettings& SetMarginRight(double v) { fMarginRight = v; return *this; }
  TExportPageSettings& SetMarginBottom(double v) { fMarginBottom = v; return *this; }
  TExportCenterTable CenterTable() const { return fCenterTable; }
  TExportPageSettings& SetCenterTable(TExportCenterTable v) { fCenterTable = v; return *this; }
  TExportPaperType PaperType() const { return fPaperType; }
  TExportPageSettings& SetPaperType(TExportPaperType v) { fPaperType = v; return *this; }
  TExportPageOrientation PageOrientation() const { return fPageOrientation; }
  TExportPageSettings& SetPageOrientation(TExportPageOrientation v) { fPageOrientation = v; return *this; }
  TExportFlowOrientation PageOrder() const { return fPageOrder; }
  TExportPageSettings& SetPageOrder(TExportFlowOrientation v) { fPageOrder = v; return *this; }
  TExportScaleType ScaleType() const { return fScaleType; }
  TExportPageSettings& SetScaleType(TExportScaleType v) { fScaleType = v; return *this; }
  int PrintScale() const { return fPrintScale; }
  // Also switches to estPercent.
  TExportPageSettings& SetPrintScale(int v) { fPrintScale = v; fScaleType = estPercent; return *this; }
  int FitWidthToPages() const { return fFitWidthToPages; }
  int FitHeightToPages() const { return fFitHeightToPages; }
  // Both switch to estFitToPage.
  TExportPageSettings& SetFitWidthToPages(int v) { fFitWidthToPages = v; fScaleType = estFitToPage; return *this; }
  TExportPageSettings& SetFitHeightToPages(int v) { fFitHeightToPages = v; fScaleType = estFitToPage; return *this; }
  bool PrintHeaders() const { return fPrintHeaders; }
  TExportPageSettings& SetPrintHeaders(bool v) { fPrintHeaders = v; return *this; }
  bool PrintGridLines() const { return fPrintGridLines; }
  TExportPageSettings& SetPrintGridLines(bool v) { fPrintGridLines = v; return *this; }
  int FirstPageNumber() const { return fFirstPageNumber; }
  TExportPageSettings& SetFirstPageNumber(int v) { fFirstPageNumber = v; return *this; }
  bool UseFirstPageNumber() const { return fUseFirstPageNumber; }
  TExportPageSettings& SetUseFirstPageNumber(bool v) { fUseFirstPageNumber = v; return *this; }
  TExportRange& PrintRange() { return fPrintRange; }
  const TExportRange& PrintRange() const { return fPrintRange; }
  TExportRange& RowsToRepeat() { return fRowsToRepeat; }
  const TExportRange& RowsToRepeat() const { return fRowsToRepeat; }
  TExportRange& ColsToRepeat() { return fColsToRepeat; }
  const TExportRange& ColsToRepeat() const { return fColsToRepeat; }

  // The paper's width and height in millimetres as it lies in the printer
  // (landscape swaps them); unknown codes count as A4.
  double PaperWidthMm() const;
  double PaperHeightMm() const;
  // The area inside the margins, where the sheet's rows and columns print, in
  // pixels at 96 per inch (the header and footer stand inside the top and
  // bottom margins).
  double PrintableWidth() const;
  double PrintableHeight() const;

  // Print area name with the sheet prefix ("'My sheet'!A1:F41"), empty when
  // the print range has neither a column nor a row part.
  std::string PrintAreaName() const;
  // Repeated columns and/or rows, joined by "," ("Sheet!$A:$B,Sheet!$1:$3"); empty when none.
  std::string PrintTitlesName() const;

 private:
  TExportWorkSheet* fWorkSheet;
  double fMarginLeft = 2.0;
  double fMarginTop = 2.0;
  double fMarginRight = 2.0;
  double fMarginBottom = 2.0;
  TExportCenterTable fCenterTable = 0;
  TExportPaperType fPaperType = eptA4;
  TExportPageOrientation fPageOrientation = epoPortrait;
  TExportFlowOrientation fPageOrder = efoTopToBottom;
  TExportScaleType fScaleType = estPercent;
  int fPrintScale = 100;
  int fFitWidthToPages = 0;
  int fFitHeightToPages = 0;
  bool fPrintHeaders = false;
  bool fPrintGridLines = false;
  int fFirstPageNumber = 1;
  bool fUseFirstPageNumber = false;
  TExportRange fPrintRange;
  TExportRange fRowsToRepeat;
  TExportRange fColsToRepeat;
};

// View settings of a worksheet.
class TExportWindowSettings {
 public:
  explicit TExportWindowSettings(TExportWorkSheet* aWorkSheet) : fWorkSheet(aWorkSheet) {}
  TExportWorkSheet* WorkSheet() const { return fWorkSheet; }

  // Frozen panes: active when row or column > 0.
  TExportWindowSplit& Split() { return fSplit; }
  const TExportWindowSplit& Split() const { return fSplit; }
  bool SplitActive() const { return fSplit.fRow > 0 || fSplit.fCol > 0; }
  TExportRange& AutoFilter() { return fAutoFilter; }
  const TExportRange& AutoFilter() const { return fAutoFilter; }
  TExportWorksheetView View() const { return fView; }
  TExportWindowSettings& SetView(TExportWorksheetView v) { fView = v; return *this; }
  int Scale() const { return fScale; }
  TExportWindowSettings& SetScale(int v) { fScale = v; return *this; }
  bool ShowFormulas() const { return fShowFormulas; }
  TExportWindowSettings& SetShowFormulas(bool v) { fShowFormulas = v; return *this; }
  bool ShowZeros() const { return fShowZeros; }
  TExportWindowSettings& SetShowZeros(bool v) { fShowZeros = v; return *this; }
  bool ShowHeaders() const { return fShowHeaders; }
  TExportWindowSettings& SetShowHeaders(bool v) { fShowHeaders = v; return *this; }
  bool ShowGridLines() const { return fShowGridLines; }
  TExportWindowSettings& SetShowGridLines(bool v) { fShowGridLines = v; return *this; }
  TColor TabColor() const { return fTabColor; }
  TExportWindowSettings& SetTabColor(TColor v) { fTabColor = v; return *this; }
  bool ShowGroupButtonsTopRow() const { return fShowGroupButtonsTopRow; }
  TExportWindowSettings& SetShowGroupButtonsTopRow(bool v) { fShowGroupButtonsTopRow = v; return *this; }
  bool ShowGroupButtonsLeftCol() const { return fShowGroupButtonsLeftCol; }
  TExportWindowSettings& SetShowGroupButtonsLeftCol(bool v) { fShowGroupButtonsLeftCol = v; return *this; }
  TExportRange& Selection() { return fSelection; }
  const TExportRange& Selection() const { return fSelection; }
  TExportCellAddress& TopLeftCell() { return fTopLeftCell; }
  const TExportCellAddress& TopLeftCell() const { return fTopLeftCell; }

 private:
  TExportWorkSheet* fWorkSheet;
  TExportWindowSplit fSplit;
  TExportRange fAutoFilter;
  TExportWorksheetView fView = ewvNormal;
  int fScale = 100;
  bool fShowFormulas = false;
  bool fShowZeros = true;
  bool fShowHeaders = true;
  bool fShowGridLines = true;
  TColor fTabColor = clNone;
  bool fShowGroupButtonsTopRow = false;
  bool fShowGroupButtonsLeftCol = false;
  TExportRange fSelection{0, 0, 1, 1};
  TExportCellAddress fTopLeftCell;
};

}  // namespace sheet
