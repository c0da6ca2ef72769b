#include "xlsx/SharedStrings.h"

#include "xlsx/TextWriter.h"
#include "xlsx/XmlText.h"

namespace xlsx {

std::uint32_t TXLSXSharedStrings_Export::Add(std::string_view text) {
  fScratch.clear();
  fScratch += NeedsSpacePreserve(text) ? "<t xml:space=\"preserve\">" : "<t>";
  AppendCellText(fScratch, text);
  fScratch += "</t>";
  const auto it = fIndex.find(fScratch);
  if (it != fIndex.end()) return it->second;
  const auto index = static_cast<std::uint32_t>(fItems.size());
  fItems.push_back(fScratch);
  fIndex.emplace(fItems.back(), index);
  return index;
}

void TXLSXSharedStrings_Export::ExportXLSX(TZipArchive& archive, const TProgress& progress) const {
  if (fItems.empty()) return;
  TZipEntryStream* entry = archive.AddFromExternalStreamPrepare("xl\\sharedStrings.xml", TZipCompression::zcDeflate);
  if (!entry) return;
  try {
    TTextWriter writer;
    writer.InitStream(*entry, false);
    const std::string count = IntText(static_cast<long long>(fItems.size()));
    writer.WriteString("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
                       "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"");
    writer.WriteString(count);
    writer.WriteString("\" uniqueCount=\"");
    writer.WriteString(count);
    writer.WriteString("\">");
    for (std::size_t i = 0; i < fItems.size(); ++i) {
      if (progress && i % 10000 == 0) progress(i, fItems.size());
      writer.WriteString("<si>");
      writer.WriteString(fItems[i]);
      writer.WriteString("</si>");
    }
    writer.WriteString("</sst>");
    writer.ReleaseDocument();
  } catch (...) {
    try { archive.AddFromExternalStreamFinish(); } catch (...) {}
    throw;
  }
  archive.AddFromExternalStreamFinish();
  if (progress) progress(1, 1);
}

}  // namespace xlsx
