// Text measurement with FreeType, fonts found through fontconfig (POSIX systems).
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <map>
#include <mutex>
#include <tuple>
#include <unordered_map>

#include "sheet/TextLines.h"
#include "sheet/TextMeasure.h"

namespace sheet {

struct TSystemTextMeasure::TImpl {
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

TSystemTextMeasure::TSystemTextMeasure() : fImpl(std::make_unique<TImpl>()) {}
TSystemTextMeasure::~TSystemTextMeasure() = default;

double TSystemTextMeasure::TextWidth(const TFontSpec& font, std::string_view text) {
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

double TSystemTextMeasure::LineHeight(const TFontSpec& font) {
  std::lock_guard lock(fImpl->fLock);
  TImpl::TSized* sized = fImpl->Sized(font);
  return sized ? sized->fLineHeight : fFallback.LineHeight(font);
}

std::string TSystemTextMeasure::ChosenFont(const TFontSpec& font) {
  std::lock_guard lock(fImpl->fLock);
  return fImpl->Face(font).fFile;
}

}  // namespace sheet
