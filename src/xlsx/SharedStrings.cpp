#include "xlsx/SharedStrings.h"

#include <functional>

#include "xlsx/DeflatedChunks.h"
#include "xlsx/PackageParts.h"
#include "xlsx/XmlText.h"
#include "xlsx/XmlWriter.h"

namespace xlsx {

// <t> of an item, keeping its white space where readers would drop it.
void TXLSXSharedStrings_Export::WriteItemText(TXMLWriter& w, std::string_view text) {
  w.Start("t");
  if (NeedsSpacePreserve(text)) w.Attribute("xml:space", "preserve");
  w.EndStart();
  w.CellText(text);
  w.End("t");
}

std::string TXLSXSharedStrings_Export::Item(std::size_t index) const {
  std::string out;
  TXMLWriter w(out);
  WriteItemText(w, fTexts.at(index));
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

// <sst> with one <si> per item, in deflated chunks of 10,000 items
// (compressed on a worker while the next are made), then spliced into the entry.
void TXLSXSharedStrings_Export::ExportXLSX(TZipArchive& archive, const TProgress& progress, bool threaded) const {
  if (fTexts.empty()) return;
  TDeflatedChunks chunks(threaded);
  TXMLWriter w(chunks.Buffer());
  w.Raw(kXmlDeclarationLine);
  w.Start("sst").Attribute("xmlns", ns::kMain).Attribute("count", fTexts.size()).Attribute("uniqueCount", fTexts.size());
  w.EndStart();
  for (std::size_t i = 0; i < fTexts.size(); ++i) {
    if (i % kChunkItems == 0) {
      if (i > 0) chunks.CloseChunk();
      if (progress) progress(i, fTexts.size());
    }
    w.Start("si").EndStart();
    WriteItemText(w, fTexts[i]);
    w.End("si");
  }
  w.End("sst");
  chunks.Finish();
  archive.AddFromWriter("xl\\sharedStrings.xml", [&](TZipEntryStream& entry) { chunks.WriteTo(entry); });
  if (progress) progress(1, 1);
}

}  // namespace xlsx
