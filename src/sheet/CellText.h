#pragma once

#include <string>
#include <string_view>

#include "sheet/NumberFormat.h"
#include "sheet/Types.h"
#include "text/RegionalSettings.h"

// The text a spreadsheet application would display for a cell value, under
// explicit regional settings, and the way back from such a text to a value.
// Formatting never throws: what cannot be shown gives an empty text.
namespace sheet {

// Shortest text with at most 15 significant digits, the region's decimal
// separator, no thousands separators; exponent form ("1,5E20", "1E-6") from
// 1E15 up and below 1E-5.
std::string FormatGeneralNumber(double value, const text::TRegionalSettings& region);

// Fixed-point text: `decimals` decimals after rounding to 15 significant
// digits (ties away from zero), a leading "-" for negative values (not for a
// value that rounds to zero), the region's decimal separator and, when
// `thousandSep` is not empty, that separator between groups of three digits.
std::string FormatFixedNumber(double value, int decimals, std::string_view thousandSep,
                              const text::TRegionalSettings& region);

// A number cell's text (kind ectNumber with the record's DecimalPlaces,
// IntegerDigits and ThousandSep). Empty for NaN.
std::string FormatNumberValue(double value, const TNumberFormatRec& rec, const text::TRegionalSettings& region);
std::string FormatPercentValue(double value, const TNumberFormatRec& rec, const text::TRegionalSettings& region);
std::string FormatCurrencyValue(double value, const TNumberFormatRec& rec, const text::TRegionalSettings& region);
std::string FormatScientificValue(double value, const TNumberFormatRec& rec, const text::TRegionalSettings& region);
std::string FormatFractionValue(double value, const TNumberFormatRec& rec);
inline std::string FormatBooleanValue(bool value) { return value ? "True" : "False"; }

// A date serial (1900 system unless use1904) shown with a date-time format in
// spreadsheet notation; the regional tokens ("%sysdate%" ...) are resolved.
// Tokens: d dd ddd dddd, m mm mmm mmmm (minutes right after an hour or before
// seconds), yy yyyy, h hh, [h] (elapsed hours), n nn, s ss, am/pm, a/p, ampm,
// "/" and ":" as the region's separators, "..." literals; the rest is copied.
std::string FormatDateTimeValue(double serial, std::string_view excelFormat, const text::TRegionalSettings& region,
                                bool use1904 = false);

// Display text of a value under a number-format text, as a cell whose kind
// follows the format would show it (General: general notation; "@": general
// notation as well, since the value is a number). Empty for NaN.
std::string FormatNumberText(double value, std::string_view excelFormat, const text::TRegionalSettings& region);

// Parsing display texts back. Numbers take the region's decimal separator
// (the region's thousands separator and blanks are ignored); percentages may
// carry "%" and are divided by 100; dates follow the order of the region's
// short date format, with an optional time "h:m[:s]" (and AM/PM).
bool TryParseNumberText(std::string_view text, double& value, const text::TRegionalSettings& region);
bool TryParsePercentText(std::string_view text, double& value, const text::TRegionalSettings& region);
bool TryParseDateTimeText(std::string_view text, double& serial, const text::TRegionalSettings& region);

}  // namespace sheet
