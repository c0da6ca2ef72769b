// Text measurement with FreeType, fonts found through fontconfig (POSIX systems).
#include <dlfcn.h>
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

namespace {

// The font engine's functions, each with the library that holds it.
#define NABIDKA_FONT_FUNCTIONS(X)                                                                       \
  X(kFreeType, FT_Init_FreeType) X(kFreeType, FT_Done_FreeType) X(kFreeType, FT_New_Face)              \
  X(kFreeType, FT_Done_Face) X(kFreeType, FT_Set_Char_Size) X(kFreeType, FT_Get_Char_Index)            \
  X(kFreeType, FT_Load_Glyph) X(kFontconfig, FcInitLoadConfigAndFonts) X(kFontconfig, FcConfigDestroy) \
  X(kFontconfig, FcPatternCreate) X(kFontconfig, FcPatternDestroy) X(kFontconfig, FcPatternAddString)  \
  X(kFontconfig, FcPatternAddInteger) X(kFontconfig, FcPatternAddBool)                                 \
  X(kFontconfig, FcConfigSubstitute) X(kFontconfig, FcDefaultSubstitute) X(kFontconfig, FcFontMatch)   \
  X(kFontconfig, FcPatternGetString) X(kFontconfig, FcPatternGetInteger)

// FreeType and fontconfig are loaded when the first text is measured, not
// with the program: reading an article or customer list measures nothing,
// and loading both (with the libraries behind them) costs every start about
// a millisecond. The handles stay open for the life of the process.
struct TFontEngine {
#define NABIDKA_FONT_POINTER(library, name) decltype(&::name) name = nullptr;
  NABIDKA_FONT_FUNCTIONS(NABIDKA_FONT_POINTER)
#undef NABIDKA_FONT_POINTER

  // Null when either library or one of its functions is missing: text is
  // then measured by the built-in metrics.
  static const TFontEngine* Get() {
    static const TFontEngine* const engine = Load();
    return engine;
  }

 private:
  static const TFontEngine* Load() {
    // The sonames these headers were written for.
    void* const libraries[] = {dlopen("libfreetype.so.6", RTLD_NOW | RTLD_LOCAL),
                               dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_LOCAL)};
    enum { kFreeType, kFontconfig };
    static TFontEngine engine;
    bool complete = true;
    auto resolve = [&](void* library, const char* name) -> void* {
      void* symbol = library ? dlsym(library, name) : nullptr;
      complete = complete && symbol;
      return symbol;
    };
#define NABIDKA_FONT_RESOLVE(library, name) \
  engine.name = reinterpret_cast<decltype(&::name)>(resolve(libraries[library], #name));
    NABIDKA_FONT_FUNCTIONS(NABIDKA_FONT_RESOLVE)
#undef NABIDKA_FONT_RESOLVE
    return complete ? &engine : nullptr;
  }
};

}  // namespace

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

  const TFontEngine* fEngine = TFontEngine::Get();

  TImpl() {
    if (!fEngine) return;
    if (fEngine->FT_Init_FreeType(&fLibrary) != 0) fLibrary = nullptr;
    fConfig = fEngine->FcInitLoadConfigAndFonts();
  }
  ~TImpl() {
    if (!fEngine) return;
    for (auto& [key, face] : fFaces)
      if (face.fFace) fEngine->FT_Done_Face(face.fFace);
    if (fLibrary) fEngine->FT_Done_FreeType(fLibrary);
    if (fConfig) fEngine->FcConfigDestroy(fConfig);
  }

  TFace& Face(const TMeasuredFont& font) {
    const auto key = std::make_tuple(font.fName, font.fBold, font.fItalic);
    if (auto it = fFaces.find(key); it != fFaces.end()) return it->second;
    TFace face;
    if (fLibrary && fConfig) {
      FcPattern* pattern = fEngine->FcPatternCreate();
      fEngine->FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(font.fName.c_str()));
      fEngine->FcPatternAddInteger(pattern, FC_WEIGHT, font.fBold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
      fEngine->FcPatternAddInteger(pattern, FC_SLANT, font.fItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
      fEngine->FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
      fEngine->FcConfigSubstitute(fConfig, pattern, FcMatchPattern);
      fEngine->FcDefaultSubstitute(pattern);
      FcResult result = FcResultNoMatch;
      FcPattern* match = fEngine->FcFontMatch(fConfig, pattern, &result);
      if (match) {
        FcChar8* file = nullptr;
        int index = 0;
        if (fEngine->FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
          fEngine->FcPatternGetInteger(match, FC_INDEX, 0, &index);
          const std::string path(reinterpret_cast<const char*>(file));
          if (fEngine->FT_New_Face(fLibrary, path.c_str(), index, &face.fFace) == 0) {
            face.fFile = path;
          } else {
            face.fFace = nullptr;
          }
        }
        fEngine->FcPatternDestroy(match);
      }
      fEngine->FcPatternDestroy(pattern);
    }
    return fFaces.emplace(key, face).first->second;
  }

  TSized* Sized(const TMeasuredFont& font) {
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
  bool Select(const TSized& sized) const {
    return fEngine->FT_Set_Char_Size(sized.fFace, 0, sized.fSize, static_cast<FT_UInt>(kDpi), static_cast<FT_UInt>(kDpi)) == 0;
  }

  double Advance(TSized& sized, char32_t cp) {
    if (auto it = sized.fAdvances.find(cp); it != sized.fAdvances.end()) return it->second;
    double advance = 0;
    const FT_UInt glyph = fEngine->FT_Get_Char_Index(sized.fFace, cp);
    if (fEngine->FT_Load_Glyph(sized.fFace, glyph, FT_LOAD_DEFAULT) == 0)
      advance = std::round(static_cast<double>(sized.fFace->glyph->advance.x) / 64);
    sized.fAdvances.emplace(cp, advance);
    return advance;
  }
};

TSystemTextMeasure::TSystemTextMeasure() : fImpl(std::make_unique<TImpl>()) {}
TSystemTextMeasure::~TSystemTextMeasure() = default;

double TSystemTextMeasure::TextWidth(const TMeasuredFont& font, std::string_view text) {
  std::lock_guard lock(fImpl->fLock);
  TImpl::TSized* sized = fImpl->Sized(font);
  if (!sized) return fFallback.TextWidth(font, text);
  bool selected = false;
  double widest = 0;
  for (std::string_view line : Lines(text)) {
    double width = 0;
    for (char32_t cp : CodePoints(line)) {
      if (sized->fAdvances.find(cp) == sized->fAdvances.end() && !selected) {
        fImpl->Select(*sized);
        selected = true;
      }
      width += fImpl->Advance(*sized, cp);
    }
    widest = std::max(widest, width);
  }
  return widest;
}

double TSystemTextMeasure::LineHeight(const TMeasuredFont& font) {
  std::lock_guard lock(fImpl->fLock);
  TImpl::TSized* sized = fImpl->Sized(font);
  return sized ? sized->fLineHeight : fFallback.LineHeight(font);
}

std::string TSystemTextMeasure::ChosenFont(const TMeasuredFont& font) {
  std::lock_guard lock(fImpl->fLock);
  return fImpl->Face(font).fFile;
}

}  // namespace sheet
