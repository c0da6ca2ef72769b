#pragma once

#include <string_view>

namespace nabidka_fuzz {

// One article list through the whole offer on an in-memory file system:
// reading and folding, the pipeline, a few window commands chosen by the
// input's last byte (selection, count and price edits, moves, additional
// items, an append of the same list), the composition of both layouts and
// the XLSX save into memory. Expected failures (conversion and list errors,
// the model's and the writer's errors) are swallowed; anything else is a find.
void RunArticleList(std::string_view bytes);

}  // namespace nabidka_fuzz
