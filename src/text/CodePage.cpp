#include "text/CodePage.h"

#include <iconv.h>

#include <array>
#include <bit>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "text/Utf16.h"
#include "text/Utf8.h"

namespace text {

namespace {

// Each supported code page is read once through iconv into a table of its
// 256 bytes; decoding and encoding then work per character from the tables,
// so a character the code page lacks costs nothing special and the tables are
// shared by all threads once built.
struct TCodePageTable {
  std::array<char32_t, 256> fDecode{};
  std::unordered_map<char32_t, unsigned char> fEncode;
};

std::string IconvName(int codePage) { return "CP" + std::to_string(codePage); }

// The byte's character, or U+FFFD when the code page leaves the byte undefined.
char32_t DecodeByteWithIconv(iconv_t cd, unsigned char byte) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char in = static_cast<char>(byte);
  char32_t out = 0;
  char* inPtr = &in;
  std::size_t inLeft = 1;
  char* outPtr = reinterpret_cast<char*>(&out);
  std::size_t outLeft = sizeof out;
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || outLeft != 0) {
    return kReplacementChar;
  }
  return out;
}

std::unique_ptr<TCodePageTable> BuildTable(int codePage) {
  // UTF-32 in the machine's byte order, without a byte-order mark.
  const char* utf32 = std::endian::native == std::endian::little ? "UTF-32LE" : "UTF-32BE";
  iconv_t cd = iconv_open(utf32, IconvName(codePage).c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    throw ECodePageError("Code page " + std::to_string(codePage) + " is not available");
  }
  auto table = std::make_unique<TCodePageTable>();
  for (int b = 0; b < 256; ++b) {
    const char32_t cp = b < 0x80 ? static_cast<char32_t>(b) : DecodeByteWithIconv(cd, static_cast<unsigned char>(b));
    table->fDecode[static_cast<std::size_t>(b)] = cp;
    if (cp != kReplacementChar) table->fEncode.emplace(cp, static_cast<unsigned char>(b));
  }
  iconv_close(cd);
  return table;
}

const TCodePageTable& TableFor(int codePage) {
  if (!IsSupportedCodePage(codePage)) {
    throw ECodePageError("Code page " + std::to_string(codePage) + " is not supported");
  }
  static std::mutex mutex;
  static std::unordered_map<int, std::unique_ptr<TCodePageTable>> tables;
  const std::lock_guard lock(mutex);
  auto& table = tables[codePage];
  if (!table) table = BuildTable(codePage);
  return *table;
}

}  // namespace

bool IsSupportedCodePage(int codePage) {
  return codePage == 874 || codePage == 850 || (codePage >= 1250 && codePage <= 1258);
}

std::string DecodeCodePage(std::string_view bytes, int codePage) {
  const TCodePageTable& table = TableFor(codePage);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else {
      AppendUtf8(out, table.fDecode[b]);
    }
  }
  return out;
}

std::string EncodeCodePage(std::string_view utf8, int codePage) {
  const TCodePageTable& table = TableFor(codePage);
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t cp = NextCodePoint(utf8, pos);
    if (cp < 0x80) {
      out += static_cast<char>(cp);
      continue;
    }
    const auto found = table.fEncode.find(cp);
    out += found == table.fEncode.end() ? '?' : static_cast<char>(found->second);
  }
  return out;
}

namespace {

std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    units += static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
  }
  std::string out = ToUtf8(units);
  if (bytes.size() % 2 != 0) AppendUtf8(out, kReplacementChar);
  return out;
}

}  // namespace

std::string DecodeTextFile(std::string_view bytes, int ansiCodePage) {
  constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
  if (bytes.starts_with(kUtf8Bom)) return SanitizeUtf8(bytes.substr(kUtf8Bom.size()));
  // A UTF-16 file read as 8-bit text would come out as every other character
  // a NUL; its byte-order mark tells it apart safely.
  if (bytes.starts_with("\xFF\xFE")) return DecodeUtf16(bytes.substr(2), false);
  if (bytes.starts_with("\xFE\xFF")) return DecodeUtf16(bytes.substr(2), true);
  return DecodeCodePage(bytes, ansiCodePage);
}

}  // namespace text
