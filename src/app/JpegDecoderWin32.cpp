// JPEG decoding with the Windows Imaging Component.
#include "app/JpegDecoder.h"

#include <windows.h>
#include <wincodec.h>

#include <utility>

namespace app {

namespace {

// Owns one reference to a COM object.
template <class T>
class TComPtr {
 public:
  TComPtr() = default;
  ~TComPtr() {
    if (fObject) fObject->Release();
  }
  TComPtr(const TComPtr&) = delete;
  TComPtr& operator=(const TComPtr&) = delete;
  T* operator->() const { return fObject; }
  T* Get() const { return fObject; }
  T** Out() { return &fObject; }

 private:
  T* fObject = nullptr;
};

// COM for the calling thread while a picture is decoded. A thread that
// already has COM in another apartment (a window's thread) keeps it.
class TComScope {
 public:
  TComScope() : fResult(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  ~TComScope() {
    if (SUCCEEDED(fResult)) CoUninitialize();
  }
  TComScope(const TComScope&) = delete;
  TComScope& operator=(const TComScope&) = delete;
  bool Usable() const { return SUCCEEDED(fResult) || fResult == RPC_E_CHANGED_MODE; }

 private:
  HRESULT fResult;
};

// The size at libjpeg's smallest scale M/8 that still covers the box, so
// the picture shown is the same on every system.
std::pair<UINT, UINT> CoverSize(UINT width, UINT height, int boxWidth, int boxHeight) {
  if (boxWidth <= 0 || boxHeight <= 0) return {width, height};
  for (UINT m = 1; m <= 8; ++m) {
    const UINT w = (width * m + 7) / 8;
    const UINT h = (height * m + 7) / 8;
    if (static_cast<int>(w) >= boxWidth && static_cast<int>(h) >= boxHeight) return {w, h};
  }
  return {width, height};
}

// One imaging factory for the process, made on first use: making one costs
// more than decoding a small picture. It is free-threaded and never released
// (released after the last CoUninitialize, it would crash the exit).
IWICImagingFactory* Factory() {
  static IWICImagingFactory* const factory = [] {
    IWICImagingFactory* made = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&made)))) {
      return static_cast<IWICImagingFactory*>(nullptr);
    }
    return made;
  }();
  return factory;
}

bool CopyRgb(IWICImagingFactory* factory, IWICBitmapSource* source, UINT width, UINT height, TRgbImage& image) {
  TComPtr<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(converter.Out())) ||
      FAILED(converter->Initialize(source, GUID_WICPixelFormat24bppRGB, WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom))) {
    return false;
  }
  const UINT stride = width * 3;
  image.Width = static_cast<int>(width);
  image.Height = static_cast<int>(height);
  image.Pixels.resize(static_cast<std::size_t>(stride) * height);
  return SUCCEEDED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(image.Pixels.size()),
                                         image.Pixels.data()));
}

}  // namespace

bool DecodeJpegInto(std::string_view bytes, TRgbImage& image, bool headerOnly, int boxWidth, int boxHeight) {
  if (bytes.empty() || bytes.size() > 0xFFFFFFFFu) return false;
  const TComScope com;
  if (!com.Usable()) return false;
  IWICImagingFactory* factory = Factory();
  if (!factory) return false;
  TComPtr<IWICStream> stream;
  TComPtr<IWICBitmapDecoder> decoder;
  TComPtr<IWICBitmapFrameDecode> frame;
  // The JPEG decoder itself, not one chosen by the bytes: a PNG is no JPEG here either.
  if (FAILED(factory->CreateStream(stream.Out())) ||
      FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                          static_cast<DWORD>(bytes.size()))) ||
      FAILED(factory->CreateDecoder(GUID_ContainerFormatJpeg, nullptr, decoder.Out())) ||
      FAILED(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand)) ||
      FAILED(decoder->GetFrame(0, frame.Out()))) {
    return false;
  }
  UINT width = 0;
  UINT height = 0;
  if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0) return false;
  image.Width = static_cast<int>(width);
  image.Height = static_cast<int>(height);
  if (headerOnly) return true;
  const auto [coverWidth, coverHeight] = CoverSize(width, height, boxWidth, boxHeight);
  if (coverWidth == width && coverHeight == height) return CopyRgb(factory, frame.Get(), width, height, image);
  TComPtr<IWICBitmapScaler> scaler;
  if (FAILED(factory->CreateBitmapScaler(scaler.Out())) ||
      FAILED(scaler->Initialize(frame.Get(), coverWidth, coverHeight, WICBitmapInterpolationModeFant))) {
    return false;
  }
  return CopyRgb(factory, scaler.Get(), coverWidth, coverHeight, image);
}

}  // namespace app
