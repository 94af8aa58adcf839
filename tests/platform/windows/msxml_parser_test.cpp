// What the MSXML backend says beyond the shared conformance suite: its
// failure messages carry MSXML's reason with a line and a position, and a
// document type declaration never reaches the parser.
#include "platform/windows/msxml_parser.h"

#include <gtest/gtest.h>

#include "common/text.h"
#include "common/value.h"

namespace kassivo {
namespace {

std::u16string Refusal(std::u16string_view text) {
  try {
    MsxmlParser().Parse(text);
  } catch (const DriverError& error) {
    return error.message();
  }
  return u"";
}

TEST(MsxmlParserTest, MessagesCarryALineAndAPosition) {
  // The numbers are MSXML's own (some builds give none and say 0).
  const std::u16string message = Refusal(u"<R>\n<A></R>");
  EXPECT_TRUE(message.starts_with(u"Ошибка разбора XML: ")) << ToUtf8(message);
  EXPECT_NE(message.find(u" (строка "), std::u16string::npos) << ToUtf8(message);
  EXPECT_NE(message.find(u", позиция "), std::u16string::npos) << ToUtf8(message);
}

TEST(MsxmlParserTest, DocumentTypesAreRefusedSoNoEntityIsExpanded) {
  EXPECT_EQ(Refusal(u"<?xml version=\"1.0\"?>\n<!DOCTYPE R>\n<R/>"),
            u"Ошибка разбора XML: Document type declarations are not accepted (строка 2, "
            u"позиция 1).");
  std::u16string laughs = u"<!DOCTYPE R [<!ENTITY a \"ha\">";
  for (char16_t level = u'b'; level <= u'k'; ++level) {
    laughs += u"<!ENTITY ";
    laughs += level;
    laughs += u" \"";
    for (int i = 0; i < 10; ++i) {
      laughs += u'&';
      laughs += static_cast<char16_t>(level - 1);
      laughs += u';';
    }
    laughs += u"\">";
  }
  laughs += u"]><R a=\"&k;\"/>";
  EXPECT_NE(Refusal(laughs), u"");
}

TEST(MsxmlParserTest, TheEncodingDeclarationPlaysNoPart) {
  for (const char16_t* declaration :
       {u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
        u"<?xml version='1.0' encoding='windows-1251'?>",
        u"\uFEFF<?xml version=\"1.0\" encoding = \"UTF-16\" standalone=\"yes\"?>",
        u"<?xml version=\"1.0\"\r\n encoding=\"KOI8-R\"?>\n", u"<?xml version=\"1.0\"?>"}) {
    const std::u16string text = std::u16string(declaration) + u"<Чек Имя=\"Ёж\"/>";
    EXPECT_EQ(*MsxmlParser().Parse(text).root.FindAttribute(u"Имя"), u"Ёж") << ToUtf8(declaration);
  }
  // An encoding attribute of the document element is data, not a declaration.
  EXPECT_EQ(*MsxmlParser().Parse(u"<R encoding=\"x\"/>").root.FindAttribute(u"encoding"), u"x");
}

}  // namespace
}  // namespace kassivo
