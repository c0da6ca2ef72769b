#include "text/CodePage.h"

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "text/CodePageSystem.h"
#include "text/Utf16.h"
#include "text/Utf8.h"

namespace text {

namespace {

// Each supported code page is read once from the platform into a table of its
// 256 bytes; decoding and encoding then work per character from the tables,
// so a character the code page lacks costs nothing special and the tables are
// shared by all threads once built.
struct TCodePageTable {
  std::array<char32_t, 256> fDecode{};
  std::unordered_map<char32_t, unsigned char> fEncode;
};

// The bytes each code page leaves undefined. The platforms disagree on them
// (Windows passes them through as C1 controls, iconv refuses them), so the
// list is ours and both decode them to U+FFFD.
std::string_view UndefinedBytes(int codePage) {
  switch (codePage) {
    case 874:
      return "\x81\x82\x83\x84\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F\x90\x98\x99\x9A\x9B\x9C\x9D\x9E"
             "\x9F\xDB\xDC\xDD\xDE\xFC\xFD\xFE\xFF";
    case 1250: return "\x81\x83\x88\x90\x98";
    case 1251: return "\x98";
    case 1252: return "\x81\x8D\x8F\x90\x9D";
    case 1253: return "\x81\x88\x8A\x8C\x8D\x8E\x8F\x90\x98\x9A\x9C\x9D\x9E\x9F\xAA\xD2\xFF";
    case 1254: return "\x81\x8D\x8E\x8F\x90\x9D\x9E";
    case 1255:
      return "\x81\x8A\x8C\x8D\x8E\x8F\x90\x9A\x9C\x9D\x9E\x9F\xCA\xD9\xDA\xDB\xDC\xDD\xDE\xDF\xFB\xFC\xFF";
    case 1257: return "\x81\x83\x88\x8A\x8C\x90\x98\x9A\x9C\x9F\xA1\xA5";
    case 1258: return "\x81\x8A\x8D\x8E\x8F\x90\x9A\x9D\x9E";
    default: return "";  // 850 and 1256 define every byte
  }
}

std::unique_ptr<TCodePageTable> BuildTable(int codePage) {
  auto table = std::make_unique<TCodePageTable>();
  table->fDecode = SystemCodePageChars(codePage);
  for (char undefined : UndefinedBytes(codePage)) table->fDecode[static_cast<unsigned char>(undefined)] = 0;
  for (int b = 0; b < 256; ++b) {
    char32_t& cp = table->fDecode[static_cast<std::size_t>(b)];
    if (b < 0x80) cp = static_cast<char32_t>(b);
    if (cp == 0 && b != 0) cp = kReplacementChar;
    if (cp != kReplacementChar) table->fEncode.emplace(cp, static_cast<unsigned char>(b));
  }
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

std::vector<std::string> UnmappableCharacters(std::string_view utf8, int codePage) {
  const TCodePageTable& table = TableFor(codePage);
  std::vector<std::string> missing;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t cp = NextCodePoint(utf8, pos);
    if (cp < 0x80 || table.fEncode.count(cp) > 0) continue;
    std::string character;
    AppendUtf8(character, cp);
    if (std::find(missing.begin(), missing.end(), character) == missing.end()) missing.push_back(character);
  }
  return missing;
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

std::string DecodeTextFileDetectingUtf8(std::string_view bytes, int ansiCodePage) {
  const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (!ascii && !bytes.starts_with("\xFF\xFE") && !bytes.starts_with("\xFE\xFF") && IsValidUtf8(bytes)) {
    return std::string(bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes);
  }
  return DecodeTextFile(bytes, ansiCodePage);
}

}  // namespace text
