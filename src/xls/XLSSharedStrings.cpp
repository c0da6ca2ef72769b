#include "xls/XLSSharedStrings.h"

#include <algorithm>
#include <stdexcept>

#include "xls/BiffContinue.h"
#include "xls/BiffRecords.h"

namespace xls {

std::string_view TXLSSharedStrings_Import::GetS(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("shared string index");
  const std::size_t i = static_cast<std::size_t>(index);
  const std::size_t start = i == 0 ? 0 : fEnds[i - 1];
  return std::string_view(fTexts).substr(start, fEnds[i] - start);
}

std::string_view TXLSSharedStrings_Import::RichTextTags(int index) const {
  auto it = std::lower_bound(fRuns.begin(), fRuns.end(), index,
                             [](const std::pair<int, std::string>& runs, int i) { return runs.first < i; });
  return it != fRuns.end() && it->first == index ? std::string_view(it->second) : std::string_view();
}

void TXLSSharedStrings_Import::ImportXLS(std::string_view workbookStream, std::size_t recordOffset) {
  if (!fEnds.empty()) return;
  TBiffRecordReader reader(workbookStream, recordOffset);
  TBiffRecord record;
  if (!reader.Next(record) || record.fType != rt::SST) return;
  TBiffContinueCursor cursor(reader, record.fData);
  cursor.U32();  // total count of references
  std::uint32_t unique = cursor.U32();
  // The count is not trusted for reserving: every string takes at least 3 bytes.
  fEnds.reserve(std::min<std::size_t>(unique, workbookStream.size() / 3));
  std::string runs;
  for (std::uint32_t i = 0; i < unique; ++i) {
    std::size_t count = cursor.U16();
    runs.clear();
    cursor.ReadString(count, fTexts, &runs);
    fEnds.push_back(fTexts.size());
    if (!runs.empty()) fRuns.emplace_back(Count() - 1, runs);
  }
}

}  // namespace xls
