#pragma once

#include <jpeglib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <vector>

// Pictures the benchmarks write for themselves.
namespace bench {

// A photo-like JPEG of a catalogue picture's size: smooth shading under fine
// texture, so it compresses like a real photo.
inline void WritePhotoJpeg(const std::filesystem::path& path, int seed, int width, int height, int quality = 85) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) throw std::runtime_error("cannot create " + path.string());
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> line(static_cast<std::size_t>(width) * 3);
  std::uint32_t noise = 2463534242u + static_cast<std::uint32_t>(seed) * 7919u;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      noise ^= noise << 13, noise ^= noise >> 17, noise ^= noise << 5;
      const int grain = static_cast<int>(noise % 48);
      const int base = (x * 160 / width + y * 80 / height + seed * 23) % 200;
      line[3 * x] = static_cast<JSAMPLE>(std::min(255, base + grain));
      line[3 * x + 1] = static_cast<JSAMPLE>(std::min(255, base * 3 / 4 + grain));
      line[3 * x + 2] = static_cast<JSAMPLE>(std::min(255, base / 2 + grain));
    }
    JSAMPROW row = line.data();
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(file);
}

}  // namespace bench
