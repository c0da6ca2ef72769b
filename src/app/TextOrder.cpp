#include "app/TextOrder.h"

#include <algorithm>

#include "text/Utf16.h"

namespace app {

namespace {

char16_t FoldCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  if (c < 0xC0) return c;
  if (c <= 0xDE) return c == 0xD7 ? c : static_cast<char16_t>(c + 32);
  if (c < 0x100) return c;
  // Latin Extended-A pairs upper and lower case letters; the parity of the
  // upper-case member flips after the dotless i and after ŉ.
  if (c <= 0x137) return static_cast<char16_t>(c | 1);
  if (c >= 0x139 && c <= 0x148) return (c & 1) ? static_cast<char16_t>(c + 1) : c;
  if (c >= 0x14A && c <= 0x177) return static_cast<char16_t>(c | 1);
  if (c == 0x178) return 0xFF;
  if (c >= 0x179 && c <= 0x17E) return (c & 1) ? static_cast<char16_t>(c + 1) : c;
  return c;
}

}  // namespace

int CompareTextNoCase(std::string_view a, std::string_view b) {
  const std::u16string ua = text::ToUtf16(a);
  const std::u16string ub = text::ToUtf16(b);
  const std::size_t n = std::min(ua.size(), ub.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t ca = FoldCase(ua[i]);
    const char16_t cb = FoldCase(ub[i]);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (ua.size() == ub.size()) return 0;
  return ua.size() < ub.size() ? -1 : 1;
}

bool SameTextNoCase(std::string_view a, std::string_view b) { return CompareTextNoCase(a, b) == 0; }

void SortTextsNoCase(std::vector<std::string>& texts) {
  // Names that differ only in case keep a fixed order between runs.
  std::stable_sort(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) {
    const int c = CompareTextNoCase(a, b);
    return c != 0 ? c < 0 : a < b;
  });
}

bool MatchesMask(std::string_view name, std::string_view mask) {
  const std::u16string n = text::ToUtf16(name);
  const std::u16string m = text::ToUtf16(mask);
  // Iterative wildcard match with one backtrack point: linear in practice,
  // never exponential.
  std::size_t ni = 0, mi = 0, star = std::u16string::npos, mark = 0;
  while (ni < n.size()) {
    if (mi < m.size() && (m[mi] == u'?' || FoldCase(m[mi]) == FoldCase(n[ni]))) {
      ++ni;
      ++mi;
    } else if (mi < m.size() && m[mi] == u'*') {
      star = mi++;
      mark = ni;
    } else if (star != std::u16string::npos) {
      mi = star + 1;
      ni = ++mark;
    } else {
      return false;
    }
  }
  while (mi < m.size() && m[mi] == u'*') ++mi;
  return mi == m.size();
}

}  // namespace app
