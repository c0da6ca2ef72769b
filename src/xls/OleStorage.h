#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "xls/XLSErrors.h"

// Reader of compound files (the sector-based container in which Excel 97-2003
// keeps its "Workbook" stream). Nothing in the file is trusted: every sector
// number, chain and count is checked against the file, so a broken file ends
// in EOleStorageException or EStreamReadError, never in a crash or a hang.
namespace xls {

struct TOleStorageHeader {
  std::array<std::uint8_t, 8> Identifier{};
  std::uint16_t Revision = 0;
  std::uint16_t Version = 0;
  std::uint16_t ByteOrder = 0;
  std::uint16_t SectorShift = 0;
  std::uint16_t ShortSectorShift = 0;
  std::uint32_t SATSectorCount = 0;
  std::uint32_t DirStart = 0;
  std::uint32_t ShortSectorMaxSize = 0;
  std::uint32_t ShortSATStart = 0;
  std::uint32_t ShortSATSectorCount = 0;
  std::uint32_t MSATStart = 0;
  std::uint32_t MSATSectorCount = 0;
  std::array<std::uint32_t, 109> MSATTable{};
};

// One entry of the directory as this reader uses it.
struct TOleDirEntry {
  std::string fName;  // UTF-8
  std::uint8_t fType = 0;  // 1 storage, 2 stream, 5 root
  std::uint32_t fStartSector = 0;
  std::uint32_t fSize = 0;
};

// Whether the bytes start with the compound-file signature (D0 CF 11 E0 A1 B1 1A E1).
bool HasCompoundFileSignature(std::string_view head);

class TOleStorage {
 public:
  static constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
  static constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
  static constexpr std::size_t kHeaderSize = 512;

  // Reads and checks the header and builds the sector allocation table.
  // `data` holds the whole compound file and must outlive this object.
  void OpenStreamForReading(std::string_view data);

  // Appends the bytes of the stream `aName` (exact, case-sensitive) to
  // `aToStream`; false (and `aToStream` unchanged) when there is no such stream.
  bool LoadStream(std::string& aToStream, std::string_view aName);
  bool ContainsNamedStream(std::string_view aName);
  // The directory as scanned (entries in file order), for diagnostics and tests.
  const std::vector<TOleDirEntry>& Directory();

  static bool LoadFromStream(std::string_view data, std::string& aToStream, std::string_view aName);
  static bool LoadFromFile(const std::filesystem::path& aFileName, std::string& aToStream, std::string_view aName);

  const TOleStorageHeader& Header() const { return fHeader; }

 private:
  [[noreturn]] static void Corrupt();
  std::string_view SectorBytes(std::uint32_t sector, std::size_t length) const;
  // Copies `size` bytes of the regular-sector chain starting at `start`; stops early when the chain ends.
  void CopyChain(std::string& to, std::uint32_t start, std::uint32_t size) const;
  void CopyShortChain(std::string& to, std::uint32_t start, std::uint32_t size);
  void BuildShortSectorTables();
  void ScanDirectory();
  const TOleDirEntry* Find(std::string_view name);

  std::string_view fData;
  TOleStorageHeader fHeader;
  std::uint32_t fSectorSize = 0;
  std::uint32_t fShortSectorSize = 0;
  std::uint32_t fSectorCount = 0;  // sectors that start inside the file
  std::vector<std::uint32_t> fSAT;
  std::vector<std::uint32_t> fShortSAT;
  std::string fShortContainer;
  bool fShortTablesBuilt = false;
  std::vector<TOleDirEntry> fDirectory;
  bool fDirectoryScanned = false;
};

}  // namespace xls
