#pragma once

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

namespace sheet {

// A new file that replaces `target` only when it is complete. On Linux it is
// written as an unnamed file in the target's folder (O_TMPFILE) and gets a
// name only at Commit: a killed save leaves nothing behind. Where the file
// system cannot do that, it is a named temporary file in that folder,
// removed on failure, on destruction and on SIGINT/SIGTERM (unless they are
// ignored). While a save runs it holds its temporary (a lock on POSIX
// systems, the open file on Windows); a Commit removes the temporaries of
// ours in the folder that no save holds, which an earlier crash left.
//
// The replaced file keeps what it was: its permission bits and, where the
// process may, its owner (Windows: attributes and security). A target that
// is a symbolic link is followed: the file it names is replaced, atomically
// in its own folder, and the link stays a link. A target with several hard
// links is replaced like any other: the new workbook takes the name, the
// other links keep the old one. Writing in place would keep the links, but a
// failed or killed save would then leave a damaged workbook under every name.
class TReplacementFile {
 public:
  // Throws EExportFileException naming the target when the file cannot be created.
  // allowUnnamed false: always the named temporary file (the fallback, for tests).
  explicit TReplacementFile(std::filesystem::path target, bool allowUnnamed = true);
  ~TReplacementFile();
  TReplacementFile(const TReplacementFile&) = delete;
  TReplacementFile& operator=(const TReplacementFile&) = delete;

  // The stream to write (seekable).
  std::ostream& Stream();
  // The errno of the first failed write (0: none; on Windows ENOSPC for a
  // full disk, EIO for any other failure).
  int WriteError() const;
  // The system's text for the first failed write when it failed for want of
  // space (a full disk, a quota, a file too large), else "": a full disk is
  // told as such whatever the writer reported.
  std::string SpaceErrorText() const;
  // Flushes and puts the file in the target's place. Throws
  // EExportFileException naming the target and the cause.
  void Commit();
  bool Unnamed() const;

  // Whether the name is one of our temporary files (".~nabidka-<16 hex digits>.tmp").
  static bool IsTemporary(const std::filesystem::path& candidate);

 private:
  class TImpl;
  std::unique_ptr<TImpl> fImpl;
};

}  // namespace sheet
