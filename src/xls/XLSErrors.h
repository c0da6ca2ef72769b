#pragma once

#include <stdexcept>
#include <string>

// Errors of the compound-file and workbook readers. The readers never catch
// them; the caller decides what to show.
namespace xls {

inline constexpr const char* kMsgCouldNotOpen = "The file could not be opened.";
inline constexpr const char* kMsgNotValidXls = "The file is not a valid XLS (Excel 97-2003) file.";
inline constexpr const char* kMsgExpectedContinue = "Expected CONTINUE not found.";
inline constexpr const char* kMsgStreamRead = "Stream read error";
inline constexpr const char* kMsgEncrypted = "The file is password-protected (encrypted) and can't be opened.";

// The compound file is not one, or its structure is broken.
class EOleStorageException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A shared string continues into a record that is not a CONTINUE record.
class EXLSSharedStrings : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Data ends before what a record or structure announces (truncated file).
class EStreamReadError : public std::runtime_error {
 public:
  EStreamReadError() : std::runtime_error(kMsgStreamRead) {}
  explicit EStreamReadError(const std::string& what) : std::runtime_error(what) {}
};

// The workbook is encrypted (FILEPASS); nothing after that record is readable.
class EXLSEncrypted : public std::runtime_error {
 public:
  EXLSEncrypted() : std::runtime_error(kMsgEncrypted) {}
};

}  // namespace xls
