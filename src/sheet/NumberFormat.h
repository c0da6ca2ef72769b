#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sheet/Types.h"
#include "text/RegionalSettings.h"

// Number formats in spreadsheet notation («0.00», «#,##0», «d.m.yyyy», "@"):
// what a format text asks for, the built-in formats by index, and the tokens
// that stand for the user's regional date and time formats.
namespace sheet {

// The text format: a single commercial-at sign.
inline constexpr const char* kTextFormat = "@";

// Tokens resolved from the regional settings when a date-time format is needed.
inline constexpr const char* kSysDate = "%sysdate%";
inline constexpr const char* kSysDateTime = "%sysdatetime%";
inline constexpr const char* kSysDateTimeWS = "%sysdatetimews%";
inline constexpr const char* kSysTime = "%systime%";
inline constexpr const char* kSysTimeWS = "%systimews%";

// Process-wide formats given to new date and time cells; never empty.
const std::string& GlobalDateFormat();
const std::string& GlobalTimeFormat();
void SetGlobalDateFormat(std::string format);  // an empty text restores "%sysdate%"
void SetGlobalTimeFormat(std::string format);  // an empty text restores "%systime%"

// The cell kind a format calls for.
enum class TNumberFormatKind {
  nfkNone,  // General (or empty): the kind stays as it is
  nfkString,
  nfkNumber,
  nfkPercent,
  nfkCurrency,
  nfkScientific,
  nfkFraction,
  nfkDateTime,
};

struct TNumberFormatRec {
  bool NegativeRed = false;
  bool ThousandSep = false;
  TDecimalPlaces DecimalPlaces = -1;  // -1 = general notation
  TIntegerDigits IntegerDigits = 1;
  int ExponentDigits = 1;  // 1 ... 3
  int FractionDigits = 1;  // 1 ... 4
  std::string CurrencyStr;
  TExportCellCurrencyPosition CurrencyPos = ecpBefore;

  bool operator==(const TNumberFormatRec&) const = default;
};

// Reads the first section of a format. The record starts from its initial
// values; for date-time formats only the kind is meaningful.
TNumberFormatKind AnalyzeNumberFormat(std::string_view format, TNumberFormatRec& rec);
inline TNumberFormatKind AnalyzeNumberFormat(std::string_view format) {
  TNumberFormatRec rec;
  return AnalyzeNumberFormat(format, rec);
}

// True for "", "General" in any case.
bool IsGeneralFormat(std::string_view format);

// Built-in formats of the spreadsheet files by index: index 0 is General (an
// empty text); unknown indexes give nothing.
std::optional<std::string> BuiltInNumberFormat(int index);
// The index of a built-in format text (exact comparison), or -1.
int BuiltInNumberFormatIndex(std::string_view format);

// A date-time format with the regional tokens resolved ("%sysdate%" -> the
// short date format with "n" turned into "m" and "ampm" into "am/pm");
// anything else comes back unchanged.
std::string ResolveDateTimeFormat(std::string_view format, const text::TRegionalSettings& region);

// The format a date cell renders with: tokens resolved, lower case, first
// section, "[h]" kept as the elapsed-hours marker, backslashes and other
// bracketed parts removed.
std::string EffectiveDateTimeFormat(std::string_view format, const text::TRegionalSettings& region);

// What a date-time format shows: ectDate, ectTime or ectDateTime.
TExportCellType DateTimeKindOfFormat(std::string_view format, const text::TRegionalSettings& region);

}  // namespace sheet
