// A killed save or a full disk on a POSIX system: nothing is left behind and
// the earlier workbook stays.
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <vector>

#include "sheet/Exceptions.h"
#include "sheet/ReplacementFileFixture.h"

namespace {

using sheet::TReplacementFile;
namespace fs = std::filesystem;

class ReplacementFilePosix : public sheettest::TReplacementFileTest {
 protected:
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

TEST_F(ReplacementFilePosix, KilledSavesLeaveNothingBehind) {
  KilledWhileWriting(true, SIGKILL);   // the unnamed file goes with the process
  KilledWhileWriting(false, SIGTERM);  // the named one is removed by the handler
  KilledWhileWriting(false, SIGINT);
  EXPECT_EQ(Files(), std::vector<std::string>{"offer.xlsx"});
  EXPECT_EQ(Read(Target), "earlier workbook");
}

TEST_F(ReplacementFilePosix, FullDiskIsToldAndKeepsTheEarlierFile) {
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

// Saves to one target from several processes at once: each one succeeds, the
// target is always one of the complete files, and nothing is left beside it.
TEST_F(ReplacementFilePosix, ConcurrentSavesToOneTarget) {
  std::ofstream(Dir / "offer.xlsx.~123456.tmp") << "the user's";
  for (int round = 0; round < 100; ++round) {
    std::vector<pid_t> children;
    for (int writer = 0; writer < 4; ++writer) {
      const pid_t child = ::fork();
      if (child == 0) {
        try {
          TReplacementFile file(Target, writer % 2 == 0);  // unnamed and named temporaries alike
          file.Stream() << std::string(20000, static_cast<char>('a' + writer)) << "|end";
          file.Commit();
        } catch (...) {
          ::_exit(1);
        }
        ::_exit(0);
      }
      children.push_back(child);
    }
    for (pid_t child : children) {
      int status = 0;
      ::waitpid(child, &status, 0);
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
    }
    const std::string saved = Read(Target);
    ASSERT_EQ(saved.size(), 20004u) << "round " << round;
    ASSERT_EQ(saved, std::string(20000, saved[0]) + "|end") << "round " << round;
  }
  EXPECT_EQ(Files(), (std::vector<std::string>{"offer.xlsx", "offer.xlsx.~123456.tmp"}));
}

TEST_F(ReplacementFilePosix, ThePermissionBitsStay) {
  fs::permissions(Target, fs::perms::owner_read | fs::perms::owner_write);
  for (bool unnamed : {true, false}) {
    TReplacementFile file(Target, unnamed);
    file.Stream() << "private offer";
    file.Commit();
    EXPECT_EQ(fs::status(Target).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
  }
  EXPECT_EQ(Read(Target), "private offer");
}

// The link stays a link and the workbook it names is the new one.
TEST_F(ReplacementFilePosix, ASymbolicLinkIsFollowed) {
  fs::create_directories(Dir / "real");
  std::ofstream(Dir / "real" / "offer.xlsx") << "earlier";
  const fs::path link = Dir / "link.xlsx";
  fs::create_symlink("real/offer.xlsx", link);
  TReplacementFile file(link);
  file.Stream() << "new workbook";
  file.Commit();
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Read(Dir / "real" / "offer.xlsx"), "new workbook");
  EXPECT_EQ(Files(), (std::vector<std::string>{"link.xlsx", "offer.xlsx", "real"})) << "nothing left beside the link";
}

// Replaced atomically, the new workbook takes the name; another hard link
// keeps the earlier one (written in place, a failed save would damage both).
TEST_F(ReplacementFilePosix, AHardLinkKeepsTheEarlierWorkbook) {
  fs::create_hard_link(Target, Dir / "copy.xlsx");
  TReplacementFile file(Target);
  file.Stream() << "new workbook";
  file.Commit();
  EXPECT_EQ(Read(Target), "new workbook");
  EXPECT_EQ(Read(Dir / "copy.xlsx"), "earlier workbook");
}

// Started with SIGINT ignored (nohup, a background job), the save keeps it so.
TEST_F(ReplacementFilePosix, AnIgnoredInterruptStaysIgnored) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::signal(SIGINT, SIG_IGN);
    TReplacementFile file(Target, false);
    file.Stream() << "saved all the same";
    ::raise(SIGINT);
    file.Commit();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(Read(Target), "saved all the same");
}

}  // namespace
