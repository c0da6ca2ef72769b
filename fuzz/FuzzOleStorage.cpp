// libFuzzer target: the compound-file reader on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "xls/OleStorage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    xls::TOleStorage storage;
    storage.OpenStreamForReading(bytes);
    std::string out;
    storage.ContainsNamedStream("Book");
    storage.LoadStream(out, "Workbook");
    for (const auto& entry : storage.Directory()) {
      std::string stream;
      storage.LoadStream(stream, entry.fName);
    }
  } catch (const std::runtime_error&) {
    // Every rejection is an exception of the reader; anything else would escape and abort.
  }
  return 0;
}
