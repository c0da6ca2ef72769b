#include "xlsx/XmlWriter.h"

#include "text/Utf8.h"

namespace xlsx {

namespace {

[[noreturn]] void ThrowInvalidText(std::string_view text) {
  throw EXmlWriterInvalidString("\"" + std::string(text) + "\" is not a valid text.");
}

}  // namespace

// & < > always; " in attribute values; TAB and line breaks in attribute
// values as character references, so that readers do not normalise them away.
void TXMLWriter::AppendEscaped(std::string_view text, bool inAttribute, std::size_t start) {
  const bool crlf = fSettings.fLineBreak == TXMLLineBreak::lbCRLF;
  const char* lineBreak = inAttribute ? (crlf ? "&#xD;&#xA;" : "&#xA;") : (crlf ? "\r\n" : "\n");
  // A text that fails leaves nothing of itself behind.
  auto fail = [&] {
    fOut.resize(start);
    ThrowInvalidText(text);
  };
  for (std::size_t pos = 0; pos < text.size();) {
    const char ch = text[pos];
    const auto byte = static_cast<unsigned char>(ch);
    if (byte >= 0x80) {
      const text::TDecodedChar c = text::DecodeUtf8(text, pos, text::TInvalidUtf::kKeepSurrogates);
      if (fSettings.fStrictXML && (!c.fValid || IsXmlForbidden(c.fValue))) fail();
      if (c.fValid) fOut.append(text.substr(pos, c.fLength));
      else text::AppendUtf8(fOut, text::kReplacementChar);
      pos += c.fLength;
      continue;
    }
    switch (ch) {
      case '&': fOut += "&amp;"; break;
      case '<': fOut += "&lt;"; break;
      case '>': fOut += "&gt;"; break;
      case '"': fOut += inAttribute ? "&quot;" : "\""; break;
      case '\t': fOut += inAttribute ? "&#9;" : "\t"; break;
      case '\r': fOut += lineBreak; break;
      case '\n':
        if (pos == 0 || text[pos - 1] != '\r') fOut += lineBreak;  // else the second half of CR LF
        break;
      default:
        if (byte < 0x20 && fSettings.fStrictXML) fail();
        fOut += ch;
    }
    ++pos;
  }
}

}  // namespace xlsx
