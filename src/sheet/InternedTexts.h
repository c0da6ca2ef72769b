#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sheet {

// Process-wide pool of texts that many cells repeat (number formats): a cell
// keeps a 4-byte id instead of its own string. Entries live until the process
// ends, so references returned by Get stay valid; the pool only grows by
// distinct texts, of which a workbook has a handful.
class TInternedTexts {
 public:
  // Id of aText, added when new; the empty text is always id 0.
  static std::uint32_t Intern(std::string_view aText);
  // The text of an id returned by Intern. Safe to call while other threads intern.
  static const std::string& Get(std::uint32_t aId);
};

}  // namespace sheet
