#pragma once

#include <string_view>

#include "app/JpegPicture.h"

// The system's JPEG decoder: libjpeg on POSIX systems (JpegDecoder.cpp), the
// Windows Imaging Component on Windows (JpegDecoderWin32.cpp). Internal to
// JpegPicture.cpp.
namespace app {

// Reads the picture's header (headerOnly: only its size) or decodes it to
// 8-bit RGB. With a box, the picture comes at the smallest scale M/8
// (M = 1 … 8) at which it still covers boxWidth × boxHeight pixels. False
// when the bytes are no readable JPEG picture.
bool DecodeJpegInto(std::string_view bytes, TRgbImage& image, bool headerOnly, int boxWidth = 0, int boxHeight = 0);

}  // namespace app
