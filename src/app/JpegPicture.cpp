#include "app/JpegPicture.h"

#include "app/JpegDecoder.h"

namespace app {

std::optional<TJpegSize> JpegFrameSize(std::string_view head) {
  auto byte = [&head](std::size_t i) { return static_cast<unsigned char>(head[i]); };
  if (head.size() < 4 || byte(0) != 0xFF || byte(1) != 0xD8) return std::nullopt;
  std::size_t pos = 2;
  while (pos + 4 <= head.size()) {
    if (byte(pos) != 0xFF) return std::nullopt;
    const unsigned char marker = byte(pos + 1);
    if (marker == 0xFF) {  // fill byte
      ++pos;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // markers without a length
      pos += 2;
      continue;
    }
    const std::size_t length = static_cast<std::size_t>(byte(pos + 2)) << 8 | byte(pos + 3);
    if (length < 2) return std::nullopt;
    // SOF0 … SOF15, but not DHT (C4), JPG (C8) or DAC (CC).
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (pos + 9 > head.size() || length < 7) return std::nullopt;
      const int height = byte(pos + 5) << 8 | byte(pos + 6);
      const int width = byte(pos + 7) << 8 | byte(pos + 8);
      if (width == 0 || height == 0) return std::nullopt;
      return TJpegSize{width, height};
    }
    if (marker == 0xD9 || marker == 0xDA) return std::nullopt;  // end of image or scan before any frame
    pos += 2 + length;
  }
  return std::nullopt;
}

bool JpegTailIsComplete(std::string_view tail) { return tail.find("\xFF\xD9") != std::string_view::npos; }

std::optional<TJpegSize> ReadJpegSize(std::string_view bytes) {
  TRgbImage image;
  if (!DecodeJpegInto(bytes, image, true)) return std::nullopt;
  return TJpegSize{image.Width, image.Height};
}

std::optional<TJpegSize> ReadJpegFileSize(const TFileSystem& fs, const std::string& path, TJpegCheck check) {
  // Enough to hold the header behind the usual metadata.
  constexpr std::size_t kHeadBytes = 256 * 1024;
  auto parse = [check](std::string_view bytes) {
    return check == TJpegCheck::jcFrameHeader ? JpegFrameSize(bytes) : ReadJpegSize(bytes);
  };
  const std::string head = fs.ReadFileHead(path, kHeadBytes);
  std::optional<TJpegSize> size = parse(head);
  if (!size && head.size() == kHeadBytes) size = parse(fs.ReadFile(path));
  return size;
}

std::optional<TRgbImage> DecodeJpeg(std::string_view bytes) {
  TRgbImage image;
  if (!DecodeJpegInto(bytes, image, false)) return std::nullopt;
  return image;
}

std::optional<TRgbImage> DecodeJpegToCover(std::string_view bytes, int boxWidth, int boxHeight) {
  TRgbImage image;
  if (!DecodeJpegInto(bytes, image, false, boxWidth, boxHeight)) return std::nullopt;
  return image;
}

}  // namespace app
