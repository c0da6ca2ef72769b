#include <algorithm>

#include "xls/BiffContinue.h"
#include "xls/BiffRecords.h"
#include "xls/XLSBook.h"

namespace xls {

const std::array<std::uint32_t, 66>& DefaultPalette() {
  // 0x00BBGGRR. Entries 0-7 repeat the eight basic colours; 64 and 65 are the
  // system window-text and window-background colours (black and white).
  static const std::array<std::uint32_t, 66> palette = {
      0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00,  // 0-7
      0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00,  // 8-15
      0x000080, 0x008000, 0x800000, 0x008080, 0x800080, 0x808000, 0xC0C0C0, 0x808080,  // 16-23
      0xFF9999, 0x663399, 0xCCFFFF, 0xFFFFCC, 0x660066, 0x8080FF, 0xCC6600, 0xFFCCCC,  // 24-31
      0x800000, 0xFF00FF, 0x00FFFF, 0xFFFF00, 0x800080, 0x000080, 0x808000, 0xFF0000,  // 32-39
      0xFFCC00, 0xFFFFCC, 0xCCFFCC, 0x99FFFF, 0xFFCC99, 0xCC99FF, 0xFF99CC, 0x99CCFF,  // 40-47
      0xFF6633, 0xCCCC33, 0x00CC99, 0x00CCFF, 0x0099FF, 0x0066FF, 0x996666, 0x969696,  // 48-55
      0x663300, 0x669933, 0x003300, 0x003333, 0x003399, 0x663399, 0x993333, 0x333333,  // 56-63
      0x000000, 0xFFFFFF};
  return palette;
}

int CodePageOfCharSet(int charSet) {
  switch (charSet) {
    case 0: return 1252;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 255: return 850;
    default: return 0;
  }
}

namespace {

TXLSFont ReadFont(std::string_view data) {
  TByteCursor c(data);
  TXLSFont font;
  font.fHeight = c.U16();
  std::uint16_t options = c.U16();
  font.fItalic = options & 0x02;
  font.fStrikeOut = options & 0x08;
  font.fColorIndex = c.U16();
  font.fWeight = c.U16();
  font.fEscapement = c.U16();
  font.fUnderline = c.U8();
  c.U8();  // family
  font.fCharSet = c.U8();
  c.U8();
  font.fName = ReadUnicodeString(c, 1);
  return font;
}

TXLSXF ReadXF(std::string_view data) {
  TByteCursor c(data);
  TXLSXF xf;
  int font = c.U16();
  xf.fFontIndex = font > 3 ? font - 1 : font;
  xf.fFormatIndex = c.U16();
  std::uint16_t flags = c.U16();
  xf.fLocked = flags & 0x01;
  xf.fFormulaHidden = flags & 0x02;
  std::uint8_t align = c.U8();
  xf.fHAlign = align & 0x07;
  xf.fWrap = align & 0x08;
  xf.fVAlign = (align >> 4) & 0x07;
  xf.fRotation = c.U8();
  xf.fIndent = c.U8() & 0x0F;
  c.U8();  // used-attribute flags
  std::uint32_t border1 = c.U32();
  std::uint32_t border2 = c.U32();
  std::uint16_t fill = c.U16();
  xf.fLeftStyle = border1 & 0x0F;
  xf.fRightStyle = (border1 >> 4) & 0x0F;
  xf.fTopStyle = (border1 >> 8) & 0x0F;
  xf.fBottomStyle = (border1 >> 12) & 0x0F;
  xf.fLeftColor = (border1 >> 16) & 0x7F;
  xf.fRightColor = (border1 >> 23) & 0x7F;
  xf.fDiagDown = border1 & 0x40000000u;
  xf.fDiagUp = border1 & 0x80000000u;
  xf.fTopColor = border2 & 0x7F;
  xf.fBottomColor = (border2 >> 7) & 0x7F;
  xf.fDiagColor = (border2 >> 14) & 0x7F;
  xf.fDiagStyle = (border2 >> 21) & 0x0F;
  xf.fSolidFill = border2 & (1u << 26);
  xf.fFillColor = fill & 0x7F;
  return xf;
}

// XFEXT: colours of the 97-2003 format's successors that the XF cannot hold.
void ReadXFExt(std::string_view data, std::vector<TXLSXF>& xfs) {
  if (data.size() < 20) return;
  TByteCursor c(data);
  c.Skip(14);
  std::uint16_t index = c.U16();
  c.Skip(2);
  std::uint16_t count = c.U16();
  if (index >= xfs.size()) return;
  TXLSXFExtColors& ext = xfs[index].fExt;
  for (std::uint16_t i = 0; i < count && c.Remaining() >= 4; ++i) {
    std::uint16_t type = c.U16();
    std::uint16_t size = c.U16();
    if (size < 4 || size - 4u > c.Remaining()) return;
    TByteCursor prop(c.Bytes(size - 4u));
    std::optional<std::uint32_t>* target = nullptr;
    switch (type) {
      case 4: target = &ext.fFill; break;
      case 7: target = &ext.fTop; break;
      case 8: target = &ext.fBottom; break;
      case 9: target = &ext.fLeft; break;
      case 10: target = &ext.fRight; break;
      case 11: target = &ext.fDiagonal; break;
      case 13: target = &ext.fFont; break;
      default: break;
    }
    if (!target || prop.Remaining() < 8) continue;
    std::uint16_t colorType = prop.U16();
    prop.U16();  // tint
    std::uint32_t value = prop.U32();
    if (colorType == 2) *target = value & 0xFFFFFF;  // R, G, B bytes: already 0x00BBGGRR
  }
}

void ReadGlobals(TBiffRecordReader& reader, TXLSBook& book, std::size_t& sstOffset, bool& hasSST) {
  TBiffRecord r;
  while (reader.Next(r)) {
    switch (r.fType) {
      case rt::EOF_: return;
      case rt::FILEPASS: book.fEncrypted = true; throw EXLSEncrypted();
      case rt::DATEMODE:
        if (r.fData.size() >= 2) book.fUse1904 = TByteCursor(r.fData).U16() == 1;
        break;
      case rt::WINDOW1:
        if (r.fData.size() >= 12) {
          TByteCursor c(r.fData);
          c.Skip(10);
          book.fActiveSheet = c.U16();
        }
        break;
      case rt::BOUNDSHEET: {
        TByteCursor c(r.fData);
        TXLSSheetInfo sheet;
        sheet.fOffset = c.U32();
        sheet.fVisibility = c.U8();
        sheet.fKind = c.U8();
        sheet.fName = ReadUnicodeString(c, 1);
        book.fSheets.push_back(std::move(sheet));
        break;
      }
      case rt::PALETTE: {
        TByteCursor c(r.fData);
        std::uint16_t count = c.U16();
        for (std::size_t i = 0; i < count && 8 + i < book.fPalette.size() && c.Remaining() >= 4; ++i) book.fPalette[8 + i] = c.U32() & 0xFFFFFF;
        break;
      }
      case rt::SST:
        sstOffset = r.fOffset;
        hasSST = true;
        break;
      case rt::FORMAT: {
        TByteCursor c(r.fData);
        int index = c.U16();
        book.fFormats[index] = ReadUnicodeString(c, 2);
        break;
      }
      case rt::FONT:
        book.fFonts.push_back(ReadFont(r.fData));
        book.fCodePage = CodePageOfCharSet(book.fFonts.back().fCharSet);
        break;
      case rt::XF: book.fXFs.push_back(ReadXF(r.fData)); break;
      case rt::XFEXT: ReadXFExt(r.fData, book.fXFs); break;
      default: break;
    }
  }
}

// Finds the next worksheet substream; false when the stream ends first.
bool SeekWorksheet(TBiffRecordReader& reader) {
  TBiffRecord r;
  while (reader.Next(r)) {
    if (r.fType == rt::BOF && r.fData.size() >= 4) {
      TByteCursor c(r.fData);
      c.U16();
      if (c.U16() == kBofWorksheet) return true;
    }
  }
  return false;
}

void ReadCellHeader(TByteCursor& c, TXLSCell& cell) {
  cell.fRow = c.U16();
  cell.fCol = c.U16();
  cell.fXF = c.U16();
}

constexpr std::uint16_t kMaxCol = 255;  // the format has 256 columns

void AddCell(TXLSWorksheet& sheet, TXLSCell&& cell) {
  if (cell.fCol <= kMaxCol) sheet.fCells.push_back(std::move(cell));
}

static_assert(sizeof(TXLSCell) <= 24, "a cell's text stays out of the cell");

std::int32_t AddText(TXLSWorksheet& sheet, std::string&& text) {
  // A sheet's texts cannot outnumber its records, which a stream of at most
  // 4 GiB cannot make reach 2^31.
  sheet.fTexts.push_back(std::move(text));
  return static_cast<std::int32_t>(sheet.fTexts.size() - 1);
}

// Room for the cells the sheet's used range holds, so that a large sheet's
// cells are not moved again and again as the list grows. The range is the
// file's word: no more is reserved than the rest of the stream could hold.
void ReserveCells(TXLSWorksheet& sheet, const TBiffRecordReader& reader, std::uint32_t firstRow,
                  std::uint32_t endRow, std::uint16_t firstCol, std::uint16_t endCol) {
  if (endRow <= firstRow || endCol <= firstCol || !sheet.fCells.empty()) return;
  constexpr std::size_t kMinBytesPerCell = 10;  // an RK or LABELSST record has 14
  const std::size_t rows = std::min<std::uint32_t>(endRow, 65536) - std::min<std::uint32_t>(firstRow, 65536);
  const std::size_t cols = std::min<std::uint16_t>(endCol, kMaxCol + 1) - std::min<std::uint16_t>(firstCol, kMaxCol + 1);
  const std::size_t fit = (reader.Size() - reader.Position()) / kMinBytesPerCell;
  sheet.fCells.reserve(std::min(rows * cols, fit));
}

void ReadWorksheet(TBiffRecordReader& reader, TXLSWorksheet& sheet) {
  TBiffRecord r;
  int depth = 0;  // embedded chart substreams inside the sheet
  int stringFormula = -1;  // cell waiting for its STRING record
  while (reader.Next(r)) {
    if (r.fType == rt::BOF) {
      ++depth;
      continue;
    }
    if (r.fType == rt::EOF_) {
      if (depth == 0) return;
      --depth;
      continue;
    }
    if (depth > 0) continue;
    TByteCursor c(r.fData);
    switch (r.fType) {
      case rt::NUMBER: {
        TXLSCell cell;
        ReadCellHeader(c, cell);
        cell.fKind = TXLSCellKind::Number;
        cell.fValue = c.F64();
        AddCell(sheet, std::move(cell));
        break;
      }
      case rt::RK: {
        TXLSCell cell;
        ReadCellHeader(c, cell);
        cell.fKind = TXLSCellKind::Number;
        cell.fValue = DecodeRK(c.U32());
        AddCell(sheet, std::move(cell));
        break;
      }
      case rt::MULRK: {
        std::uint16_t row = c.U16();
        std::uint16_t col = c.U16();
        std::size_t n = r.fData.size() >= 6 ? (r.fData.size() - 6) / 6 : 0;
        for (std::size_t i = 0; i < n; ++i, ++col) {
          TXLSCell cell;
          cell.fRow = row;
          cell.fCol = col;
          cell.fXF = c.U16();
          cell.fKind = TXLSCellKind::Number;
          cell.fValue = DecodeRK(c.U32());
          AddCell(sheet, std::move(cell));
          if (col == 0xFFFF) break;
        }
        break;
      }
      case rt::BLANK: {
        TXLSCell cell;
        ReadCellHeader(c, cell);
        AddCell(sheet, std::move(cell));
        break;
      }
      case rt::MULBLANK: {
        std::uint16_t row = c.U16();
        std::uint16_t col = c.U16();
        std::size_t n = r.fData.size() >= 6 ? (r.fData.size() - 6) / 2 : 0;
        for (std::size_t i = 0; i < n; ++i, ++col) {
          TXLSCell cell;
          cell.fRow = row;
          cell.fCol = col;
          cell.fXF = c.U16();
          AddCell(sheet, std::move(cell));
          if (col == 0xFFFF) break;
        }
        break;
      }
      case rt::LABEL:
      case rt::RSTRING: {
        TXLSCell cell;
        ReadCellHeader(c, cell);
        std::string text = ReadUnicodeString(c, 2);
        if (!text.empty()) {
          cell.fKind = TXLSCellKind::String;
          cell.fTextIndex = AddText(sheet, std::move(text));
        }
        AddCell(sheet, std::move(cell));
        break;
      }
      case rt::LABELSST: {
        TXLSCell cell;
        ReadCellHeader(c, cell);
        std::uint32_t index = c.U32();
        cell.fKind = TXLSCellKind::String;
        cell.fShared = true;
        cell.fTextIndex = index > 0x7FFFFFFF ? -2 : static_cast<std::int32_t>(index);
        AddCell(sheet, std::move(cell));
        break;
      }
      case rt::BOOLERR: {
        TXLSCell cell;
        ReadCellHeader(c, cell);
        std::uint8_t value = c.U8();
        std::uint8_t isError = c.U8();
        cell.fKind = isError == 1 ? TXLSCellKind::Error : TXLSCellKind::Boolean;
        cell.fBool = value == 1;
        cell.fValue = value;
        AddCell(sheet, std::move(cell));
        break;
      }
      case rt::FORMULA: {
        TXLSCell cell;
        ReadCellHeader(c, cell);
        std::string_view result = c.Bytes(8);
        auto b = reinterpret_cast<const std::uint8_t*>(result.data());
        cell.fFormula = true;
        stringFormula = -1;
        if (b[6] != 0xFF || b[7] != 0xFF) {
          cell.fKind = TXLSCellKind::Number;
          TByteCursor value(result);
          cell.fValue = value.F64();
        } else if (b[0] == 0) {
          cell.fKind = TXLSCellKind::String;
          if (cell.fCol <= kMaxCol) stringFormula = static_cast<int>(sheet.fCells.size());
        } else if (b[0] == 1) {
          cell.fKind = TXLSCellKind::Boolean;
          cell.fBool = b[2] == 1;
          cell.fValue = b[2] == 1;
        } else {
          cell.fKind = TXLSCellKind::FormulaEmpty;
        }
        AddCell(sheet, std::move(cell));
        break;
      }
      case rt::STRING: {
        std::uint16_t count = c.U16();
        TBiffContinueCursor cc(reader, r.fData.substr(2));
        std::string text;
        cc.ReadString(count, text, nullptr);
        if (stringFormula >= 0 && !text.empty()) sheet.fCells[stringFormula].fTextIndex = AddText(sheet, std::move(text));
        stringFormula = -1;
        break;
      }
      case rt::ROW: {
        TXLSRow row;
        row.fRow = c.U16();
        c.Skip(4);
        row.fHeight = c.U16();
        c.Skip(4);
        row.fFlags = c.U32();
        sheet.fRows.push_back(row);
        break;
      }
      case rt::COLINFO: {
        TXLSColInfo col;
        col.fFirst = c.U16();
        col.fLast = c.U16();
        col.fWidth = c.U16();
        col.fXF = c.U16();
        col.fOptions = c.U16();
        sheet.fCols.push_back(col);
        break;
      }
      case rt::MERGEDCELLS: {
        std::uint16_t count = c.U16();
        for (std::uint16_t i = 0; i < count && c.Remaining() >= 8; ++i) {
          TXLSMerge m;
          m.fFirstRow = c.U16();
          m.fLastRow = c.U16();
          m.fFirstCol = c.U16();
          m.fLastCol = c.U16();
          sheet.fMerges.push_back(m);
        }
        break;
      }
      case rt::HEADER:
      case rt::FOOTER:
        if (!r.fData.empty()) (r.fType == rt::HEADER ? sheet.fHeader : sheet.fFooter) = ReadUnicodeString(c, 2);
        break;
      case rt::LEFTMARGIN: sheet.fLeftMargin = c.F64(); break;
      case rt::RIGHTMARGIN: sheet.fRightMargin = c.F64(); break;
      case rt::TOPMARGIN: sheet.fTopMargin = c.F64(); break;
      case rt::BOTTOMMARGIN: sheet.fBottomMargin = c.F64(); break;
      case rt::PRINTHEADERS: sheet.fPrintHeaders = c.U16() == 1; break;
      case rt::PRINTGRIDLINES: sheet.fPrintGridLines = c.U16() == 1; break;
      case rt::HCENTER: sheet.fHCenter = c.U16() == 1; break;
      case rt::VCENTER: sheet.fVCenter = c.U16() == 1; break;
      case rt::WSBOOL:
        if (r.fData.size() >= 2) sheet.fFitToPage = c.U16() & 0x0100;
        break;
      case rt::SETUP:
        if (r.fData.size() >= 34) {
          TXLSSetup s;
          s.fPaperSize = c.U16();
          s.fScale = c.U16();
          s.fPageStart = c.U16();
          s.fFitWidth = c.U16();
          s.fFitHeight = c.U16();
          s.fOptions = c.U16();
          c.Skip(4);
          s.fHeaderMargin = c.F64();
          s.fFooterMargin = c.F64();
          sheet.fSetup = s;
        }
        break;
      case rt::DEFCOLWIDTH: sheet.fDefColWidth = c.U16(); break;
      case rt::DEFAULTROWHEIGHT:
        c.U16();
        sheet.fDefRowHeight = c.U16();
        break;
      case rt::WINDOW2:
        if (r.fData.size() >= 6) {
          TXLSWindow2 w;
          w.fOptions = c.U16();
          w.fTopRow = c.U16();
          w.fLeftCol = c.U16();
          sheet.fWindow2 = w;
        }
        break;
      case rt::PANE:
        if (r.fData.size() >= 4) {
          std::uint16_t x = c.U16();
          std::uint16_t y = c.U16();
          sheet.fPaneSplit = std::make_pair(x, y);
        }
        break;
      case rt::SELECTION:
        if (r.fData.size() >= 15) {
          c.Skip(7);
          if (c.U16() > 0) {
            std::array<std::uint16_t, 4> ref{};
            ref[0] = c.U16();
            ref[1] = c.U16();
            ref[2] = c.U8();
            ref[3] = c.U8();
            sheet.fSelection = ref;
          }
        }
        break;
      case rt::SCL:
        if (r.fData.size() >= 4) {
          std::uint16_t num = c.U16();
          std::uint16_t den = c.U16();
          sheet.fZoom = std::make_pair(num, den);
        }
        break;
      case rt::DIMENSIONS:
        if (r.fData.size() >= 8) {
          const std::uint32_t firstRow = c.U32();
          const std::uint32_t endRow = c.U32();
          sheet.fDimensionRows = static_cast<int>(std::min<std::uint32_t>(endRow, 65536));
          if (r.fData.size() >= 12) {
            const std::uint16_t firstCol = c.U16();
            const std::uint16_t endCol = c.U16();
            ReserveCells(sheet, reader, firstRow, endRow, firstCol, endCol);
          }
        }
        break;
      default: break;
    }
  }
}

}  // namespace

TXLSBook ReadXLSBook(std::string_view workbookStream) {
  TXLSBook book;
  book.fPalette = DefaultPalette();
  TBiffRecordReader reader(workbookStream);
  TBiffRecord bof;
  if (!reader.Next(bof) || bof.fType != rt::BOF || bof.fData.size() < 4) throw EOleStorageException(kMsgNotValidXls);
  book.fBiffVersion = TByteCursor(bof.fData).U16();

  std::size_t sstOffset = 0;
  bool hasSST = false;
  ReadGlobals(reader, book, sstOffset, hasSST);
  if (hasSST) book.fSharedStrings.ImportXLS(workbookStream, sstOffset);
  if (reader.Position() >= reader.Size()) return book;  // globals only

  for (const auto& info : book.fSheets) {
    if (info.fKind != 0) continue;
    TXLSWorksheet& sheet = book.fWorksheets.emplace_back();
    sheet.fName = info.fName;
    if (SeekWorksheet(reader)) ReadWorksheet(reader, sheet);
  }
  return book;
}

}  // namespace xls
