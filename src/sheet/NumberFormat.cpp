#include "sheet/NumberFormat.h"
#include "text/TextCase.h"

#include <algorithm>
#include <utility>

namespace sheet {

namespace {

bool Contains(std::string_view s, std::string_view part) { return s.find(part) != std::string_view::npos; }

void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
  std::size_t pos = 0;
  while ((pos = s.find(from, pos)) != std::string::npos) {
    s.replace(pos, from.size(), to);
    pos += to.size();
  }
}

// Counts characters of `set` from `pos` on without a gap.
int CountRun(std::string_view s, std::size_t pos, std::string_view set) {
  int n = 0;
  while (pos < s.size() && set.find(s[pos]) != std::string_view::npos) {
    ++n;
    ++pos;
  }
  return n;
}

bool IsSysToken(std::string_view lower) {
  return lower == kSysDate || lower == kSysDateTime || lower == kSysDateTimeWS || lower == kSysTime ||
         lower == kSysTimeWS;
}

std::string& GlobalDateSlot() {
  static std::string format = kSysDate;
  return format;
}
std::string& GlobalTimeSlot() {
  static std::string format = kSysTime;
  return format;
}

}  // namespace

const std::string& GlobalDateFormat() { return GlobalDateSlot(); }
const std::string& GlobalTimeFormat() { return GlobalTimeSlot(); }
void SetGlobalDateFormat(std::string format) { GlobalDateSlot() = format.empty() ? kSysDate : std::move(format); }
void SetGlobalTimeFormat(std::string format) { GlobalTimeSlot() = format.empty() ? kSysTime : std::move(format); }

bool IsGeneralFormat(std::string_view format) { return format.empty() || text::AsciiLowerCase(format) == "general"; }

TNumberFormatKind AnalyzeNumberFormat(std::string_view f, TNumberFormatRec& rec) {
  rec = TNumberFormatRec{};
  if (IsGeneralFormat(f)) return TNumberFormatKind::nfkNone;
  if (f == kTextFormat) return TNumberFormatKind::nfkString;

  // First section; a ";" in the very first place does not count as a separator.
  std::string_view t = f;
  const std::size_t semicolon = f.find(';');
  if (semicolon != std::string_view::npos && semicolon >= 1) t = f.substr(0, semicolon);
  const std::string tl = text::AsciiLowerCase(t);

  // The currency-and-locale group "[$...]" is taken out for the analysis of
  // the digits. Only the group itself is removed, wherever it stands, so a
  // trailing «#,##0.00 [$€-407]» keeps its digit places. `masked` keeps the
  // positions of tl with the group blanked.
  std::string s = tl;
  std::string masked = tl;
  const std::size_t groupStart = tl.find("[$");
  if (groupStart != std::string::npos) {
    std::size_t groupEnd = tl.find(']', groupStart);
    if (groupEnd == std::string::npos) groupEnd = tl.size() - 1;
    s.erase(groupStart, groupEnd - groupStart + 1);
    for (std::size_t i = groupStart; i <= groupEnd; ++i) masked[i] = ' ';
  }

  // Date or time. Minutes with seconds («mm:ss», built-in 45) and elapsed
  // minutes or seconds count too: they are times, not numbers.
  if (IsSysToken(tl) || Contains(tl, "d/m") || Contains(tl, "m/d") || Contains(tl, "d-m") || Contains(tl, "m-d") ||
      Contains(tl, "h:m") || Contains(tl, "[h]:m") || Contains(tl, "m:s") || Contains(tl, "[m]") ||
      Contains(tl, "[s]") || (Contains(tl, "h") && Contains(tl, "m")) ||
      (Contains(tl, "d") && Contains(tl, "m")) || (Contains(tl, "m") && Contains(tl, "y")))
    return TNumberFormatKind::nfkDateTime;

  rec.ThousandSep = Contains(s, "#,##");
  rec.NegativeRed = Contains(text::AsciiLowerCase(f), ";[red]");

  const std::size_t zeroDot = s.find("0.");
  const std::size_t dotZero = s.find(".0");
  if (zeroDot != std::string::npos)
    rec.DecimalPlaces = 1 + CountRun(s, zeroDot + 3, "0#");
  else if (dotZero != std::string::npos)  // «#.00»: decimals without an integer zero
    rec.DecimalPlaces = CountRun(s, dotZero + 1, "0#");
  else
    rec.DecimalPlaces = Contains(s, "0") ? 0 : -1;
  rec.DecimalPlaces = std::min(rec.DecimalPlaces, 99);

  const std::size_t firstZero = s.find('0');
  if (firstZero != std::string::npos) {
    int digits = 1;
    for (std::size_t i = firstZero + 1; i < s.size(); ++i) {
      if (s[i] == '0') {
        ++digits;
      } else if (s[i] == ',') {
        rec.ThousandSep = true;
      } else {
        break;
      }
    }
    rec.IntegerDigits = std::min(digits, 99);
  }

  if (!s.empty() && s.back() == '%') return TNumberFormatKind::nfkPercent;
  if (const std::size_t q = s.find("?/?"); q != std::string::npos) {
    const std::size_t slash = q + 1;
    rec.FractionDigits = std::min(1 + CountRun(s, slash + 2, "?"), 4);
    return TNumberFormatKind::nfkFraction;
  }
  if (const std::size_t e = s.find("e+"); e != std::string::npos) {
    rec.ExponentDigits = std::min(1 + CountRun(s, e + 3, "0"), 3);
    return TNumberFormatKind::nfkScientific;
  }

  const std::size_t quote = tl.find('"');
  if (quote != std::string::npos || groupStart != std::string::npos) {
    std::string currency;
    std::size_t currencyStart = std::string::npos;
    const bool useQuote = quote != std::string::npos && (groupStart == std::string::npos || quote < groupStart);
    if (useQuote) {
      const std::size_t close = t.find('"', quote + 1);
      if (close != std::string_view::npos) {
        currency = std::string(t.substr(quote + 1, close - quote - 1));
        currencyStart = quote + 1;
      }
    } else {
      const std::size_t begin = groupStart + 2;
      std::size_t end = t.find_first_of("]-", begin);
      if (end == std::string_view::npos) end = t.size();
      currency = std::string(t.substr(begin, end - begin));
      currencyStart = begin;
    }
    if (!currency.empty()) {
      rec.CurrencyStr = currency;
      // Positions compare in `masked` (the "[$...]" group blanked), so a
      // locale code such as "-405" is not taken for a digit place.
      std::size_t zeroPos = std::string::npos;
      bool inQuote = false;
      for (std::size_t i = 0; i < masked.size(); ++i) {
        if (masked[i] == '"') inQuote = !inQuote;
        if (!inQuote && masked[i] == '0') {
          zeroPos = i;
          break;
        }
      }
      const std::size_t star = masked.find('*', currencyStart);
      if (zeroPos != std::string::npos && currencyStart >= zeroPos)
        rec.CurrencyPos = ecpAfter;
      else if (star != std::string::npos)
        rec.CurrencyPos = ecpBeforeFill;
      else
        rec.CurrencyPos = ecpBefore;
      return TNumberFormatKind::nfkCurrency;
    }
  }
  return TNumberFormatKind::nfkNumber;
}

namespace {

struct TBuiltIn {
  int fIndex;
  const char* fText;
};

constexpr TBuiltIn kBuiltIns[] = {
    {0, ""},
    {1, "0"},
    {2, "0.00"},
    {3, "#,##0"},
    {4, "#,##0.00"},
    {9, "0%"},
    {10, "0.00%"},
    {11, "0.00E+00"},
    {12, "# ?/?"},
    {13, "# ?\?/??"},
    {14, kSysDate},
    {15, "d-mmm-yy"},
    {16, "d-mmm"},
    {17, "mmm-yy"},
    {18, "h:mm am/pm"},
    {19, "h:mm:ss am/pm"},
    {20, "h:mm"},
    {21, "h:mm:ss"},
    {22, kSysDateTimeWS},
    {37, "#,##0 ;(#,##0)"},
    {38, "#,##0 ;[Red](#,##0)"},
    {39, "#,##0.00;(#,##0.00)"},
    {40, "#,##0.00;[Red](#,##0.00)"},
    {45, "mm:ss"},
    {46, "[h]:mm:ss"},
    {47, "mmss.0"},
    {48, "##0.0E+0"},
    {49, kTextFormat},
};

}  // namespace

std::optional<std::string> BuiltInNumberFormat(int index) {
  for (const auto& b : kBuiltIns)
    if (b.fIndex == index) return std::string(b.fText);
  return std::nullopt;
}

int BuiltInNumberFormatIndex(std::string_view format) {
  for (const auto& b : kBuiltIns)
    if (format == b.fText) return b.fIndex;
  return -1;
}

std::string ResolveDateTimeFormat(std::string_view format, const text::TRegionalSettings& region) {
  const std::string lower = text::AsciiLowerCase(format);
  if (lower.empty() || lower.front() != '%' || !IsSysToken(lower)) return std::string(format);
  std::string resolved;
  if (lower == kSysDate)
    resolved = region.fShortDateFormat;
  else if (lower == kSysDateTime)
    resolved = region.fShortDateFormat + " " + region.fLongTimeFormat;
  else if (lower == kSysDateTimeWS)
    resolved = region.fShortDateFormat + " " + region.fShortTimeFormat;
  else if (lower == kSysTime)
    resolved = region.fLongTimeFormat;
  else
    resolved = region.fShortTimeFormat;
  for (char& c : resolved) {
    if (c == 'n') c = 'm';
    if (c == 'N') c = 'M';
  }
  std::string lowered = text::AsciiLowerCase(resolved);
  // "ampm" in any case becomes "am/pm"; the rest keeps its case
  std::size_t pos = 0;
  while ((pos = lowered.find("ampm", pos)) != std::string::npos) {
    resolved.replace(pos, 4, "am/pm");
    lowered.replace(pos, 4, "am/pm");
    pos += 5;
  }
  return resolved;
}

std::string EffectiveDateTimeFormat(std::string_view format, const text::TRegionalSettings& region) {
  std::string f = text::AsciiLowerCase(ResolveDateTimeFormat(format, region));
  if (const std::size_t semicolon = f.find(';'); semicolon != std::string::npos) f.erase(semicolon);
  ReplaceAll(f, "\\", "");
  std::string out;
  out.reserve(f.size());
  for (std::size_t i = 0; i < f.size();) {
    if (f[i] == '[') {
      const std::size_t close = f.find(']', i);
      if (close == std::string::npos) break;
      const std::string_view part = std::string_view(f).substr(i, close - i + 1);
      if (part == "[h]" || part == "[hh]") out += "[h]";  // elapsed hours stay marked
      i = close + 1;
    } else {
      out += f[i++];
    }
  }
  return out;
}

TExportCellType DateTimeKindOfFormat(std::string_view format, const text::TRegionalSettings& region) {
  // Quoted literals do not count as date or time parts.
  const std::string f = EffectiveDateTimeFormat(format, region);
  bool date = false;
  bool time = false;
  bool quoted = false;
  for (char c : f) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == 'd' || c == 'y') date = true;
    if (c == 'h' || c == 's') time = true;
  }
  if (date && !time) return ectDate;
  if (time && !date) return ectTime;
  return ectDateTime;
}

}  // namespace sheet
