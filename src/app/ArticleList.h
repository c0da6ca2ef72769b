#pragma once

#include <string>
#include <string_view>

#include "app/TextTables.h"

// The article-list text format the furniture planner writes: one line per
// element row, fields separated by ';' without quoting. Lengths count UTF-16
// code units.
namespace app {

inline constexpr std::size_t kMaxArticleLineLength = 512;  // the rest of a longer line is dropped
inline constexpr std::size_t kFoldFromLength = 226;        // lines this long or longer are folded

// The position of the first ';' (UTF-16 index) tells the line kinds apart.
enum class TArticleLineKind { alkItem, alkContinuation, alkOther };
TArticleLineKind ArticleLineKind(std::string_view line);

// Shrinks the run of spaces that ends at the line's last space to two spaces,
// when the run has at least two; any other line comes back unchanged.
std::string FoldArticleLine(std::string_view line);

// Splits decoded text into the non-empty lines of an article list, cut to
// kMaxArticleLineLength and folded. Lines end with LF or CR LF; a lone CR is dropped.
TTextList SplitArticleLines(std::string_view text);

// The count field as the parser keeps it: «2.00» gives «2», «12,00» gives
// «12»; a text of any other length than 4 or 5 stays unchanged.
std::string ReduceCountText(std::string_view count);

}  // namespace app
