#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace xls {

struct TXLSSharedStrings_ImportEntry {
  std::string fText;          // UTF-8
  std::string fRichTextTags;  // raw formatting runs: first character and font index, 16 bits each
  std::size_t RichTextTagsLength() const { return fRichTextTags.size() / 4; }
};

// The workbook's shared-string table (SST record and its CONTINUE records).
class TXLSSharedStrings_Import {
 public:
  void Add(std::string text, std::string richTextTags = {});
  int Count() const { return static_cast<int>(fEntries.size()); }
  const TXLSSharedStrings_ImportEntry& GetI(int index) const { return fEntries.at(index); }
  const std::string& GetS(int index) const { return fEntries.at(index).fText; }
  void SetS(int index, std::string text) { fEntries.at(index).fText = std::move(text); }
  void Clear() { fEntries.clear(); }

  // Reads the SST record that starts at `recordOffset` in the workbook stream,
  // with its CONTINUE records. Only an empty table is filled. Raises
  // EXLSSharedStrings when a string continues into a record that is not
  // CONTINUE, EStreamReadError when a record runs past the stream.
  void ImportXLS(std::string_view workbookStream, std::size_t recordOffset);

 private:
  std::vector<TXLSSharedStrings_ImportEntry> fEntries;
};

}  // namespace xls
