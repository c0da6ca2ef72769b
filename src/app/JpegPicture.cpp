#include "app/JpegPicture.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace app {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return:
// jump back to the caller's set-up point. The functions below keep only
// plain data in the frames the jump crosses.
struct TJpegError {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
};

void ErrorExit(j_common_ptr info) {
  auto* error = reinterpret_cast<TJpegError*>(info->err);
  std::longjmp(error->Jump, 1);
}

void SilentMessage(j_common_ptr) {}

bool ReadHeader(jpeg_decompress_struct& info, TJpegError& error, std::string_view bytes) {
  info.err = jpeg_std_error(&error.Manager);
  error.Manager.error_exit = ErrorExit;
  error.Manager.output_message = SilentMessage;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  return jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK;
}

// The smallest of libjpeg's scales M/8 at which the picture still covers
// the box: decoding at 1/8 of a 12-megapixel photo skips most of the work.
void ScaleToCover(jpeg_decompress_struct& info, int boxWidth, int boxHeight) {
  if (boxWidth <= 0 || boxHeight <= 0) return;
  info.scale_denom = 8;
  for (unsigned m = 1; m <= 8; ++m) {
    info.scale_num = m;
    jpeg_calc_output_dimensions(&info);
    if (static_cast<int>(info.output_width) >= boxWidth && static_cast<int>(info.output_height) >= boxHeight) return;
  }
}

bool DecodeInto(std::string_view bytes, TRgbImage& image, bool headerOnly, int boxWidth = 0, int boxHeight = 0) {
  if (bytes.empty()) return false;
  jpeg_decompress_struct info{};
  TJpegError error{};
  if (setjmp(error.Jump) != 0) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  if (!ReadHeader(info, error, bytes)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  image.Width = static_cast<int>(info.image_width);
  image.Height = static_cast<int>(info.image_height);
  if (!headerOnly) {
    info.out_color_space = JCS_RGB;
    ScaleToCover(info, boxWidth, boxHeight);
    jpeg_start_decompress(&info);
    const std::size_t stride = static_cast<std::size_t>(info.output_width) * 3;
    image.Width = static_cast<int>(info.output_width);
    image.Height = static_cast<int>(info.output_height);
    image.Pixels.resize(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
      JSAMPROW row = image.Pixels.data() + stride * info.output_scanline;
      jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
  }
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

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

std::optional<TJpegSize> ReadJpegSize(std::string_view bytes) {
  TRgbImage image;
  if (!DecodeInto(bytes, image, true)) return std::nullopt;
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
  if (!DecodeInto(bytes, image, false)) return std::nullopt;
  return image;
}

std::optional<TRgbImage> DecodeJpegToCover(std::string_view bytes, int boxWidth, int boxHeight) {
  TRgbImage image;
  if (!DecodeInto(bytes, image, false, boxWidth, boxHeight)) return std::nullopt;
  return image;
}

}  // namespace app
