#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/FileSystem.h"

namespace app {

struct TJpegSize {
  int Width = 0;
  int Height = 0;
};

// The pixel size from a JPEG file's header; nothing when the bytes are not a
// readable JPEG image.
std::optional<TJpegSize> ReadJpegSize(std::string_view bytes);

// The pixel size from the JPEG frame header (SOFn), found by walking the
// marker segments without decoding anything; `head` may be just the start of
// the file. Nothing when the bytes are no JPEG or end before the frame header.
std::optional<TJpegSize> JpegFrameSize(std::string_view head);

// Whether the end of a JPEG file holds its end-of-image marker (FF D9): a
// file cut short (a copy broken off, a download not finished) lacks it. In
// the compressed data an FF byte is never followed by D9, so bytes after the
// marker (padding some cameras add) do not hide it.
bool JpegTailIsComplete(std::string_view tail);
inline constexpr std::size_t kJpegTailBytes = 1024;

// How a picture file's size is read: from its frame header alone, or by the
// decoder reading all of its header (which also checks the tables).
enum class TJpegCheck { jcFrameHeader, jcDecoderHeader };

// The size of a picture file, read from its first bytes; only a file whose
// first bytes do not hold the header (a camera's large preview before it) is
// read whole. Nothing when it is no readable JPEG; EInOutError when the file
// cannot be read.
std::optional<TJpegSize> ReadJpegFileSize(const TFileSystem& fs, const std::string& path, TJpegCheck check);

// A decoded picture: 8-bit RGB, rows top to bottom.
struct TRgbImage {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Pixels;  // Width * Height * 3 bytes
};

// The whole picture decoded; nothing when the bytes do not decode.
std::optional<TRgbImage> DecodeJpeg(std::string_view bytes);

// Decoded at the smallest of libjpeg's scales (1/8 … 8/8) that still covers a
// box of boxWidth × boxHeight pixels, for a picture shown stretched to the box;
// a picture smaller than the box comes at full size.
std::optional<TRgbImage> DecodeJpegToCover(std::string_view bytes, int boxWidth, int boxHeight);

}  // namespace app
