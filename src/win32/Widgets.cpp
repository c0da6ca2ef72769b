#include "win32/Widgets.h"

#include <windows.h>

#include "app/WindowLayout.h"
#include "text/Utf16.h"

namespace win32 {

std::wstring Wide(std::string_view utf8) {
  const std::u16string units = text::ToUtf16(utf8);
  return std::wstring(units.begin(), units.end());
}

std::string Utf8(std::wstring_view wide) {
  return text::ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

std::string WindowText(THandle window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, buffer.data(), length + 1);
  buffer.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return Utf8(buffer);
}

void SetWindowTextIfChanged(THandle window, std::string_view utf8) {
  if (WindowText(window) != utf8) SetWindowTextW(window, Wide(utf8).c_str());
}

int Scaled(int pixels, unsigned dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

HFONT CreateTahoma(int points, unsigned dpi) {
  return CreateFontW(-MulDiv(points, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, L"Tahoma");
}

void TextExtent(THandle window, std::string_view utf8, int& width, int& height) {
  const std::wstring text = Wide(utf8);
  HDC context = GetDC(window);
  const HGDIOBJ previous = SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
  SIZE extent{};
  // "Hg" gives the line height for an empty text.
  const std::wstring measured = text.empty() ? std::wstring(L"Hg") : text;
  GetTextExtentPoint32W(context, measured.c_str(), static_cast<int>(measured.size()), &extent);
  SelectObject(context, previous);
  ReleaseDC(window, context);
  width = text.empty() ? 0 : extent.cx;
  height = extent.cy;
}

void* ModuleHandle() { return GetModuleHandleW(nullptr); }

THandle CreateCentredWindow(const wchar_t* className, const app::TWindowLayout& layout, unsigned long style,
                            unsigned long exStyle, unsigned dpi, THandle owner, void* self) {
  RECT frame{0, 0, Scaled(layout.ClientWidth, dpi), Scaled(layout.ClientHeight, dpi)};
  AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, dpi);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return CreateWindowExW(exStyle, className, Wide(layout.Caption).c_str(), style,
                         area.left + (area.right - area.left - width) / 2,
                         area.top + (area.bottom - area.top - height) / 2, width, height, owner, nullptr,
                         static_cast<HINSTANCE>(ModuleHandle()), self);
}

}  // namespace win32
