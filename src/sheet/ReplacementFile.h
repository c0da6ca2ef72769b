#pragma once

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

namespace sheet {

// A new file that replaces `target` only when it is complete. On Linux it is
// written as an unnamed file in the target's folder (O_TMPFILE) and gets a
// name only at Commit: a killed save leaves nothing behind. Where the file
// system cannot do that, it is a named temporary file beside the target,
// removed on failure, on destruction and on SIGINT/SIGTERM. A successful
// Commit also removes stale temporary files of ours for the same target that
// an earlier crash left.
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

  // The name pattern of our named temporary files for a target: target + ".~<digits>.tmp".
  static bool IsTemporaryFor(const std::filesystem::path& candidate, const std::filesystem::path& target);

 private:
  class TImpl;
  std::unique_ptr<TImpl> fImpl;
};

}  // namespace sheet
