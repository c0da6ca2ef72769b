#pragma once

#include <string>
#include <string_view>

namespace xlsx {
class TXMLWriter;
}

namespace ods {

// A paragraph's text in OpenDocument notation: blanks a reader would
// collapse as <text:s/>, tabs as <text:tab/>; control characters XML
// cannot carry are left out.
void WriteSpanText(xlsx::TXMLWriter& w, std::string_view text);

// A cell's text as <text:p> paragraphs, one a line (CR LF, LF or CR end a
// line); with a link, each paragraph's text is the link's.
void WriteParagraphs(xlsx::TXMLWriter& w, std::string_view text, std::string_view link = {});

}  // namespace ods
