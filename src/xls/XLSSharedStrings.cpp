#include "xls/XLSSharedStrings.h"

#include "xls/BiffContinue.h"
#include "xls/BiffRecords.h"

namespace xls {

void TXLSSharedStrings_Import::Add(std::string text, std::string richTextTags) {
  fEntries.push_back({std::move(text), std::move(richTextTags)});
}

void TXLSSharedStrings_Import::ImportXLS(std::string_view workbookStream, std::size_t recordOffset) {
  if (!fEntries.empty()) return;
  TBiffRecordReader reader(workbookStream, recordOffset);
  TBiffRecord record;
  if (!reader.Next(record) || record.fType != rt::SST) return;
  TBiffContinueCursor cursor(reader, record.fData);
  cursor.U32();  // total count of references
  std::uint32_t unique = cursor.U32();
  // The count is not trusted for reserving: every string takes at least 3 bytes.
  fEntries.reserve(std::min<std::size_t>(unique, workbookStream.size() / 3));
  for (std::uint32_t i = 0; i < unique; ++i) {
    std::size_t count = cursor.U16();
    TXLSSharedStrings_ImportEntry entry;
    cursor.ReadString(count, entry.fText, &entry.fRichTextTags);
    fEntries.push_back(std::move(entry));
  }
}

}  // namespace xls
