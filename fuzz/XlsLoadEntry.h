#pragma once

#include <string_view>

namespace nabidka_fuzz {
// Loads a compound file, or a bare workbook stream, as the application does.
void LoadXls(std::string_view bytes);
}  // namespace nabidka_fuzz
