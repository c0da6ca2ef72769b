#pragma once

// Test-only helpers that assemble BIFF8 records and workbook streams.

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace xls::test {

inline std::string U8(std::uint32_t v) { return std::string(1, static_cast<char>(v & 0xFF)); }
inline std::string U16(std::uint32_t v) { return U8(v) + U8(v >> 8); }
inline std::string U32(std::uint32_t v) { return U16(v & 0xFFFF) + U16(v >> 16); }
inline std::string F64(double d) {
  std::uint64_t bits = std::bit_cast<std::uint64_t>(d);
  return U32(static_cast<std::uint32_t>(bits)) + U32(static_cast<std::uint32_t>(bits >> 32));
}
inline std::string Record(std::uint16_t type, const std::string& data) {
  return U16(type) + U16(static_cast<std::uint32_t>(data.size())) + data;
}
// A string with 8-bit characters: count (1 or 2 bytes), option byte 0, characters.
inline std::string Str8(const std::string& s, int countBytes = 2) {
  return (countBytes == 1 ? U8(static_cast<std::uint32_t>(s.size())) : U16(static_cast<std::uint32_t>(s.size()))) +
         U8(0) + s;
}
// A string with 16-bit characters from UTF-16 code units.
inline std::string Str16(const std::u16string& s, int countBytes = 2) {
  std::string out = countBytes == 1 ? U8(static_cast<std::uint32_t>(s.size())) : U16(static_cast<std::uint32_t>(s.size()));
  out += U8(1);
  for (char16_t c : s) out += U16(c);
  return out;
}

inline std::string Bof(std::uint16_t type) {
  return Record(0x0809, U16(0x0600) + U16(type) + U16(0x0DBB) + U16(0x07CC) + std::string(8, '\0'));
}
inline std::string Eof() { return Record(0x000A, ""); }
inline std::string BoundSheet(const std::string& name, std::uint8_t kind = 0) {
  return Record(0x0085, U32(0) + U8(0) + U8(kind) + Str8(name, 1));
}
inline std::string Font(const std::string& name, int heightTwips = 200, int weight = 400, int charSet = 0) {
  return Record(0x0031, U16(heightTwips) + U16(0) + U16(0x7FFF) + U16(weight) + U16(0) + U8(0) + U8(0) +
                            U8(charSet) + U8(0) + Str8(name, 1));
}
inline std::string Xf(int font, int format, std::uint8_t align = 0x20, std::uint32_t border1 = 0,
                      std::uint32_t border2 = 0, std::uint16_t fill = 0) {
  return Record(0x00E0, U16(font) + U16(format) + U16(1) + U8(align) + U8(0) + U8(0) + U8(0) + U32(border1) +
                            U32(border2) + U16(fill));
}
inline std::string Format(int index, const std::string& text) { return Record(0x041E, U16(index) + Str8(text)); }
inline std::string Cell(int row, int col, int xf) { return U16(row) + U16(col) + U16(xf); }
inline std::string Number(int row, int col, int xf, double v) { return Record(0x0203, Cell(row, col, xf) + F64(v)); }
inline std::string Rk(int row, int col, int xf, std::uint32_t rk) { return Record(0x027E, Cell(row, col, xf) + U32(rk)); }
inline std::string LabelSst(int row, int col, int xf, std::uint32_t index) {
  return Record(0x00FD, Cell(row, col, xf) + U32(index));
}
inline std::string Label(int row, int col, int xf, const std::string& s) { return Record(0x0204, Cell(row, col, xf) + Str8(s)); }
inline std::string Blank(int row, int col, int xf) { return Record(0x0201, Cell(row, col, xf)); }
inline std::string Merged(const std::vector<std::vector<int>>& ranges) {
  std::string data = U16(static_cast<std::uint32_t>(ranges.size()));
  for (const auto& r : ranges) data += U16(r[0]) + U16(r[1]) + U16(r[2]) + U16(r[3]);
  return Record(0x00E5, data);
}
inline std::string Sst(const std::vector<std::string>& strings) {
  std::string data = U32(static_cast<std::uint32_t>(strings.size())) + U32(static_cast<std::uint32_t>(strings.size()));
  for (const auto& s : strings) data += Str8(s);
  return Record(0x00FC, data);
}

// Globals with the five fonts and 16 style XFs + one cell XF per given format index.
inline std::string MinimalGlobals(const std::vector<std::string>& sheetRecords, const std::string& extra = "",
                                  const std::vector<int>& cellFormats = {0}) {
  std::string s = Bof(0x0005);
  for (int i = 0; i < 4; ++i) s += Font("Arial");
  s += Font("Arial", 200, 700);
  s += extra;
  for (int i = 0; i < 16; ++i) s += Xf(0, 0);
  for (int f : cellFormats) s += Xf(0, f);
  for (const auto& r : sheetRecords) s += r;
  return s;
}

}  // namespace xls::test
