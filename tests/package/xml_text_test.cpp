#include "package/xml_text.h"

#include <gtest/gtest.h>

#include <deque>

#include "platform/host_platform.h"

namespace kassivo {
namespace {

// Kept for the rest of the run: the node views its document's text.
const XmlNode& Element(std::u16string_view attributes) {
  static std::deque<XmlDocument> kept;
  return kept.emplace_back(MakeHostXmlParser()->Parse(u"<e " + std::u16string(attributes) + u"/>"))
      .root;
}

TEST(XmlEscape, EscapesTheSevenCharacters) {
  EXPECT_EQ(XmlEscape(u"A \"B\" & C", false), u"A &#34;B&#34; &#38; C");
  EXPECT_EQ(XmlEscape(u"<a b='c'>", false), u"&#60;a b=&#39;c&#39;&#62;");
  EXPECT_EQ(XmlEscape(u"", false), u"");
  EXPECT_EQ(XmlEscape(u"Привет, мир 123", false), u"Привет, мир 123");
  EXPECT_EQ(XmlEscape(u"tab\there\x01", false), u"tab\there\x01");
}

TEST(XmlEscape, RecognisesOnlyTheQuotEntity) {
  EXPECT_EQ(XmlEscape(u"&quot;X&quot;", false), u"&#34;X&#34;");
  EXPECT_EQ(XmlEscape(u"&quot", false), u"&#38;quot");
  EXPECT_EQ(XmlEscape(u"&amp;", false), u"&#38;amp;");
  EXPECT_EQ(XmlEscape(u"&#34;", false), u"&#38;#34;");
  EXPECT_EQ(XmlEscape(u"&QUOT;", false), u"&#38;QUOT;");
  EXPECT_EQ(XmlEscape(u"&&quot;", false), u"&#38;&#34;");
}

TEST(XmlEscape, LineBreaksEscapedOrDropped) {
  EXPECT_EQ(XmlEscape(u"one\r\ntwo", false), u"one&#13;&#10;two");
  EXPECT_EQ(XmlEscape(u"one\r\ntwo", true), u"onetwo");
  EXPECT_EQ(XmlEscape(u"\n\"\r", true), u"&#34;");
}

TEST(XmlEscape, LongTextGrowsCorrectly) {
  std::u16string source;
  std::u16string expected;
  for (int i = 0; i < 1000; ++i) {
    source += u"a&<";
    expected += u"a&#38;&#60;";
  }
  EXPECT_EQ(XmlEscape(source, false), expected);
}

TEST(XmlEscape, OutputParsesBackToTheSource) {
  const std::u16string source = u"ООО \"Рога & Копыта\" <'x'>\r\n&quot;";
  const XmlNode node = Element(u"v=\"" + XmlEscape(source, false) + u"\"");
  // "&quot;" itself comes back as a plain double quote.
  EXPECT_EQ(GetAttributeText(node, u"v"), u"ООО \"Рога & Копыта\" <'x'>\r\n\"");
}

TEST(GetAttributeText, ValueOrEmpty) {
  const XmlNode node = Element(u"A=\" x &amp; y \" B=\"\"");
  EXPECT_EQ(GetAttributeText(node, u"A"), u" x & y ");
  EXPECT_EQ(GetAttributeText(node, u"B"), u"");
  EXPECT_EQ(GetAttributeText(node, u"a"), u"");
  EXPECT_EQ(GetAttributeText(node, u"C"), u"");
}

TEST(GetAttributeBool, TrueInAnyCaseAndOne) {
  const XmlNode node = Element(
      u"a=\"true\" b=\"True\" c=\"TRUE\" d=\"tRuE\" e=\"1\" f=\"false\" g=\"0\" h=\" true\" "
      u"i=\"true \" j=\"yes\" k=\"\" l=\"01\" m=\"2\"");
  for (const char16_t* name : {u"a", u"b", u"c", u"d", u"e"}) {
    EXPECT_TRUE(GetAttributeBool(node, name)) << static_cast<char>(name[0]);
  }
  for (const char16_t* name : {u"f", u"g", u"h", u"i", u"j", u"k", u"l", u"m", u"absent"}) {
    EXPECT_FALSE(GetAttributeBool(node, name)) << static_cast<char>(name[0]);
  }
}

TEST(FindAttributeSpelled, OldSpellingFirstThenStandard) {
  const XmlNode both = Element(u"SaleAddres=\"old\" SaleAddress=\"new\"");
  const XmlNode standard = Element(u"SaleAddress=\"new\"");
  const XmlNode empty_old = Element(u"SaleAddres=\"\" SaleAddress=\"new\"");
  const XmlNode neither = Element(u"saleaddress=\"x\"");
  EXPECT_EQ(*FindAttributeSpelled(both, u"SaleAddres", u"SaleAddress"), u"old");
  EXPECT_EQ(*FindAttributeSpelled(standard, u"SaleAddres", u"SaleAddress"), u"new");
  EXPECT_EQ(*FindAttributeSpelled(empty_old, u"SaleAddres", u"SaleAddress"), u"");
  EXPECT_EQ(FindAttributeSpelled(neither, u"SaleAddres", u"SaleAddress"), nullptr);
}

}  // namespace
}  // namespace kassivo
