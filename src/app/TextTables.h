#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The offer keeps all of its state as texts: lists of texts and grids of text
// cells. Numbers stay decimal texts until a step converts them, so a bad
// number surfaces as a conversion error naming the text.
namespace app {

// An ordered list of texts. Reading or replacing an entry outside the list
// raises text::EListError ("List index out of bounds (%d)").
class TTextList {
 public:
  TTextList() = default;
  TTextList(std::initializer_list<std::string> entries) : fEntries(entries) {}

  std::size_t Count() const { return fEntries.size(); }
  bool Empty() const { return fEntries.empty(); }
  const std::string& Get(std::ptrdiff_t index) const;
  // Entry `index` as a decimal integer ("'%s' is not a valid integer value" when it is not one).
  int GetInt(std::ptrdiff_t index) const;
  bool Has(std::ptrdiff_t index) const { return index >= 0 && static_cast<std::size_t>(index) < fEntries.size(); }
  TTextList& Set(std::ptrdiff_t index, std::string value);
  TTextList& Add(std::string value);
  TTextList& Clear();
  TTextList& Assign(const TTextList& other);
  const std::string& Last() const { return Get(static_cast<std::ptrdiff_t>(fEntries.size()) - 1); }

  const std::vector<std::string>& Entries() const { return fEntries; }
  auto begin() const { return fEntries.begin(); }
  auto end() const { return fEntries.end(); }
  bool operator==(const TTextList&) const = default;

 private:
  std::vector<std::string> fEntries;
};

// A grid of text cells, rows and columns numbered from 0. A cell that was
// never written, or that lies outside the grid, reads as the empty text.
// Writing outside the grid raises text::EListError: every writer sizes its
// grid first.
class TTextGrid {
 public:
  TTextGrid(std::size_t colCount, std::size_t rowCount);

  std::size_t RowCount() const { return fRowCount; }
  std::size_t ColCount() const { return fColCount; }
  // Resizing keeps the cells that stay inside the grid.
  TTextGrid& SetRowCount(std::size_t rows);
  TTextGrid& SetColCount(std::size_t cols);
  // Empties every cell, keeping the size.
  TTextGrid& ClearCells();

  const std::string& Cell(std::ptrdiff_t col, std::ptrdiff_t row) const;
  TTextGrid& SetCell(std::ptrdiff_t col, std::ptrdiff_t row, std::string value);

 private:
  std::size_t fColCount;
  std::size_t fRowCount;
  std::vector<std::vector<std::string>> fRows;  // rows are filled lazily
};

}  // namespace app
