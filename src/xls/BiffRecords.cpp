#include "xls/BiffRecords.h"

#include <bit>
#include <vector>

#include "text/Utf8.h"

namespace xls {

bool TBiffRecordReader::Next(TBiffRecord& record) {
  if (fStream.size() - fPos < 4) return false;
  auto b = reinterpret_cast<const std::uint8_t*>(fStream.data() + fPos);
  std::uint16_t type = static_cast<std::uint16_t>(b[0] | (b[1] << 8));
  std::size_t length = static_cast<std::size_t>(b[2] | (b[3] << 8));
  if (fStream.size() - fPos - 4 < length) throw EStreamReadError();
  record.fType = type;
  record.fOffset = fPos;
  record.fData = fStream.substr(fPos + 4, length);
  fPos += 4 + length;
  return true;
}

bool TBiffRecordReader::PeekType(std::uint16_t& type) const {
  if (fStream.size() - fPos < 4) return false;
  auto b = reinterpret_cast<const std::uint8_t*>(fStream.data() + fPos);
  type = static_cast<std::uint16_t>(b[0] | (b[1] << 8));
  return true;
}

std::string_view TByteCursor::Bytes(std::size_t n) {
  if (Remaining() < n) throw EStreamReadError();
  std::string_view result = fData.substr(fPos, n);
  fPos += n;
  return result;
}

std::uint8_t TByteCursor::U8() { return static_cast<std::uint8_t>(Bytes(1)[0]); }

std::uint16_t TByteCursor::U16() {
  auto b = reinterpret_cast<const std::uint8_t*>(Bytes(2).data());
  return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t TByteCursor::U32() {
  auto b = reinterpret_cast<const std::uint8_t*>(Bytes(4).data());
  return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

double TByteCursor::F64() {
  std::uint64_t low = U32();
  std::uint64_t high = U32();
  return std::bit_cast<double>(low | (high << 32));
}

std::string ReadUnicodeString(TByteCursor& cursor, int countBytes) {
  std::size_t count = countBytes == 1 ? cursor.U8() : cursor.U16();
  std::string text;
  if (count == 0 && cursor.Remaining() == 0) return text;
  std::uint8_t options = cursor.U8();
  if (options & 0x08) cursor.U16();  // run count; the runs follow the characters
  if (options & 0x04) cursor.U32();  // extension size
  const bool wide = options & 0x01;
  std::string_view chars = cursor.Bytes(count * (wide ? 2 : 1));
  auto bytes = reinterpret_cast<const std::uint8_t*>(chars.data());
  if (wide)
    text::AppendUtf16LeAsUtf8(text, bytes, count);
  else
    text::AppendLatin1AsUtf8(text, bytes, count);
  return text;
}

double DecodeRK(std::uint32_t rk) {
  double value;
  if (rk & 0x02) {
    value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
  } else {
    value = std::bit_cast<double>(static_cast<std::uint64_t>(rk & 0xFFFFFFFCu) << 32);
  }
  if (rk & 0x01) value /= 100;
  return value;
}

}  // namespace xls
