#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "xlsx/ZipArchive.h"

namespace xlsx {

// The shared-string table: each distinct item (the complete XML of one <si>
// content) gets the next index, in the order items are first added.
class TXLSXSharedStrings_Export {
 public:
  // Progress while writing: (item index, item count) at every 10,000th item, then (1, 1).
  using TProgress = std::function<void(std::size_t, std::size_t)>;

  // Adds a plain text; returns its index. Equal texts share one index.
  std::uint32_t Add(std::string_view text);
  std::size_t Count() const { return fItems.size(); }
  const std::string& Item(std::size_t index) const { return fItems.at(index); }

  // Writes xl/sharedStrings.xml (nothing when the table is empty).
  void ExportXLSX(TZipArchive& archive, const TProgress& progress = {}) const;

 private:
  std::deque<std::string> fItems;
  std::unordered_map<std::string_view, std::uint32_t> fIndex;
  std::string fScratch;
};

}  // namespace xlsx
