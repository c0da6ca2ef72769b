#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace text {

// Windows code pages the system reads and writes: 874, 1250-1258, 850.
// Text files of the system are 8-bit text in the configured ANSI code page.
constexpr int kDefaultAnsiCodePage = 1250;

class ECodePageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

bool IsSupportedCodePage(int codePage);
// 8-bit bytes to UTF-8. Throws ECodePageError for an unsupported code page.
std::string DecodeCodePage(std::string_view bytes, int codePage);
// UTF-8 to 8-bit bytes; what the code page cannot hold becomes its default character "?".
std::string EncodeCodePage(std::string_view utf8, int codePage);
// The characters of a UTF-8 text that the code page cannot hold (each once,
// in the order they first appear): what EncodeCodePage turns into "?".
std::vector<std::string> UnmappableCharacters(std::string_view utf8, int codePage);

// A text file's bytes to UTF-8: a UTF-8 byte-order mark means UTF-8 (the mark
// is dropped), a UTF-16 mark (FF FE or FE FF) means UTF-16 in that byte
// order, anything else is decoded with the ANSI code page.
std::string DecodeTextFile(std::string_view bytes, int ansiCodePage = kDefaultAnsiCodePage);
// The same, and a file without a byte-order mark that is valid UTF-8 holding
// more than ASCII is read as UTF-8: what an editor that saves UTF-8 makes of
// an ANSI file (8-bit text of a single-byte code page is valid UTF-8 only by
// an unlikely chance).
std::string DecodeTextFileDetectingUtf8(std::string_view bytes, int ansiCodePage = kDefaultAnsiCodePage);

}  // namespace text
