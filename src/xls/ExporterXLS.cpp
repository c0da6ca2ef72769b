#include "xls/ExporterXLS.h"

#include <algorithm>
#include <istream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "sheet/NumberFormat.h"
#include "sheet/TextMeasure.h"
#include "sheet/Workbook.h"
#include "text/Conversion.h"
#include "text/Utf16.h"
#include "xls/BiffRecords.h"
#include "xls/OleStorage.h"
#include "xls/XLSBook.h"
#include "text/StreamBytes.h"

namespace xls {

using namespace sheet;

namespace {

constexpr int kCellsPerProgressStep = 10000;
// A worksheet object weighs about as much as this many rows or cells.
constexpr std::size_t kObjectsPerWorksheet = 64;

TColor PaletteColor(const TXLSBook& book, int index) {
  if (index < 0 || index >= static_cast<int>(book.fPalette.size())) return clNone;
  return static_cast<TColor>(book.fPalette[index]);
}

TCellBorderStyle BorderStyleOf(int biffStyle) {
  return static_cast<TCellBorderStyle>(std::min(biffStyle, 13) + 1);
}

// Everything an XF gives a cell, resolved once per XF.
struct TResolvedXF {
  int fFontId = 0;
  int fBordersId = 0;
  TCellHAlignment fAlignment = cahAuto;
  TCellVAlignment fVAlignment = cavAuto;
  bool fWrap = false;
  std::uint8_t fIndent = 0;
  TExportFlowOrientation fOrientation = efoLeftToRight;
  TExportCellRotation fRotation = 0;
  TExportCellProtection fProtection = ecpLocked;
  TColor fBGColor = clNone;
  std::string fFormat;
  TExportCellClass fNumericClass = CellClass<TExportCellNumber>();
  bool fDateTime = false;
};

TExportCellClass NumericClassOf(TNumberFormatKind kind) {
  switch (kind) {
    case TNumberFormatKind::nfkPercent: return CellClass<TExportCellPercent>();
    case TNumberFormatKind::nfkCurrency: return CellClass<TExportCellCurrency>();
    case TNumberFormatKind::nfkScientific: return CellClass<TExportCellScientific>();
    case TNumberFormatKind::nfkFraction: return CellClass<TExportCellFraction>();
    case TNumberFormatKind::nfkDateTime: return CellClass<TExportCellDateTime>();
    default: return CellClass<TExportCellNumber>();
  }
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// Line breaks of cell texts are CR LF in the model.
std::string NormalizeLineBreaks(std::string_view s) {
  if (!HasLineBreak(s)) return std::string(s);
  std::string out;
  out.reserve(s.size() + 8);
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
      out += "\r\n";
      ++i;
    } else if (s[i] == '\r' || s[i] == '\n') {
      out += "\r\n";
    } else {
      out += s[i];
    }
  }
  return out;
}

class TXLSModelBuilder {
 public:
  TXLSModelBuilder(TExportWorkbook& workbook, const TXLSBook& book, std::size_t streamSize)
      : fWorkbook(workbook), fBook(book), fBudget(1'000'000 + streamSize) {}

  void Build();

 private:
  void BuildFonts();
  void BuildXFs();
  void ApplyXF(TExportCellStyle& style, int xf) const;
  void ApplyXFToCell(TExportCell& cell, int xf) const;
  void Spend(std::size_t objects);
  void BuildWorksheet(TExportWorkSheet& sheet, const TXLSWorksheet& data);
  void BuildCell(TExportWorkSheet& sheet, const TXLSCell& data, const std::vector<std::string>& texts);
  void SetStringCell(TExportRow& row, const TXLSCell& data, std::string_view text, std::string_view runs);
  void BuildPage(TExportWorkSheet& sheet, const TXLSWorksheet& data) const;
  // Widths from the standard font's digit width, measured on first use.
  TLazyWidth Width(std::function<double(double)> pixels);

  TExportWorkbook& fWorkbook;
  const TXLSBook& fBook;
  std::size_t fBudget;  // rows and cells the load may still create
  std::vector<int> fFontIds;  // file font index -> model font index
  std::vector<TResolvedXF> fXFs;
  std::shared_ptr<const TLazyDigitWidth> fDigits;
  int fCellCount = 0;
  int fDimensionRows = -1;  // of the worksheet being built, for progress
};

void TXLSModelBuilder::Spend(std::size_t objects) {
  // A few bytes of a record can ask for thousands of rows or cells. Real files
  // need at most about one object per byte of their stream (MULBLANK: two bytes
  // per cell), plus room for sparse sheets; a file asking for more is not a workbook.
  if (objects > fBudget) throw EOleStorageException(kMsgNotValidXls);
  fBudget -= objects;
}

void TXLSModelBuilder::BuildFonts() {
  for (const TXLSFont& f : fBook.fFonts) {
    TExportFont font;
    font.SetName(f.fName).SetSize(f.fHeight / 20);
    font.SetColor(PaletteColor(fBook, f.fColorIndex));
    TExportFontStyle& style = font.Style();
    style.SetItalic(f.fItalic ? efsYes : efsNo);
    style.SetStrikeOut(f.fStrikeOut ? efsYes : efsNo);
    style.SetBold(f.fWeight >= 700 ? efsYes : efsNo);
    style.SetEscapement(f.fEscapement == 0   ? efeAuto
                        : f.fEscapement == 1 ? efeSuperscript
                        : f.fEscapement == 2 ? efeSubscript
                                             : efeNo);
    switch (f.fUnderline) {
      case 0: style.SetUnderline(efuAuto); break;
      case 1: style.SetUnderline(efuSingle); break;
      case 2: style.SetUnderline(efuDouble); break;
      case 0x21: style.SetUnderline(efuSingleAccounting); break;
      case 0x22: style.SetUnderline(efuDoubleAccounting); break;
      default: style.SetUnderline(efuNo); break;
    }
    fFontIds.push_back(fWorkbook.Fonts().AddForced(font));
  }
}

void TXLSModelBuilder::BuildXFs() {
  fXFs.reserve(fBook.fXFs.size());
  for (const TXLSXF& x : fBook.fXFs) {
    TResolvedXF r;
    r.fFontId = x.fFontIndex < static_cast<int>(fFontIds.size()) ? fFontIds[x.fFontIndex] : 0;
    if (x.fExt.fFont) {
      TExportFont font = fWorkbook.Fonts().Get(r.fFontId);
      font.SetColor(static_cast<TColor>(*x.fExt.fFont));
      r.fFontId = fWorkbook.Fonts().CreateAddUnique(font);
    }
    TExportCellBorders borders;
    auto side = [&](TCellBorder b, int style, int color, const std::optional<std::uint32_t>& ext) {
      borders[b].SetStyle(BorderStyleOf(style));
      borders[b].SetColor(ext ? static_cast<TColor>(*ext) : PaletteColor(fBook, color));
    };
    side(cbLeft, x.fLeftStyle, x.fLeftColor, x.fExt.fLeft);
    side(cbRight, x.fRightStyle, x.fRightColor, x.fExt.fRight);
    side(cbTop, x.fTopStyle, x.fTopColor, x.fExt.fTop);
    side(cbBottom, x.fBottomStyle, x.fBottomColor, x.fExt.fBottom);
    side(cbDiagonalDown, x.fDiagDown ? x.fDiagStyle : 0, x.fDiagColor, x.fExt.fDiagonal);
    side(cbDiagonalUp, x.fDiagUp ? x.fDiagStyle : 0, x.fDiagColor, x.fExt.fDiagonal);
    r.fBordersId = fWorkbook.BordersList().CreateAddUnique(borders);

    r.fAlignment = static_cast<TCellHAlignment>(x.fHAlign);
    r.fVAlignment = x.fVAlign <= 4 ? static_cast<TCellVAlignment>(x.fVAlign + 1) : cavAuto;
    r.fWrap = x.fWrap;
    r.fIndent = static_cast<std::uint8_t>(x.fIndent);
    if (x.fRotation <= 90) {
      r.fRotation = x.fRotation;
    } else if (x.fRotation <= 180) {
      r.fRotation = 90 - x.fRotation;
    } else if (x.fRotation == 255) {
      r.fOrientation = efoTopToBottom;
    }
    r.fProtection = static_cast<TExportCellProtection>((x.fLocked ? ecpLocked : 0) |
                                                       (x.fFormulaHidden ? ecpFormulaHidden : 0));
    if (x.fSolidFill) r.fBGColor = PaletteColor(fBook, x.fFillColor);
    if (x.fExt.fFill) r.fBGColor = static_cast<TColor>(*x.fExt.fFill);

    auto own = fBook.fFormats.find(x.fFormatIndex);
    if (own != fBook.fFormats.end()) {
      r.fFormat = own->second;
    } else if (auto builtIn = BuiltInNumberFormat(x.fFormatIndex)) {
      r.fFormat = *builtIn;
    }
    TNumberFormatKind kind = AnalyzeNumberFormat(r.fFormat);
    r.fNumericClass = NumericClassOf(kind);
    r.fDateTime = kind == TNumberFormatKind::nfkDateTime;
    fXFs.push_back(std::move(r));
  }
}

void TXLSModelBuilder::ApplyXF(TExportCellStyle& style, int xf) const {
  if (xf < 0 || xf >= static_cast<int>(fXFs.size())) return;
  const TResolvedXF& r = fXFs[xf];
  style.SetFontId(r.fFontId);
  style.SetBordersId(r.fBordersId);
  style.SetAlignment(r.fAlignment);
  style.SetVAlignment(r.fVAlignment);
  style.SetIndent(r.fIndent);
  style.SetWrapText(r.fWrap);
  style.SetOrientation(r.fOrientation);
  style.SetRotation(r.fRotation);
  style.SetProtection(r.fProtection);
  style.SetBGColor(r.fBGColor);
}

void TXLSModelBuilder::ApplyXFToCell(TExportCell& cell, int xf) const {
  // An unknown XF leaves the style alone and counts as General.
  const bool known = xf >= 0 && xf < static_cast<int>(fXFs.size());
  if (known) ApplyXF(cell.Style(), xf);
  cell.SetExcelNumberFormat(known ? fXFs[xf].fFormat : std::string(), true);
}

// The standard font's digit width measures a font (fontconfig's whole
// configuration on Linux): it waits until a column width is asked for,
// which a reader of cell texts (the customer list) never does.
TLazyWidth TXLSModelBuilder::Width(std::function<double(double)> pixels) {
  if (!fDigits) {
    TMeasuredFont measured;
    const TExportFont& font = fFontIds.empty() ? fWorkbook.StandardFont() : fWorkbook.Fonts().Get(fFontIds[0]);
    if (!font.Name().empty()) measured.fName = font.Name();
    measured.fSize = font.Size() > 0 ? font.Size() : 10;
    fDigits = std::make_shared<TLazyDigitWidth>([measured] {
      const double width = DefaultTextMeasure().AverageDigitWidth(measured);
      return width > 0 ? width : 7;
    });
  }
  return TLazyWidth{fDigits, std::move(pixels)};
}

void TXLSModelBuilder::SetStringCell(TExportRow& row, const TXLSCell& data, std::string_view text,
                                     std::string_view runs) {
  auto& cell = row.FindCreateCellAs<TExportCellString>(data.fCol);
  ApplyXFToCell(cell, data.fXF);
  cell.SetText(NormalizeLineBreaks(text));
  if (runs.size() < 4) return;
  // Formatting runs: first character (UTF-16 index) and font of each part.
  std::vector<TRichTextRun> parts;
  std::size_t length = text::Utf16Length(text);
  std::size_t start = 0;
  std::optional<TExportFont> font;
  auto emit = [&](std::size_t end) {
    if (end > start) parts.push_back({NormalizeLineBreaks(text::Utf16Mid(text, start, end - start)), font});
  };
  for (std::size_t i = 0; i + 4 <= runs.size(); i += 4) {
    auto b = reinterpret_cast<const std::uint8_t*>(runs.data() + i);
    std::size_t first = b[0] | (b[1] << 8);
    int fontIndex = b[2] | (b[3] << 8);
    if (first < start || first > length) continue;  // runs out of order or past the text are ignored
    emit(first);
    start = first;
    if (fontIndex > 3) --fontIndex;
    if (fontIndex < static_cast<int>(fFontIds.size()))
      font = fWorkbook.Fonts().Get(fFontIds[fontIndex]);
    else
      font.reset();
  }
  emit(length);
  if (parts.size() > 1 || (parts.size() == 1 && parts[0].fFont)) cell.SetRichText(std::move(parts));
}

void TXLSModelBuilder::BuildCell(TExportWorkSheet& sheet, const TXLSCell& data,
                                 const std::vector<std::string>& texts) {
  TExportRows& rows = sheet.Rows();
  if (data.fRow >= rows.Count()) Spend(data.fRow + 1 - rows.Count());
  TExportRow& row = rows.GetER(data.fRow);
  if (data.fCol >= row.CellCount()) Spend(data.fCol + 1 - row.CellCount());

  switch (data.fKind) {
    case TXLSCellKind::Number: {
      const bool known = data.fXF < fXFs.size();
      TExportCellClass kind = known ? fXFs[data.fXF].fNumericClass : CellClass<TExportCellNumber>();
      auto& cell = static_cast<TExportCellCustomNumber&>(row.FindCreateCell(data.fCol, kind, true));
      ApplyXFToCell(cell, data.fXF);
      double value = data.fValue;
      if (known && fXFs[data.fXF].fDateTime && fWorkbook.Use1904DateSystem()) value += 1462;
      cell.SetValue(value);
      break;
    }
    case TXLSCellKind::String: {
      std::string_view runs;
      std::string_view text;
      if (data.fShared) {
        const auto& sst = fBook.fSharedStrings;
        if (data.fTextIndex >= 0 && data.fTextIndex < sst.Count()) {
          text = sst.GetS(data.fTextIndex);
          runs = sst.RichTextTags(data.fTextIndex);
        }
        if (text.empty()) {  // an invalid index or an empty string
          ApplyXFToCell(row.FindCreateCellAs<TExportCellEmpty>(data.fCol), data.fXF);
          break;
        }
      } else if (data.fTextIndex >= 0 && static_cast<std::size_t>(data.fTextIndex) < texts.size()) {
        text = texts[static_cast<std::size_t>(data.fTextIndex)];
      }
      SetStringCell(row, data, text, runs);
      break;
    }
    case TXLSCellKind::Boolean:
    case TXLSCellKind::Error: {
      auto& cell = row.FindCreateCellAs<TExportCellBoolean>(data.fCol);
      ApplyXFToCell(cell, data.fXF);
      cell.SetAsBoolean(data.fBool);
      if (data.fKind == TXLSCellKind::Error) cell.SetValueType(btError);
      break;
    }
    case TXLSCellKind::Blank:
    case TXLSCellKind::FormulaEmpty:
      ApplyXFToCell(row.FindCreateCellAs<TExportCellEmpty>(data.fCol), data.fXF);
      break;
  }
  if (++fCellCount % kCellsPerProgressStep == 0)
    fWorkbook.DoProgress(epnRow, data.fRow, fDimensionRows > 0 ? fDimensionRows : sheet.Rows().Count());
}

void TXLSModelBuilder::BuildPage(TExportWorkSheet& sheet, const TXLSWorksheet& data) const {
  TExportPageSettings& page = sheet.PageSettings();
  if (data.fLeftMargin) page.SetMarginLeft(*data.fLeftMargin * 2.54);
  if (data.fRightMargin) page.SetMarginRight(*data.fRightMargin * 2.54);
  if (data.fTopMargin) page.SetMarginTop(*data.fTopMargin * 2.54);
  if (data.fBottomMargin) page.SetMarginBottom(*data.fBottomMargin * 2.54);
  page.SetPrintHeaders(data.fPrintHeaders).SetPrintGridLines(data.fPrintGridLines);
  page.SetCenterTable(static_cast<TExportCenterTable>((data.fHCenter ? ectHorizontal : 0) |
                                                      (data.fVCenter ? ectVertical : 0)));
  if (data.fSetup) {
    const TXLSSetup& s = *data.fSetup;
    const bool noPrinterData = s.fOptions & 0x04;
    if (!noPrinterData) {
      if (s.fPaperSize) page.SetPaperType(s.fPaperSize);
      if (!(s.fOptions & 0x40)) page.SetPageOrientation((s.fOptions & 0x02) ? epoPortrait : epoLandscape);
      if (data.fFitToPage) {
        page.SetFitWidthToPages(s.fFitWidth).SetFitHeightToPages(s.fFitHeight);
      } else if (s.fScale >= 10 && s.fScale <= 400) {
        page.SetPrintScale(s.fScale);
      }
    }
    page.SetPageOrder((s.fOptions & 0x01) ? efoLeftToRight : efoTopToBottom);
    if (s.fOptions & 0x80) {
      page.SetUseFirstPageNumber(true).SetFirstPageNumber(static_cast<std::int16_t>(s.fPageStart));
    }
    if (s.fHeaderMargin >= 0 && s.fHeaderMargin < 100) sheet.Header().SetHeight(s.fHeaderMargin * 2.54);
    if (s.fFooterMargin >= 0 && s.fFooterMargin < 100) sheet.Footer().SetHeight(s.fFooterMargin * 2.54);
  }
  // Header and footer codes: "&L", "&C", "&R" start the parts; text before them is centred.
  auto split = [](const std::string& code, TExportHeaders& target) {
    std::string parts[3];
    int current = 1;
    for (std::size_t i = 0; i < code.size(); ++i) {
      if (code[i] == '&' && i + 1 < code.size()) {
        char next = code[i + 1];
        if (next == 'L' || next == 'C' || next == 'R') {
          current = next == 'L' ? 0 : next == 'C' ? 1 : 2;
          ++i;
          continue;
        }
        parts[current] += code[i];
        parts[current] += next;  // "&&" and other codes stay whole
        ++i;
        continue;
      }
      parts[current] += code[i];
    }
    for (int k = 0; k < 3; ++k)
      if (!parts[k].empty()) target.GetItem(k).SetExcelFormattedText(parts[k]);
  };
  if (data.fHeader) split(*data.fHeader, sheet.Header());
  if (data.fFooter) split(*data.fFooter, sheet.Footer());

  TExportWindowSettings& view = sheet.WindowSettings();
  if (data.fWindow2) {
    const std::uint16_t o = data.fWindow2->fOptions;
    view.SetShowFormulas(o & 0x01).SetShowGridLines(o & 0x02).SetShowHeaders(o & 0x04).SetShowZeros(o & 0x10);
    if (o & 0x0800) view.SetView(ewvPageBreakPreview);
    view.TopLeftCell().SetRow(data.fWindow2->fTopRow).SetCol(data.fWindow2->fLeftCol);
    if ((o & 0x08) && data.fPaneSplit) {
      view.Split().SetCol(data.fPaneSplit->first).SetRow(data.fPaneSplit->second);
    }
  }
  if (data.fSelection) {
    const auto& s = *data.fSelection;
    if (s[0] <= s[1] && s[2] <= s[3]) view.Selection().SetRange(s[2], s[0], s[3] - s[2] + 1, s[1] - s[0] + 1);
  }
  if (data.fZoom && data.fZoom->second != 0) {
    int scale = data.fZoom->first * 100 / data.fZoom->second;
    if (scale >= 10 && scale <= 400) view.SetScale(scale);
  }
}

void TXLSModelBuilder::BuildWorksheet(TExportWorkSheet& sheet, const TXLSWorksheet& data) {
  if (data.fDefRowHeight) sheet.Rows().SetDefaultHeight((*data.fDefRowHeight & 0x7FFF) / 15.0);
  if (data.fDefColWidth) {
    const double characters = *data.fDefColWidth;
    sheet.Cols().SetLazyDefaultWidth(Width([characters](double d) {
      return static_cast<double>(text::RoundHalfEven(text::RoundHalfEven(1.4 * d) * 8.0 * characters / 10));
    }));
  }
  for (const TXLSColInfo& c : data.fCols) {
    const bool hidden = c.fOptions & 0x01;
    const double units = c.fWidth;
    const TLazyWidth width = Width([units, hidden](double d) { return hidden && units == 0 ? d : units * d / 256; });
    if (c.fLast >= 256) {  // the settings of every column not described otherwise
      if (c.fFirst == 0 && c.fWidth) sheet.Cols().SetLazyDefaultWidth(width);
      continue;
    }
    if (c.fFirst > c.fLast) continue;
    for (int i = c.fFirst; i <= c.fLast; ++i) {
      TExportCol& col = sheet.Cols().GetEC(i);
      col.SetLazyWidth(width).SetHidden(hidden).SetGroupLevel((c.fOptions >> 8) & 0x07);
      ApplyXF(col.Style(), c.fXF);
    }
  }
  for (const TXLSRow& r : data.fRows) {
    TExportRows& rows = sheet.Rows();
    if (r.fRow >= rows.Count()) Spend(r.fRow + 1 - rows.Count());
    TExportRow& row = rows.GetER(r.fRow);
    if ((r.fHeight & 0x8000) || !(r.fFlags & 0x40))
      row.SetCalculateRowHeight(erhForceAuto);
    else
      row.SetHeight((r.fHeight & 0x7FFF) / 15.0);
    row.SetGroupLevel(r.fFlags & 0x07).SetHidden(r.fFlags & 0x20);
    if (r.fFlags & 0x80) ApplyXF(row.Style(), (r.fFlags >> 16) & 0x0FFF);
  }
  fDimensionRows = data.fDimensionRows;
  for (const TXLSCell& c : data.fCells) BuildCell(sheet, c, data.fTexts);
  for (const TXLSMerge& m : data.fMerges) {
    if (m.fFirstRow > m.fLastRow || m.fFirstCol > m.fLastCol || m.fLastCol >= TExporterXLS::kMaxCols) continue;
    TExportRows& rows = sheet.Rows();
    if (m.fFirstRow >= rows.Count()) Spend(m.fFirstRow + 1 - rows.Count());
    TExportRow& row = rows.GetER(m.fFirstRow);
    if (m.fLastCol >= row.CellCount()) Spend(m.fLastCol + 1 - row.CellCount());
    row.FindCreateCell(m.fFirstCol).SetColSpan(m.fLastCol - m.fFirstCol + 1).SetRowSpan(m.fLastRow - m.fFirstRow + 1);
  }
  BuildPage(sheet, data);
}

void TXLSModelBuilder::Build() {
  fWorkbook.SetUse1904DateSystem(fBook.fUse1904);
  BuildFonts();
  BuildXFs();
  const int count = static_cast<int>(fBook.fWorksheets.size());
  std::vector<TExportWorkSheet*> sheets;
  for (const TXLSWorksheet& data : fBook.fWorksheets) {
    Spend(kObjectsPerWorksheet);
    TExportWorkSheet& sheet = fWorkbook.AddWorkSheet(data.fName);
    ApplyXF(sheet.Style(), 0);
    sheets.push_back(&sheet);
  }
  for (int i = 0; i < count; ++i) {
    fWorkbook.DoProgress(epnWorksheet, i, count, sheets[i]->Title());
    BuildWorksheet(*sheets[i], fBook.fWorksheets[i]);
  }
  fWorkbook.DoProgress(epnWorksheet, count, count);
  // The selected tab counts every sheet; only a worksheet can be opened.
  int tab = fBook.fActiveSheet, worksheet = 0;
  for (int i = 0; i < static_cast<int>(fBook.fSheets.size()); ++i) {
    if (fBook.fSheets[i].fKind != 0) continue;
    if (i == tab && worksheet < count) {
      fWorkbook.SetOpenWorkSheet(sheets[worksheet]);
      fWorkbook.SetActiveWorkSheet(sheets[worksheet]);
    }
    ++worksheet;
  }
  fWorkbook.DoProgress(epnFinish, 0, 1);
}

}  // namespace

TExporterXLS::TExporterXLS() : TCustomExporter(kFormatXls, "Excel 97, 2000, XP", {"xls", "xlt"}) {}

std::unique_ptr<TCustomExporter> TExporterXLS::CreateNew() const { return std::make_unique<TExporterXLS>(); }

void TExporterXLS::SaveToStream(std::ostream&) {
  // Saving would otherwise succeed with an empty file.
  throw EExportException(kMsgXlsWriteUnsupported);
}

bool TExporterXLS::LoadFromStream(std::istream& stream, TExportWorkbook& workbook) {
  // A file read into memory comes as a string stream: read it where it lies
  // rather than copying the whole workbook once more.
  if (auto* held = dynamic_cast<std::stringbuf*>(stream.rdbuf())) {
    const std::streampos at = stream.tellg();
    const std::string_view all = held->view();
    if (at != std::streampos(-1) && static_cast<std::size_t>(at) <= all.size()) {
      const bool loaded = LoadFromBytes(all.substr(static_cast<std::size_t>(at)), workbook);
      stream.seekg(0, std::ios::end);
      return loaded;
    }
  }
  std::string bytes = text::ReadAll(stream);
  return LoadFromBytes(bytes, workbook);
}

bool TExporterXLS::LoadFromBytes(std::string_view bytes, TExportWorkbook& workbook) {
  std::istringstream none;
  TCustomExporter::LoadFromStream(none, workbook);  // owner, no worksheets
  workbook.Fonts().Reset();
  workbook.BordersList().Reset();
  workbook.DoProgress(epnStart, 0, 1, kProgressImport);
  workbook.DoProgress(epnLoad, 0, 1);

  TOleStorage storage;
  storage.OpenStreamForReading(bytes);
  std::string stream;
  if (!storage.LoadStream(stream, "Workbook")) {
    if (storage.ContainsNamedStream("Book")) throw EExportFileException(kMsgOldXls);
    throw EOleStorageException(kMsgNotValidXls);
  }
  TXLSBook book = ReadXLSBook(stream);
  if (book.fBiffVersion < kBofBiff8) throw EExportFileException(kMsgOldXls);
  TXLSModelBuilder(workbook, book, stream.size()).Build();
  return true;
}

void RegisterXlsFormat() {
  if (ExporterRegistry().Find<TExporterXLS>()) return;
  RegisterExporter(std::make_unique<TExporterXLS>(), 1);
}

}  // namespace xls
