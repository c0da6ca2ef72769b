#pragma once

#include <string>
#include <string_view>

namespace xlsx {

// A number as XML text: the shortest general form with at most 15 significant
// digits, "." as decimal separator, exponent with a capital E below 0.00001
// or from 16 integer digits on (1E-6, 1E15). Never depends on the locale.
std::string FloatToXmlText(double value);
void AppendFloatXml(std::string& out, double value);
void AppendInt(std::string& out, long long value);
std::string IntText(long long value);

// Escapes a value spliced into a fixed template: & < > ' " and, when asked,
// CR and LF as character references.
std::string TemplateEscape(std::string_view value, bool escapeLineBreaks = false);

// Characters XML 1.0 cannot carry in any form: C0 controls other than TAB,
// LF and CR, surrogate code points, U+FFFE and U+FFFF.
inline bool IsXmlForbidden(char32_t c) {
  return (c < 0x20 && c != 0x09 && c != 0x0A && c != 0x0D) || (c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE ||
         c == 0xFFFF;
}

// Cell-text escaping for cell texts, shared-string items and sheet names.
// Every character XML 1.0 cannot carry (C0 controls except TAB, LF and a CR
// that ends the text or precedes LF; U+FFFE, U+FFFF; unpaired surrogates)
// becomes "_xHHHH_", and an underscore that would start such an escape
// becomes "_x005F_", so every text reads back unchanged.
void AppendCellText(std::string& out, std::string_view text, bool escapeQuotes = false);
std::string EscapeCellText(std::string_view text, bool escapeQuotes = false);

// A shared-string item needs xml:space="preserve" when it begins or ends with
// white space or holds two white-space characters in a row (CR LF counts as one).
bool NeedsSpacePreserve(std::string_view text);

// Column letters in bijective base 26 (0 -> A, 26 -> AA) and A1 references.
void AppendColumnLetters(std::string& out, int col);
void AppendCellRef(std::string& out, int col, int row);
// The same into a character buffer with room for kMaxCellRefChars; returns the end.
inline constexpr std::size_t kMaxCellRefChars = 24;
char* PutCellRef(char* to, int col, int row);
std::string CellRef(int col, int row);
// The range from (col, row) over the spans; a single cell gives just its name.
std::string RangeRef(int col, int row, int colSpan, int rowSpan);

}  // namespace xlsx
