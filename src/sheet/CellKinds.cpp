#include "sheet/CellKinds.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "sheet/Dates.h"
#include "sheet/NumberFormat.h"
#include "sheet/Row.h"
#include "sheet/Worksheet.h"
#include "text/RegionalSettings.h"
#include "text/Utf16.h"

namespace sheet {

#define SHEET_DEFINE_CLASS(Kind) \
  const TExportCellClassInfo Kind::ClassInfo = {#Kind, []() -> TExportCell* { return new Kind(); }};

SHEET_DEFINE_CLASS(TExportCellEmpty)
SHEET_DEFINE_CLASS(TExportCellString)
SHEET_DEFINE_CLASS(TExportCellNumber)
SHEET_DEFINE_CLASS(TExportCellPercent)
SHEET_DEFINE_CLASS(TExportCellCurrency)
SHEET_DEFINE_CLASS(TExportCellScientific)
SHEET_DEFINE_CLASS(TExportCellFraction)
SHEET_DEFINE_CLASS(TExportCellDateTime)
SHEET_DEFINE_CLASS(TExportCellDate)
SHEET_DEFINE_CLASS(TExportCellDateTimeWS)
SHEET_DEFINE_CLASS(TExportCellTime)
SHEET_DEFINE_CLASS(TExportCellTimeWS)
SHEET_DEFINE_CLASS(TExportCellBoolean)

#undef SHEET_DEFINE_CLASS

namespace {

constexpr std::size_t kSharedStringThreshold = 256;  // UTF-16 units from which a text always goes shared

std::string Lower(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

// Removes ":ss" in any case; true when something was removed.
bool RemoveSeconds(std::string& aFormat) {
  bool removed = false;
  for (std::size_t pos = Lower(aFormat).find(":ss"); pos != std::string::npos; pos = Lower(aFormat).find(":ss")) {
    aFormat.erase(pos, 3);
    removed = true;
  }
  return removed;
}

std::string Trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(s.substr(first, s.find_last_not_of(" \t") - first + 1));
}

}  // namespace

// ---- empty

void TExportCellEmpty::SetSqlText(const std::string& aText) {
  if (aText.empty()) return;
  static_cast<TExportCellString&>(Transform(&TExportCellString::ClassInfo)).SetText(aText);
}

// ---- string

TExportCellString& TExportCellString::SetText(const std::string& aText) {
  fText = aText;
  fValueAssigned = true;
  if (fText.find("\r\n") != std::string::npos) SetWrapText(true);
  fUseSharedStrings = fUseSharedStrings || text::Utf16Length(fText) >= kSharedStringThreshold;
  if (fHasExtras) ExtrasIfAny()->fRichTextTags.clear();
  return *this;
}

const std::vector<TRichTextRun>& TExportCellString::RichTextTags() const {
  static const std::vector<TRichTextRun> none;
  return fHasExtras ? ExtrasIfAny()->fRichTextTags : none;
}

TExportCellString& TExportCellString::SetHyperLink(const std::string& aLink, const std::string& aHint) {
  if (fHasExtras || !aLink.empty() || !aHint.empty()) {
    TExportCellExtras& extras = Extras();
    extras.fHyperLink = aLink;
    extras.fHyperLinkHint = aHint;
  }
  return *this;
}

TExportCellString& TExportCellString::SetUseSharedStrings(bool aUse) {
  fUseSharedStrings = aUse || text::Utf16Length(fText) >= kSharedStringThreshold;
  return *this;
}

TExportCellString& TExportCellString::SetRichText(std::vector<TRichTextRun> aRuns) {
  std::string joined;
  for (const auto& run : aRuns) joined += run.fText;
  SetText(joined);
  if (fHasExtras || !aRuns.empty()) Extras().fRichTextTags = std::move(aRuns);
  return *this;
}

bool TExportCellString::IsEmptyForTrim() const { return !fValueAssigned || (fText.empty() && Formula().empty()); }

void TExportCellString::AssignNewCellProperties(TExportWorkSheet& aSheet) {
  TExportCell::AssignNewCellProperties(aSheet);
  if (aSheet.NewCellStringAlignment() != cahAuto) OwnStyle().SetAlignment(aSheet.NewCellStringAlignment());
  SetUseSharedStrings(aSheet.NewCellStringUseSharedStrings());
  if (!aSheet.NewCellStringFormat().empty()) StoreExcelNumberFormat(aSheet.NewCellStringFormat());
}

void TExportCellString::AssignValueFrom(const TExportCell& aFrom) {
  if (const auto* from = dynamic_cast<const TExportCellString*>(&aFrom)) {
    fText = from->fText;
    fUseSharedStrings = from->fUseSharedStrings;
    if (fHasExtras || from->fHasExtras) {
      TExportCellExtras& extras = Extras();
      extras.fRichTextTags = from->RichTextTags();
      extras.fHyperLink = from->HyperLink();
      extras.fHyperLinkHint = from->HyperLinkHint();
    }
  }
}

// ---- numeric base

TExportCellCustomNumber& TExportCellCustomNumber::SetValue(double aValue) {
  fValue = aValue;
  fValueAssigned = true;
  return *this;
}

void TExportCellCustomNumber::AssignNewCellProperties(TExportWorkSheet& aSheet) {
  TExportCell::AssignNewCellProperties(aSheet);
  fEmptyIfZero = aSheet.NewCellNumberEmptyIfZero();
}

void TExportCellCustomNumber::AssignValueFrom(const TExportCell& aFrom) {
  if (const auto* from = dynamic_cast<const TExportCellCustomNumber*>(&aFrom)) {
    fValue = from->fValue;
    fEmptyIfZero = from->fEmptyIfZero;
  }
}

// ---- number

TExportCellNumber& TExportCellNumber::SetDecimalPlaces(TDecimalPlaces aDecimalPlaces) {
  fDecimalPlaces = static_cast<std::int8_t>(std::clamp(aDecimalPlaces, -1, 99));
  if (fDecimalPlaces == -1) fIntegerDigits = 1;
  return *this;
}

TExportCellNumber& TExportCellNumber::SetIntegerDigits(TIntegerDigits aIntegerDigits) {
  fIntegerDigits = static_cast<std::int8_t>(std::clamp(aIntegerDigits, 1, 99));
  if (fIntegerDigits > 1 && fDecimalPlaces == -1) fDecimalPlaces = 0;
  return *this;
}

std::string TExportCellNumber::SqlText() const {
  if (std::isnan(fValue)) return {};
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, fValue, std::chars_format::general, 15);
  return std::string(buf, res.ptr);
}

void TExportCellNumber::SetSqlText(const std::string& aText) {
  std::string s = Trimmed(aText);
  std::replace(s.begin(), s.end(), ',', '.');
  double value = 0;
  const char* begin = s.data();
  if (!s.empty() && s.front() == '+') ++begin;
  const auto res = std::from_chars(begin, s.data() + s.size(), value);
  if (res.ec != std::errc() || res.ptr != s.data() + s.size()) value = 0;
  SetValue(value);
}

std::string TExportCellNumber::BuiltDigitsFormat() const {
  std::string digits = fThousandSep ? "#,##" : "";
  digits.append(static_cast<std::size_t>(std::max<int>(fIntegerDigits, 1)), '0');
  if (fDecimalPlaces > 0) {
    digits += '.';
    digits.append(static_cast<std::size_t>(fDecimalPlaces), '0');
  }
  return digits;
}

std::string TExportCellNumber::ExcelNumberFormatForWriter() const {
  const std::string& format = ExcelNumberFormat();
  if (!format.empty() && format != kTextFormat) return format;
  if (fDecimalPlaces < 0) return {};
  const std::string digits = BuiltDigitsFormat();
  return digits + ";" + (fNegativeRed ? "[Red]" : "") + "\\-" + digits;
}

void TExportCellNumber::SetKindDefaultAlignment() { OwnStyle().SetAlignment(cahRight); }

void TExportCellNumber::AssignNewCellProperties(TExportWorkSheet& aSheet) {
  TExportCellCustomNumber::AssignNewCellProperties(aSheet);
  if (aSheet.NewCellNumberAlignment() != cahAuto) OwnStyle().SetAlignment(aSheet.NewCellNumberAlignment());
}

void TExportCellNumber::AssignValueFrom(const TExportCell& aFrom) {
  TExportCellCustomNumber::AssignValueFrom(aFrom);
  if (const auto* from = dynamic_cast<const TExportCellNumber*>(&aFrom)) {
    fDecimalPlaces = from->fDecimalPlaces;
    fIntegerDigits = from->fIntegerDigits;
    fThousandSep = from->fThousandSep;
    fNegativeRed = from->fNegativeRed;
  }
}

std::string TExportCellPercent::ExcelNumberFormatForWriter() const {
  if (!ExcelNumberFormat().empty() && ExcelNumberFormat() != kTextFormat) return ExcelNumberFormat();
  if (DecimalPlaces() < 0) return "0%";
  return BuiltDigitsFormat() + "%";
}

void TExportCellCurrency::AssignValueFrom(const TExportCell& aFrom) {
  TExportCellNumber::AssignValueFrom(aFrom);
  if (const auto* from = dynamic_cast<const TExportCellCurrency*>(&aFrom)) {
    fCurrencyStr = from->fCurrencyStr;
    fCurrencyPos = from->fCurrencyPos;
  }
}

TExportCellScientific& TExportCellScientific::SetExponentDigits(int v) {
  fExponentDigits = std::clamp(v, 1, 3);
  return *this;
}

void TExportCellScientific::AssignValueFrom(const TExportCell& aFrom) {
  TExportCellNumber::AssignValueFrom(aFrom);
  if (const auto* from = dynamic_cast<const TExportCellScientific*>(&aFrom)) fExponentDigits = from->fExponentDigits;
}

TExportCellFraction& TExportCellFraction::SetFractionDigits(int v) {
  fFractionDigits = std::clamp(v, 1, 4);
  return *this;
}

void TExportCellFraction::AssignValueFrom(const TExportCell& aFrom) {
  TExportCellNumber::AssignValueFrom(aFrom);
  if (const auto* from = dynamic_cast<const TExportCellFraction*>(&aFrom)) fFractionDigits = from->fFractionDigits;
}

// ---- date and time

TExportCellType TExportCellDateTime::CellType() const {
  const std::string f = Lower(ExcelNumberFormat());
  // The regional tokens name their kind without resolving them.
  if (f == kSysDate) return ectDate;
  if (f == kSysTime || f == kSysTimeWS) return ectTime;
  if (f == kSysDateTime || f == kSysDateTimeWS) return ectDateTime;
  return DateTimeKindOfFormat(ExcelNumberFormat(), text::TRegionalSettings{});
}

std::string TExportCellDateTime::SqlText() const {
  TDateTimeParts p;
  if (!DecodeDateSerial(fValue, p)) return {};
  char date[32];
  char time[32];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d", p.fYear, p.fMonth, p.fDay);
  std::snprintf(time, sizeof time, "%02d:%02d:%02d", p.fHour, p.fMinute, p.fSecond);
  switch (CellType()) {
    case ectDate: return date;
    case ectTime: return time;
    default: return std::string(date) + " " + time;
  }
}

void TExportCellDateTime::SetSqlText(const std::string& aText) {
  const std::string s = Trimmed(aText);
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, sec = 0;
  double serial = 0;
  double fraction = 0;
  bool ok = false;
  if (std::sscanf(s.c_str(), "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &sec) >= 3 && s.find('-') != std::string::npos) {
    ok = TryEncodeDateSerial(y, mo, d, serial) && TryEncodeTime(h, mi, sec, 0, fraction);
  } else if (std::sscanf(s.c_str(), "%d:%d:%d", &h, &mi, &sec) >= 2) {
    ok = TryEncodeTime(h, mi, sec, 0, fraction);
  }
  if (ok) {
    SetValue(serial + fraction);
  } else {
    fValue = 0;
    fValueAssigned = false;
  }
}

void TExportCellDateTime::SetKindDefaultAlignment() { OwnStyle().SetAlignment(cahCenter); }

void TExportCellDateTime::AssignNewCellProperties(TExportWorkSheet& aSheet) {
  TExportCellCustomNumber::AssignNewCellProperties(aSheet);
  if (aSheet.NewCellDateTimeAlignment() != cahAuto) OwnStyle().SetAlignment(aSheet.NewCellDateTimeAlignment());
  if (aSheet.NewCellDateFormat() == kSysDate && aSheet.NewCellTimeFormat() == kSysTime) {
    StoreExcelNumberFormat(kSysDateTime);
  } else {
    const text::TRegionalSettings region = text::ProcessRegionalSettings();
    StoreExcelNumberFormat(ResolveDateTimeFormat(aSheet.NewCellDateFormat(), region) + " " +
                           ResolveDateTimeFormat(aSheet.NewCellTimeFormat(), region));
  }
}

void TExportCellDate::AssignNewCellProperties(TExportWorkSheet& aSheet) {
  TExportCellDateTime::AssignNewCellProperties(aSheet);
  StoreExcelNumberFormat(aSheet.NewCellDateFormat());
}

void TExportCellDateTimeWS::AssignNewCellProperties(TExportWorkSheet& aSheet) {
  TExportCellDateTime::AssignNewCellProperties(aSheet);
  if (aSheet.NewCellDateFormat() == kSysDate && aSheet.NewCellTimeFormat() == kSysTime) {
    StoreExcelNumberFormat(kSysDateTimeWS);
  } else if (std::string format = ExcelNumberFormat(); RemoveSeconds(format)) {
    StoreExcelNumberFormat(format);
  } else {
    StoreExcelNumberFormat(ResolveDateTimeFormat(aSheet.NewCellDateFormat(), text::ProcessRegionalSettings()) +
                           " hh:mm");
  }
}

void TExportCellTime::AssignNewCellProperties(TExportWorkSheet& aSheet) {
  TExportCellDateTime::AssignNewCellProperties(aSheet);
  StoreExcelNumberFormat(aSheet.NewCellTimeFormat());
}

void TExportCellTimeWS::AssignNewCellProperties(TExportWorkSheet& aSheet) {
  TExportCellTime::AssignNewCellProperties(aSheet);
  if (aSheet.NewCellTimeFormat() == kSysTime) {
    StoreExcelNumberFormat(kSysTimeWS);
  } else if (std::string format = ExcelNumberFormat(); RemoveSeconds(format)) {
    StoreExcelNumberFormat(format);
  }
}

// ---- boolean

std::string TExportCellBoolean::SqlText() const { return AsBoolean() ? "True" : "False"; }

void TExportCellBoolean::SetSqlText(const std::string& aText) {
  const std::string s = Lower(Trimmed(aText));
  SetAsBoolean(s == "true" || s == "1");
}

void TExportCellBoolean::AssignValueFrom(const TExportCell& aFrom) {
  TExportCellCustomNumber::AssignValueFrom(aFrom);
  if (const auto* from = dynamic_cast<const TExportCellBoolean*>(&aFrom)) fValueType = from->fValueType;
}

}  // namespace sheet
