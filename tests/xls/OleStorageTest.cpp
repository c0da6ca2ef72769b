#include <gtest/gtest.h>

#include "CompoundFileWriter.h"
#include "xls/OleStorage.h"

namespace xls {
namespace {

using test::BuildCompoundFile;
using test::PutU32;

std::string Pattern(std::size_t n, unsigned seed = 7) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 31 + seed + i / 251) & 0xFF);
  return s;
}

std::string Load(const std::string& file, const std::string& name) {
  std::string out;
  EXPECT_TRUE(TOleStorage::LoadFromStream(file, out, name));
  return out;
}

void ExpectOleError(const std::string& file, const char* message) {
  std::string out;
  try {
    TOleStorage::LoadFromStream(file, out, "Workbook");
    FAIL() << "no exception";
  } catch (const EOleStorageException& e) {
    EXPECT_STREQ(e.what(), message);
  }
}

TEST(OleStorage, ShortAndRegularSectorStreams) {
  std::string small = Pattern(3000, 1), large = Pattern(5000, 2);
  std::string file = BuildCompoundFile({{"Small", small}, {"Workbook", large}});
  EXPECT_EQ(Load(file, "Small"), small);     // below 4096: short sectors inside the root's container
  EXPECT_EQ(Load(file, "Workbook"), large);  // regular sectors
  TOleStorage storage;
  storage.OpenStreamForReading(file);
  EXPECT_TRUE(storage.ContainsNamedStream("Workbook"));
  EXPECT_FALSE(storage.ContainsNamedStream("workbook"));  // case-sensitive
  EXPECT_FALSE(storage.ContainsNamedStream("Book"));
  std::string untouched = "keep";
  EXPECT_FALSE(storage.LoadStream(untouched, "Book"));
  EXPECT_EQ(untouched, "keep");
  EXPECT_TRUE(storage.LoadStream(untouched, "Small"));
  EXPECT_EQ(untouched, "keep" + small);  // appended
}

TEST(OleStorage, MoreThan109AllocationSectorsThroughExtensionSectors) {
  std::string big = Pattern(7'300'000, 3);  // about 14,300 sectors: 112 allocation-table sectors
  std::string file = BuildCompoundFile({{"Workbook", big}});
  TOleStorage storage;
  storage.OpenStreamForReading(file);
  EXPECT_GT(storage.Header().SATSectorCount, 109u);
  EXPECT_EQ(storage.Header().MSATSectorCount, 1u);
  std::string out;
  ASSERT_TRUE(storage.LoadStream(out, "Workbook"));
  EXPECT_TRUE(out == big);
}

TEST(OleStorage, DirectoryFollowsItsChainNotAContiguousRun) {
  std::string file = BuildCompoundFile({{"Book", Pattern(1000)}}, {.fScatterDirectory = true});
  TOleStorage storage;
  storage.OpenStreamForReading(file);
  EXPECT_TRUE(storage.ContainsNamedStream("Book"));
  EXPECT_FALSE(storage.ContainsNamedStream("Workbook"));
  EXPECT_EQ(Load(file, "Book"), Pattern(1000));
}

TEST(OleStorage, FourKilobyteSectors) {
  std::string small = Pattern(3000, 4), large = Pattern(20000, 5);
  std::string file = BuildCompoundFile({{"Small", small}, {"Workbook", large}}, {.fSectorShift = 12});
  EXPECT_EQ(file.size() % 4096, 0u);
  EXPECT_EQ(Load(file, "Small"), small);
  EXPECT_EQ(Load(file, "Workbook"), large);
}

TEST(OleStorage, NotACompoundFile) {
  ExpectOleError(std::string("PK\x03\x04") + std::string(600, 'x'), kMsgCouldNotOpen);  // a ZIP file
  ExpectOleError("Name;Street\r\nA;B\r\n", kMsgCouldNotOpen);                           // a text file
  ExpectOleError("", kMsgCouldNotOpen);
}

class OleCorruption : public ::testing::Test {
 protected:
  std::string fFile = BuildCompoundFile({{"Workbook", Pattern(5000)}, {"Small", Pattern(300)}});
  // The builder's layout: Workbook in sectors 0-9, container 10, short table 11, directory 12, table 13.
  static constexpr std::size_t Sector(std::size_t n) { return 512 + 512 * n; }
  static constexpr std::size_t SatEntry(std::size_t n) { return Sector(13) + 4 * n; }
};

TEST_F(OleCorruption, LayoutAsAssumed) {
  TOleStorage storage;
  storage.OpenStreamForReading(fFile);
  ASSERT_EQ(storage.Header().DirStart, 12u);
  ASSERT_EQ(storage.Header().MSATTable[0], 13u);
}

TEST_F(OleCorruption, LoopingChainIsRejected) {
  PutU32(fFile, SatEntry(5), 2);  // sector 5 points back to 2
  ExpectOleError(fFile, kMsgNotValidXls);
}

TEST_F(OleCorruption, ChainLeavingTheFileIsRejected) {
  PutU32(fFile, SatEntry(5), 16639);
  ExpectOleError(fFile, kMsgNotValidXls);
  PutU32(fFile, SatEntry(5), 0xFFFFFFFD);  // a special value in the middle of a chain
  ExpectOleError(fFile, kMsgNotValidXls);
}

TEST_F(OleCorruption, ChainEndingEarlyGivesFewerBytes) {
  PutU32(fFile, SatEntry(2), 0xFFFFFFFE);
  EXPECT_EQ(Load(fFile, "Workbook").size(), 3 * 512u);
}

TEST_F(OleCorruption, AbsurdCountsAndShiftsAreRejected) {
  std::string f = fFile;
  PutU32(f, 44, 0x7FFFFFFF);  // allocation-table sectors
  ExpectOleError(f, kMsgNotValidXls);
  f = fFile;
  PutU32(f, 30, 19265 << 16 | 9);  // short-sector shift 19265
  ExpectOleError(f, kMsgNotValidXls);
  f = fFile;
  PutU32(f, 44, 3);  // more allocation sectors than the master table lists (entries are free)
  ExpectOleError(f, kMsgNotValidXls);
}

TEST_F(OleCorruption, SizeLargerThanTheFileNeitherHangsNorAllocates) {
  PutU32(fFile, Sector(12) + 128 + 120, 0xFFFFFFF0);  // Workbook's size
  std::string out;
  EXPECT_TRUE(TOleStorage::LoadFromStream(fFile, out, "Workbook"));
  EXPECT_EQ(out.size(), 5120u);  // the whole chain, then its end
}

TEST_F(OleCorruption, CyclicDirectoryChainIsRejected) {
  PutU32(fFile, SatEntry(12), 12);
  ExpectOleError(fFile, kMsgNotValidXls);
}

TEST_F(OleCorruption, TruncatedFileRaisesReadError) {
  std::string f = fFile.substr(0, Sector(13) + 512);  // keep the table, cut nothing needed
  EXPECT_EQ(Load(f, "Workbook").size(), 5000u);
  PutU32(f, SatEntry(8), 14);  // the stream continues in a sector the file cuts short
  f += std::string(100, '\0');
  std::string out;
  EXPECT_THROW(TOleStorage::LoadFromStream(f, out, "Workbook"), EStreamReadError);
}

TEST_F(OleCorruption, MissingRootEntryForShortStream) {
  fFile[Sector(12) + 66] = 1;  // the root entry becomes a plain storage
  std::string out;
  try {
    TOleStorage::LoadFromStream(fFile, out, "Small");
    FAIL() << "no exception";
  } catch (const EOleStorageException& e) {
    EXPECT_STREQ(e.what(), kMsgCouldNotOpen);
  }
  EXPECT_EQ(Load(fFile, "Workbook").size(), 5000u);  // regular streams need no container
}

}  // namespace
}  // namespace xls
