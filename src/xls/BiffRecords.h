#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "xls/XLSErrors.h"

// The record layer of a BIFF8 workbook stream: record iteration, bounds-checked
// field reads, strings and RK numbers. A record that runs past the stream or a
// field read past its record raises EStreamReadError.
namespace xls {

namespace rt {
inline constexpr std::uint16_t FORMULA = 0x0006, EOF_ = 0x000A, HEADER = 0x0014, FOOTER = 0x0015,
                               EXTERNSHEET = 0x0017, NAME = 0x0018, SELECTION = 0x001D, DATEMODE = 0x0022,
                               LEFTMARGIN = 0x0026, RIGHTMARGIN = 0x0027, TOPMARGIN = 0x0028,
                               BOTTOMMARGIN = 0x0029, PRINTHEADERS = 0x002A, PRINTGRIDLINES = 0x002B,
                               FILEPASS = 0x002F, FONT = 0x0031, CONTINUE = 0x003C, WINDOW1 = 0x003D,
                               PANE = 0x0041, DEFCOLWIDTH = 0x0055, COLINFO = 0x007D, WSBOOL = 0x0081,
                               HCENTER = 0x0083, VCENTER = 0x0084, BOUNDSHEET = 0x0085, PALETTE = 0x0092,
                               SETUP = 0x00A1, SCL = 0x00A0, MULRK = 0x00BD, MULBLANK = 0x00BE, RSTRING = 0x00D6,
                               XF = 0x00E0, MERGEDCELLS = 0x00E5, SST = 0x00FC, LABELSST = 0x00FD,
                               DIMENSIONS = 0x0200, BLANK = 0x0201, NUMBER = 0x0203, LABEL = 0x0204,
                               BOOLERR = 0x0205, STRING = 0x0207, ROW = 0x0208, RK = 0x027E,
                               DEFAULTROWHEIGHT = 0x0225, WINDOW2 = 0x023E, FORMAT = 0x041E, BOF = 0x0809,
                               XFEXT = 0x087D;
}  // namespace rt

// BOF substream types.
inline constexpr std::uint16_t kBofGlobals = 0x0005;
inline constexpr std::uint16_t kBofWorksheet = 0x0010;
inline constexpr std::uint16_t kBofBiff8 = 0x0600;

struct TBiffRecord {
  std::uint16_t fType = 0;
  std::string_view fData;
  std::size_t fOffset = 0;  // of the record header in the stream
};

class TBiffRecordReader {
 public:
  explicit TBiffRecordReader(std::string_view stream, std::size_t position = 0)
      : fStream(stream), fPos(position < stream.size() ? position : stream.size()) {}

  // The next record; false when fewer than 4 bytes remain (the stream's end).
  // A record whose data runs past the stream raises EStreamReadError.
  bool Next(TBiffRecord& record);
  // Type of the next record without consuming it; false at the stream's end.
  bool PeekType(std::uint16_t& type) const;
  std::size_t Position() const { return fPos; }
  std::size_t Size() const { return fStream.size(); }
  std::string_view Stream() const { return fStream; }

 private:
  std::string_view fStream;
  std::size_t fPos;
};

// Little-endian field reads inside one record's data.
class TByteCursor {
 public:
  explicit TByteCursor(std::string_view data) : fData(data) {}

  std::uint8_t U8();
  std::uint16_t U16();
  std::uint32_t U32();
  double F64();
  std::string_view Bytes(std::size_t n);
  void Skip(std::size_t n) { Bytes(n); }
  std::size_t Remaining() const { return fData.size() - fPos; }
  std::size_t Position() const { return fPos; }

 private:
  std::string_view fData;
  std::size_t fPos = 0;
};

// A string (character count of `countBytes` bytes, 1 or 2, then the option
// byte and the characters) that must lie inside the record. Formatting runs
// and extension data that follow are skipped when present.
std::string ReadUnicodeString(TByteCursor& cursor, int countBytes);

// The RK encoding: bit 1 = 30-bit signed integer, else the upper 32 bits of a
// double; bit 0 = divided by 100.
double DecodeRK(std::uint32_t rk);

}  // namespace xls
