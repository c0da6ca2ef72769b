#include "sheet/TextMeasure.h"

#include <cmath>
#include <unordered_map>
#include <vector>

#include "sheet/TextLines.h"
#include "text/Utf8.h"

namespace sheet {

std::vector<char32_t> CodePoints(std::string_view s) {
  std::vector<char32_t> out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) out.push_back(text::NextCodePoint(s, i));
  return out;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.push_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  lines.push_back(text.substr(start));
  return lines;
}

namespace {

double WidestLine(TTextMeasure& measure, const TMeasuredFont& font, std::string_view text,
                  double (*lineWidth)(TTextMeasure&, const TMeasuredFont&, std::string_view)) {
  double widest = 0;
  for (std::string_view line : Lines(text)) widest = std::max(widest, lineWidth(measure, font, line));
  return widest;
}

}  // namespace

// ---- TTextMeasure ----

double TTextMeasure::TextHeight(const TMeasuredFont& font, std::string_view) { return LineHeight(font); }

double TTextMeasure::AverageDigitWidth(const TMeasuredFont& font) {
  TMeasuredFont key = font;
  key.fUnderline = key.fStrikeOut = false;
  {
    std::lock_guard lock(fDigitLock);
    if (auto it = fDigitWidths.find(key); it != fDigitWidths.end()) return it->second;
  }
  const double width = TextWidth(key, "0123456789") / 10;
  std::lock_guard lock(fDigitLock);
  fDigitWidths.emplace(key, width);
  return width;
}

double TTextMeasure::WrappedTextHeight(const TMeasuredFont& font, std::string_view text, double width) {
  // Greedy wrapping at blanks; the blank at a break belongs to neither line.
  // Widths add up word by word (advances are per glyph), so long texts stay linear.
  const double space = TextWidth(font, " ");
  int lines = 0;
  for (std::string_view paragraph : Lines(text)) {
    double current = -1;  // width of the line so far; -1 = nothing on it yet
    int paragraphLines = 1;
    std::size_t pos = 0;
    while (pos <= paragraph.size()) {
      std::size_t end = paragraph.find(' ', pos);
      if (end == std::string_view::npos) end = paragraph.size();
      const double word = TextWidth(font, paragraph.substr(pos, end - pos));
      if (current < 0) {
        current = word;
      } else if (current + space + word > width) {
        ++paragraphLines;
        current = word;
      } else {
        current += space + word;
      }
      pos = end + 1;
    }
    lines += paragraphLines;
  }
  return lines * LineHeight(font);
}

// ---- TFallbackTextMeasure ----

double TFallbackTextMeasure::TextWidth(const TMeasuredFont& font, std::string_view text) {
  return WidestLine(*this, font, text, [](TTextMeasure&, const TMeasuredFont& f, std::string_view line) {
    const double advance = std::round(PixelsPerEm(f) * 0.5561);
    return advance * static_cast<double>(CodePoints(line).size());
  });
}

double TFallbackTextMeasure::LineHeight(const TMeasuredFont& font) { return std::ceil(PixelsPerEm(font) * 1.15); }

// ---- process-wide instance ----

namespace {

std::mutex gDefaultLock;

std::shared_ptr<TTextMeasure>& DefaultSlot() {
  static std::shared_ptr<TTextMeasure> measure;
  return measure;
}

std::shared_ptr<TTextMeasure> BuiltInMeasure() {
  static std::shared_ptr<TTextMeasure> builtIn = std::make_shared<TSystemTextMeasure>();
  return builtIn;
}

}  // namespace

TTextMeasure& DefaultTextMeasure() {
  std::lock_guard lock(gDefaultLock);
  auto& slot = DefaultSlot();
  if (!slot) slot = BuiltInMeasure();
  return *slot;
}

std::shared_ptr<TTextMeasure> SetDefaultTextMeasure(std::shared_ptr<TTextMeasure> measure) {
  std::lock_guard lock(gDefaultLock);
  auto& slot = DefaultSlot();
  std::shared_ptr<TTextMeasure> previous = slot;
  slot = measure ? std::move(measure) : BuiltInMeasure();
  return previous;
}

double MultiLineRowHeight(TTextMeasure& measure, const TMeasuredFont& font, std::string_view text, double width,
                          double fontLineHeight) {
  const double box = std::round(width) - 8;
  const double h = measure.WrappedTextHeight(font, text, box);
  const double l = measure.TextHeight(font, "Hg");
  const double lines = l > 0 ? std::round(h / l) : 1;
  return lines > 1 ? std::round(lines * fontLineHeight) : fontLineHeight;
}

}  // namespace sheet
