#pragma once

#include <charconv>
#include <concepts>
#include <cstring>
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

// How every part but the fixed templates of PackageParts.h is written: XML
// streamed into a byte buffer the caller owns (a deflate chunk, a part's
// head, a whole small part). Element and attribute names are the writers'
// own literals and are written as given; values are escaped. The markup
// members are inline; texts are escaped out of line.
class TXMLWriter {
 public:
  explicit TXMLWriter(std::string& buffer, TXMLWriterSettings settings = {}) : fOut(buffer), fSettings(settings) {}

  std::string& Buffer() { return fOut; }

  // <?xml version="1.0" encoding="utf-8" standalone="yes"?>
  void Declaration() { fOut += "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>"; }

  // "<name": attributes follow, then EndEmpty or EndStart.
  TXMLWriter& Start(std::string_view name) {
    TPiece piece;
    piece.Add('<').Add(name);
    return Append(piece);
  }
  TXMLWriter& Attribute(std::string_view name, std::string_view value) {
    const std::size_t start = fOut.size();
    OpenAttribute(name);
    AppendEscaped(value, true, start);
    fOut += '"';
    return *this;
  }
  TXMLWriter& Attribute(std::string_view name, std::integral auto value) {
    TPiece piece;
    piece.AddAttributeOpening(name);
    piece.fEnd = std::to_chars(piece.fEnd, piece.fEnd + 24, static_cast<long long>(value)).ptr;
    return Append(piece.Add('"'));
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
    TPiece piece;
    piece.AddAttributeOpening(name);
    piece.fEnd = PutCellRef(piece.fEnd, col, row);
    return Append(piece.Add('"'));
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
    TPiece piece;
    Append(piece.Add('<').Add('/').Add(name).Add('>'));
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
  // Markup of one start tag, end tag or attribute put together on the stack
  // and appended at once: one capacity check instead of one per piece. Names
  // are the writers' own short literals.
  struct TPiece {
    TPiece() = default;
    TPiece(const TPiece&) = delete;
    static constexpr std::size_t kMaxName = 64;
    char fData[kMaxName + 48];
    char* fEnd = fData;
    TPiece& Add(char c) {
      *fEnd++ = c;
      return *this;
    }
    TPiece& Add(std::string_view name) {
      if (name.size() > kMaxName) throw EXmlWriterInvalidString("\"" + std::string(name) + "\" is too long a name.");
      std::memcpy(fEnd, name.data(), name.size());
      fEnd += name.size();
      return *this;
    }
    void AddAttributeOpening(std::string_view name) { Add(' ').Add(name).Add('=').Add('"'); }
  };
  TXMLWriter& Append(const TPiece& piece) {
    fOut.append(piece.fData, static_cast<std::size_t>(piece.fEnd - piece.fData));
    return *this;
  }
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
