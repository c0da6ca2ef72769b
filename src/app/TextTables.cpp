#include "app/TextTables.h"

#include "text/Conversion.h"

namespace app {

namespace {
const std::string kEmpty;
}

const std::string& TTextList::Get(std::ptrdiff_t index) const {
  if (!Has(index)) throw text::EListError(index);
  return fEntries[static_cast<std::size_t>(index)];
}

int TTextList::GetInt(std::ptrdiff_t index) const { return text::StrToInt(Get(index)); }

TTextList& TTextList::Set(std::ptrdiff_t index, std::string value) {
  if (!Has(index)) throw text::EListError(index);
  fEntries[static_cast<std::size_t>(index)] = std::move(value);
  return *this;
}

TTextList& TTextList::Add(std::string value) {
  fEntries.push_back(std::move(value));
  return *this;
}

TTextList& TTextList::Clear() {
  fEntries.clear();
  return *this;
}

TTextList& TTextList::Assign(const TTextList& other) {
  if (this != &other) fEntries = other.fEntries;
  return *this;
}

TTextGrid::TTextGrid(std::size_t colCount, std::size_t rowCount) : fColCount(colCount), fRowCount(rowCount) {}

TTextGrid& TTextGrid::SetRowCount(std::size_t rows) {
  fRowCount = rows;
  if (fRows.size() > rows) fRows.resize(rows);
  return *this;
}

TTextGrid& TTextGrid::SetColCount(std::size_t cols) {
  fColCount = cols;
  for (auto& row : fRows)
    if (row.size() > cols) row.resize(cols);
  return *this;
}

// The rows and their texts keep their storage: every pipeline run clears and
// refills the grids, and reallocating them dominated a run.
TTextGrid& TTextGrid::ClearCells() {
  for (auto& row : fRows) {
    for (auto& cell : row) cell.clear();
  }
  return *this;
}

const std::string& TTextGrid::Cell(std::ptrdiff_t col, std::ptrdiff_t row) const {
  if (row < 0 || col < 0) return kEmpty;
  const auto r = static_cast<std::size_t>(row);
  const auto c = static_cast<std::size_t>(col);
  if (r >= fRows.size() || c >= fRows[r].size()) return kEmpty;
  return fRows[r][c];
}

TTextGrid& TTextGrid::SetCell(std::ptrdiff_t col, std::ptrdiff_t row, std::string value) {
  if (row < 0 || static_cast<std::size_t>(row) >= fRowCount) throw text::EListError(row);
  if (col < 0 || static_cast<std::size_t>(col) >= fColCount) throw text::EListError(col);
  const auto r = static_cast<std::size_t>(row);
  const auto c = static_cast<std::size_t>(col);
  if (fRows.size() <= r) fRows.resize(r + 1);
  if (fRows[r].size() <= c) fRows[r].resize(fColCount);
  std::string& cell = fRows[r][c];
  if (cell.capacity() >= value.size()) {
    cell.assign(value);  // reuses the cell's storage
  } else {
    cell = std::move(value);
  }
  return *this;
}

}  // namespace app
