// A killed save or a full disk on a POSIX system: nothing is left behind and
// the earlier workbook stays.
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

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

}  // namespace
