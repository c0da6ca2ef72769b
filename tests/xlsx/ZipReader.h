#pragma once

#include <zlib.h>

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "xlsx/TestSupport.h"

// A minimal reader of the archives the tests write: the central directory,
// then each entry's data (stored or raw deflate), checked against its CRC.
namespace xlsxtest {

struct TZipEntry {
  std::string fName;
  std::uint16_t fMethod = 0;
  std::uint16_t fFlag = 0;
  std::uint32_t fCrc = 0;
  std::string fData;
};

inline std::string Inflate(const std::string& raw, std::size_t size) {
  std::string out(size, '\0');
  z_stream z{};
  inflateInit2(&z, -15);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.data()));
  z.avail_in = static_cast<uInt>(raw.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  const int rc = inflate(&z, Z_FINISH);
  inflateEnd(&z);
  if (rc != Z_STREAM_END) throw std::runtime_error("inflate failed");
  return out;
}

inline std::vector<TZipEntry> ReadZip(const std::string& z) {
  std::size_t eocd = z.rfind(std::string("PK\x05\x06", 4));
  if (eocd == std::string::npos) throw std::runtime_error("no end record");
  const std::uint16_t count = LE16(z, eocd + 10);
  std::size_t pos = LE32(z, eocd + 16);
  std::vector<TZipEntry> entries;
  for (int i = 0; i < count; ++i) {
    if (LE32(z, pos) != 0x02014b50) throw std::runtime_error("bad central header");
    TZipEntry e;
    e.fFlag = LE16(z, pos + 8);
    e.fMethod = LE16(z, pos + 10);
    e.fCrc = LE32(z, pos + 16);
    const std::uint32_t csize = LE32(z, pos + 20), usize = LE32(z, pos + 24);
    const std::uint16_t nlen = LE16(z, pos + 28), xlen = LE16(z, pos + 30), clen = LE16(z, pos + 32);
    const std::uint32_t local = LE32(z, pos + 42);
    e.fName = z.substr(pos + 46, nlen);
    const std::size_t data = local + 30 + LE16(z, local + 26) + LE16(z, local + 28);
    const std::string raw = z.substr(data, csize);
    e.fData = e.fMethod == 0 ? raw : Inflate(raw, usize);
    if (crc32(0, reinterpret_cast<const Bytef*>(e.fData.data()), static_cast<uInt>(e.fData.size())) != e.fCrc)
      throw std::runtime_error("CRC mismatch in " + e.fName);
    entries.push_back(std::move(e));
    pos += 46 + nlen + xlen + clen;
  }
  return entries;
}

inline std::map<std::string, std::string> ReadZipMap(const std::string& z) {
  std::map<std::string, std::string> m;
  for (auto& e : ReadZip(z)) m[e.fName] = std::move(e.fData);
  return m;
}

}  // namespace xlsxtest
