#include "app/ArticleList.h"

#include "app/MainWindow.h"
#include "app/Paths.h"
#include "text/Conversion.h"
#include "text/Utf16.h"

namespace app {

namespace {

constexpr std::string_view kNoBreakSpace = "\xC2\xA0";

std::string WithoutNoBreakSpaces(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    if (s.substr(i, 2) == kNoBreakSpace) {
      i += 2;
    } else {
      out += s[i++];
    }
  }
  return out;
}

std::string TrimRightSpaces(std::string_view s) {
  std::size_t end = s.size();
  while (end > 0 && s[end - 1] == ' ') --end;
  return std::string(s.substr(0, end));
}

// The field that starts at byte `from` and runs to the next ';' (or the end);
// `next` becomes the byte index of that ';', or npos.
std::string_view FieldFrom(std::string_view line, std::size_t from, std::size_t& next) {
  if (from == std::string_view::npos || from > line.size()) {
    next = std::string_view::npos;
    return {};
  }
  next = line.find(';', from);
  return line.substr(from, next == std::string_view::npos ? std::string_view::npos : next - from);
}

std::size_t After(std::size_t separator) {
  return separator == std::string_view::npos ? std::string_view::npos : separator + 1;
}

}  // namespace

bool IsNumberedItemField(std::string_view field) {
  if (field.size() < 2 || field.back() != '.') return false;
  for (std::size_t i = 0; i + 1 < field.size(); ++i) {
    if (field[i] < '0' || field[i] > '9') return false;
  }
  return true;
}

TArticleLineKind ArticleLineKind(std::string_view line) {
  const std::size_t p = text::Utf16IndexOf(line, ';');
  if (p == 0) return TArticleLineKind::alkContinuation;
  if (p == std::u16string::npos) return TArticleLineKind::alkOther;
  if (p <= 3 || IsNumberedItemField(line.substr(0, line.find(';')))) return TArticleLineKind::alkItem;
  return TArticleLineKind::alkOther;
}

std::string FoldArticleLine(std::string_view line) {
  // Spaces are single bytes in UTF-8 and never part of another character,
  // so byte positions do here.
  const std::size_t last = line.rfind(' ');
  if (last == std::string_view::npos) return std::string(line);
  std::size_t runStart = last;
  while (runStart > 0 && line[runStart - 1] == ' ') --runStart;
  if (runStart == last) return std::string(line);
  std::string folded(line.substr(0, runStart + 1));
  folded += line.substr(last);
  return folded;
}

TTextList SplitArticleLines(std::string_view text, std::vector<int>* lineNumbers) {
  TTextList lines;
  std::string current;
  int number = 1;
  auto finish = [&] {
    if (!current.empty() && lineNumbers) lineNumbers->push_back(number);
    if (current.size() > kMaxArticleLineLength && text::Utf16Length(current) > kMaxArticleLineLength) {
      current = text::Utf16Left(current, kMaxArticleLineLength);
    }
    if (!current.empty()) {
      if (current.size() >= kFoldFromLength && text::Utf16Length(current) >= kFoldFromLength) {
        lines.Add(FoldArticleLine(current));
      } else {
        lines.Add(current);
      }
    }
    current.clear();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n' || c == '\r') {
      finish();
      ++number;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      current += c;
    }
  }
  if (!current.empty()) finish();
  return lines;
}

std::string ReduceCountText(std::string_view count) {
  if (count.size() > 3 && (count.ends_with(".00") || count.ends_with(",00"))) {
    return std::string(count.substr(0, count.size() - 3));
  }
  return std::string(count);
}

void TMainWindow::ReadArticleList(const std::string& path, TTextList& target,
                                  std::vector<TLineOrigin>* origins) const {
  const std::string bytes = NamingFile(path, [&] { return fFileSystem.ReadFile(path); });
  // A list saved again by an editor may come back as UTF-8 or UTF-16.
  std::vector<int> numbers;
  TTextList lines = SplitArticleLines(text::DecodeTextFileDetectingUtf8(bytes, fSettings.AnsiCodePage), &numbers);
  target.Assign(lines);
  if (!origins) return;
  const std::string file = ExtractFileName(path);
  origins->clear();
  for (int number : numbers) origins->push_back({file, number});
}

std::string TMainWindow::WhereItemIs(int item) const {
  const TOfferWorkspace& ws = Workspace;
  int imported = 0;
  if (!text::TryStrToInt(ws.ImportedItemCount, imported) || item < 0 || item >= imported ||
      !ws.ItemStartRows.Has(item) || ws.SourceOrigins.size() != ws.SourceLines.Count()) {
    return "";
  }
  // ArticleGrid row r holds SourceLines entry r - 1.
  const int index = ws.ItemStartRows.GetInt(item) - 1;
  if (index < 0 || index >= static_cast<int>(ws.SourceOrigins.size())) return "";
  const TLineOrigin& origin = ws.SourceOrigins[static_cast<std::size_t>(index)];
  const std::string number = (item + 1 < 10 ? "0" : "") + std::to_string(item + 1);
  return origin.File + ", řádek " + std::to_string(origin.Line) + ", položka " + number + ": ";
}

void TMainWindow::PrevodSeznamu2() {
  TOfferWorkspace& ws = Workspace;
  ws.ItemCount = "0";
  int k = 0;
  const std::size_t n = ws.SourceLines.Count();
  TTextGrid& grid = ws.ArticleGrid;
  // Cells left over from the previous list would otherwise show through in
  // columns a line of another kind does not write.
  grid.ClearCells().SetRowCount(n + 1);
  for (std::size_t r = 0; r < n; ++r) grid.SetCell(1, static_cast<std::ptrdiff_t>(r), "0");

  if (n > 0) {
    const std::string head = text::Utf16Left(ws.SourceLines.Get(0), 3);
    if (head == "Pos" || head == "Poř") {
      grid.SetCell(1, 1, "Pořadí")
          .SetCell(2, 1, "Popis prvku")
          .SetCell(3, 1, "Počet kusů")
          .SetCell(4, 1, "Cena")
          .SetCell(5, 1, "Cena celkem");
    }
  }

  for (std::size_t i = 1; i < n; ++i) {
    const std::string& line = ws.SourceLines.Get(static_cast<std::ptrdiff_t>(i));
    const auto r = static_cast<std::ptrdiff_t>(i + 1);
    const std::size_t p16 = text::Utf16IndexOf(line, ';');
    const long p = p16 == std::u16string::npos ? -1 : static_cast<long>(p16);
    const std::size_t first = line.find(';');  // byte index of the same ';'
    grid.SetCell(0, r, std::to_string(r)).SetCell(6, r, std::to_string(p));

    const TArticleLineKind kind = ArticleLineKind(line);
    if (kind == TArticleLineKind::alkContinuation) {
      grid.SetCell(2, r, line.substr(1));
    } else if (kind == TArticleLineKind::alkItem) {
      grid.SetCell(1, r, line.substr(0, first));
      // The last line is never visited as an item row, so it is not counted
      // either: the count must agree with the item list.
      if (i + 1 < n) {
        ++k;
        ws.ItemCount = std::to_string(k);
        ws.ImportedItemCount = ws.ItemCount;
      }
      std::size_t q2, q3, q4;
      const std::string_view view(line);
      grid.SetCell(2, r, TrimRightSpaces(FieldFrom(view, first + 1, q2)));
      grid.SetCell(3, r, ReduceCountText(FieldFrom(view, After(q2), q3)));
      grid.SetCell(4, r, WithoutNoBreakSpaces(FieldFrom(view, After(q3), q4)));
      grid.SetCell(5, r, q4 == std::string_view::npos ? std::string() : line.substr(q4 + 1));
    } else if (p >= 4) {
      grid.SetCell(2, r, text::Utf16Mid(std::string_view(line).substr(0, first), 1));
      grid.SetCell(5, r, line.substr(line.rfind(';') + 1));
    }
  }
  if (k == 0) {
    ws.ItemCount = "0";
    ws.ImportedItemCount = "0";
  }
}

}  // namespace app
