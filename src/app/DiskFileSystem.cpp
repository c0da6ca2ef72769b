#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "app/FileSystem.h"
#include "app/TextOrder.h"
#include "text/LocalTime.h"
#include "text/PathText.h"
#include "text/StreamBytes.h"

namespace app {

namespace fs = std::filesystem;

namespace {

fs::path ToPath(const std::string& utf8) { return text::PathFromUtf8(utf8); }
std::string ToUtf8(const fs::path& p) { return text::Utf8FromPath(p); }

int CodeOf(const std::error_code& ec) {
  if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted) return EInOutError::kAccessDenied;
  if (ec == std::errc::no_such_file_or_directory) return EInOutError::kFileNotFound;
  if (ec == std::errc::not_a_directory) return EInOutError::kPathNotFound;
  return ec.value() > 0 ? ec.value() : EInOutError::kFileNotFound;
}

int CodeOfErrno(int err) { return CodeOf(std::error_code(err, std::generic_category())); }

}  // namespace

EInOutError::EInOutError(int code)
    : std::runtime_error(code == kAccessDenied ? std::string("File access denied")
                                               : "I/O error " + std::to_string(code)),
      fCode(code) {}

bool TDiskFileSystem::FileExists(const std::string& path) const {
  std::error_code ec;
  return fs::is_regular_file(ToPath(path), ec);
}

bool TDiskFileSystem::DirectoryExists(const std::string& path) const {
  std::error_code ec;
  return fs::is_directory(ToPath(path), ec);
}

std::vector<std::string> TDiskFileSystem::ListFiles(const std::string& folder, const std::string& mask) const {
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(ToPath(folder), ec);
  if (ec) throw EInOutError(ec == std::errc::no_such_file_or_directory ? EInOutError::kPathNotFound : CodeOf(ec));
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code fileEc;
    if (!it->is_regular_file(fileEc)) continue;
    std::string name = ToUtf8(it->path().filename());
    if (MatchesMask(name, mask)) names.push_back(std::move(name));
  }
  if (ec) throw EInOutError(CodeOf(ec));
  return names;
}

std::vector<std::string> TDiskFileSystem::ListSubFolders(const std::string& folder) const {
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(ToPath(folder), ec);
  if (ec) throw EInOutError(ec == std::errc::no_such_file_or_directory ? EInOutError::kPathNotFound : CodeOf(ec));
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code dirEc;
    if (it->is_directory(dirEc)) names.push_back(ToUtf8(it->path().filename()));
  }
  if (ec) throw EInOutError(CodeOf(ec));
  return names;
}

std::optional<TLocalDateTime> TDiskFileSystem::LastWriteTime(const std::string& path) const {
  const std::optional<std::tm> local = text::FileLastWriteLocalTime(ToPath(path));
  if (!local) return std::nullopt;
  return TLocalDateTime{local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
                        local->tm_hour,        local->tm_min,      local->tm_sec};
}

namespace {

// The file opened for reading, with the runtime's error codes: a folder is
// refused access, a missing file is not found.
std::ifstream OpenForReading(const fs::path& path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) throw EInOutError(EInOutError::kAccessDenied);
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EInOutError(errno != 0 ? CodeOfErrno(errno) : EInOutError::kFileNotFound);
  return in;
}

}  // namespace

std::string TDiskFileSystem::ReadFile(const std::string& path) const {
  std::ifstream in = OpenForReading(ToPath(path));
  std::string bytes = text::ReadAll(in);
  if (in.bad()) throw EInOutError(100);
  return bytes;
}

std::string TDiskFileSystem::ReadFileHead(const std::string& path, std::size_t maxBytes) const {
  std::ifstream in = OpenForReading(ToPath(path));
  std::string bytes(maxBytes, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(maxBytes));
  if (in.bad()) throw EInOutError(100);
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

std::string TDiskFileSystem::ReadFileTail(const std::string& path, std::size_t maxBytes) const {
  std::ifstream in = OpenForReading(ToPath(path));
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  const std::streamoff from = size > static_cast<std::streamoff>(maxBytes) ? size - static_cast<std::streamoff>(maxBytes) : 0;
  in.seekg(from);
  std::string bytes(static_cast<std::size_t>(size - from), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) throw EInOutError(100);
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

void TDiskFileSystem::WriteFile(const std::string& path, const std::string& bytes) {
  const fs::path target = ToPath(path);
  fs::path temp = target;
  temp += ".tmp~";
  {
    errno = 0;
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    // Creating a file, "no such file" means a folder on the way is missing.
    if (!out) {
      throw EInOutError(errno == 0 || errno == ENOENT || errno == ENOTDIR ? EInOutError::kPathNotFound
                                                                         : CodeOfErrno(errno));
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignore;
      fs::remove(temp, ignore);
      throw EInOutError(101);
    }
  }
  std::error_code ec;
  fs::rename(temp, target, ec);
  if (ec) {
    std::error_code ignore;
    fs::remove(temp, ignore);
    throw EInOutError(CodeOf(ec));
  }
}

void TDiskFileSystem::DeleteFile(const std::string& path) {
  std::error_code ec;
  if (!fs::remove(ToPath(path), ec) || ec) throw EInOutError(ec ? CodeOf(ec) : EInOutError::kFileNotFound);
}

}  // namespace app
