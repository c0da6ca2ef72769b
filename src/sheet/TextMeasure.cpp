#include "sheet/TextMeasure.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <unordered_map>
#include <vector>

#include "text/Utf8.h"

namespace sheet {

namespace {

constexpr double kDpi = 96;

double PixelsPerEm(const TFontSpec& font) { return std::max(font.fSize, 0.0) * kDpi / 72; }

// UTF-8 to code points; a malformed byte counts as U+FFFD.
std::vector<char32_t> CodePoints(std::string_view s) {
  std::vector<char32_t> out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) out.push_back(text::NextCodePoint(s, i));
  return out;
}

// Lines of a text: "\r\n", "\n" and "\r" each end a line.
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

double WidestLine(TTextMeasure& measure, const TFontSpec& font, std::string_view text,
                  double (*lineWidth)(TTextMeasure&, const TFontSpec&, std::string_view)) {
  double widest = 0;
  for (std::string_view line : Lines(text)) widest = std::max(widest, lineWidth(measure, font, line));
  return widest;
}

}  // namespace

// ---- TTextMeasure ----

double TTextMeasure::TextHeight(const TFontSpec& font, std::string_view) { return LineHeight(font); }

double TTextMeasure::AverageDigitWidth(const TFontSpec& font) {
  TFontSpec key = font;
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

double TTextMeasure::WrappedTextHeight(const TFontSpec& font, std::string_view text, double width) {
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

double TFallbackTextMeasure::TextWidth(const TFontSpec& font, std::string_view text) {
  return WidestLine(*this, font, text, [](TTextMeasure&, const TFontSpec& f, std::string_view line) {
    const double advance = std::round(PixelsPerEm(f) * 0.5561);
    return advance * static_cast<double>(CodePoints(line).size());
  });
}

double TFallbackTextMeasure::LineHeight(const TFontSpec& font) { return std::ceil(PixelsPerEm(font) * 1.15); }

// ---- TFreeTypeTextMeasure ----

struct TFreeTypeTextMeasure::TImpl {
  struct TFace {
    FT_Face fFace = nullptr;
    std::string fFile;
  };
  // A face at one size: advances per code point and the line height.
  struct TSized {
    FT_Face fFace = nullptr;
    FT_F26Dot6 fSize = 0;
    double fLineHeight = 0;
    std::unordered_map<char32_t, double> fAdvances;
  };

  std::mutex fLock;
  FT_Library fLibrary = nullptr;
  // A configuration of our own, freed with the measure (the process-wide one
  // of fontconfig would stay allocated until exit).
  FcConfig* fConfig = nullptr;
  std::map<std::tuple<std::string, bool, bool>, TFace> fFaces;
  std::map<std::tuple<std::string, bool, bool, FT_F26Dot6>, TSized> fSized;

  TImpl() {
    if (FT_Init_FreeType(&fLibrary) != 0) fLibrary = nullptr;
    fConfig = FcInitLoadConfigAndFonts();
  }
  ~TImpl() {
    for (auto& [key, face] : fFaces)
      if (face.fFace) FT_Done_Face(face.fFace);
    if (fLibrary) FT_Done_FreeType(fLibrary);
    if (fConfig) FcConfigDestroy(fConfig);
  }

  TFace& Face(const TFontSpec& font) {
    const auto key = std::make_tuple(font.fName, font.fBold, font.fItalic);
    if (auto it = fFaces.find(key); it != fFaces.end()) return it->second;
    TFace face;
    if (fLibrary && fConfig) {
      FcPattern* pattern = FcPatternCreate();
      FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(font.fName.c_str()));
      FcPatternAddInteger(pattern, FC_WEIGHT, font.fBold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
      FcPatternAddInteger(pattern, FC_SLANT, font.fItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
      FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
      FcConfigSubstitute(fConfig, pattern, FcMatchPattern);
      FcDefaultSubstitute(pattern);
      FcResult result = FcResultNoMatch;
      FcPattern* match = FcFontMatch(fConfig, pattern, &result);
      if (match) {
        FcChar8* file = nullptr;
        int index = 0;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
          FcPatternGetInteger(match, FC_INDEX, 0, &index);
          const std::string path(reinterpret_cast<const char*>(file));
          if (FT_New_Face(fLibrary, path.c_str(), index, &face.fFace) == 0) {
            face.fFile = path;
          } else {
            face.fFace = nullptr;
          }
        }
        FcPatternDestroy(match);
      }
      FcPatternDestroy(pattern);
    }
    return fFaces.emplace(key, face).first->second;
  }

  TSized* Sized(const TFontSpec& font) {
    TFace& face = Face(font);
    if (!face.fFace) return nullptr;
    const FT_F26Dot6 size = static_cast<FT_F26Dot6>(std::lround(std::max(font.fSize, 0.0) * 64));
    if (size <= 0) return nullptr;
    const auto key = std::make_tuple(font.fName, font.fBold, font.fItalic, size);
    auto it = fSized.find(key);
    if (it == fSized.end()) {
      TSized sized;
      sized.fFace = face.fFace;
      sized.fSize = size;
      if (!Select(sized)) return nullptr;
      const FT_Size_Metrics& m = face.fFace->size->metrics;
      sized.fLineHeight = std::round(static_cast<double>(m.ascender - m.descender) / 64);
      it = fSized.emplace(key, std::move(sized)).first;
    }
    return &it->second;
  }

  // Faces are shared between sizes; the size is set before each use.
  static bool Select(const TSized& sized) {
    return FT_Set_Char_Size(sized.fFace, 0, sized.fSize, static_cast<FT_UInt>(kDpi), static_cast<FT_UInt>(kDpi)) == 0;
  }

  double Advance(TSized& sized, char32_t cp) {
    if (auto it = sized.fAdvances.find(cp); it != sized.fAdvances.end()) return it->second;
    double advance = 0;
    const FT_UInt glyph = FT_Get_Char_Index(sized.fFace, cp);
    if (FT_Load_Glyph(sized.fFace, glyph, FT_LOAD_DEFAULT) == 0)
      advance = std::round(static_cast<double>(sized.fFace->glyph->advance.x) / 64);
    sized.fAdvances.emplace(cp, advance);
    return advance;
  }
};

TFreeTypeTextMeasure::TFreeTypeTextMeasure() : fImpl(std::make_unique<TImpl>()) {}
TFreeTypeTextMeasure::~TFreeTypeTextMeasure() = default;

double TFreeTypeTextMeasure::TextWidth(const TFontSpec& font, std::string_view text) {
  std::lock_guard lock(fImpl->fLock);
  TImpl::TSized* sized = fImpl->Sized(font);
  if (!sized) return fFallback.TextWidth(font, text);
  bool selected = false;
  double widest = 0;
  for (std::string_view line : Lines(text)) {
    double width = 0;
    for (char32_t cp : CodePoints(line)) {
      if (sized->fAdvances.find(cp) == sized->fAdvances.end() && !selected) {
        TImpl::Select(*sized);
        selected = true;
      }
      width += fImpl->Advance(*sized, cp);
    }
    widest = std::max(widest, width);
  }
  return widest;
}

double TFreeTypeTextMeasure::LineHeight(const TFontSpec& font) {
  std::lock_guard lock(fImpl->fLock);
  TImpl::TSized* sized = fImpl->Sized(font);
  return sized ? sized->fLineHeight : fFallback.LineHeight(font);
}

std::string TFreeTypeTextMeasure::FontFile(const TFontSpec& font) {
  std::lock_guard lock(fImpl->fLock);
  return fImpl->Face(font).fFile;
}

// ---- process-wide instance ----

namespace {

std::mutex gDefaultLock;

std::shared_ptr<TTextMeasure>& DefaultSlot() {
  static std::shared_ptr<TTextMeasure> measure;
  return measure;
}

std::shared_ptr<TTextMeasure> BuiltInMeasure() {
  static std::shared_ptr<TTextMeasure> builtIn = std::make_shared<TFreeTypeTextMeasure>();
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

double MultiLineRowHeight(TTextMeasure& measure, const TFontSpec& font, std::string_view text, double width,
                          double fontLineHeight) {
  const double box = std::round(width) - 8;
  const double h = measure.WrappedTextHeight(font, text, box);
  const double l = measure.TextHeight(font, "Hg");
  const double lines = l > 0 ? std::round(h / l) : 1;
  return lines > 1 ? std::round(lines * fontLineHeight) : fontLineHeight;
}

}  // namespace sheet
