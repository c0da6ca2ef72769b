#pragma once

#include <string>
#include <string_view>

// Helpers the Windows bindings share: texts between UTF-8 and the system's
// UTF-16, window texts, fonts and pixels at the window's resolution. The
// handles are the system's own types, declared here as windows.h declares
// them, so that no header of ours includes it.
struct HWND__;
struct HFONT__;

namespace app {
struct TWindowLayout;
}

namespace win32 {

using THandle = HWND__*;

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

std::string WindowText(THandle window);
// Sets the text only when it differs: setting it again would move the
// cursor and the selection of a field being edited.
void SetWindowTextIfChanged(THandle window, std::string_view utf8);

// Pixels at 96 DPI as pixels at `dpi`.
int Scaled(int pixels, unsigned dpi);
// Tahoma (or the face the system puts in its place) at a size in points.
HFONT__* CreateTahoma(int points, unsigned dpi);
// Width and height of a text in the window's font, in pixels.
void TextExtent(THandle window, std::string_view utf8, int& width, int& height);

// The module the program runs from (for window classes and resources).
void* ModuleHandle();

// A top-level window of the class, with the layout's caption and client size
// at `dpi`, centred on the work area; `self` reaches its window procedure
// with WM_NCCREATE.
THandle CreateCentredWindow(const wchar_t* className, const app::TWindowLayout& layout, unsigned long style,
                            unsigned long exStyle, unsigned dpi, THandle owner, void* self);

}  // namespace win32
