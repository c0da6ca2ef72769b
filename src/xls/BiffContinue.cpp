#include "xls/BiffContinue.h"

#include <algorithm>
#include <vector>

#include "text/Utf8.h"

namespace xls {

void TBiffContinueCursor::NextSegment() {
  std::uint16_t type = 0;
  TBiffRecord record;
  if (!fReader.PeekType(type) || type != rt::CONTINUE) throw EXLSSharedStrings(kMsgExpectedContinue);
  fReader.Next(record);
  fSegment = record.fData;
  fPos = 0;
}

std::uint8_t TBiffContinueCursor::U8() {
  while (RemainingInSegment() == 0) NextSegment();
  return static_cast<std::uint8_t>(fSegment[fPos++]);
}

std::uint16_t TBiffContinueCursor::U16() {
  std::uint16_t low = U8();
  return static_cast<std::uint16_t>(low | (U8() << 8));
}

std::uint32_t TBiffContinueCursor::U32() {
  std::uint32_t low = U16();
  return low | (static_cast<std::uint32_t>(U16()) << 16);
}

void TBiffContinueCursor::Skip(std::size_t n) {
  while (n > 0) {
    if (RemainingInSegment() == 0) NextSegment();
    std::size_t take = std::min(n, RemainingInSegment());
    fPos += take;
    n -= take;
  }
}

void TBiffContinueCursor::ReadString(std::size_t count, std::string& text, std::string* runs) {
  std::uint8_t options = U8();
  std::size_t runCount = (options & 0x08) ? U16() : 0;
  std::size_t extSize = (options & 0x04) ? U32() : 0;
  bool wide = options & 0x01;

  // Characters are gathered as UTF-16 so that a pair split between records stays whole.
  std::vector<std::uint8_t> utf16;
  utf16.reserve(2 * std::min(count, fSegment.size()));
  std::size_t pending = count;
  while (pending > 0) {
    std::size_t unit = wide ? 2 : 1;
    if (RemainingInSegment() < unit) {
      NextSegment();
      wide = U8() & 0x01;  // a continued part says again how wide its characters are
      continue;
    }
    std::size_t n = std::min(pending, RemainingInSegment() / unit);
    auto bytes = reinterpret_cast<const std::uint8_t*>(fSegment.data() + fPos);
    for (std::size_t i = 0; i < n; ++i) {
      utf16.push_back(wide ? bytes[2 * i] : bytes[i]);
      utf16.push_back(wide ? bytes[2 * i + 1] : 0);
    }
    fPos += n * unit;
    pending -= n;
  }
  text::AppendUtf16LeAsUtf8(text, utf16.data(), utf16.size() / 2);

  if (runs) runs->reserve(std::min(runCount * 4, fSegment.size()));
  for (std::size_t i = 0; i < runCount * 4; ++i) {
    std::uint8_t b = U8();
    if (runs) runs->push_back(static_cast<char>(b));
  }
  Skip(extSize);  // phonetic data is not used
}

}  // namespace xls
