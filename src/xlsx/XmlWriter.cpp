#include "xlsx/XmlWriter.h"

#include <cctype>

#include "xlsx/Utf8.h"

namespace xlsx {

namespace {

bool IsNameStart(char32_t c) {
  return c == ':' || (c >= 'A' && c <= 'Z') || c == '_' || (c >= 'a' && c <= 'z') || (c >= 0xC0 && c <= 0xD6) ||
         (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) || (c >= 0x370 && c <= 0x37D) ||
         (c >= 0x37F && c <= 0x1FFF) || (c >= 0x200C && c <= 0x200D) || (c >= 0x2070 && c <= 0x218F) ||
         (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF) ||
         (c >= 0xFDF0 && c <= 0xFFFD);
}

bool IsNameChar(char32_t c) {
  return IsNameStart(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
         (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

const char* LineBreakText(TXMLLineBreak lb) {
  switch (lb) {
    case TXMLLineBreak::lbCR: return "\r";
    case TXMLLineBreak::lbCRLF: return "\r\n";
    default: return "\n";
  }
}

const char* LineBreakEntity(TXMLLineBreak lb) {
  switch (lb) {
    case TXMLLineBreak::lbCR: return "&#xD;";
    case TXMLLineBreak::lbCRLF: return "&#xD;&#xA;";
    default: return "&#xA;";
  }
}

}  // namespace

bool IsXmlName(std::string_view name) {
  if (name.empty()) return false;
  for (std::size_t pos = 0; pos < name.size();) {
    const auto cp = utf8::Decode(name, pos);
    if (!cp.fValid || cp.fValue > 0xFFFF) return false;
    if (pos == 0 ? !IsNameStart(cp.fValue) : !IsNameChar(cp.fValue)) return false;
    pos += cp.fLength;
  }
  return true;
}

TXMLWriter::TXMLWriter() : fWriter(std::make_unique<TTextWriter>()) {}

TXMLWriter::TXMLWriter(const TXMLWriterSettings& settings) : fSettings(settings), fWriter(std::make_unique<TTextWriter>()) {}

void TXMLWriter::InitStream(TWriteStream& stream) {
  fWriter->InitStream(stream, fSettings.fWriteBOM);
  fWritten = false;
  fIndentLevel = fDefaultIndentLevel;
}

void TXMLWriter::ReleaseDocument() { fWriter->ReleaseDocument(); }

TXMLWriter& TXMLWriter::SetDefaultIndentLevel(int level) {
  if (fWritten)
    throw EXmlWriterInvalidString("You can't set the IndentLevel after something has been already written to the document.");
  fDefaultIndentLevel = level;
  fIndentLevel = level;
  return *this;
}

void TXMLWriter::Indent() {
  if (fSettings.fIndentType == TXMLIndentType::itNone || !fWritten) return;
  fWriter->WriteString(LineBreakText(fSettings.fLineBreak == TXMLLineBreak::lbDoNotProcess ? TXMLLineBreak::lbLF
                                                                                           : fSettings.fLineBreak));
  if (fSettings.fIndentType == TXMLIndentType::itIndent)
    for (int i = 0; i < fIndentLevel; ++i) fWriter->WriteString(fSettings.fIndentString);
}

void TXMLWriter::CheckName(std::string_view name, const char* what) const {
  if (!fSettings.fStrictXML) return;
  // Fast path for the plain ASCII names every part uses.
  bool simple = !name.empty() && ((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= 'A' && name[0] <= 'Z'));
  for (std::size_t i = 1; simple && i < name.size(); ++i) {
    const char c = name[i];
    simple = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ':' || c == '_';
  }
  if (!simple && !IsXmlName(name))
    throw EXmlWriterInvalidString("\"" + std::string(name) + "\" is not a valid " + what + ".");
}

std::string TXMLWriter::Escape(std::string_view text, bool inAttribute) const {
  std::string out;
  out.reserve(text.size() + 8);
  const bool process = fSettings.fLineBreak != TXMLLineBreak::lbDoNotProcess;
  const bool entities = inAttribute && fSettings.fUseTabCRLFEntitiesInAttributes;
  for (std::size_t pos = 0; pos < text.size();) {
    const char ch = text[pos];
    const auto byte = static_cast<unsigned char>(ch);
    if (byte >= 0x80) {
      const auto cp = utf8::Decode(text, pos);
      if (fSettings.fStrictXML && (!cp.fValid || utf8::IsXmlForbidden(cp.fValue)))
        throw EXmlWriterInvalidString("\"" + std::string(text) + "\" is not a valid text.");
      if (cp.fValid)
        out.append(text.substr(pos, cp.fLength));
      else
        utf8::Append(out, 0xFFFD);
      pos += cp.fLength;
      continue;
    }
    switch (ch) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += fSettings.fUseGreaterThanEntity ? "&gt;" : ">"; break;
      case '"': out += (inAttribute || fSettings.fEscapeQuotes) ? "&quot;" : "\""; break;
      case '\'': out += fSettings.fEscapeQuotes ? "&apos;" : "'"; break;
      case '\t': out += entities ? "&#9;" : "\t"; break;
      case '\r':
        if (!process) out += "&#xD;";
        else out += entities ? LineBreakEntity(fSettings.fLineBreak) : LineBreakText(fSettings.fLineBreak);
        break;
      case '\n':
        if (!process) out += entities ? "&#xA;" : "\n";
        else if (pos > 0 && text[pos - 1] == '\r') {
          // second half of a CR LF pair: already written
        } else out += entities ? LineBreakEntity(fSettings.fLineBreak) : LineBreakText(fSettings.fLineBreak);
        break;
      default:
        if (byte < 0x20) {
          if (fSettings.fStrictXML) throw EXmlWriterInvalidString("\"" + std::string(text) + "\" is not a valid text.");
        }
        out.push_back(ch);
    }
    ++pos;
  }
  return out;
}

void TXMLWriter::OpenElement(std::string_view name, TXMLWriterElementMode mode) {
  CheckName(name, "element name");
  Indent();
  fWriter->WriteChar('<');
  fWriter->WriteString(name);
  if (mode == TXMLWriterElementMode::stFinish) fWriter->WriteChar('>');
  if (mode == TXMLWriterElementMode::stFinishClose) fWriter->WriteString("/>");
  if (mode != TXMLWriterElementMode::stFinishClose) ++fIndentLevel;
  fWritten = true;
}

void TXMLWriter::Attribute(std::string_view name, std::string_view value) {
  CheckName(name, "attribute name");
  const std::string escaped = Escape(value, true);
  fWriter->WriteChar(' ');
  fWriter->WriteString(name);
  fWriter->WriteString("=\"");
  fWriter->WriteString(escaped);
  fWriter->WriteChar('"');
  fWritten = true;
}

void TXMLWriter::FinishOpenElement() { fWriter->WriteChar('>'); }

void TXMLWriter::FinishOpenElementClose() {
  --fIndentLevel;
  fWriter->WriteString("/>");
}

void TXMLWriter::CloseElement(std::string_view name, bool indent) {
  --fIndentLevel;
  if (indent) Indent();
  fWriter->WriteString("</");
  fWriter->WriteString(name);
  fWriter->WriteChar('>');
  fWritten = true;
}

void TXMLWriter::Text(std::string_view text, bool indent) {
  const std::string escaped = Escape(text, false);
  if (indent) Indent();
  fWriter->WriteString(escaped);
  fWritten = true;
}

void TXMLWriter::RawText(std::string_view text) {
  fWriter->WriteString(text);
  fWritten = true;
}

void TXMLWriter::RawChar(char c) {
  fWriter->WriteChar(c);
  fWritten = true;
}

void TXMLWriter::CData(std::string_view text, bool indent) {
  if (fSettings.fStrictXML && text.find("]]>") != std::string_view::npos)
    throw EXmlWriterInvalidString("\"" + std::string(text) + "\" is not a valid CData text.");
  if (indent) Indent();
  fWriter->WriteString("<![CDATA[");
  fWriter->WriteString(text);
  fWriter->WriteString("]]>");
  fWritten = true;
}

void TXMLWriter::Comment(std::string_view text) {
  if (fSettings.fStrictXML && (text.find("--") != std::string_view::npos || (!text.empty() && text.back() == '-')))
    throw EXmlWriterInvalidString("\"" + std::string(text) + "\" is not a valid comment text.");
  Indent();
  fWriter->WriteString("<!--");
  fWriter->WriteString(text);
  fWriter->WriteString("-->");
  fWritten = true;
}

void TXMLWriter::ProcessingInstruction(std::string_view target, std::string_view content) {
  CheckName(target, "processing instruction target");
  if (fSettings.fStrictXML && content.find("?>") != std::string_view::npos)
    throw EXmlWriterInvalidString("\"" + std::string(content) + "\" is not a valid processing instruction content.");
  Indent();
  fWriter->WriteString("<?");
  fWriter->WriteString(target);
  if (!content.empty()) {
    fWriter->WriteChar(' ');
    fWriter->WriteString(content);
  }
  fWriter->WriteString("?>");
  fWritten = true;
}

void TXMLWriter::DocType(std::string_view rawText) {
  Indent();
  fWriter->WriteString("<!DOCTYPE ");
  fWriter->WriteString(rawText);
  fWriter->WriteChar('>');
  fWritten = true;
}

void TXMLWriter::EntityReference(std::string_view name) {
  if (fSettings.fStrictXML) {
    bool ok = IsXmlName(name);
    if (!ok && name.size() > 1 && name[0] == '#') {
      const bool hex = name.size() > 2 && (name[1] == 'x');
      std::size_t i = hex ? 2 : 1;
      ok = i < name.size();
      for (; ok && i < name.size(); ++i)
        ok = std::isxdigit(static_cast<unsigned char>(name[i])) && (hex || std::isdigit(static_cast<unsigned char>(name[i])));
    }
    if (!ok) throw EXmlWriterInvalidString("\"" + std::string(name) + "\" is not a valid entity.");
  }
  fWriter->WriteChar('&');
  fWriter->WriteString(name);
  fWriter->WriteChar(';');
  fWritten = true;
}

void TXMLWriter::OpenXMLDeclaration() {
  Indent();
  fWriter->WriteString("<?xml");
  fWritten = true;
}

void TXMLWriter::FinishOpenXMLDeclaration() { fWriter->WriteString("?>"); }

void TXMLWriter::XMLDeclaration(std::string_view encoding, std::string_view version, std::string_view standalone) {
  OpenXMLDeclaration();
  Attribute("version", version);
  if (!encoding.empty()) Attribute("encoding", encoding);
  if (!standalone.empty()) Attribute("standalone", standalone);
  FinishOpenXMLDeclaration();
}

}  // namespace xlsx
