#pragma once

#include <concepts>
#include <stdexcept>
#include <string>
#include <string_view>

#include "xlsx/XmlText.h"

namespace xlsx {

class EXmlWriterInvalidString : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// How line breaks (CR, LF, or a CR LF pair) reach the file: as LF or as CR LF,
// in texts literally and in attribute values as character references.
enum class TXMLLineBreak { lbLF, lbCRLF };

struct TXMLWriterSettings {
  TXMLLineBreak fLineBreak = TXMLLineBreak::lbLF;
  // Strict: a text with a character XML cannot carry (or a byte that is no
  // UTF-8) throws EXmlWriterInvalidString. Otherwise such bytes pass, and
  // bytes that are no UTF-8 become U+FFFD.
  bool fStrictXML = true;
};

// The one way our parts are written: XML streamed into a byte buffer the
// caller owns (a deflate chunk, a part's head, a whole small part). Element
// and attribute names are the writers' own literals and are written as given;
// values are escaped. Every member used per cell is inline.
class TXMLWriter {
 public:
  explicit TXMLWriter(std::string& buffer, TXMLWriterSettings settings = {}) : fOut(buffer), fSettings(settings) {}

  std::string& Buffer() { return fOut; }

  // <?xml version="1.0" encoding="utf-8" standalone="yes"?>
  void Declaration() { fOut += "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>"; }

  // "<name": attributes follow, then EndEmpty or EndStart.
  TXMLWriter& Start(std::string_view name) {
    fOut += '<';
    fOut += name;
    return *this;
  }
  TXMLWriter& Attribute(std::string_view name, std::string_view value) {
    const std::size_t start = fOut.size();
    OpenAttribute(name);
    AppendEscaped(value, true, start);
    fOut += '"';
    return *this;
  }
  TXMLWriter& Attribute(std::string_view name, std::integral auto value) {
    OpenAttribute(name);
    AppendInt(fOut, static_cast<long long>(value));
    fOut += '"';
    return *this;
  }
  // A number in the invariant general form (see FloatToXmlText).
  TXMLWriter& NumberAttribute(std::string_view name, double value) {
    OpenAttribute(name);
    AppendFloatXml(fOut, value);
    fOut += '"';
    return *this;
  }
  // An A1 cell reference ("B7").
  TXMLWriter& CellRefAttribute(std::string_view name, int col, int row) {
    OpenAttribute(name);
    AppendCellRef(fOut, col, row);
    fOut += '"';
    return *this;
  }
  void EndEmpty() { fOut += "/>"; }
  void EndStart() { fOut += '>'; }
  // For an element whose children are optional: ">" now, and CloseBody
  // gives "</name>", or turns the start tag into "<name .../>" when nothing
  // was written in between.
  std::size_t OpenBody() {
    fOut += '>';
    return fOut.size();
  }
  void CloseBody(std::size_t body, std::string_view name) {
    if (fOut.size() != body) return End(name);
    fOut.pop_back();
    fOut += "/>";
  }
  // "</name>"
  void End(std::string_view name) {
    fOut += "</";
    fOut += name;
    fOut += '>';
  }

  void Text(std::string_view text) { AppendEscaped(text, false, fOut.size()); }
  // A cell text in the form that reads back unchanged (see AppendCellText).
  void CellText(std::string_view text) { AppendCellText(fOut, text); }
  void Number(double value) { AppendFloatXml(fOut, value); }
  void Integer(long long value) { AppendInt(fOut, value); }
  // <name>text</name>, the text escaped.
  void TextElement(std::string_view name, std::string_view text) {
    Start(name).EndStart();
    Text(text);
    End(name);
  }
  // Bytes that are XML already (fixed templates).
  void Raw(std::string_view xml) { fOut += xml; }

 private:
  void OpenAttribute(std::string_view name) {
    fOut += ' ';
    fOut += name;
    fOut += "=\"";
  }
  // A text that fails in strict mode takes back the buffer to `start`.
  void AppendEscaped(std::string_view text, bool inAttribute, std::size_t start);

  std::string& fOut;
  TXMLWriterSettings fSettings;
};

}  // namespace xlsx
