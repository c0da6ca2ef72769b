#include "xlsx/XmlText.h"
#include "xlsx/XmlWriter.h"

#include <gtest/gtest.h>

#include <functional>

using namespace xlsx;

namespace {

std::string Written(const std::function<void(TXMLWriter&)>& body, TXMLWriterSettings settings = {}) {
  std::string out;
  TXMLWriter w(out, settings);
  body(w);
  return out;
}

}  // namespace

TEST(XmlWriter, EscapesTextAndAttributes) {
  EXPECT_EQ(Written([](TXMLWriter& w) {
              w.Start("a").Attribute("v", "<&>\"\t'").EndStart();
              w.Text("<&>\"\t'");
              w.End("a");
            }),
            "<a v=\"&lt;&amp;&gt;&quot;&#9;'\">&lt;&amp;&gt;\"\t'</a>");
}

TEST(XmlWriter, LineBreaksFollowTheSettingAndCrLfCountsOnce) {
  auto both = [](TXMLWriter& w) {
    w.Start("t").Attribute("a", "1\r\n2\n3\r4").EndStart();
    w.Text("1\r\n2\n3\r4");
    w.End("t");
  };
  EXPECT_EQ(Written(both), "<t a=\"1&#xA;2&#xA;3&#xA;4\">1\n2\n3\n4</t>");
  EXPECT_EQ(Written(both, {TXMLLineBreak::lbCRLF, true}),
            "<t a=\"1&#xD;&#xA;2&#xD;&#xA;3&#xD;&#xA;4\">1\r\n2\r\n3\r\n4</t>");
}

TEST(XmlWriter, OptionalChildrenGiveAnEmptyElementWhenNoneIsWritten) {
  EXPECT_EQ(Written([](TXMLWriter& w) {
              w.Start("x").Attribute("n", 3);
              std::size_t body = w.OpenBody();
              w.CloseBody(body, "x");
              w.Start("y");
              body = w.OpenBody();
              w.Start("z").NumberAttribute("v", 0.000001).CellRefAttribute("r", 27, 4).EndEmpty();
              w.CloseBody(body, "y");
              w.TextElement("e", "");
            }),
            "<x n=\"3\"/><y><z v=\"1E-6\" r=\"AB5\"/></y><e></e>");
}

TEST(XmlWriter, StrictTextWithForbiddenCharactersFailsAndLeavesNothing) {
  std::string out;
  TXMLWriter w(out);
  w.Start("t").EndStart();
  try {
    w.Text(std::string("a\x01") + "b");
    FAIL();
  } catch (const EXmlWriterInvalidString& e) {
    EXPECT_EQ(std::string(e.what()), "\"a\x01" "b\" is not a valid text.");
  }
  EXPECT_THROW(w.Attribute("v", "ok \xC3"), EXmlWriterInvalidString);        // cut UTF-8 sequence
  EXPECT_THROW(w.Attribute("v", "\xED\xA0\x80"), EXmlWriterInvalidString);  // an encoded surrogate
  EXPECT_THROW(w.Attribute(std::string(65, 'n'), 1), EXmlWriterInvalidString);  // names are short literals
  EXPECT_EQ(out, "<t>");
}

TEST(XmlWriter, LenientTextKeepsControlsAndReplacesBadBytes) {
  EXPECT_EQ(Written([](TXMLWriter& w) { w.Text("a\x01 \xC3 \xF0\x9F\x98\x80"); }, {TXMLLineBreak::lbLF, false}),
            "a\x01 \xEF\xBF\xBD \xF0\x9F\x98\x80");
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
