// The replacement file on Windows: a named temporary file beside the target,
// flushed to the disk and then put in the target's place by ReplaceFileW,
// which keeps the old file's attributes and security, or by MoveFileExW when
// there is no old file yet.
#include "sheet/ReplacementFile.h"

#include <windows.h>

#include <cerrno>
#include <mutex>
#include <vector>

#include "sheet/Exceptions.h"
#include "sheet/FileOutputBuffer.h"
#include "sheet/ReplacementFileNames.h"
#include "text/SystemMessage.h"

namespace sheet {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const char* what, const fs::path& target, DWORD error) {
  std::string cause;
  if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_USER_MAPPED_FILE ||
      error == ERROR_UNABLE_TO_REMOVE_REPLACED) {
    // A spreadsheet program keeps the workbook it shows open and locked.
    cause = "The file is open in another program; close it there and save again";
  } else {
    cause = text::SystemErrorMessage(error);
  }
  throw EExportFileException(std::string(what) + " file \"" + FullTargetName(target) + "\". " + cause);
}

// Temporary files that Ctrl+C, Ctrl+Break or closing the console must not
// leave behind. The console's handler runs on a thread of its own while the
// save goes on: it closes the handle (a file open without delete sharing
// cannot be removed) and removes the file before the process ends.
struct TOpenTemporary {
  HANDLE fHandle;
  std::wstring fPath;
};
std::mutex gTemporariesLock;
std::vector<TOpenTemporary> gTemporaries;

BOOL WINAPI RemoveTemporariesOnExit(DWORD) {
  const std::lock_guard lock(gTemporariesLock);
  for (const TOpenTemporary& open : gTemporaries) {
    CloseHandle(open.fHandle);
    DeleteFileW(open.fPath.c_str());
  }
  gTemporaries.clear();
  return FALSE;  // the default handler ends the process
}

void Register(HANDLE handle, const fs::path& path) {
  static const bool installed = SetConsoleCtrlHandler(RemoveTemporariesOnExit, TRUE) != 0;
  (void)installed;
  const std::lock_guard lock(gTemporariesLock);
  gTemporaries.push_back({handle, path.wstring()});
}

void Unregister(HANDLE handle) {
  const std::lock_guard lock(gTemporariesLock);
  std::erase_if(gTemporaries, [handle](const TOpenTemporary& open) { return open.fHandle == handle; });
}

// The errno value the save's caller tells a full disk by.
int ErrnoOf(DWORD error) {
  return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL ? ENOSPC : EIO;
}

// The replacement file's buffer over its handle.
class THandleBuffer final : public TFileOutputBuffer<DWORD> {
 public:
  explicit THandleBuffer(HANDLE handle) : fHandle(handle) {}

 protected:
  std::size_t WriteSome(const char* data, std::size_t size) override {
    DWORD written = 0;
    // At most the buffer's 64 KiB.
    if (!WriteFile(fHandle, data, static_cast<DWORD>(size), &written, nullptr) || written == 0) {
      Remember(written == 0 && GetLastError() == 0 ? ERROR_WRITE_FAULT : GetLastError());
      return 0;
    }
    return written;
  }
  std::int64_t SeekFile(std::int64_t offset, std::ios_base::seekdir dir) override {
    const DWORD method = dir == std::ios_base::beg ? FILE_BEGIN : dir == std::ios_base::cur ? FILE_CURRENT : FILE_END;
    LARGE_INTEGER distance{};
    distance.QuadPart = offset;
    LARGE_INTEGER result{};
    if (!SetFilePointerEx(fHandle, distance, &result, method)) {
      Remember(GetLastError());
      return -1;
    }
    return result.QuadPart;
  }

 private:
  HANDLE fHandle;
};

}  // namespace

class TReplacementFile::TImpl {
 public:
  explicit TImpl(fs::path target) : fShownTarget(std::move(target)), fTarget(ResolvedTarget(fShownTarget)) {
    const fs::path folder = FolderOf(fTarget);
    for (int attempt = 0; attempt < 100 && fHandle == INVALID_HANDLE_VALUE; ++attempt) {
      const fs::path candidate = TemporaryNameIn(folder);
      // Open and shared with no one until it is complete: while it is, no
      // other save can take it for stale (RemoveIfStale opens it alone).
      fHandle = CreateFileW(candidate.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
      if (fHandle != INVALID_HANDLE_VALUE) {
        fTemporary = candidate;
      } else if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
        Fail("Cannot create", fShownTarget, GetLastError());
      }
    }
    if (fHandle == INVALID_HANDLE_VALUE) Fail("Cannot create", fShownTarget, ERROR_FILE_EXISTS);
    Register(fHandle, fTemporary);
    fBuffer = std::make_unique<THandleBuffer>(fHandle);
    fStream = std::make_unique<std::ostream>(fBuffer.get());
  }

  ~TImpl() {
    fStream.reset();
    Close();  // open with no sharing, the file cannot be deleted before
    if (!fTemporary.empty()) DeleteFileW(fTemporary.c_str());
  }

  std::ostream& Stream() { return *fStream; }
  int WriteError() const { return fBuffer->Error() != 0 ? ErrnoOf(fBuffer->Error()) : 0; }
  std::string SpaceErrorText() const {
    return WriteError() == ENOSPC ? text::SystemErrorMessage(fBuffer->Error()) : "";
  }

  void Commit() {
    fStream->flush();
    if (fBuffer->Error() != 0 || !*fStream) {
      Fail("Cannot write", fShownTarget, fBuffer->Error() != 0 ? fBuffer->Error() : ERROR_WRITE_FAULT);
    }
    if (!FlushFileBuffers(fHandle)) Fail("Cannot write", fShownTarget, GetLastError());
    // The replacement must be closed to be renamed; it is young for a
    // moment longer, which keeps other saves from taking it for stale.
    if (!Close()) Fail("Cannot write", fShownTarget, GetLastError());
    PutInPlace();
    fTemporary.clear();
    RemoveStaleTemporaries(FolderOf(fTarget));
  }

 private:
  bool Close() {
    if (fHandle == INVALID_HANDLE_VALUE) return true;
    Unregister(fHandle);
    const bool closed = CloseHandle(fHandle) != 0;
    fHandle = INVALID_HANDLE_VALUE;
    return closed;
  }

  void PutInPlace() {
    const DWORD attributes = GetFileAttributesW(fTarget.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
      // A read-only target stays as it is: the user protected it.
      if (attributes & FILE_ATTRIBUTE_READONLY) Fail("Cannot create", fShownTarget, ERROR_ACCESS_DENIED);
      CheckNotOpenElsewhere();
      if (ReplaceFileW(fTarget.c_str(), fTemporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                       nullptr)) {
        KeepAttributes(attributes);
        return;
      }
      const DWORD error = GetLastError();
      // Without a backup name, "unable to move the replacement" leaves the
      // old file removed or renamed and ours under its temporary name: the
      // plain move below puts ours in place. So it does where the file
      // system cannot keep the old file's attributes (a network share).
      if (error != ERROR_UNABLE_TO_MOVE_REPLACEMENT && error != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 &&
          error != ERROR_INVALID_FUNCTION && error != ERROR_NOT_SUPPORTED) {
        Fail("Cannot create", fShownTarget, error);
      }
    }
    if (!MoveFileExW(fTemporary.c_str(), fTarget.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      Fail("Cannot create", fShownTarget, GetLastError());
    }
    if (attributes != INVALID_FILE_ATTRIBUTES) KeepAttributes(attributes);
  }

  // A program that shows the workbook holds it without delete sharing; the
  // replacement would fail midway (and some implementations leave a file of
  // their own behind), so the file is tried first.
  void CheckNotOpenElsewhere() const {
    const HANDLE probe = CreateFileW(fTarget.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) Fail("Cannot create", fShownTarget, error);
      return;  // anything else is for the replacement to tell
    }
    CloseHandle(probe);
  }

  // The hidden, system, archive and indexing marks of the old file, which not
  // every replacement carries over (a plain move, some file systems).
  void KeepAttributes(DWORD attributes) const {
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD now = GetFileAttributesW(fTarget.c_str());
    if (now == INVALID_FILE_ATTRIBUTES || (now & kKept) == (attributes & kKept)) return;
    const DWORD wanted = (now & ~kKept) | (attributes & kKept);
    SetFileAttributesW(fTarget.c_str(), wanted != 0 ? wanted : FILE_ATTRIBUTE_NORMAL);
  }

  fs::path fShownTarget;  // as the caller named it, for the messages
  fs::path fTarget;       // the file it stands for
  fs::path fTemporary;    // the named file, until it is in the target's place
  HANDLE fHandle = INVALID_HANDLE_VALUE;
  std::unique_ptr<THandleBuffer> fBuffer;
  std::unique_ptr<std::ostream> fStream;
};

// A temporary that can be opened alone is open in no running save: opened
// so, to be deleted when closed. One written to within the last minute may
// be a save's between closing it and putting it in place: it is left for the
// next save to judge.
void RemoveIfStale(const fs::path& temporary) {
  const HANDLE alone = CreateFileW(temporary.c_str(), DELETE | FILE_READ_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
  if (alone == INVALID_HANDLE_VALUE) return;
  FILETIME written{};
  FILETIME now{};
  GetFileTime(alone, nullptr, nullptr, &written);
  GetSystemTimeAsFileTime(&now);
  const auto ticks = [](const FILETIME& time) {
    return static_cast<unsigned long long>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
  };
  constexpr unsigned long long kMinute = 60ULL * 10000000ULL;  // in 100-nanosecond ticks
  if (ticks(written) + kMinute < ticks(now)) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    SetFileInformationByHandle(alone, FileDispositionInfo, &disposition, sizeof disposition);
  }
  CloseHandle(alone);
}

TReplacementFile::TReplacementFile(std::filesystem::path target, bool)
    : fImpl(std::make_unique<TImpl>(std::move(target))) {}
TReplacementFile::~TReplacementFile() = default;
std::ostream& TReplacementFile::Stream() { return fImpl->Stream(); }
int TReplacementFile::WriteError() const { return fImpl->WriteError(); }
std::string TReplacementFile::SpaceErrorText() const { return fImpl->SpaceErrorText(); }
void TReplacementFile::Commit() { fImpl->Commit(); }
bool TReplacementFile::Unnamed() const { return false; }

}  // namespace sheet
