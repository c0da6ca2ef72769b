#include "ods/OdfText.h"

#include "xlsx/XmlWriter.h"

namespace ods {

void WriteSpanText(xlsx::TXMLWriter& w, std::string_view text) {
  std::size_t runStart = 0;
  auto flush = [&](std::size_t end) {
    if (end > runStart) w.Text(text.substr(runStart, end - runStart));
  };
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == ' ') {
      std::size_t n = 1;
      while (i + n < text.size() && text[i + n] == ' ') ++n;
      // One blank inside the text stays a blank; the rest, and a leading one, are counted.
      const std::size_t literal = i == 0 ? 0 : 1;
      flush(i + literal);
      if (n > literal) {
        w.Start("text:s");
        if (n - literal > 1) w.Attribute("text:c", n - literal);
        w.EndEmpty();
      }
      i += n;
      runStart = i;
    } else if (c == '\t' || c < 0x20) {
      flush(i);
      if (c == '\t') w.Raw("<text:tab/>");
      runStart = ++i;
    } else {
      ++i;
    }
  }
  flush(text.size());
}

void WriteParagraphs(xlsx::TXMLWriter& w, std::string_view text, std::string_view link) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find_first_of("\r\n", start);
    const std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    w.Start("text:p").EndStart();
    if (!link.empty()) {
      w.Start("text:a").Attribute("xlink:type", "simple").Attribute("xlink:href", link).EndStart();
      WriteSpanText(w, line);
      w.End("text:a");
    } else {
      WriteSpanText(w, line);
    }
    w.End("text:p");
    if (end == std::string_view::npos) break;
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
}

}  // namespace ods
