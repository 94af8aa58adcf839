// What the pugixml backend says beyond the shared conformance suite: its
// failure messages, with positions in UTF-16 units, and what it accepts.
#include "platform/posix/pugixml_parser.h"

#include <gtest/gtest.h>

#include "common/value.h"

namespace kassivo {
namespace {

std::u16string Refusal(std::u16string_view text) {
  try {
    PugixmlParser().Parse(text);
  } catch (const DriverError& error) {
    return error.message();
  }
  return u"";
}

TEST(PugixmlParserTest, MessagesNameTheFailureAndItsPosition) {
  EXPECT_EQ(Refusal(u""), u"Ошибка разбора XML: No document element found (позиция 0).");
  EXPECT_EQ(Refusal(u"  \n "), u"Ошибка разбора XML: No document element found (позиция 0).");
  EXPECT_EQ(Refusal(u"<!-- only -->"),
            u"Ошибка разбора XML: No document element found (позиция 0).");
  EXPECT_EQ(Refusal(u"<RequestKM GUID=\"LOST\" MarkingCode=\"X\">"),
            u"Ошибка разбора XML: Start-end tags mismatch (позиция 38).");
  // Positions count UTF-16 units, not UTF-8 bytes (the UTF-8 offset is 19).
  EXPECT_EQ(Refusal(u"<Чек Имя=\"Я\">"),
            u"Ошибка разбора XML: Start-end tags mismatch (позиция 12).");
}

TEST(PugixmlParserTest, ADocumentTypeWithoutDeclarationsIsAccepted) {
  EXPECT_EQ(Refusal(u"<?xml version=\"1.0\"?>\n<!DOCTYPE R>\n<R/>"), u"");
  // Declared entities are never expanded: a reference to one is refused.
  EXPECT_NE(Refusal(u"<!DOCTYPE R [<!ENTITY e \"x\">]><R a=\"&e;\"/>"), u"");
}

TEST(PugixmlParserTest, ALoneSurrogateBecomesTheReplacementCharacter) {
  const std::u16string text = u"<R a=\"" + std::u16string(1, u'\xD800') + u"\"/>";
  EXPECT_EQ(*PugixmlParser().Parse(text).root.FindAttribute(u"a"), u"\uFFFD");
}

}  // namespace
}  // namespace kassivo
