// A saved workbook replaces the old file only when complete, and a killed or
// failed save leaves nothing beside it.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "sheet/Exceptions.h"
#include "sheet/ReplacementFile.h"

namespace {

namespace fs = std::filesystem;
using sheet::TReplacementFile;

class ReplacementFile : public ::testing::Test {
 protected:
  fs::path Dir = fs::temp_directory_path() / ("nabidka-replace-" + std::to_string(::getpid()));
  fs::path Target = Dir / "offer.xlsx";
  void SetUp() override {
    fs::create_directories(Dir);
    std::ofstream(Target, std::ios::binary) << "earlier workbook";
  }
  void TearDown() override { fs::remove_all(Dir); }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string Read(const fs::path& path) const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // Starts writing in a child process and kills it there with `signal`.
  void KilledWhileWriting(bool allowUnnamed, int signal) {
    const pid_t child = ::fork();
    if (child == 0) {
      TReplacementFile file(Target, allowUnnamed);
      for (int i = 0; i < 1000; ++i) file.Stream() << std::string(1000, 'x');
      file.Stream().flush();
      ::raise(signal);
      ::_exit(3);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
  }
};

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

TEST_F(ReplacementFile, KilledSavesLeaveNothingBehind) {
  KilledWhileWriting(true, SIGKILL);   // the unnamed file goes with the process
  KilledWhileWriting(false, SIGTERM);  // the named one is removed by the handler
  KilledWhileWriting(false, SIGINT);
  EXPECT_EQ(Files(), std::vector<std::string>{"offer.xlsx"});
  EXPECT_EQ(Read(Target), "earlier workbook");
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

TEST_F(ReplacementFile, FullDiskIsToldAndKeepsTheEarlierFile) {
  const fs::path small = Dir / "small";
  fs::create_directories(small);
  if (::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0) GTEST_SKIP() << "cannot mount a small tmpfs here";
  const fs::path target = small / "offer.xlsx";
  std::ofstream(target) << "earlier";
  try {
    TReplacementFile file(target);
    for (int i = 0; i < 200; ++i) file.Stream() << std::string(1024, 'x');
    EXPECT_EQ(file.WriteError(), ENOSPC);
    file.Commit();
    ADD_FAILURE() << "a full disk was not reported";
  } catch (const sheet::EExportFileException& error) {
    EXPECT_NE(std::string(error.what()).find("No space left on device"), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find(target.string()), std::string::npos) << error.what();
  }
  EXPECT_EQ(Read(target), "earlier");
  ::umount(small.c_str());
}

}  // namespace
