// libFuzzer target: the whole XLS load. Inputs that start like a compound
// file go the full way from the file's bytes; other inputs are taken as a bare
// workbook stream, so the fuzzer also reaches the records without having to
// build a valid compound file first.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "XlsLoadEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    nabidka_fuzz::LoadXls(bytes);
  } catch (const std::runtime_error&) {
  }
  return 0;
}
