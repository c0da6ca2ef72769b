// A saved workbook replaces the old file only when complete, and a failed
// save leaves nothing beside it.
#include <chrono>

#include "sheet/ReplacementFileFixture.h"

namespace {

using sheet::TReplacementFile;
using ReplacementFile = sheettest::TReplacementFileTest;
namespace fs = std::filesystem;

TEST_F(ReplacementFile, ReplacesOnlyOnCommitAndSeeks) {
  for (bool unnamed : {true, false}) {
    std::ofstream(Target, std::ios::binary) << "earlier workbook";
    {
      TReplacementFile file(Target, unnamed);
      file.Stream() << "new workbook";
      file.Stream().seekp(0);
      file.Stream() << "N";
      EXPECT_EQ(Read(Target), "earlier workbook");  // nothing replaced before the commit
      file.Commit();
    }
    EXPECT_EQ(Read(Target), "New workbook");
    EXPECT_EQ(Files(), std::vector<std::string>{"offer.xlsx"});
    { TReplacementFile abandoned(Target, unnamed); abandoned.Stream() << "never committed"; }
    EXPECT_EQ(Read(Target), "New workbook");
    EXPECT_EQ(Files(), std::vector<std::string>{"offer.xlsx"});
  }
}

TEST_F(ReplacementFile, StaleTemporariesGoWithTheNextSave) {
  const fs::path stale = Dir / ".~nabidka-0123456789abcdef.tmp";
  std::ofstream(stale) << "from a crash";
  // Left a minute ago at least: a younger one may be a save's just created.
  fs::last_write_time(stale, fs::file_time_type::clock::now() - std::chrono::minutes(2));
  std::ofstream(Dir / "offer.xlsx.~123456.tmp") << "the user's, named like ours once were";
  std::ofstream(Dir / ".~nabidka-0123.tmp") << "not ours";
  TReplacementFile file(Target);
  file.Stream() << "new";
  file.Commit();
  EXPECT_EQ(Files(), (std::vector<std::string>{".~nabidka-0123.tmp", "offer.xlsx", "offer.xlsx.~123456.tmp"}));
  EXPECT_TRUE(TReplacementFile::IsTemporary("a/.~nabidka-00000000deadbeef.tmp"));
  EXPECT_FALSE(TReplacementFile::IsTemporary(".~nabidka-00000000DEADBEEF.tmp"));
  EXPECT_FALSE(TReplacementFile::IsTemporary("offer.xlsx.~1.tmp"));
}

// A name the folder can hold can be saved: the temporary's name does not
// grow with it.
TEST_F(ReplacementFile, LongestNamesSave) {
  const fs::path target = Dir / (std::string(250, 'n') + ".xlsx");
  TReplacementFile file(target);
  file.Stream() << "long";
  file.Commit();
  EXPECT_EQ(Read(target), "long");
}

}  // namespace
