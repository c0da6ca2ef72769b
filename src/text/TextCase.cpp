#include "text/TextCase.h"

#include "text/CaseMapping.h"
#include "text/Utf8.h"

namespace text {

namespace {

char32_t ToLower(char32_t cp) {
  if (cp < 0x80) return cp >= 'A' && cp <= 'Z' ? cp + 32 : cp;
  return SystemLowerCase(cp);
}

char32_t ToUpper(char32_t cp) {
  if (cp < 0x80) return cp >= 'a' && cp <= 'z' ? cp - 32 : cp;
  return SystemUpperCase(cp);
}

template <typename Map>
std::string MapCase(std::string_view utf8, Map map) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) AppendUtf8(out, map(NextCodePoint(utf8, pos)));
  return out;
}

}  // namespace

std::string LowerCase(std::string_view utf8) { return MapCase(utf8, ToLower); }
std::string UpperCase(std::string_view utf8) { return MapCase(utf8, ToUpper); }

std::string AsciiLowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return out;
}

std::string AsciiUpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return out;
}

int CompareTextIgnoreCase(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const char32_t x = ToLower(NextCodePoint(a, i));
    const char32_t y = ToLower(NextCodePoint(b, j));
    if (x != y) return x < y ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

}  // namespace text
