#include "xls/OleStorage.h"

#include <algorithm>
#include <fstream>

#include "text/StreamBytes.h"
#include "text/Utf8.h"

namespace xls {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature{0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

std::uint16_t U16(const char* p) {
  auto b = reinterpret_cast<const std::uint8_t*>(p);
  return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t U32(const char* p) {
  auto b = reinterpret_cast<const std::uint8_t*>(p);
  return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

}  // namespace

bool HasCompoundFileSignature(std::string_view head) {
  return head.size() >= kSignature.size() &&
         std::equal(kSignature.begin(), kSignature.end(), reinterpret_cast<const std::uint8_t*>(head.data()));
}

void TOleStorage::Corrupt() { throw EOleStorageException(kMsgNotValidXls); }

void TOleStorage::OpenStreamForReading(std::string_view data) {
  fData = data;
  fHeader = {};
  fSAT.clear();
  fShortSAT.clear();
  fShortContainer.clear();
  fShortTablesBuilt = false;
  fDirectory.clear();
  fDirectoryScanned = false;

  if (data.size() < kHeaderSize || !HasCompoundFileSignature(data)) throw EOleStorageException(kMsgCouldNotOpen);
  const char* h = data.data();
  std::copy(kSignature.begin(), kSignature.end(), fHeader.Identifier.begin());
  fHeader.Revision = U16(h + 24);
  fHeader.Version = U16(h + 26);
  fHeader.ByteOrder = U16(h + 28);
  fHeader.SectorShift = U16(h + 30);
  fHeader.ShortSectorShift = U16(h + 32);
  fHeader.SATSectorCount = U32(h + 44);
  fHeader.DirStart = U32(h + 48);
  fHeader.ShortSectorMaxSize = U32(h + 56);
  fHeader.ShortSATStart = U32(h + 60);
  fHeader.ShortSATSectorCount = U32(h + 64);
  fHeader.MSATStart = U32(h + 68);
  fHeader.MSATSectorCount = U32(h + 72);
  for (std::size_t i = 0; i < fHeader.MSATTable.size(); ++i) fHeader.MSATTable[i] = U32(h + 76 + 4 * i);

  // Real files use 512 or 4096 bytes per sector and 64 per short sector.
  if (fHeader.SectorShift < 7 || fHeader.SectorShift > 16 || fHeader.ShortSectorShift < 2 ||
      fHeader.ShortSectorShift > fHeader.SectorShift)
    Corrupt();
  fSectorSize = 1u << fHeader.SectorShift;
  fShortSectorSize = 1u << fHeader.ShortSectorShift;
  // Sector n starts at (n + 1) * sector size: the header fills sector -1 (512 bytes
  // padded to the sector size in files with 4096-byte sectors).
  fSectorCount = data.size() > fSectorSize
                     ? static_cast<std::uint32_t>(std::min<std::size_t>(
                           (data.size() - fSectorSize + fSectorSize - 1) / fSectorSize, 0xFFFFFFF0u))
                     : 0;

  // Master allocation table: the header's 109 entries, then the extension sectors.
  if (fHeader.SATSectorCount > fSectorCount) Corrupt();
  std::vector<std::uint32_t> msat(fHeader.MSATTable.begin(), fHeader.MSATTable.end());
  const std::uint32_t perSector = fSectorSize / 4;
  std::uint32_t next = fHeader.MSATStart;
  std::vector<bool> seen(fSectorCount, false);
  for (std::uint32_t i = 0; i < fHeader.MSATSectorCount && msat.size() < fHeader.SATSectorCount; ++i) {
    if (next == kEndOfChain || next == kFreeSector) break;
    if (next >= fSectorCount || seen[next]) Corrupt();
    seen[next] = true;
    std::string_view sector = SectorBytes(next, fSectorSize);
    for (std::uint32_t k = 0; k + 1 < perSector; ++k) msat.push_back(U32(sector.data() + 4 * k));
    next = U32(sector.data() + 4 * (perSector - 1));
  }
  if (msat.size() < fHeader.SATSectorCount) Corrupt();

  fSAT.reserve(static_cast<std::size_t>(fHeader.SATSectorCount) * perSector);
  for (std::uint32_t i = 0; i < fHeader.SATSectorCount; ++i) {
    if (msat[i] >= fSectorCount) Corrupt();
    std::string_view sector = SectorBytes(msat[i], fSectorSize);
    for (std::uint32_t k = 0; k < perSector; ++k) fSAT.push_back(U32(sector.data() + 4 * k));
  }
}

std::string_view TOleStorage::SectorBytes(std::uint32_t sector, std::size_t length) const {
  if (sector >= fSectorCount) Corrupt();
  std::size_t offset = (static_cast<std::size_t>(sector) + 1) * fSectorSize;
  if (offset > fData.size() || fData.size() - offset < length) throw EStreamReadError();
  return fData.substr(offset, length);
}

void TOleStorage::CopyChain(std::string& to, std::uint32_t start, std::uint32_t size) const {
  // A chain can never hold more bytes than the file; a larger size is not reserved for.
  to.reserve(to.size() + std::min<std::size_t>(size, fData.size()));
  std::vector<bool> seen(fSectorCount, false);
  std::uint32_t sector = start;
  std::size_t remaining = size;
  while (remaining > 0 && sector != kEndOfChain) {
    if (sector >= fSectorCount || sector >= fSAT.size() || seen[sector]) Corrupt();
    seen[sector] = true;
    std::size_t take = std::min<std::size_t>(remaining, fSectorSize);
    to.append(SectorBytes(sector, take));
    remaining -= take;
    sector = fSAT[sector];
  }
}

void TOleStorage::BuildShortSectorTables() {
  if (fShortTablesBuilt) return;
  ScanDirectory();
  auto root = std::find_if(fDirectory.begin(), fDirectory.end(), [](const TOleDirEntry& e) { return e.fType == 5; });
  if (root == fDirectory.end()) throw EOleStorageException(kMsgCouldNotOpen);

  std::vector<bool> seen(fSectorCount, false);
  std::uint32_t sector = fHeader.ShortSATStart;
  const std::uint32_t perSector = fSectorSize / 4;
  for (std::uint32_t i = 0; i < fHeader.ShortSATSectorCount && sector != kEndOfChain; ++i) {
    if (sector >= fSectorCount || sector >= fSAT.size() || seen[sector]) Corrupt();
    seen[sector] = true;
    std::string_view bytes = SectorBytes(sector, fSectorSize);
    for (std::uint32_t k = 0; k < perSector; ++k) fShortSAT.push_back(U32(bytes.data() + 4 * k));
    sector = fSAT[sector];
  }
  CopyChain(fShortContainer, root->fStartSector, root->fSize);
  fShortTablesBuilt = true;
}

void TOleStorage::CopyShortChain(std::string& to, std::uint32_t start, std::uint32_t size) {
  BuildShortSectorTables();
  to.reserve(to.size() + std::min<std::size_t>(size, fShortContainer.size()));
  const std::size_t shortCount = fShortContainer.size() / fShortSectorSize + 1;
  std::vector<bool> seen(shortCount, false);
  std::uint32_t sector = start;
  std::size_t remaining = size;
  while (remaining > 0 && sector != kEndOfChain) {
    if (sector >= shortCount || sector >= fShortSAT.size() || seen[sector]) Corrupt();
    seen[sector] = true;
    std::size_t offset = static_cast<std::size_t>(sector) * fShortSectorSize;
    std::size_t take = std::min<std::size_t>(remaining, fShortSectorSize);
    if (offset > fShortContainer.size() || fShortContainer.size() - offset < take) throw EStreamReadError();
    to.append(fShortContainer, offset, take);
    remaining -= take;
    sector = fShortSAT[sector];
  }
}

void TOleStorage::ScanDirectory() {
  if (fDirectoryScanned) return;
  fDirectoryScanned = true;
  // The directory is a sector chain like any stream; its sectors need not be consecutive.
  std::vector<bool> seen(fSectorCount, false);
  std::uint32_t sector = fHeader.DirStart;
  while (sector != kEndOfChain) {
    if (sector >= fSectorCount || sector >= fSAT.size() || seen[sector]) Corrupt();
    seen[sector] = true;
    std::size_t offset = (static_cast<std::size_t>(sector) + 1) * fSectorSize;
    std::size_t available = std::min<std::size_t>(fSectorSize, fData.size() - offset);
    for (std::size_t pos = 0; pos + 128 <= available; pos += 128) {
      const char* e = fData.data() + offset + pos;
      std::uint8_t type = static_cast<std::uint8_t>(e[66]);
      std::uint8_t colour = static_cast<std::uint8_t>(e[67]);
      if (type > 5 || colour > 1) return;  // the rest is not a directory
      TOleDirEntry entry;
      std::size_t nameBytes = std::min<std::size_t>(U16(e + 64), 64);
      std::size_t units = nameBytes >= 2 ? nameBytes / 2 - 1 : 0;
      text::AppendUtf16LeAsUtf8(entry.fName, reinterpret_cast<const std::uint8_t*>(e), units);
      entry.fType = type;
      entry.fStartSector = U32(e + 116);
      entry.fSize = U32(e + 120);
      fDirectory.push_back(std::move(entry));
    }
    if (available < fSectorSize) return;  // the file ends inside the directory
    sector = fSAT[sector];
  }
}

const std::vector<TOleDirEntry>& TOleStorage::Directory() {
  ScanDirectory();
  return fDirectory;
}

const TOleDirEntry* TOleStorage::Find(std::string_view name) {
  ScanDirectory();
  for (const auto& e : fDirectory)
    if ((e.fType == 2 || e.fType == 5) && e.fName == name) return &e;
  return nullptr;
}

bool TOleStorage::ContainsNamedStream(std::string_view aName) { return Find(aName) != nullptr; }

bool TOleStorage::LoadStream(std::string& aToStream, std::string_view aName) {
  const TOleDirEntry* entry = Find(aName);
  if (!entry) return false;
  std::string bytes;  // built aside so that a failure leaves the target unchanged
  if (entry->fSize < fHeader.ShortSectorMaxSize && entry->fType != 5)
    CopyShortChain(bytes, entry->fStartSector, entry->fSize);
  else
    CopyChain(bytes, entry->fStartSector, entry->fSize);
  if (aToStream.empty())
    aToStream = std::move(bytes);
  else
    aToStream.append(bytes);
  return true;
}

bool TOleStorage::LoadFromStream(std::string_view data, std::string& aToStream, std::string_view aName) {
  TOleStorage storage;
  storage.OpenStreamForReading(data);
  return storage.LoadStream(aToStream, aName);
}

bool TOleStorage::LoadFromFile(const std::filesystem::path& aFileName, std::string& aToStream,
                               std::string_view aName) {
  std::ifstream in(aFileName, std::ios::binary);
  if (!in) throw EOleStorageException(kMsgCouldNotOpen);
  std::string data = text::ReadAll(in);
  if (in.bad()) throw EOleStorageException(kMsgCouldNotOpen);
  return LoadFromStream(data, aToStream, aName);
}

}  // namespace xls
