#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace xls {

// The workbook's shared-string table (SST record and its CONTINUE records).
// A customer list brings thousands of short strings: they are kept end to end
// in one buffer rather than each in a string of its own, and the few
// formatting runs aside.
class TXLSSharedStrings_Import {
 public:
  int Count() const { return static_cast<int>(fEnds.size()); }
  // The UTF-8 text of string `index`; std::out_of_range outside 0 ... Count-1.
  std::string_view GetS(int index) const;
  // Its raw formatting runs: first character and font index, 16 bits each.
  std::string_view RichTextTags(int index) const;
  std::size_t RichTextTagsLength(int index) const { return RichTextTags(index).size() / 4; }

  // Reads the SST record that starts at `recordOffset` in the workbook stream,
  // with its CONTINUE records. Only an empty table is filled. Raises
  // EXLSSharedStrings when a string continues into a record that is not
  // CONTINUE, EStreamReadError when a record runs past the stream.
  void ImportXLS(std::string_view workbookStream, std::size_t recordOffset);

 private:
  std::string fTexts;
  std::vector<std::size_t> fEnds;  // where each string ends in fTexts
  std::vector<std::pair<int, std::string>> fRuns;  // by ascending string index
};

}  // namespace xls
