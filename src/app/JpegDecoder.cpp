// JPEG decoding with libjpeg (POSIX systems).
#include "app/JpegDecoder.h"

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

}  // namespace

bool DecodeJpegInto(std::string_view bytes, TRgbImage& image, bool headerOnly, int boxWidth, int boxHeight) {
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

}  // namespace app
