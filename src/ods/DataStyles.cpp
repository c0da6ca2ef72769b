#include "ods/DataStyles.h"

#include <vector>

#include "sheet/NumberFormat.h"
#include "xlsx/XmlWriter.h"

namespace ods {

using sheet::TNumberFormatKind;
using sheet::TNumberFormatRec;
using xlsx::TXMLWriter;

namespace {

// <number:text>literal</number:text>
void WriteLiteral(TXMLWriter& w, std::string_view literal) {
  if (literal.empty()) return;
  w.TextElement("number:text", literal);
}

// <number:number>: decimals, leading zeros and grouping of a number record.
void WriteNumber(TXMLWriter& w, const TNumberFormatRec& rec) {
  w.Start("number:number");
  if (rec.DecimalPlaces >= 0)
    w.Attribute("number:decimal-places", rec.DecimalPlaces).Attribute("number:min-decimal-places", rec.DecimalPlaces);
  w.Attribute("number:min-integer-digits", rec.IntegerDigits);
  if (rec.ThousandSep) w.Attribute("number:grouping", "true");
  w.EndEmpty();
}

// The elements of one number style's body for the kinds that show a number.
void WriteNumberBody(TXMLWriter& w, TNumberFormatKind kind, const TNumberFormatRec& rec) {
  switch (kind) {
    case TNumberFormatKind::nfkPercent:
      WriteNumber(w, rec);
      WriteLiteral(w, "%");
      break;
    case TNumberFormatKind::nfkCurrency:
      if (rec.CurrencyPos != sheet::ecpAfter && !rec.CurrencyStr.empty()) {
        w.TextElement("number:currency-symbol", rec.CurrencyStr);
        WriteLiteral(w, " ");
      }
      WriteNumber(w, rec);
      if (rec.CurrencyPos == sheet::ecpAfter && !rec.CurrencyStr.empty()) {
        WriteLiteral(w, " ");
        w.TextElement("number:currency-symbol", rec.CurrencyStr);
      }
      break;
    case TNumberFormatKind::nfkScientific:
      w.Start("number:scientific-number");
      if (rec.DecimalPlaces >= 0) w.Attribute("number:decimal-places", rec.DecimalPlaces);
      w.Attribute("number:min-integer-digits", 1).Attribute("number:min-exponent-digits", rec.ExponentDigits).EndEmpty();
      break;
    case TNumberFormatKind::nfkFraction:
      w.Start("number:fraction").Attribute("number:min-integer-digits", 0).Attribute("number:min-numerator-digits", 1);
      w.Attribute("number:min-denominator-digits", rec.FractionDigits).EndEmpty();
      break;
    default:
      WriteNumber(w, rec);
      break;
  }
}

const char* NumberStyleElement(TNumberFormatKind kind) {
  switch (kind) {
    case TNumberFormatKind::nfkPercent: return "number:percentage-style";
    case TNumberFormatKind::nfkCurrency: return "number:currency-style";
    default: return "number:number-style";
  }
}

// A number, percentage or currency style; red negatives become a red style
// that hands the other values to a plain one.
void WriteNumberStyle(TXMLWriter& w, TNumberFormatKind kind, const TNumberFormatRec& rec, const std::string& name) {
  const char* element = NumberStyleElement(kind);
  if (rec.NegativeRed) {
    w.Start(element).Attribute("style:name", name + "P0").EndStart();
    WriteNumberBody(w, kind, rec);
    w.End(element);
  }
  w.Start(element).Attribute("style:name", name).EndStart();
  if (rec.NegativeRed) w.Start("style:text-properties").Attribute("fo:color", "#ff0000").EndEmpty();
  WriteNumberBody(w, kind, rec);
  if (rec.NegativeRed)
    w.Start("style:map").Attribute("style:condition", "value()>=0").Attribute("style:apply-style-name", name + "P0").EndEmpty();
  w.End(element);
}

// ---- dates and times

enum class TPart { Day, DayName, Month, MonthName, Year, Hour, ElapsedHour, Minute, Second, AmPm, Literal };

struct TDatePart {
  explicit TDatePart(TPart part, bool isLong = false, std::string text = {})
      : fPart(part), fLong(isLong), fText(std::move(text)) {}
  TPart fPart;
  bool fLong;
  std::string fText;  // a literal's text
  int fDecimals = 0;  // of seconds
};

std::size_t RunLength(std::string_view f, std::size_t at) {
  std::size_t n = 1;
  while (at + n < f.size() && f[at + n] == f[at]) ++n;
  return n;
}

void AddLiteral(std::vector<TDatePart>& parts, std::string_view text) {
  if (!parts.empty() && parts.back().fPart == TPart::Literal) {
    parts.back().fText += text;
    return;
  }
  parts.emplace_back(TPart::Literal, false, std::string(text));
}

// "m" is a month unless it stands right after an hour or right before seconds.
void ResolveMinutes(std::vector<TDatePart>& parts, const std::vector<std::size_t>& ambiguous) {
  for (std::size_t at : ambiguous) {
    auto neighbour = [&](int step) -> const TDatePart* {
      for (std::ptrdiff_t i = static_cast<std::ptrdiff_t>(at) + step; i >= 0 && i < static_cast<std::ptrdiff_t>(parts.size()); i += step)
        if (parts[static_cast<std::size_t>(i)].fPart != TPart::Literal) return &parts[static_cast<std::size_t>(i)];
      return nullptr;
    };
    const TDatePart* before = neighbour(-1);
    const TDatePart* after = neighbour(1);
    if ((before && (before->fPart == TPart::Hour || before->fPart == TPart::ElapsedHour)) ||
        (after && after->fPart == TPart::Second))
      parts[at].fPart = TPart::Minute;
  }
}

// The parts of an effective date-time format (lower case, tokens resolved).
std::vector<TDatePart> ParseDateTime(std::string_view f, const text::TRegionalSettings& region) {
  std::vector<TDatePart> parts;
  std::vector<std::size_t> ambiguous;
  for (std::size_t i = 0; i < f.size();) {
    const char c = f[i];
    const std::size_t n = RunLength(f, i);
    if (c == '"') {
      const std::size_t close = f.find('"', i + 1);
      const std::size_t end = close == std::string_view::npos ? f.size() : close;
      AddLiteral(parts, f.substr(i + 1, end - i - 1));
      i = end + 1;
    } else if (f.substr(i, 3) == "[h]" || f.substr(i, 4) == "[hh]") {
      parts.emplace_back(TPart::ElapsedHour, f[i + 2] == 'h');
      i += f[i + 2] == 'h' ? 4 : 3;
    } else if (f.substr(i, 5) == "am/pm" || f.substr(i, 3) == "a/p") {
      parts.emplace_back(TPart::AmPm);
      i += f.substr(i, 5) == "am/pm" ? 5 : 3;
    } else if (c == 'd') {
      parts.emplace_back(n >= 3 ? TPart::DayName : TPart::Day, n == 2 || n >= 4);
      i += n;
    } else if (c == 'm' && n >= 3) {
      parts.emplace_back(TPart::MonthName, n >= 4);
      i += n;
    } else if (c == 'm') {
      ambiguous.push_back(parts.size());
      parts.emplace_back(TPart::Month, n >= 2);
      i += n;
    } else if (c == 'n') {
      parts.emplace_back(TPart::Minute, n >= 2);
      i += n;
    } else if (c == 'y') {
      parts.emplace_back(TPart::Year, n >= 3);
      i += n;
    } else if (c == 'h') {
      parts.emplace_back(TPart::Hour, n >= 2);
      i += n;
    } else if (c == 's') {
      TDatePart seconds(TPart::Second, n >= 2);
      i += n;
      if (i + 1 < f.size() && f[i] == '.' && f[i + 1] == '0') {
        seconds.fDecimals = static_cast<int>(RunLength(f, i + 1));
        i += 1 + static_cast<std::size_t>(seconds.fDecimals);
      }
      parts.push_back(seconds);
    } else if (c == '/') {
      AddLiteral(parts, region.fDateSeparator);
      ++i;
    } else if (c == ':') {
      AddLiteral(parts, region.fTimeSeparator);
      ++i;
    } else {
      AddLiteral(parts, f.substr(i, 1));
      ++i;
    }
  }
  ResolveMinutes(parts, ambiguous);
  return parts;
}

void WriteDatePart(TXMLWriter& w, const TDatePart& p) {
  static const char* const kElements[] = {"number:day",   "number:day-of-week", "number:month",   "number:month",
                                          "number:year",  "number:hours",       "number:hours",   "number:minutes",
                                          "number:seconds", "number:am-pm"};
  if (p.fPart == TPart::Literal) return WriteLiteral(w, p.fText);
  w.Start(kElements[static_cast<int>(p.fPart)]);
  if (p.fLong) w.Attribute("number:style", "long");
  if (p.fPart == TPart::MonthName) w.Attribute("number:textual", "true");
  if (p.fPart == TPart::Second && p.fDecimals > 0) w.Attribute("number:decimal-places", p.fDecimals);
  w.EndEmpty();
}

void WriteDateTimeStyle(TXMLWriter& w, std::string_view format, const std::string& name,
                        const text::TRegionalSettings& region) {
  const std::vector<TDatePart> parts = ParseDateTime(sheet::EffectiveDateTimeFormat(format, region), region);
  bool date = false, elapsed = false;
  for (const TDatePart& p : parts) {
    date = date || p.fPart == TPart::Day || p.fPart == TPart::DayName || p.fPart == TPart::Month ||
           p.fPart == TPart::MonthName || p.fPart == TPart::Year;
    elapsed = elapsed || p.fPart == TPart::ElapsedHour;
  }
  const char* element = date ? "number:date-style" : "number:time-style";
  w.Start(element).Attribute("style:name", name);
  if (elapsed && !date) w.Attribute("number:truncate-on-overflow", "false");
  w.EndStart();
  for (const TDatePart& p : parts) WriteDatePart(w, p);
  w.End(element);
}

}  // namespace

bool WriteDataStyle(TXMLWriter& w, std::string_view format, const std::string& name,
                    const text::TRegionalSettings& region) {
  if (sheet::IsGeneralFormat(format)) return false;
  TNumberFormatRec rec;
  const TNumberFormatKind kind = sheet::AnalyzeNumberFormat(format, rec);
  switch (kind) {
    case TNumberFormatKind::nfkNone:
      return false;
    case TNumberFormatKind::nfkString:
      w.Start("number:text-style").Attribute("style:name", name).EndStart();
      w.Raw("<number:text-content/>");
      w.End("number:text-style");
      return true;
    case TNumberFormatKind::nfkDateTime:
      WriteDateTimeStyle(w, format, name, region);
      return true;
    case TNumberFormatKind::nfkNumber:
      // Digits without decimal places asked for: general notation.
      if (rec.DecimalPlaces < 0) return false;
      [[fallthrough]];
    default:
      WriteNumberStyle(w, kind, rec, name);
      return true;
  }
}

}  // namespace ods
