// Text measurement with GDI on a memory device context (Windows).
#include <windows.h>

#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

#include "sheet/TextLines.h"
#include "sheet/TextMeasure.h"
#include "text/Utf16.h"

namespace sheet {

struct TSystemTextMeasure::TImpl {
  // A font at one size, selected into the context when used.
  struct TSized {
    HFONT fFont = nullptr;
    double fLineHeight = 0;
    std::string fFace;
  };

  std::mutex fLock;
  // Measuring needs no device: a memory context of the screen's kind. The
  // sizes are set for 96 DPI below, whatever the screen's resolution.
  HDC fContext = CreateCompatibleDC(nullptr);
  std::map<std::tuple<std::string, bool, bool, long>, TSized> fSized;

  ~TImpl() {
    for (auto& [key, sized] : fSized) {
      if (sized.fFont) DeleteObject(sized.fFont);
    }
    if (fContext) DeleteDC(fContext);
  }

  // Nothing when the size is no positive whole pixel height or GDI refuses the font.
  TSized* Sized(const TMeasuredFont& font) {
    const long height = std::lround(PixelsPerEm(font));
    if (!fContext || height <= 0) return nullptr;
    const auto key = std::make_tuple(font.fName, font.fBold, font.fItalic, height);
    auto it = fSized.find(key);
    if (it == fSized.end()) it = fSized.emplace(key, Create(font, height)).first;
    return it->second.fFont ? &it->second : nullptr;
  }

  TSized Create(const TMeasuredFont& font, long height) {
    TSized sized;
    const std::u16string name = text::ToUtf16(font.fName);
    // A negative height asks for the em size (character height), as points do.
    sized.fFont = CreateFontW(-static_cast<int>(height), 0, 0, 0, font.fBold ? FW_BOLD : FW_NORMAL,
                              font.fItalic ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                              reinterpret_cast<const wchar_t*>(name.substr(0, LF_FACESIZE - 1).c_str()));
    if (!sized.fFont) return sized;
    SelectObject(fContext, sized.fFont);
    TEXTMETRICW metrics{};
    GetTextMetricsW(fContext, &metrics);
    sized.fLineHeight = metrics.tmHeight;
    wchar_t face[LF_FACESIZE] = {};
    const int length = GetTextFaceW(fContext, LF_FACESIZE, face);
    if (length > 0) {
      sized.fFace = text::ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(face),
                                                static_cast<std::size_t>(length - 1)));
    }
    return sized;
  }

  double Width(const TSized& sized, std::string_view line) {
    if (line.empty()) return 0;
    const std::u16string units = text::ToUtf16(line);
    SelectObject(fContext, sized.fFont);
    SIZE extent{};
    if (!GetTextExtentPoint32W(fContext, reinterpret_cast<const wchar_t*>(units.data()),
                               static_cast<int>(units.size()), &extent)) {
      return 0;
    }
    return extent.cx;
  }
};

TSystemTextMeasure::TSystemTextMeasure() : fImpl(std::make_unique<TImpl>()) {}
TSystemTextMeasure::~TSystemTextMeasure() = default;

double TSystemTextMeasure::TextWidth(const TMeasuredFont& font, std::string_view text) {
  std::lock_guard lock(fImpl->fLock);
  TImpl::TSized* sized = fImpl->Sized(font);
  if (!sized) return fFallback.TextWidth(font, text);
  double widest = 0;
  for (std::string_view line : Lines(text)) widest = std::max(widest, fImpl->Width(*sized, line));
  return widest;
}

double TSystemTextMeasure::LineHeight(const TMeasuredFont& font) {
  std::lock_guard lock(fImpl->fLock);
  TImpl::TSized* sized = fImpl->Sized(font);
  return sized ? sized->fLineHeight : fFallback.LineHeight(font);
}

std::string TSystemTextMeasure::ChosenFont(const TMeasuredFont& font) {
  std::lock_guard lock(fImpl->fLock);
  TImpl::TSized* sized = fImpl->Sized(font);
  return sized ? sized->fFace : "";
}

}  // namespace sheet
