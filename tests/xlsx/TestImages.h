#pragma once

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// Small valid pictures made on the spot, so the checks need no files.
namespace xlsxtest {

// A baseline JPEG that keeps only each 8 × 8 block's mean colour (every AC
// coefficient zero), written here so that the tests make the same picture
// bytes on every platform without an image library. Row y of the picture is
// (red, green + x, blue) for x = 0 … width - 1.
inline std::string MakeJpeg(int width, int height, unsigned char red, unsigned char green, unsigned char blue) {
  std::string out;
  auto be16 = [&](int v) {
    out += static_cast<char>((v >> 8) & 0xFF);
    out += static_cast<char>(v & 0xFF);
  };
  auto segment = [&](int marker, const std::string& body) {
    be16(marker);
    be16(static_cast<int>(body.size()) + 2);
    out += body;
  };
  be16(0xFFD8);
  segment(0xFFE0, std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14));
  segment(0xFFDB, std::string(1, '\0') + std::string(64, '\1'));  // table 0: every step 1
  std::string frame = "\x08";
  for (int v : {height, width}) frame += std::string{static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
  frame += '\3';
  for (char id : {'\1', '\2', '\3'}) frame += std::string{id, '\x11', '\0'};
  segment(0xFFC0, frame);
  // DC: the standard luminance table (categories 0 … 11); AC: the end of block alone.
  const unsigned char dcBits[16] = {0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0};
  std::string tables(1, '\0');  // class 0 (DC), table 0
  tables.append(reinterpret_cast<const char*>(dcBits), 16);
  for (char v = 0; v < 12; ++v) tables += v;
  tables += std::string("\x10\x01", 2) + std::string(15, '\0') + std::string(1, '\0');  // class 1 (AC), table 0
  segment(0xFFC4, tables);
  segment(0xFFDA, std::string("\3\1\0\2\0\3\0\0\x3F\0", 10));

  // Canonical codes of the DC table: code lengths 2 (category 0), 3 (1 … 5), 4, 5, … 9.
  int dcCode[12], dcLength[12];
  for (int length = 1, code = 0, symbol = 0; length <= 16; ++length, code <<= 1) {
    for (int n = 0; n < dcBits[length - 1]; ++n, ++code, ++symbol) {
      dcCode[symbol] = code;
      dcLength[symbol] = length;
    }
  }
  std::uint32_t bitBuffer = 0;
  int bitCount = 0;
  auto put = [&](std::uint32_t bits, int count) {
    for (int i = count - 1; i >= 0; --i) {
      bitBuffer = bitBuffer << 1 | ((bits >> i) & 1);
      if (++bitCount == 8) {
        out += static_cast<char>(bitBuffer);
        if ((bitBuffer & 0xFF) == 0xFF) out += '\0';  // byte stuffing
        bitBuffer = 0;
        bitCount = 0;
      }
    }
  };
  auto sample = [&](int x, int component) {
    const double r = red, g = static_cast<unsigned char>(green + x), b = blue;
    if (component == 0) return 0.299 * r + 0.587 * g + 0.114 * b;
    if (component == 1) return -0.168736 * r - 0.331264 * g + 0.5 * b + 128;
    return 0.5 * r - 0.418688 * g - 0.081312 * b + 128;
  };
  int previous[3] = {0, 0, 0};
  for (int by = 0; by < (height + 7) / 8; ++by) {
    for (int bx = 0; bx < (width + 7) / 8; ++bx) {
      for (int c = 0; c < 3; ++c) {
        double sum = 0;  // rows are alike; columns past the edge repeat the last one
        for (int x = 0; x < 8; ++x) sum += sample(std::min(bx * 8 + x, width - 1), c) - 128;
        const int dc = static_cast<int>(std::lround(sum));  // 8 × mean = sum over 64 / 8
        const int diff = dc - previous[c];
        previous[c] = dc;
        int category = 0;
        for (int magnitude = diff < 0 ? -diff : diff; magnitude > 0; magnitude >>= 1) ++category;
        put(static_cast<std::uint32_t>(dcCode[category]), dcLength[category]);
        if (category > 0) put(static_cast<std::uint32_t>(diff < 0 ? diff + (1 << category) - 1 : diff), category);
        put(0, 1);  // end of block
      }
    }
  }
  if (bitCount > 0) put(0x7F, 8 - bitCount);  // pad with one bits
  be16(0xFFD9);
  return out;
}

inline void PngChunk(std::string& out, const char* type, const std::string& data) {
  auto be32 = [&](std::uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out += static_cast<char>((v >> s) & 0xFF);
  };
  be32(static_cast<std::uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  out += body;
  be32(static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

inline std::string MakePng(int width, int height) {
  std::string out("\x89PNG\r\n\x1a\n", 8);
  std::string ihdr;
  for (std::uint32_t v : {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)})
    for (int s = 24; s >= 0; s -= 8) ihdr += static_cast<char>((v >> s) & 0xFF);
  ihdr += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB
  PngChunk(out, "IHDR", ihdr);
  std::string raw;
  for (int y = 0; y < height; ++y) {
    raw += '\0';
    for (int x = 0; x < width; ++x) raw += std::string{static_cast<char>(x * 8), static_cast<char>(y * 8), '\x60'};
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(size, '\0');
  compress(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()));
  packed.resize(size);
  PngChunk(out, "IDAT", packed);
  PngChunk(out, "IEND", "");
  return out;
}

}  // namespace xlsxtest
