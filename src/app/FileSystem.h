#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// What the offer logic reads and writes on its own goes through TFileSystem,
// so that it runs against an in-memory fake in tests and against the disk in
// the programs: folder listings, article lists, the table description, the
// customer list, pictures shown in the window and the headers read for their
// sizes. Two accesses do not, since the workbook layers below know no
// TFileSystem: the exported workbook is written to disk by the model's save
// (a replacement file, see sheet/ReplacementFile.h), and the pictures placed
// in it are read from disk when the workbook is saved.
namespace app {

// An input/output failure, with the runtime's messages: "File access denied"
// when the system refuses access, "I/O error %d" otherwise (2: file not
// found, 3: path not found).
class EInOutError : public std::runtime_error {
 public:
  explicit EInOutError(int code);
  EInOutError(int code, const std::string& message) : std::runtime_error(message), fCode(code) {}
  int Code() const { return fCode; }

  static constexpr int kFileNotFound = 2;
  static constexpr int kPathNotFound = 3;
  static constexpr int kAccessDenied = 5;

 private:
  int fCode;
};

// Runs `body`; an EInOutError it raises comes out naming the file after the
// runtime's message ("File access denied: /lists/K.csv"), so that the error
// box says which file the failure concerns.
template <class TBody>
auto NamingFile(const std::string& path, TBody&& body) -> decltype(body()) {
  try {
    return body();
  } catch (const EInOutError& error) {
    throw EInOutError(error.Code(), std::string(error.what()) + ": " + path);
  }
}

// A wall-clock time in the local time zone.
struct TLocalDateTime {
  int Year = 1980;
  int Month = 1;
  int Day = 1;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  bool operator==(const TLocalDateTime&) const = default;
};

class TFileSystem {
 public:
  virtual ~TFileSystem() = default;

  virtual bool FileExists(const std::string& path) const = 0;
  virtual bool DirectoryExists(const std::string& path) const = 0;
  // Names (without folder) of the files in `folder` that match `mask`, in no
  // particular order. Throws EInOutError when the folder cannot be listed.
  virtual std::vector<std::string> ListFiles(const std::string& folder, const std::string& mask) const = 0;
  // Names of the sub-folders of `folder`, in no particular order.
  virtual std::vector<std::string> ListSubFolders(const std::string& folder) const = 0;
  // Last-write time in local time; nothing when it cannot be read.
  virtual std::optional<TLocalDateTime> LastWriteTime(const std::string& path) const = 0;
  // The whole file. Throws EInOutError.
  virtual std::string ReadFile(const std::string& path) const = 0;
  // At most the first maxBytes bytes of the file (a picture's header).
  virtual std::string ReadFileHead(const std::string& path, std::size_t maxBytes) const {
    std::string bytes = ReadFile(path);
    if (bytes.size() > maxBytes) bytes.resize(maxBytes);
    return bytes;
  }
  // At most the last maxBytes bytes of the file (whether a picture is whole).
  virtual std::string ReadFileTail(const std::string& path, std::size_t maxBytes) const {
    std::string bytes = ReadFile(path);
    return bytes.size() > maxBytes ? bytes.substr(bytes.size() - maxBytes) : bytes;
  }
  // Replaces the file as a whole: a failure leaves the old file in place.
  virtual void WriteFile(const std::string& path, const std::string& bytes) = 0;
  virtual void DeleteFile(const std::string& path) = 0;
};

// The real disk, through std::filesystem. Paths are UTF-8.
class TDiskFileSystem : public TFileSystem {
 public:
  bool FileExists(const std::string& path) const override;
  bool DirectoryExists(const std::string& path) const override;
  std::vector<std::string> ListFiles(const std::string& folder, const std::string& mask) const override;
  std::vector<std::string> ListSubFolders(const std::string& folder) const override;
  std::optional<TLocalDateTime> LastWriteTime(const std::string& path) const override;
  std::string ReadFile(const std::string& path) const override;
  std::string ReadFileHead(const std::string& path, std::size_t maxBytes) const override;
  std::string ReadFileTail(const std::string& path, std::size_t maxBytes) const override;
  void WriteFile(const std::string& path, const std::string& bytes) override;
  void DeleteFile(const std::string& path) override;
};

}  // namespace app
