#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xlsx/Stream.h"
#include "xlsx/XmlWriter.h"

namespace xlsx {

class EXMLDOMException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class TXMLNodeType {
  ntDocument, ntDocType, ntXMLDeclaration, ntElement, ntAttribute, ntText,
  ntEntityReference, ntCData, ntComment, ntProcessingInstruction
};

// A node of the small in-memory tree used for the worksheet frame, the style
// sheet and drawing anchors.
class TXMLNode {
 public:
  TXMLNode(TXMLNodeType type, std::string name, std::string value = {})
      : fType(type), fName(std::move(name)), fValue(std::move(value)) {}

  TXMLNodeType Type() const { return fType; }
  const std::string& Name() const { return fName; }
  const std::string& Value() const { return fValue; }
  TXMLNode* Parent() const { return fParent; }
  std::size_t ChildCount() const { return fChildren.size(); }
  TXMLNode& Child(std::size_t index) const { return *fChildren.at(index); }
  std::size_t AttributeCount() const { return fAttributes.size(); }
  const TXMLNode& AttributeNode(std::size_t index) const { return *fAttributes.at(index); }

  // Appends a child element and returns it.
  TXMLNode& AddChild(std::string name);
  TXMLNode& AddNode(TXMLNodeType type, std::string name, std::string value = {});
  // Inserts a new element before `before` (a child of this node).
  TXMLNode& InsertBefore(std::string name, const TXMLNode& before);
  // Sets an attribute: an existing one keeps its place, a new one is appended.
  TXMLNode& SetAttribute(std::string_view name, std::string value);
  const std::string* FindAttribute(std::string_view name) const;
  // Replaces all children by one text node.
  TXMLNode& SetText(std::string text);
  // Appends a child element holding a text.
  TXMLNode& AddTextChild(std::string name, std::string text);
  void RemoveChild(const TXMLNode& child);
  void Clear();
  TXMLNode* FindChild(std::string_view name) const;

  void Write(TXMLWriter& writer) const;

 private:
  TXMLNodeType fType;
  std::string fName;
  std::string fValue;
  TXMLNode* fParent = nullptr;
  std::vector<std::unique_ptr<TXMLNode>> fAttributes;
  std::vector<std::unique_ptr<TXMLNode>> fChildren;
};

class TXMLDocument {
 public:
  // With `declaration`, the document starts with <?xml version="1.0" encoding="utf-8" standalone="yes"?>.
  explicit TXMLDocument(bool declaration = true, std::string rootName = {});

  TXMLNode& Node() { return fNode; }
  TXMLNode* Root() const;
  TXMLWriterSettings& WriterSettings() { return fSettings; }
  void Clear() { fNode.Clear(); }

  // UTF-8 without byte-order mark, line breaks in texts as CR LF.
  std::string XML_UTF8() const;
  // With the document's settings (byte-order mark by default).
  void SaveToStream(TWriteStream& stream) const;

 private:
  TXMLNode fNode{TXMLNodeType::ntDocument, {}};
  TXMLWriterSettings fSettings;
};

}  // namespace xlsx
