// A saved workbook replaces the old file only when complete, and a failed
// save leaves nothing beside it.
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

TEST_F(ReplacementFile, StaleTemporariesOfTheTargetGoWithTheNextSave) {
  std::ofstream(Dir / "offer.xlsx.~123456.tmp") << "from a crash";
  std::ofstream(Dir / "offer.xlsx.~12x.tmp") << "not ours";
  std::ofstream(Dir / "other.xlsx.~123.tmp") << "another target's";
  TReplacementFile file(Target);
  file.Stream() << "new";
  file.Commit();
  EXPECT_EQ(Files(), (std::vector<std::string>{"offer.xlsx", "offer.xlsx.~12x.tmp", "other.xlsx.~123.tmp"}));
  EXPECT_TRUE(TReplacementFile::IsTemporaryFor("a/offer.xlsx.~1.tmp", "b/offer.xlsx"));
  EXPECT_FALSE(TReplacementFile::IsTemporaryFor("offer.xlsx.~.tmp", "offer.xlsx"));
}

}  // namespace
