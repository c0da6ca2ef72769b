#include "text/LocalTime.h"

#include <sys/stat.h>

namespace text {

std::tm LocalTimeOf(std::time_t moment) {
  std::tm local{};
  localtime_r(&moment, &local);
  return local;
}

std::optional<std::tm> FileLastWriteLocalTime(const std::filesystem::path& file) {
  struct stat status {};
  if (::stat(file.c_str(), &status) != 0) return std::nullopt;
  std::tm local{};
  if (localtime_r(&status.st_mtime, &local) == nullptr) return std::nullopt;
  return local;
}

}  // namespace text
