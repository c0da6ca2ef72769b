#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "xlsx/ZipArchive.h"

namespace xlsx {

class TXMLWriter;

// The shared-string table: each distinct item (the complete XML of one <si>
// content) gets the next index, in the order items are first added.
class TXLSXSharedStrings_Export {
 public:
  // Progress while writing: (item index, item count) at every 10,000th item, then (1, 1).
  using TProgress = std::function<void(std::size_t, std::size_t)>;

  // Adds a plain text; returns its index. Equal texts share one index.
  std::uint32_t Add(std::string_view text);
  std::size_t Count() const { return fTexts.size(); }
  // The XML of item `index`: <t> (with xml:space="preserve" when needed) and the escaped text.
  std::string Item(std::size_t index) const;

  // Writes xl/sharedStrings.xml (nothing when the table is empty).
  void ExportXLSX(TZipArchive& archive, const TProgress& progress = {}, bool threaded = true) const;
  static constexpr std::size_t kChunkItems = 10000;

 private:
  // A plain text's item is a function of the text alone, so the texts
  // themselves key the table and the item XML is made only when written.
  static void WriteItemText(TXMLWriter& w, std::string_view text);

  void Grow();

  std::deque<std::string> fTexts;
  std::vector<std::uint64_t> fHashes;  // per item
  // Open addressing: item index + 1 per slot, 0 = free; at most half full.
  std::vector<std::uint32_t> fSlots;
};

}  // namespace xlsx
