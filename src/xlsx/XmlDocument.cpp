#include "xlsx/XmlDocument.h"

#include <algorithm>

namespace xlsx {

TXMLNode& TXMLNode::AddNode(TXMLNodeType type, std::string name, std::string value) {
  auto node = std::make_unique<TXMLNode>(type, std::move(name), std::move(value));
  node->fParent = this;
  fChildren.push_back(std::move(node));
  return *fChildren.back();
}

TXMLNode& TXMLNode::AddChild(std::string name) { return AddNode(TXMLNodeType::ntElement, std::move(name)); }

TXMLNode& TXMLNode::AddTextChild(std::string name, std::string text) {
  TXMLNode& child = AddChild(std::move(name));
  child.SetText(std::move(text));
  return child;
}

TXMLNode& TXMLNode::InsertBefore(std::string name, const TXMLNode& before) {
  auto it = std::find_if(fChildren.begin(), fChildren.end(), [&](const auto& c) { return c.get() == &before; });
  auto node = std::make_unique<TXMLNode>(TXMLNodeType::ntElement, std::move(name));
  node->fParent = this;
  return **fChildren.insert(it, std::move(node));
}

TXMLNode& TXMLNode::SetAttribute(std::string_view name, std::string value) {
  for (auto& a : fAttributes)
    if (a->fName == name) {
      a->fValue = std::move(value);
      return *this;
    }
  auto attr = std::make_unique<TXMLNode>(TXMLNodeType::ntAttribute, std::string(name), std::move(value));
  attr->fParent = this;
  fAttributes.push_back(std::move(attr));
  return *this;
}

const std::string* TXMLNode::FindAttribute(std::string_view name) const {
  for (const auto& a : fAttributes)
    if (a->fName == name) return &a->fValue;
  return nullptr;
}

TXMLNode& TXMLNode::SetText(std::string text) {
  if (fType != TXMLNodeType::ntElement && fType != TXMLNodeType::ntDocument)
    throw EXMLDOMException("You can't set the text property of this node. Use NodeValue instead.");
  fChildren.clear();
  AddNode(TXMLNodeType::ntText, {}, std::move(text));
  return *this;
}

void TXMLNode::RemoveChild(const TXMLNode& child) {
  std::erase_if(fChildren, [&](const auto& c) { return c.get() == &child; });
}

void TXMLNode::Clear() {
  fChildren.clear();
  fAttributes.clear();
}

TXMLNode* TXMLNode::FindChild(std::string_view name) const {
  for (const auto& c : fChildren)
    if (c->fType == TXMLNodeType::ntElement && c->fName == name) return c.get();
  return nullptr;
}

void TXMLNode::Write(TXMLWriter& w) const {
  switch (fType) {
    case TXMLNodeType::ntDocument:
      for (const auto& c : fChildren) c->Write(w);
      break;
    case TXMLNodeType::ntXMLDeclaration:
      w.OpenXMLDeclaration();
      for (const auto& a : fAttributes) w.Attribute(a->fName, a->fValue);
      w.FinishOpenXMLDeclaration();
      break;
    case TXMLNodeType::ntElement:
      w.OpenElement(fName, TXMLWriterElementMode::stOpenOnly);
      for (const auto& a : fAttributes) w.Attribute(a->fName, a->fValue);
      if (fChildren.empty()) {
        w.FinishOpenElementClose();
      } else {
        w.FinishOpenElement();
        for (const auto& c : fChildren) c->Write(w);
        w.CloseElement(fName, true);
      }
      break;
    case TXMLNodeType::ntAttribute: w.Attribute(fName, fValue); break;
    case TXMLNodeType::ntText: w.Text(fValue, false); break;
    case TXMLNodeType::ntCData: w.CData(fValue); break;
    case TXMLNodeType::ntComment: w.Comment(fValue); break;
    case TXMLNodeType::ntProcessingInstruction: w.ProcessingInstruction(fName, fValue); break;
    case TXMLNodeType::ntDocType: w.DocType(fValue); break;
    case TXMLNodeType::ntEntityReference: w.EntityReference(fName); break;
  }
}

TXMLDocument::TXMLDocument(bool declaration, std::string rootName) {
  if (declaration) {
    TXMLNode& decl = fNode.AddNode(TXMLNodeType::ntXMLDeclaration, "xml");
    decl.SetAttribute("version", "1.0");
    decl.SetAttribute("encoding", "utf-8");
    decl.SetAttribute("standalone", "yes");
  }
  if (!rootName.empty()) fNode.AddChild(std::move(rootName));
}

TXMLNode* TXMLDocument::Root() const {
  for (std::size_t i = 0; i < fNode.ChildCount(); ++i)
    if (fNode.Child(i).Type() == TXMLNodeType::ntElement) return &fNode.Child(i);
  return nullptr;
}

std::string TXMLDocument::XML_UTF8() const {
  TXMLWriterSettings settings = fSettings;
  settings.fWriteBOM = false;
  settings.fLineBreak = TXMLLineBreak::lbCRLF;
  TStringWriteStream out;
  TXMLWriter writer(settings);
  writer.InitStream(out);
  fNode.Write(writer);
  writer.ReleaseDocument();
  return std::move(out.Data());
}

void TXMLDocument::SaveToStream(TWriteStream& stream) const {
  TXMLWriter writer(fSettings);
  writer.InitStream(stream);
  fNode.Write(writer);
  writer.ReleaseDocument();
}

}  // namespace xlsx
