#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "xlsx/TextWriter.h"

namespace xlsx {

class EXmlWriterInvalidString : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class TXMLIndentType { itNone, itFlat, itIndent };
enum class TXMLLineBreak { lbLF, lbCR, lbCRLF, lbDoNotProcess };
enum class TXMLWriterElementMode { stOpenOnly, stFinish, stFinishClose };

struct TXMLWriterSettings {
  std::string fIndentString = "  ";
  TXMLIndentType fIndentType = TXMLIndentType::itNone;
  TXMLLineBreak fLineBreak = TXMLLineBreak::lbLF;
  bool fUseTabCRLFEntitiesInAttributes = true;
  bool fUseGreaterThanEntity = true;
  bool fEscapeQuotes = false;
  bool fStrictXML = true;
  bool fWriteBOM = true;
};

// Streaming XML writer: element and attribute names are written as given
// (checked against the XML Name production in strict mode), values escaped.
class TXMLWriter {
 public:
  TXMLWriter();
  explicit TXMLWriter(const TXMLWriterSettings& settings);

  void InitStream(TWriteStream& stream);
  void ReleaseDocument();

  TXMLWriterSettings& Settings() { return fSettings; }
  TXMLWriter& SetWriteBOM(bool value) { fSettings.fWriteBOM = value; return *this; }
  TXMLWriter& SetDefaultIndentLevel(int level);

  void OpenElement(std::string_view name, TXMLWriterElementMode mode = TXMLWriterElementMode::stOpenOnly);
  void Attribute(std::string_view name, std::string_view value);
  void FinishOpenElement();
  void FinishOpenElementClose();
  void CloseElement(std::string_view name, bool indent = true);
  void Text(std::string_view text, bool indent = false);
  void RawText(std::string_view text);
  void RawChar(char c);
  void CData(std::string_view text, bool indent = false);
  void Comment(std::string_view text);
  void ProcessingInstruction(std::string_view target, std::string_view content);
  void DocType(std::string_view rawText);
  void EntityReference(std::string_view name);
  void XMLDeclaration(std::string_view encoding = "utf-8", std::string_view version = "1.0",
                      std::string_view standalone = "yes");
  void OpenXMLDeclaration();
  void FinishOpenXMLDeclaration();

  // Escapes `text` as Text (inAttribute false) or Attribute would; throws
  // EXmlWriterInvalidString in strict mode for characters XML cannot carry.
  std::string Escape(std::string_view text, bool inAttribute) const;

 private:
  void Indent();
  void CheckName(std::string_view name, const char* what) const;

  TXMLWriterSettings fSettings;
  std::unique_ptr<TTextWriter> fWriter;
  int fDefaultIndentLevel = 0;
  int fIndentLevel = 0;
  bool fWritten = false;
};

// True for a name of the XML 1.0 Name production (Basic Multilingual Plane).
bool IsXmlName(std::string_view name);

}  // namespace xlsx
