#include "sheet/ReplacementFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <utility>

#include "sheet/Exceptions.h"
#include "sheet/FileOutputBuffer.h"
#include "sheet/ReplacementFileNames.h"

namespace sheet {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const char* what, const fs::path& target, int error) {
  throw EExportFileException(std::string(what) + " file \"" + FullTargetName(target) + "\". " + std::strerror(error));
}

// Named temporary files that a signal must not leave behind. Fixed slots of
// plain characters: the handler may only call async-signal-safe functions.
constexpr int kSlots = 16;
struct TSlot {
  std::atomic<bool> fUsed{false};
  char fPath[PATH_MAX] = {};
};
std::array<TSlot, kSlots> gSlots;
std::atomic<bool> gHandlersInstalled{false};
struct sigaction gPreviousInt {};
struct sigaction gPreviousTerm {};

void RemoveTemporariesAndReraise(int signal) {
  for (TSlot& slot : gSlots) {
    if (slot.fUsed.load()) ::unlink(slot.fPath);
  }
  ::sigaction(signal, signal == SIGINT ? &gPreviousInt : &gPreviousTerm, nullptr);
  ::raise(signal);
}

// A signal the process ignores (nohup, a background job's SIGINT) stays
// ignored: a handler would end the program it did not end before.
void InstallHandlers() {
  if (gHandlersInstalled.exchange(true)) return;
  struct sigaction action {};
  action.sa_handler = RemoveTemporariesAndReraise;
  sigemptyset(&action.sa_mask);
  for (auto [signal, previous] : {std::pair{SIGINT, &gPreviousInt}, std::pair{SIGTERM, &gPreviousTerm}}) {
    ::sigaction(signal, nullptr, previous);
    if (previous->sa_handler != SIG_IGN) ::sigaction(signal, &action, nullptr);
  }
}

int Register(const std::string& path) {
  if (path.size() >= PATH_MAX) return -1;
  InstallHandlers();
  for (int i = 0; i < kSlots; ++i) {
    bool expected = false;
    if (!gSlots[i].fUsed.load()) {
      std::memcpy(gSlots[i].fPath, path.c_str(), path.size() + 1);
      if (gSlots[i].fUsed.compare_exchange_strong(expected, true)) return i;
    }
  }
  return -1;
}

void Unregister(int slot) {
  if (slot >= 0) gSlots[slot].fUsed.store(false);
}

// The replacement file's buffer over its descriptor.
class TFdBuffer final : public TFileOutputBuffer<int> {
 public:
  explicit TFdBuffer(int fd) : fFd(fd) {}

 protected:
  std::size_t WriteSome(const char* data, std::size_t size) override {
    for (;;) {
      const ssize_t written = ::write(fFd, data, size);
      if (written > 0) return static_cast<std::size_t>(written);
      if (written < 0 && errno == EINTR) continue;
      Remember(written < 0 ? errno : EIO);
      return 0;
    }
  }
  std::int64_t SeekFile(std::int64_t offset, std::ios_base::seekdir dir) override {
    const int whence = dir == std::ios_base::beg ? SEEK_SET : dir == std::ios_base::cur ? SEEK_CUR : SEEK_END;
    const off_t result = ::lseek(fFd, offset, whence);
    if (result < 0) Remember(errno);
    return result;
  }

 private:
  int fFd;
};

}  // namespace

class TReplacementFile::TImpl {
 public:
  TImpl(fs::path target, bool allowUnnamed) : fShownTarget(std::move(target)), fTarget(ResolvedTarget(fShownTarget)) {
    const fs::path folder = FolderOf(fTarget);
#ifdef O_TMPFILE
    if (allowUnnamed) fFd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    fUnnamed = fFd >= 0;
#endif
    if (fFd < 0) OpenNamed(folder);
    // Held until the file is in the target's place: a temporary that can be
    // locked belongs to no running save.
    if (::flock(fFd, LOCK_EX) != 0) Fail("Cannot create", fShownTarget, errno);
    fBuffer = std::make_unique<TFdBuffer>(fFd);
    fStream = std::make_unique<std::ostream>(fBuffer.get());
  }

  ~TImpl() {
    fStream.reset();
    if (!fTemporary.empty()) ::unlink(fTemporary.c_str());
    if (fFd >= 0) ::close(fFd);
    Unregister(fSlot);
  }

  std::ostream& Stream() { return *fStream; }
  int WriteError() const { return fBuffer->Error(); }
  bool Unnamed() const { return fUnnamed; }

  void Commit() {
    fStream->flush();
    if (WriteError() != 0 || !*fStream) Fail("Cannot write", fShownTarget, WriteError() != 0 ? WriteError() : EIO);
    KeepModeAndOwner();
    if (::fsync(fFd) != 0 && errno != EINVAL) Fail("Cannot write", fShownTarget, errno);
    if (fUnnamed) GiveName(FolderOf(fTarget));
    // Renamed while still locked, so that no other save takes it for stale.
    if (::rename(fTemporary.c_str(), fTarget.c_str()) != 0) Fail("Cannot create", fShownTarget, errno);
    fTemporary.clear();
    Unregister(fSlot);
    fSlot = -1;
    const int closed = ::close(fFd);
    fFd = -1;
    if (closed != 0) Fail("Cannot write", fShownTarget, errno);
    RemoveStaleTemporaries(FolderOf(fTarget));
  }

 private:
  // Tries free names in the folder until `create` takes one.
  template <class TCreate>
  void TakeFreeName(const fs::path& folder, TCreate create) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      const fs::path candidate = TemporaryNameIn(folder);
      if (create(candidate)) {
        fTemporary = candidate;
        fSlot = Register(fTemporary.string());
        return;
      }
      if (errno != EEXIST) Fail("Cannot create", fShownTarget, errno);
    }
    Fail("Cannot create", fShownTarget, EEXIST);
  }

  void OpenNamed(const fs::path& folder) {
    TakeFreeName(folder, [this](const fs::path& candidate) {
      fFd = ::open(candidate.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0666);
      return fFd >= 0;
    });
  }

  // A name of its own in the folder first; renaming it over the target then
  // replaces the old file in one step.
  void GiveName(const fs::path& folder) {
    const std::string self = "/proc/self/fd/" + std::to_string(fFd);
    TakeFreeName(folder, [&self](const fs::path& candidate) {
      return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0;
    });
  }

  // A replaced file keeps its permission bits (a private offer stays
  // private) and, where the process may change it, its owner; a new file's
  // follow the umask.
  void KeepModeAndOwner() {
    struct stat old {};
    if (::stat(fTarget.c_str(), &old) != 0) return;
    if (::fchown(fFd, old.st_uid, old.st_gid) != 0) {
      // Not ours to give away: the group alone may still be kept.
      [[maybe_unused]] const int ignored = ::fchown(fFd, static_cast<uid_t>(-1), old.st_gid);
    }
    if (::fchmod(fFd, old.st_mode & 07777) != 0) Fail("Cannot write", fShownTarget, errno);
  }

  fs::path fShownTarget;  // as the caller named it, for the messages
  fs::path fTarget;       // the file it stands for
  fs::path fTemporary;    // the named file, until it is renamed
  int fFd = -1;
  int fSlot = -1;
  bool fUnnamed = false;
  std::unique_ptr<TFdBuffer> fBuffer;
  std::unique_ptr<std::ostream> fStream;
};

// A temporary that can be locked belongs to no running save: it is removed
// while the lock is held, so that no save can take it up meanwhile. A named
// one is created a moment before its save locks it: one younger than a
// minute is left for the next save to judge.
void RemoveIfStale(const fs::path& temporary) {
  const int fd = ::open(temporary.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return;
  struct stat status {};
  const bool old = ::fstat(fd, &status) == 0 && status.st_mtime + 60 < ::time(nullptr);
  if (old && ::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(temporary.c_str());
  ::close(fd);
}

TReplacementFile::TReplacementFile(std::filesystem::path target, bool allowUnnamed)
    : fImpl(std::make_unique<TImpl>(std::move(target), allowUnnamed)) {}
TReplacementFile::~TReplacementFile() = default;
std::ostream& TReplacementFile::Stream() { return fImpl->Stream(); }
int TReplacementFile::WriteError() const { return fImpl->WriteError(); }

std::string TReplacementFile::SpaceErrorText() const {
  const int error = fImpl->WriteError();
  return error == ENOSPC || error == EDQUOT || error == EFBIG ? std::strerror(error) : "";
}
void TReplacementFile::Commit() { fImpl->Commit(); }
bool TReplacementFile::Unnamed() const { return fImpl->Unnamed(); }

}  // namespace sheet
