#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "xls/BiffRecords.h"

namespace xls {

// Reads one record's data and, where it runs out, the CONTINUE records that
// follow it. Continuing into a record of another type raises EXLSSharedStrings
// "Expected CONTINUE not found.".
class TBiffContinueCursor {
 public:
  TBiffContinueCursor(TBiffRecordReader& reader, std::string_view firstData)
      : fReader(reader), fSegment(firstData) {}

  std::uint8_t U8();
  std::uint16_t U16();
  std::uint32_t U32();
  void Skip(std::size_t n);
  std::size_t RemainingInSegment() const { return fSegment.size() - fPos; }
  // Moves to the data of the next record, which must be a CONTINUE record.
  void NextSegment();

  // A string whose characters may be split over CONTINUE records; each
  // continued part starts with its own option byte (8-bit or 16-bit
  // characters). The raw formatting runs (4 bytes each) go to `runs`.
  void ReadString(std::size_t count, std::string& text, std::string* runs);

 private:
  TBiffRecordReader& fReader;
  std::string_view fSegment;
  std::size_t fPos = 0;
};

}  // namespace xls
