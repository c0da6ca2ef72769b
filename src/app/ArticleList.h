#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/TextTables.h"

// The article-list text format the furniture planner writes: one line per
// element row, fields separated by ';' without quoting. Lengths count UTF-16
// code units.
namespace app {

inline constexpr std::size_t kMaxArticleLineLength = 512;  // the rest of a longer line is dropped
inline constexpr std::size_t kFoldFromLength = 226;        // lines this long or longer are folded

// The position of the first ';' (UTF-16 index) tells the line kinds apart:
// at 0 a continuation line, at 1 to 3 an item line. A first field that is a
// whole number followed by "." («100.», «1234.») also makes an item line, so
// that lists of 100 items and more keep every item.
enum class TArticleLineKind { alkItem, alkContinuation, alkOther };
bool IsNumberedItemField(std::string_view field);
TArticleLineKind ArticleLineKind(std::string_view line);

// Shrinks the run of spaces that ends at the line's last space to two spaces,
// when the run has at least two; any other line comes back unchanged.
std::string FoldArticleLine(std::string_view line);

// Splits decoded text into the non-empty lines of an article list, cut to
// kMaxArticleLineLength and folded. CR LF, LF and a lone CR each end a line.
// `lineNumbers`, when given, gets the number (from 1) of each kept line.
TTextList SplitArticleLines(std::string_view text, std::vector<int>* lineNumbers = nullptr);

// The count field as the parser keeps it: a trailing «.00» or «,00» is
// dropped («2.00» gives «2», «100,00» gives «100»); any other text, a plain
// whole number included, stays unchanged.
std::string ReduceCountText(std::string_view count);

}  // namespace app
