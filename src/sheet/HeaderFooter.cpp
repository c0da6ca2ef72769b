#include "sheet/HeaderFooter.h"

#include <array>
#include <cstdio>
#include <stdexcept>
#include <string_view>

#include "sheet/Color.h"

namespace sheet {

namespace {

struct TPlaceholder {
  std::string_view fText;
  std::string_view fCode;
};
constexpr std::array<TPlaceholder, 6> kPlaceholders = {{
    {"[PAGENUMBER]", "&P"},
    {"[PAGECOUNT]", "&N"},
    {"[SHEETNAME]", "&A"},
    {"[DATE]", "&D"},
    {"[TIME]", "&T"},
    {"[FILENAME]", "&F"},
}};

void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
  for (std::size_t pos = s.find(from); pos != std::string::npos; pos = s.find(from, pos + to.size()))
    s.replace(pos, from.size(), to);
}

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

}  // namespace

TExportHeader& TExportHeader::SetText(const std::string& aText) {
  fText = aText;
  fExcelFormattedText.clear();
  return *this;
}

std::string TExportHeader::ExcelFormattedText() const {
  if (!fExcelFormattedText.empty()) return fExcelFormattedText;
  const TExportFontStyle& style = fFont.Style();
  std::string s = "&\"" + fFont.Name();
  const bool bold = style.Bold() == efsYes;
  const bool italic = style.Italic() == efsYes;
  if (bold || italic) {
    s += ',';
    if (bold) s += "Bold ";
    if (italic) s += "Italic ";
    s = Trim(s);
  }
  s += "\"&" + std::to_string(fFont.Size());
  if (style.StrikeOut() == efsYes) s += "&S";
  if (style.Underline() == efuSingle || style.Underline() == efuSingleAccounting) s += "&U";
  if (style.Underline() == efuDouble || style.Underline() == efuDoubleAccounting) s += "&E";
  if (style.Escapement() == efeSuperscript) s += "&X";
  if (style.Escapement() == efeSubscript) s += "&Y";
  char hex[8];
  std::snprintf(hex, sizeof hex, "%06X", static_cast<unsigned>(ColorToRGB(fFont.Color())) & 0xFFFFFFu);
  s += "&K";
  s += hex;
  std::string body = fText;
  ReplaceAll(body, "&", "&&");
  for (const auto& p : kPlaceholders) ReplaceAll(body, p.fText, p.fCode);
  return s + body;
}

TExportHeader& TExportHeader::SetExcelFormattedText(const std::string& aCode) {
  TExportFont font;
  font.SetName("").SetSize(10).SetColor(clNone);
  font.Style().SetBold(efsNo).SetItalic(efsNo).SetUnderline(efuNo).SetStrikeOut(efsNo).SetEscapement(efeNo);
  std::string text;
  const std::size_t n = aCode.size();
  std::size_t i = 0;
  while (i < n) {
    if (aCode[i] != '&' || i + 1 >= n) {
      text += aCode[i++];
      continue;
    }
    const char c = aCode[i + 1];
    if (c == '&') {
      text += '&';
      i += 2;
    } else if (c == '"') {
      const std::size_t close = aCode.find('"', i + 2);
      const std::string fontCode = aCode.substr(i + 2, close == std::string::npos ? std::string::npos : close - i - 2);
      const std::size_t comma = fontCode.find(',');
      font.SetName(fontCode.substr(0, comma));
      if (comma != std::string::npos) {
        const std::string styles = fontCode.substr(comma + 1);
        if (styles.find("Bold") != std::string::npos || styles.find("Fett") != std::string::npos)
          font.Style().SetBold(efsYes);
        if (styles.find("Italic") != std::string::npos || styles.find("Kursiv") != std::string::npos)
          font.Style().SetItalic(efsYes);
      }
      i = close == std::string::npos ? n : close + 1;
    } else if (c >= '0' && c <= '9') {
      std::size_t j = i + 1;
      int size = 0;
      while (j < n && aCode[j] >= '0' && aCode[j] <= '9' && size < 100000) size = size * 10 + (aCode[j++] - '0');
      while (j < n && aCode[j] >= '0' && aCode[j] <= '9') ++j;
      font.SetSize(size);
      i = j;
    } else if (c == 'K' && i + 8 <= n && IsHex(aCode[i + 2]) && IsHex(aCode[i + 3]) && IsHex(aCode[i + 4]) &&
               IsHex(aCode[i + 5]) && IsHex(aCode[i + 6]) && IsHex(aCode[i + 7])) {
      const unsigned rgb = static_cast<unsigned>(std::stoul(aCode.substr(i + 2, 6), nullptr, 16));
      font.SetColor(static_cast<TColor>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF)));
      i += 8;
    } else {
      std::string_view placeholder;
      switch (c) {
        case 'B': font.Style().SetBold(efsYes); break;
        case 'I': font.Style().SetItalic(efsYes); break;
        case 'U': font.Style().SetUnderline(efuSingle); break;
        case 'E': font.Style().SetUnderline(efuDouble); break;
        case 'S': font.Style().SetStrikeOut(efsYes); break;
        case 'X': font.Style().SetEscapement(efeSuperscript); break;
        case 'Y': font.Style().SetEscapement(efeSubscript); break;
        case 'A': placeholder = "[SHEETNAME]"; break;
        case 'D': placeholder = "[DATE]"; break;
        case 'T': placeholder = "[TIME]"; break;
        case 'F': placeholder = "[FILENAME]"; break;
        case 'N': placeholder = "[PAGECOUNT]"; break;
        case 'P': placeholder = "[PAGENUMBER]"; break;
        default:
          text += aCode.substr(i, 2);
          break;
      }
      text += placeholder;
      i += 2;
    }
  }
  fFont = font;
  fText = text;
  fExcelFormattedText = aCode;
  return *this;
}

TExportHeader& TExportHeaders::GetItem(int aIndex) {
  return const_cast<TExportHeader&>(static_cast<const TExportHeaders*>(this)->GetItem(aIndex));
}

const TExportHeader& TExportHeaders::GetItem(int aIndex) const {
  switch (aIndex) {
    case 0: return fLeft;
    case 1: return fCenter;
    case 2: return fRight;
    default: throw std::out_of_range("TExportHeaders.GetItem: index out of bounds.");
  }
}

std::string TExportHeaders::ExcelFormattedText() const {
  std::string code;
  const char* const tags[] = {"&L", "&C", "&R"};
  for (int i = 0; i < 3; ++i) {
    if (!GetItem(i).Text().empty()) code += tags[i] + GetItem(i).ExcelFormattedText();
  }
  return code;
}

}  // namespace sheet
