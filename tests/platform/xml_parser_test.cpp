#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "common/text.h"
#include "common/value.h"
#include "platform/host_platform.h"

namespace kassivo {
namespace {

// The conformance suite every XML backend passes: the system's own parser
// (pugixml on POSIX, MSXML on Windows) runs it.
// The root of a parsed text; its document is kept for the rest of the run,
// since the node's names and values view the document's text.
const XmlNode& Root(std::u16string_view text) {
  static std::deque<XmlDocument> kept;
  return kept.emplace_back(MakeHostXmlParser()->Parse(text)).root;
}

std::vector<std::u16string> ChildNames(const XmlNode& node) {
  std::vector<std::u16string> names;
  for (const XmlNode& child : node.children) names.emplace_back(child.name);
  return names;
}

// The DriverError message of a refused text; empty when it was accepted.
std::u16string Refusal(std::u16string_view text) {
  try {
    MakeHostXmlParser()->Parse(text);
  } catch (const DriverError& error) {
    return error.message();
  }
  return u"";
}

TEST(XmlParserTest, WhiteSpaceOnlyTextIsNotANode) {
  const XmlNode root = Root(u"<R>\r\n  \t<A/>\n   <B/>  </R>");
  EXPECT_EQ(ChildNames(root), (std::vector<std::u16string>{u"A", u"B"}));
  EXPECT_TRUE(Root(u"<R>  \n\t </R>").children.empty());
}

TEST(XmlParserTest, OtherNodesTakeAPositionButMatchNoElement) {
  const XmlNode root =
      Root(u"<R><!-- note --><A/>text<![CDATA[<B/>]]><?B data?><B/>\u00A0<C/></R>");
  ASSERT_EQ(root.children.size(), 8u);
  const std::vector<bool> elements = {false, true, false, false, false, true, false, true};
  for (std::size_t i = 0; i < elements.size(); ++i) {
    EXPECT_EQ(root.children[i].is_element, elements[i]) << i;
  }
  EXPECT_TRUE(root.ChildAt(1).Is(u"A"));
  EXPECT_FALSE(root.ChildAt(0).Is(u"A"));
  // A processing instruction or CDATA spelling an element name is no element.
  EXPECT_FALSE(root.ChildAt(3).Is(u"B"));
  EXPECT_FALSE(root.ChildAt(4).Is(u"B"));
  EXPECT_TRUE(root.ChildAt(5).Is(u"B"));
  // A no-break space is not white space in XML: it is text, and a node.
  EXPECT_FALSE(root.ChildAt(6).is_element);
  EXPECT_TRUE(root.LastChild().Is(u"C"));
  // No element name can collide with the names of the other nodes.
  for (const XmlNode& child : root.children) {
    EXPECT_FALSE(child.Is(u"#text") || child.Is(u"#comment") || child.Is(u"#cdata-section"));
  }
}

TEST(XmlParserTest, MissingChildrenThrowWithAMessage) {
  const XmlNode root = Root(u"<R><A/></R>");
  EXPECT_THROW(root.ChildAt(1), DriverError);
  EXPECT_THROW(root.ChildAt(0).LastChild(), DriverError);
  EXPECT_THROW(root.ChildAt(0).ChildAt(0), DriverError);
}

TEST(XmlParserTest, AttributesInDocumentOrderWithReferencesDecoded) {
  const XmlNode root = Root(
      u"<R b=\"&quot;q&quot;\" a='&#1055;&#x440;&amp;&lt;&gt;&apos;' "
      u"c=\"&#x1F600;\" d=\"\" e='\"'/>");
  const std::vector<XmlAttribute> expected = {
      {u"b", u"\"q\""}, {u"a", u"Пр&<>'"}, {u"c", u"\U0001F600"}, {u"d", u""}, {u"e", u"\""}};
  EXPECT_EQ(root.attributes, expected);
  EXPECT_TRUE(root.HasAttribute(u"d"));
  EXPECT_FALSE(root.HasAttribute(u"f"));
}

// References and a raw '<' are found wherever they stand in a long value,
// and the names and values of many elements stay apart.
TEST(XmlParserTest, ReferencesAndRawLessThanAtEveryPositionOfLongValues) {
  for (std::size_t at = 0; at <= 40; ++at) {
    const std::u16string before(at, u'x');
    const std::u16string after(40 - at, u'y');
    const XmlNode& root = Root(u"<R a=\"" + before + u"&amp;" + after + u"\" b=\"" + before +
                               u"\u0416&#x41;" + after + u"\"/>");
    EXPECT_EQ(*root.FindAttribute(u"a"), before + u"&" + after) << at;
    EXPECT_EQ(*root.FindAttribute(u"b"), before + u"\u0416A" + after) << at;
    EXPECT_NE(Refusal(u"<R a=\"" + before + u"<" + after + u"\"/>"), u"") << at;
  }
  std::u16string many = u"<R>";
  for (int i = 0; i < 500; ++i) {
    many +=
        u"<E n=\"" + DecimalText(i) + u"\" \u0438\u043C\u044F=\"\u0416" + DecimalText(i) + u"\"/>";
  }
  const XmlNode& root = Root(many + u"</R>");
  ASSERT_EQ(root.children.size(), 500u);
  for (int i = 0; i < 500; ++i) {
    const XmlNode& element = root.children[static_cast<std::size_t>(i)];
    ASSERT_EQ(*element.FindAttribute(u"n"), DecimalText(i));
    ASSERT_EQ(*element.FindAttribute(u"\u0438\u043C\u044F"), u"\u0416" + DecimalText(i));
  }
}

TEST(XmlParserTest, AttributeWhiteSpaceIsNormalisedButReferencesAreKept) {
  const XmlNode root = Root(u"<R a=\"1\r\n2\t3\n4\" b=\"1&#10;2&#9;3&#13;\"/>");
  EXPECT_EQ(*root.FindAttribute(u"a"), u"1 2 3 4");
  EXPECT_EQ(*root.FindAttribute(u"b"), u"1\n2\t3\r");
}

TEST(XmlParserTest, NamesCompareExactly) {
  const XmlNode root = Root(u"<Check><Positions Sum=\"1\"/><positions/></Check>");
  EXPECT_TRUE(root.Is(u"Check"));
  EXPECT_FALSE(root.Is(u"check"));
  EXPECT_FALSE(root.Is(u"Check "));
  EXPECT_TRUE(root.ChildAt(0).Is(u"Positions"));
  EXPECT_FALSE(root.ChildAt(1).Is(u"Positions"));
  EXPECT_TRUE(root.ChildAt(0).HasAttribute(u"Sum"));
  EXPECT_FALSE(root.ChildAt(0).HasAttribute(u"sum"));
  // No namespace handling: the prefix is part of the name.
  EXPECT_TRUE(Root(u"<x:R xmlns:x=\"urn:a\"/>").Is(u"x:R"));
}

TEST(XmlParserTest, CyrillicNamesAndValuesSurvive) {
  const XmlNode root = Root(
      u"<?xml version=\"1.0\" encoding=\"windows-1251\"?>"
      u"<Чек Покупатель=\"Иванов И.И.\" СountryOfOrigin=\"РОССИЯ\"><Позиция/></Чек>");
  EXPECT_TRUE(root.Is(u"Чек"));
  EXPECT_EQ(*root.FindAttribute(u"Покупатель"), u"Иванов И.И.");
  // The Cyrillic С and the Latin C are different names.
  EXPECT_TRUE(root.HasAttribute(u"СountryOfOrigin"));
  EXPECT_FALSE(root.HasAttribute(u"CountryOfOrigin"));
  EXPECT_TRUE(root.ChildAt(0).Is(u"Позиция"));
}

TEST(XmlParserTest, ProloguesAndTrailersAroundTheDocumentElement) {
  const XmlNode root = Root(
      u"\uFEFF<?xml version=\"1.0\"?>\n<!-- before --><?pi?>\n<R/>\n<!-- after "
      u"-->\n");
  EXPECT_TRUE(root.Is(u"R"));
  EXPECT_TRUE(root.children.empty());
}

TEST(XmlParserTest, MalformedTextsAreRefusedWithTheParsersMessage) {
  for (const char16_t* text : {
           u"",
           u"  \n ",
           u"<!-- only -->",
           u"<RequestKM GUID=\"LOST\" MarkingCode=\"X\">",
           u"abc",
           u"<a><b></a>",
           u"<a></b>",
           u"<a x=1/>",
           u"<a x=\"1/>",
           u"<a/><b/>",
           u"abc<a/>",
           u"<a/>abc",
           u"<a/><![CDATA[x]]>",
           u"<a x=\"1\" x=\"2\"/>",
           u"<a x=\"&bogus;\"/>",
           u"<a x=\"&amp\"/>",
           u"<a x=\"&#0;\"/>",
           u"<a x=\"&#xD800;\"/>",
           u"<a x=\"&#x110000;\"/>",
           u"<a x=\"&#12a;\"/>",
           u"<a x=\"<\"/>",
           u"<a><!-- unclosed </a>",
           u"<1a/>",
       }) {
    const std::u16string message = Refusal(text);
    EXPECT_TRUE(message.starts_with(u"Ошибка разбора XML: ")) << ToUtf8(text);
    EXPECT_TRUE(message.ends_with(u").")) << ToUtf8(text);
  }
}

TEST(XmlParserTest, RawControlCharactersInAttributesAreKept) {
  // Marking codes arrive with a raw GS from some hosts, though XML 1.0 has no
  // such character.
  const XmlNode root = Root(u"<R MarkingCode=\" AQID\u001D91EE06\u001D92Yw== \" B=\"\u0001\"/>");
  EXPECT_EQ(*root.FindAttribute(u"MarkingCode"), u" AQID\u001D91EE06\u001D92Yw== ");
  EXPECT_EQ(*root.FindAttribute(u"B"), u"\u0001");
  // Private-use characters of the text itself are kept as they are.
  EXPECT_EQ(*Root(u"<R A=\"\uE01D\"/>").FindAttribute(u"A"), u"\uE01D");
}

TEST(XmlParserTest, LoneSurrogatesNeverCrash) {
  // Refused, or kept in some form: either way a defined answer.
  const std::u16string text = u"<R a=\"" + std::u16string(1, u'\xD800') + u"\"/>";
  const std::u16string refusal = Refusal(text);
  if (refusal.empty()) {
    EXPECT_TRUE(Root(text).HasAttribute(u"a"));
  }
}

TEST(XmlParserTest, DeepNestingIsRefusedNotACrash) {
  std::u16string deep;
  for (int i = 0; i < 100000; ++i) deep += u"<a>";
  for (int i = 0; i < 100000; ++i) deep += u"</a>";
  EXPECT_NE(Refusal(deep), u"");
  std::u16string fine;
  for (int i = 0; i < 200; ++i) fine += u"<a>";
  for (int i = 0; i < 200; ++i) fine += u"</a>";
  EXPECT_EQ(Refusal(fine), u"");
}

}  // namespace
}  // namespace kassivo
