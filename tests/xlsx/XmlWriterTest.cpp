#include "xlsx/XmlDocument.h"
#include "xlsx/XmlText.h"
#include "xlsx/XmlWriter.h"

#include <gtest/gtest.h>

using namespace xlsx;

namespace {

std::string Written(const std::function<void(TXMLWriter&)>& body) {
  TStringWriteStream out;
  TXMLWriter w;
  w.SetWriteBOM(false);
  w.InitStream(out);
  body(w);
  w.ReleaseDocument();
  return out.Data();
}

}  // namespace

TEST(XmlWriter, EscapesTextAndAttributes) {
  EXPECT_EQ(Written([](TXMLWriter& w) {
              w.OpenElement("a");
              w.Attribute("v", "<&>\"\t");
              w.FinishOpenElement();
              w.Text("<&>\"\t");
              w.CloseElement("a");
            }),
            "<a v=\"&lt;&amp;&gt;&quot;&#9;\">&lt;&amp;&gt;\"\t</a>");
}

TEST(XmlWriter, OpenOnlyThenCloseGivesStartAndEndTag) {
  EXPECT_EQ(Written([](TXMLWriter& w) {
              w.OpenElement("x");
              w.FinishOpenElement();
              w.CloseElement("x");
              w.OpenElement("y", TXMLWriterElementMode::stFinishClose);
            }),
            "<x></x><y/>");
}

TEST(XmlWriter, InvalidCharacterFailsAndWritesNothingOfTheText) {
  TStringWriteStream out;
  TXMLWriter w;
  w.SetWriteBOM(false);
  w.InitStream(out);
  w.OpenElement("t", TXMLWriterElementMode::stFinish);
  try {
    w.Text(std::string("a\x01") + "b");
    FAIL();
  } catch (const EXmlWriterInvalidString& e) {
    EXPECT_EQ(std::string(e.what()), "\"a\x01" "b\" is not a valid text.");
  }
  EXPECT_THROW(w.OpenElement("1bad"), EXmlWriterInvalidString);
  EXPECT_THROW(w.Comment("a--b"), EXmlWriterInvalidString);
  w.ReleaseDocument();
  EXPECT_EQ(out.Data(), "<t>");
}

TEST(XmlWriter, LongTextGoesThroughTheBufferWhole) {
  std::string text;
  for (int i = 0; i < 10000; ++i) text += static_cast<char>('a' + i % 26);
  const std::string out = Written([&](TXMLWriter& w) {
    w.RawText("<");
    w.Text(text);
    w.RawText(">");
  });
  EXPECT_EQ(out, "<" + text + ">");
}

TEST(XmlDocument, SerialisesWithDeclarationAndCrLf) {
  TXMLDocument doc(true, "root");
  TXMLNode& root = *doc.Root();
  root.SetAttribute("b", "1").SetAttribute("a", "2").SetAttribute("b", "3");
  root.AddChild("empty");
  root.AddTextChild("t", "x\r\ny\nz");
  TXMLNode& later = root.AddChild("later");
  root.InsertBefore("first", later);
  EXPECT_EQ(doc.XML_UTF8(),
            "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>"
            "<root b=\"3\" a=\"2\"><empty/><t>x\r\ny\r\nz</t><first/><later/></root>");
  TStringWriteStream out;
  doc.SaveToStream(out);
  EXPECT_EQ(out.Data().substr(0, 9), "\xEF\xBB\xBF<?xml ");
  EXPECT_THROW(root.AttributeNode(0).Parent()->Child(0).AddNode(TXMLNodeType::ntText, {}, "v").SetText("x"),
               EXMLDOMException);
}

TEST(XmlText, NumbersFollowTheInvariantGeneralForm) {
  EXPECT_EQ(FloatToXmlText(150), "150");
  EXPECT_EQ(FloatToXmlText(0.75), "0.75");
  EXPECT_EQ(FloatToXmlText(-2.5), "-2.5");
  EXPECT_EQ(FloatToXmlText(0.000001), "1E-6");
  EXPECT_EQ(FloatToXmlText(0.00001), "0.00001");
  EXPECT_EQ(FloatToXmlText(0.00005), "0.00005");
  EXPECT_EQ(FloatToXmlText(0.1 + 0.2), "0.3");
  EXPECT_EQ(FloatToXmlText(123456789012345.0), "123456789012345");
  EXPECT_EQ(FloatToXmlText(1234567890123456.0), "1.23456789012346E15");
  EXPECT_EQ(FloatToXmlText(-1.5e300), "-1.5E300");
  EXPECT_EQ(FloatToXmlText(2.0 * 0.393700787401575), "0.78740157480315");
  EXPECT_EQ(FloatToXmlText(14 * 0.75), "10.5");
  EXPECT_EQ(FloatToXmlText(-0.0), "0");
  EXPECT_EQ(FloatToXmlText(static_cast<float>(12.3)), "12.3000001907349");
}

TEST(XmlText, CellTextEscaping) {
  EXPECT_EQ(EscapeCellText("a_x0041_b"), "a_x005F_x0041_b");
  EXPECT_EQ(EscapeCellText("a_x004_b_xZZZZ_"), "a_x004_b_xZZZZ_");
  EXPECT_EQ(EscapeCellText(std::string("\x01\x0B\x1F", 3)), "_x0001__x000B__x001F_");
  EXPECT_EQ(EscapeCellText(std::string("\0", 1)), "_x0000_");
  EXPECT_EQ(EscapeCellText("a\rb\r\nc\r"), "a_x000D_b\r\nc\r");
  EXPECT_EQ(EscapeCellText("<&>\"\t\n"), "&lt;&amp;>\"\t\n");
  EXPECT_EQ(EscapeCellText("\"", true), "&quot;");
  EXPECT_EQ(EscapeCellText("\xEF\xBF\xBE\xEF\xBF\xBF"), "_xFFFE__xFFFF_");
  EXPECT_EQ(EscapeCellText("\xED\xA0\x80"), "_xD800_");  // an unpaired surrogate
  EXPECT_EQ(EscapeCellText("Židle čalouněná 😀"), "Židle čalouněná 😀");
}

TEST(XmlText, SpacePreserveRule) {
  EXPECT_TRUE(NeedsSpacePreserve(" a"));
  EXPECT_TRUE(NeedsSpacePreserve("a\n"));
  EXPECT_TRUE(NeedsSpacePreserve("a  b"));
  EXPECT_TRUE(NeedsSpacePreserve("a\t b"));
  EXPECT_FALSE(NeedsSpacePreserve("a\r\nb"));
  EXPECT_FALSE(NeedsSpacePreserve("a b"));
  EXPECT_FALSE(NeedsSpacePreserve(""));
}

TEST(XmlText, CellReferences) {
  EXPECT_EQ(CellRef(0, 0), "A1");
  EXPECT_EQ(CellRef(27, 4), "AB5");
  EXPECT_EQ(CellRef(16383, 1048575), "XFD1048576");
  EXPECT_EQ(CellRef(701, 0), "ZZ1");
  EXPECT_EQ(CellRef(702, 0), "AAA1");
  EXPECT_EQ(RangeRef(0, 0, 6, 1), "A1:F1");
  EXPECT_EQ(RangeRef(0, 4, 2, 1), "A5:B5");
  EXPECT_EQ(RangeRef(2, 2, 1, 1), "C3");
  EXPECT_EQ(TemplateEscape("a&<>'\"\r\n", true), "a&amp;&lt;&gt;&apos;&quot;&#xD;&#xA;");
}
