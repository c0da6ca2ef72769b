#include "xlsx/XmlText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "text/Utf8.h"

namespace xlsx {

void AppendFloatXml(std::string& out, double value) {
  if (std::isnan(value)) {
    out += "NAN";
    return;
  }
  if (std::isinf(value)) {
    out += value < 0 ? "-INF" : "INF";
    return;
  }
  if (value == 0) {
    out += '0';
    return;
  }
  // 15 significant digits, then the trailing zeros dropped.
  char buf[40];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
  const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
  std::size_t pos = 0;
  const bool negative = sci[0] == '-';
  if (negative) ++pos;
  std::string digits;
  for (; pos < sci.size() && sci[pos] != 'e'; ++pos)
    if (sci[pos] != '.') digits.push_back(sci[pos]);
  int exponent = 0;
  std::from_chars(sci.data() + pos + 1 + (sci[pos + 1] == '+' ? 1 : 0), sci.data() + sci.size(), exponent);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  if (negative) out += '-';
  if (exponent < -5 || exponent >= 15) {
    out += digits[0];
    if (digits.size() > 1) {
      out += '.';
      out.append(digits, 1, std::string::npos);
    }
    out += 'E';
    AppendInt(out, exponent);
    return;
  }
  if (exponent < 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
    return;
  }
  const std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= intDigits) {
    out += digits;
    out.append(intDigits - digits.size(), '0');
  } else {
    out.append(digits, 0, intDigits);
    out += '.';
    out.append(digits, intDigits, std::string::npos);
  }
}

std::string FloatToXmlText(double value) {
  std::string out;
  AppendFloatXml(out, value);
  return out;
}

void AppendInt(std::string& out, long long value) {
  char buf[24];
  const auto res = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, res.ptr);
}

std::string IntText(long long value) {
  std::string out;
  AppendInt(out, value);
  return out;
}

std::string TemplateEscape(std::string_view value, bool escapeLineBreaks) {
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '\'': out += "&apos;"; break;
      case '"': out += "&quot;"; break;
      case '\r': out += escapeLineBreaks ? "&#xD;" : "\r"; break;
      case '\n': out += escapeLineBreaks ? "&#xA;" : "\n"; break;
      default: out += c;
    }
  }
  return out;
}

namespace {

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

void AppendEscape(std::string& out, char32_t c) {
  static const char* const kHex = "0123456789ABCDEF";
  out += "_x";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
  out += '_';
}

}  // namespace

void AppendCellText(std::string& out, std::string_view text, bool escapeQuotes) {
  const std::size_t n = text.size();
  for (std::size_t pos = 0; pos < n;) {
    const char ch = text[pos];
    const auto byte = static_cast<unsigned char>(ch);
    if (byte >= 0x80) {
      const text::TDecodedChar cp = text::DecodeUtf8(text, pos, text::TInvalidUtf::kKeepSurrogates);
      if (!cp.fValid)
        text::AppendUtf8(out, text::kReplacementChar);
      else if (IsXmlForbidden(cp.fValue))
        AppendEscape(out, cp.fValue);
      else
        out.append(text.substr(pos, cp.fLength));
      pos += cp.fLength;
      continue;
    }
    switch (ch) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '"': out += escapeQuotes ? "&quot;" : "\""; break;
      case '\r':
        if (pos + 1 == n || text[pos + 1] == '\n') out += '\r';
        else AppendEscape(out, '\r');
        break;
      case '_':
        if (pos + 6 < n && text[pos + 1] == 'x' && IsHex(text[pos + 2]) && IsHex(text[pos + 3]) &&
            IsHex(text[pos + 4]) && IsHex(text[pos + 5]) && text[pos + 6] == '_')
          out += "_x005F_";
        else
          out += '_';
        break;
      default:
        if (byte < 0x20 && ch != '\t' && ch != '\n') AppendEscape(out, byte);
        else out += ch;
    }
    ++pos;
  }
}

std::string EscapeCellText(std::string_view text, bool escapeQuotes) {
  std::string out;
  out.reserve(text.size());
  AppendCellText(out, text, escapeQuotes);
  return out;
}

bool NeedsSpacePreserve(std::string_view text) {
  if (text.empty()) return false;
  auto white = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  if (white(text.front()) || white(text.back())) return true;
  for (std::size_t i = 1; i < text.size(); ++i)
    if (white(text[i]) && white(text[i - 1]) && !(text[i - 1] == '\r' && text[i] == '\n')) return true;
  return false;
}

namespace {

// Column letters of `col` (not negative) at `to`; returns the end.
char* PutColumnLetters(char* to, int col) {
  char reversed[8];
  int len = 0;
  for (long n = static_cast<long>(col) + 1; n > 0;) {
    const long r = (n - 1) % 26;
    reversed[len++] = static_cast<char>('A' + r);
    n = (n - r) / 26;
  }
  while (len > 0) *to++ = reversed[--len];
  return to;
}

}  // namespace

void AppendColumnLetters(std::string& out, int col) {
  if (col < 0) return;
  char buf[8];
  out.append(buf, static_cast<std::size_t>(PutColumnLetters(buf, col) - buf));
}

char* PutCellRef(char* to, int col, int row) {
  if (col >= 0) to = PutColumnLetters(to, col);
  if (row >= 0) to = std::to_chars(to, to + 12, static_cast<long long>(row) + 1).ptr;
  return to;
}

void AppendCellRef(std::string& out, int col, int row) {
  char buf[kMaxCellRefChars];
  out.append(buf, static_cast<std::size_t>(PutCellRef(buf, col, row) - buf));
}

std::string CellRef(int col, int row) {
  std::string out;
  AppendCellRef(out, col, row);
  return out;
}

std::string RangeRef(int col, int row, int colSpan, int rowSpan) {
  std::string out = CellRef(col, row);
  if (colSpan > 1 || rowSpan > 1) {
    out += ':';
    if (col >= 0 && colSpan >= 0) AppendColumnLetters(out, col + std::max(colSpan, 1) - 1);
    if (row >= 0 && rowSpan >= 0) AppendInt(out, static_cast<long long>(row) + std::max(rowSpan, 1));
  }
  return out;
}

}  // namespace xlsx
