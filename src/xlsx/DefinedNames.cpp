#include "xlsx/WorksheetWriter.h"

#include <algorithm>

#include "sheet/Workbook.h"
#include "text/Utf16.h"
#include "xlsx/XmlText.h"

namespace xlsx {

using namespace sheet;

namespace {

// "'Title'" with the title cut to 31 characters and apostrophes doubled.
std::string QuotedTitle(const std::string& title) {
  std::string out = "'";
  for (char c : text::Utf16Left(title, 31)) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out + "'";
}

std::string AbsRangeRef(const TExportRange& r) {
  std::string out;
  if (r.Col() >= 0) {
    if (r.Col1Abs()) out += '$';
    AppendColumnLetters(out, r.Col());
  }
  if (r.Row() >= 0) {
    if (r.Row1Abs()) out += '$';
    AppendInt(out, static_cast<long long>(r.Row()) + 1);
  }
  if (r.ColSpan() > 1 || r.RowSpan() > 1) {
    out += ':';
    if (r.Col() >= 0 && r.ColSpan() >= 0) {
      if (r.Col2Abs()) out += '$';
      AppendColumnLetters(out, r.Col() + std::max(r.ColSpan(), 1) - 1);
    }
    if (r.Row() >= 0 && r.RowSpan() >= 0) {
      if (r.Row2Abs()) out += '$';
      AppendInt(out, static_cast<long long>(r.Row()) + std::max(r.RowSpan(), 1));
    }
  }
  return out;
}

std::string NamedCellRef(const TExportNamedCell& n) {
  TExportRange r(n.fCol, n.fRow, n.fColSpan, n.fRowSpan);
  r.SetCol1Abs(true).SetRow1Abs(true).SetCol2Abs(true).SetRow2Abs(true);
  return (n.fWorkSheet ? QuotedTitle(n.fWorkSheet->Title()) + "!" : std::string()) + AbsRangeRef(r);
}

}  // namespace

std::string TWorksheetWriter::DefinedNames(const TExportWorkSheet& sheet, int index) {
  std::string out;
  const TExportPageSettings& page = sheet.PageSettings();
  const std::string title = QuotedTitle(sheet.Title());
  const std::string local = "\" localSheetId=\"" + IntText(index) + "\">";
  const TExportRange& area = page.PrintRange();
  if (area.HasColPart() || area.HasRowPart())
    out += "<definedName name=\"_xlnm.Print_Area" + local + TemplateEscape(title + "!" + AbsRangeRef(area), true) + "</definedName>";
  const TExportRange& cols = page.ColsToRepeat();
  const TExportRange& rows = page.RowsToRepeat();
  std::string titles;
  if (cols.HasColPart()) {
    titles = title + "!$";
    AppendColumnLetters(titles, cols.Col());
    titles += ":$";
    AppendColumnLetters(titles, cols.RightCol());
  }
  if (rows.HasRowPart()) {
    if (!titles.empty()) titles += ',';
    titles += title + "!$" + IntText(static_cast<long long>(rows.Row()) + 1) + ":$" + IntText(static_cast<long long>(rows.BottomRow()) + 1);
  }
  if (!titles.empty()) out += "<definedName name=\"_xlnm.Print_Titles" + local + TemplateEscape(titles, true) + "</definedName>";
  const TExportRange& filter = sheet.WindowSettings().AutoFilter();
  if (filter.HasColPart() || filter.HasRowPart()) {
    TExportRange abs = filter;
    abs.SetCol1Abs(true).SetRow1Abs(true).SetCol2Abs(true).SetRow2Abs(true);
    out += "<definedName name=\"_xlnm._FilterDatabase\" localSheetId=\"" + IntText(index) + "\" hidden=\"1\">" +
           TemplateEscape(title + "!" + AbsRangeRef(abs), true) + "</definedName>";
  }
  const TExportNamedCells& names = sheet.NamedCells();
  for (int i = 0; i < names.Count(); ++i) {
    TExportNamedCell n = names.Get(i);
    if (!n.fWorkSheet) n.fWorkSheet = const_cast<TExportWorkSheet*>(&sheet);
    out += "<definedName name=\"" + TemplateEscape(n.fName) + local + TemplateEscape(NamedCellRef(n), true) + "</definedName>";
  }
  return out;
}

std::string TWorksheetWriter::WorkbookDefinedNames(const TExportWorkbook& workbook) {
  std::string out;
  const TExportNamedCells& names = workbook.NamedCells();
  for (int i = 0; i < names.Count(); ++i)
    if (names.Get(i).fWorkSheet)
      out += "<definedName name=\"" + TemplateEscape(names.Get(i).fName) + "\">" +
             TemplateEscape(NamedCellRef(names.Get(i)), true) + "</definedName>";
  return out;
}

}  // namespace xlsx
