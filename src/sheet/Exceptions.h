#pragma once

#include <stdexcept>
#include <string>

namespace sheet {

// Misuse of the document model and failures of its file formats. The model
// never catches these itself; the caller decides what to show.
class EExportException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file name the model cannot work with (no extension, unknown extension).
class EExportFileNameException : public EExportException {
 public:
  using EExportException::EExportException;
};

// A file that cannot be created, opened or read.
class EExportFileException : public EExportException {
 public:
  using EExportException::EExportException;
};

}  // namespace sheet
