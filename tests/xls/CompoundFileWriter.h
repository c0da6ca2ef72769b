#pragma once

// Test-only writer of small compound files, so that tests build exactly the
// structure they need (short or regular sectors, extension sectors of the
// master table, a directory whose sectors are not consecutive) instead of
// committing binary files.

#include <cstdint>
#include <string>
#include <vector>

namespace xls::test {

struct TTestStream {
  std::string fName;  // ASCII
  std::string fData;
};

struct TCompoundOptions {
  std::uint32_t fShortMaxSize = 4096;
  // Puts a filler sector between the directory's sectors and the streams' entries in its last sector.
  bool fScatterDirectory = false;
  // 9: 512-byte sectors (version 3); 12: 4096-byte sectors (version 4).
  std::uint16_t fSectorShift = 9;
};

inline void PutU16(std::string& s, std::size_t at, std::uint32_t v) {
  s[at] = static_cast<char>(v & 0xFF);
  s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
inline void PutU32(std::string& s, std::size_t at, std::uint32_t v) {
  PutU16(s, at, v & 0xFFFF);
  PutU16(s, at + 2, v >> 16);
}

inline std::string BuildCompoundFile(const std::vector<TTestStream>& streams, const TCompoundOptions& options = {}) {
  constexpr std::uint32_t kShort = 64, kEnd = 0xFFFFFFFE, kFree = 0xFFFFFFFF;
  const std::uint32_t kSector = 1u << options.fSectorShift;
  const std::uint32_t kPerSector = kSector / 4, kDirPerSector = kSector / 128;
  std::vector<std::string> sectors;       // regular sectors, in file order
  std::vector<std::uint32_t> sat;          // next pointer per sector
  auto addChain = [&](const std::string& data) -> std::uint32_t {
    if (data.empty()) return kEnd;
    std::uint32_t first = static_cast<std::uint32_t>(sectors.size());
    for (std::size_t pos = 0; pos < data.size(); pos += kSector) {
      std::string sector = data.substr(pos, kSector);
      sector.resize(kSector, '\0');
      sectors.push_back(sector);
      sat.push_back(pos + kSector < data.size() ? static_cast<std::uint32_t>(sectors.size()) : kEnd);
    }
    return first;
  };

  // Small streams go into the short-sector container of the root entry.
  std::string container;
  std::vector<std::uint32_t> shortSat;
  std::vector<std::uint32_t> starts(streams.size(), kEnd);
  for (std::size_t i = 0; i < streams.size(); ++i) {
    const std::string& data = streams[i].fData;
    if (data.size() >= options.fShortMaxSize || data.empty()) continue;
    std::uint32_t first = static_cast<std::uint32_t>(shortSat.size());
    for (std::size_t pos = 0; pos < data.size(); pos += kShort) {
      std::string chunk = data.substr(pos, kShort);
      chunk.resize(kShort, '\0');
      container += chunk;
      shortSat.push_back(pos + kShort < data.size() ? static_cast<std::uint32_t>(shortSat.size() + 1) : kEnd);
    }
    starts[i] = first;
  }
  for (std::size_t i = 0; i < streams.size(); ++i)
    if (streams[i].fData.size() >= options.fShortMaxSize) starts[i] = addChain(streams[i].fData);
  std::uint32_t containerStart = addChain(container);
  std::string shortSatBytes(shortSat.size() * 4, '\0');
  for (std::size_t i = 0; i < shortSat.size(); ++i) PutU32(shortSatBytes, 4 * i, shortSat[i]);
  std::uint32_t shortSatStart = addChain(shortSatBytes);
  std::uint32_t shortSatSectors = static_cast<std::uint32_t>((shortSatBytes.size() + kSector - 1) / kSector);

  // Directory: root, then the streams; padded with unused entries to whole sectors.
  std::vector<std::string> entries;
  auto entry = [&](const std::string& name, std::uint8_t type, std::uint32_t start, std::uint32_t size,
                   std::uint32_t right, std::uint32_t child) {
    std::string e(128, '\0');
    for (std::size_t k = 0; k < name.size() && k < 31; ++k) e[2 * k] = name[k];
    PutU16(e, 64, static_cast<std::uint32_t>(2 * (std::min<std::size_t>(name.size(), 31) + 1)));
    e[66] = static_cast<char>(type);
    e[67] = 1;  // black
    PutU32(e, 68, kFree);
    PutU32(e, 72, right);
    PutU32(e, 76, child);
    PutU32(e, 116, start);
    PutU32(e, 120, size);
    return e;
  };
  std::vector<std::string> streamEntries;
  for (std::size_t i = 0; i < streams.size(); ++i) {
    std::uint32_t right = i + 1 < streams.size() ? static_cast<std::uint32_t>(i + 2) : kFree;
    streamEntries.push_back(
        entry(streams[i].fName, 2, starts[i], static_cast<std::uint32_t>(streams[i].fData.size()), right, kFree));
  }
  entries.push_back(entry("Root Entry", 5, containerStart, static_cast<std::uint32_t>(container.size()), kFree,
                          streams.empty() ? kFree : 1));
  if (options.fScatterDirectory) {
    // Unused entries fill the first directory sector; the streams live in the second.
    std::vector<std::string> moved;
    while (entries.size() < kDirPerSector) entries.push_back(std::string(128, '\0'));
    // Entry indexes shift; fix the root's child and the sibling chain.
    for (std::size_t i = 0; i < streamEntries.size(); ++i) {
      std::string e = streamEntries[i];
      PutU32(e, 72, i + 1 < streamEntries.size() ? static_cast<std::uint32_t>(kDirPerSector + i + 1) : kFree);
      entries.push_back(e);
    }
    PutU32(entries[0], 76, streams.empty() ? kFree : kDirPerSector);
  } else {
    for (auto& e : streamEntries) entries.push_back(e);
  }
  while (entries.size() % kDirPerSector) entries.push_back(std::string(128, '\0'));
  std::uint32_t dirStart = static_cast<std::uint32_t>(sectors.size());
  std::uint32_t previous = kEnd;
  for (std::size_t i = 0; i < entries.size(); i += kDirPerSector) {
    if (options.fScatterDirectory && i > 0) {  // a filler sector between directory sectors
      sectors.push_back(std::string(kSector, 'F'));
      sat.push_back(kEnd);
    }
    std::uint32_t index = static_cast<std::uint32_t>(sectors.size());
    std::string sector;
    for (std::size_t k = 0; k < kDirPerSector; ++k) sector += entries[i + k];
    sectors.push_back(sector);
    sat.push_back(kEnd);
    if (previous != kEnd) sat[previous] = index;
    if (i == 0) dirStart = index;
    previous = index;
  }

  // Allocation table sectors, and master-table extension sectors past 109 of them.
  std::uint32_t data = static_cast<std::uint32_t>(sectors.size());
  std::uint32_t satCount = 1, msatCount = 0;
  for (;;) {
    msatCount = satCount > 109 ? (satCount - 109 + kPerSector - 2) / (kPerSector - 1) : 0;
    if (satCount * kPerSector >= data + satCount + msatCount) break;
    ++satCount;
  }
  std::uint32_t satStart = data, msatStart = data + satCount;
  sat.resize(static_cast<std::size_t>(satCount) * kPerSector, kFree);
  for (std::uint32_t i = 0; i < satCount; ++i) sat[satStart + i] = 0xFFFFFFFD;
  for (std::uint32_t i = 0; i < msatCount; ++i) sat[msatStart + i] = 0xFFFFFFFC;

  std::string header(512, '\0');
  const unsigned char sig[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  for (int i = 0; i < 8; ++i) header[i] = static_cast<char>(sig[i]);
  PutU16(header, 24, 0x3E);
  PutU16(header, 26, options.fSectorShift == 12 ? 4 : 3);
  PutU16(header, 28, 0xFFFE);
  PutU16(header, 30, options.fSectorShift);
  PutU16(header, 32, 6);
  if (options.fSectorShift == 12)  // directory sector count: version 4 only
    PutU32(header, 40, static_cast<std::uint32_t>(entries.size() / kDirPerSector));
  PutU32(header, 44, satCount);
  PutU32(header, 48, dirStart);
  PutU32(header, 56, options.fShortMaxSize);
  PutU32(header, 60, shortSat.empty() ? kEnd : shortSatStart);
  PutU32(header, 64, shortSat.empty() ? 0 : shortSatSectors);
  PutU32(header, 68, msatCount ? msatStart : kEnd);
  PutU32(header, 72, msatCount);
  for (std::uint32_t i = 0; i < 109; ++i) PutU32(header, 76 + 4 * i, i < satCount ? satStart + i : kFree);

  std::string file = header;
  file.resize(kSector, '\0');  // the header fills a whole sector
  for (const auto& s : sectors) file += s;
  for (std::uint32_t i = 0; i < satCount; ++i) {
    std::string s(kSector, '\0');
    for (std::uint32_t k = 0; k < kPerSector; ++k) PutU32(s, 4 * k, sat[i * kPerSector + k]);
    file += s;
  }
  std::uint32_t listed = 109;
  for (std::uint32_t i = 0; i < msatCount; ++i) {
    std::string s(kSector, '\0');
    for (std::uint32_t k = 0; k + 1 < kPerSector; ++k) PutU32(s, 4 * k, listed < satCount ? satStart + listed++ : kFree);
    PutU32(s, kSector - 4, i + 1 < msatCount ? msatStart + i + 1 : kEnd);
    file += s;
  }
  return file;
}

}  // namespace xls::test
