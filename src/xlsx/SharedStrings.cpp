#include "xlsx/SharedStrings.h"

#include <functional>

#include "xlsx/DeflatedChunks.h"
#include "xlsx/PackageParts.h"
#include "xlsx/XmlText.h"

namespace xlsx {

void TXLSXSharedStrings_Export::AppendItem(std::string& out, std::string_view text) {
  out += NeedsSpacePreserve(text) ? "<t xml:space=\"preserve\">" : "<t>";
  AppendCellText(out, text);
  out += "</t>";
}

std::string TXLSXSharedStrings_Export::Item(std::size_t index) const {
  std::string out;
  AppendItem(out, fTexts.at(index));
  return out;
}

void TXLSXSharedStrings_Export::Grow() {
  std::vector<std::uint32_t> slots(fSlots.empty() ? 1024 : fSlots.size() * 2, 0);
  const std::size_t mask = slots.size() - 1;
  for (std::uint32_t item = 0; item < fHashes.size(); ++item) {
    std::size_t i = fHashes[item] & mask;
    while (slots[i]) i = (i + 1) & mask;
    slots[i] = item + 1;
  }
  fSlots.swap(slots);
}

std::uint32_t TXLSXSharedStrings_Export::Add(std::string_view text) {
  if ((fTexts.size() + 1) * 2 > fSlots.size()) Grow();
  const std::uint64_t hash = std::hash<std::string_view>()(text);
  const std::size_t mask = fSlots.size() - 1;
  std::size_t i = hash & mask;
  for (; fSlots[i]; i = (i + 1) & mask) {
    const std::uint32_t item = fSlots[i] - 1;
    if (fHashes[item] == hash && fTexts[item] == text) return item;
  }
  const auto index = static_cast<std::uint32_t>(fTexts.size());
  fTexts.emplace_back(text);
  fHashes.push_back(hash);
  fSlots[i] = index + 1;
  return index;
}

void TXLSXSharedStrings_Export::ExportXLSX(TZipArchive& archive, const TProgress& progress, bool threaded) const {
  if (fTexts.empty()) return;
  // Items go into deflated chunks of 10,000 (compressed on a worker while
  // the next are made), which are then spliced into the entry.
  TDeflatedChunks chunks(threaded);
  std::string& buf = chunks.Buffer();
  const std::string count = IntText(static_cast<long long>(fTexts.size()));
  buf += kXmlDeclarationLine;
  buf += "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"";
  buf += count;
  buf += "\" uniqueCount=\"";
  buf += count;
  buf += "\">";
  for (std::size_t i = 0; i < fTexts.size(); ++i) {
    if (i % kChunkItems == 0) {
      if (i > 0) chunks.CloseChunk();
      if (progress) progress(i, fTexts.size());
    }
    buf += "<si>";
    AppendItem(buf, fTexts[i]);
    buf += "</si>";
  }
  buf += "</sst>";
  chunks.Finish();
  TZipEntryStream* entry = archive.AddFromExternalStreamPrepare("xl\\sharedStrings.xml", TZipCompression::zcDeflate);
  if (!entry) return;
  try {
    chunks.WriteTo(*entry);
  } catch (...) {
    try { archive.AddFromExternalStreamFinish(); } catch (...) {}
    throw;
  }
  archive.AddFromExternalStreamFinish();
  if (progress) progress(1, 1);
}

}  // namespace xlsx
